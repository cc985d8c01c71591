// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/cups_queue.h"

#include "base/i18n.h"

#include <cups/cups.h>

#include <cstdlib>
#include <fstream>

namespace print {
namespace {

constexpr int kDefaultDpi = 600;
constexpr int kMinDpi = 24;
constexpr int kMaxDpi = 2400;

std::string LastError() {
    const char* text = cupsLastErrorString();
    return text && *text ? text : _("no answer");
}

} // namespace

std::string CupsQueue::ServerName() {
    return cupsServer();
}

std::unique_ptr<CupsQueue> CupsQueue::Connect(std::string* error) {
    const char* server = cupsServer();
    http_t* http =
        httpConnect2(server, ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, kConnectMilliseconds, nullptr);
    if (!http) {
        *error = base::Format(_("no print scheduler answers at %s"), server);
        return nullptr;
    }
    // A request that gets no answer in time fails instead of being retried.
    httpSetTimeout(http, kRequestSeconds, nullptr, nullptr);
    return std::unique_ptr<CupsQueue>(new CupsQueue(http));
}

CupsQueue::~CupsQueue() {
    ForgetPrinter();
    httpClose(http_);
}

void CupsQueue::ForgetPrinter() {
    if (info_) cupsFreeDestInfo(info_);
    if (dest_) cupsFreeDests(1, dest_);
    info_ = nullptr;
    dest_ = nullptr;
}

std::optional<CupsPrinter> CupsQueue::FindPrinter(const std::optional<std::string>& name, std::string* error) {
    ForgetPrinter();
    dest_ = cupsGetNamedDest(http_, name ? name->c_str() : nullptr, nullptr);
    if (!dest_) {
        *error = name ? base::Format(_("no printer '%s' at %s"), name->c_str(), ServerName().c_str())
                      : base::Format(_("no default printer at %s (name one with --printer)"), ServerName().c_str());
        return std::nullopt;
    }
    info_ = cupsCopyDestInfo(http_, dest_);
    CupsPrinter printer;
    printer.name = dest_->name;
    printer.dpi = kDefaultDpi;
    if (info_) {
        if (ipp_attribute_t* resolution = cupsFindDestDefault(http_, dest_, info_, "printer-resolution")) {
            int y = 0;
            ipp_res_t units = IPP_RES_PER_INCH;
            int x = ippGetResolution(resolution, 0, &y, &units);
            if (units == IPP_RES_PER_CM) x = static_cast<int>(x * 2.54 + 0.5);
            if (x >= kMinDpi && x <= kMaxDpi) printer.dpi = x;
        }
    }
    if (const char* type = cupsGetOption("printer-type", dest_->num_options, dest_->options)) {
        printer.colour = (std::strtol(type, nullptr, 10) & CUPS_PRINTER_COLOR) != 0;
    }
    return printer;
}

int CupsQueue::Submit(const std::filesystem::path& pdf, std::string_view title, int copies, std::string* error) {
    if (!dest_) {
        *error = _("no printer chosen");
        return 0;
    }
    std::ifstream in(pdf, std::ios::binary);
    if (!in) {
        *error = base::Format(_("cannot read %s"), pdf.c_str());
        return 0;
    }
    cups_option_t* options = nullptr;
    int count = 0;
    if (copies > 1) count = cupsAddOption("copies", std::to_string(copies).c_str(), count, &options);
    const std::string job_title(title);
    int job = 0;
    const ipp_status_t created = cupsCreateDestJob(http_, dest_, info_, &job, job_title.c_str(), count, options);
    cupsFreeOptions(count, options);
    if (created > IPP_STATUS_OK_CONFLICTING || job == 0) {
        *error = base::Format(_("the printer %s took no job: %s"), dest_->name, LastError().c_str());
        return 0;
    }
    const std::string document = pdf.filename().string();
    bool sent = cupsStartDestDocument(http_, dest_, info_, job, document.c_str(), CUPS_FORMAT_PDF, 0, nullptr, 1) ==
                HTTP_STATUS_CONTINUE;
    char buffer[1 << 16];
    while (sent && in) {
        in.read(buffer, sizeof buffer);
        const auto n = static_cast<std::size_t>(in.gcount());
        if (n > 0) sent = cupsWriteRequestData(http_, buffer, n) == HTTP_STATUS_CONTINUE;
    }
    const ipp_status_t finished = cupsFinishDestDocument(http_, dest_, info_);
    if (!sent || finished > IPP_STATUS_OK_CONFLICTING) {
        cupsCancelDestJob(http_, dest_, job);
        *error =
            base::Format(_("the document %s did not reach %s: %s"), document.c_str(), dest_->name, LastError().c_str());
        return 0;
    }
    return job;
}

} // namespace print
