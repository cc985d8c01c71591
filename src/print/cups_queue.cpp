// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/cups_queue.h"

#include "base/i18n.h"
#include "print/scheduler_connection.h"

#include <cups/cups.h>

#include <cstdlib>
#include <fstream>
#include <string_view>

namespace print {
namespace {

constexpr int kDefaultDpi = 600;
constexpr int kMinDpi = 24;
constexpr int kMaxDpi = 2400;
// Cancelling a job that failed gets a deadline of its own, short: the command is ending.
constexpr std::chrono::seconds kCancelSeconds{5};

// A request of the operation to a queue, as lp makes it.
Ipp QueueRequest(ipp_op_t operation, const std::string& queue) {
    Ipp request(ippNewRequest(operation));
    char uri[1024];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                     queue.c_str());
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    return request;
}

std::string Resource(const std::string& queue) {
    return "/printers/" + queue;
}

bool Succeeded(const Ipp& answer) {
    return ippGetStatusCode(answer.get()) <= IPP_STATUS_OK_CONFLICTING;
}

// The scheduler's own words for a status it answered with.
std::string StatusText(const Ipp& answer) {
    ipp_attribute_t* message = ippFindAttribute(answer.get(), "status-message", IPP_TAG_TEXT);
    const char* text = message ? ippGetString(message, 0, nullptr) : nullptr;
    const char* status = ippErrorString(ippGetStatusCode(answer.get()));
    return text && *text ? std::string(status) + ", " + text : std::string(status);
}

// The "Default" line of an lpoptions file: the queue it names (without an instance).
std::string LpoptionsDefault(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::string line;
    std::string found;
    while (std::getline(in, line)) {
        if (!line.starts_with("Default ") && !line.starts_with("default ")) continue;
        std::string name = line.substr(8);
        name = name.substr(0, name.find_first_of("/ \t\r"));
        if (!name.empty()) found = name;
    }
    return found;
}

// The default printer the user chose, as lp takes it: LPDEST, PRINTER (but "lp"), then the
// user's lpoptions file, then the system's. Empty when none names one.
std::string UserDefaultPrinter() {
    if (const char* value = std::getenv("LPDEST"); value && *value) return value;
    if (const char* value = std::getenv("PRINTER"); value && *value && std::string_view(value) != "lp") return value;
    if (const char* home = std::getenv("HOME"); home && *home) {
        if (std::string name = LpoptionsDefault(std::filesystem::path(home) / ".cups" / "lpoptions"); !name.empty())
            return name;
    }
    const char* root = std::getenv("CUPS_SERVERROOT");
    return LpoptionsDefault(std::filesystem::path(root && *root ? root : "/etc/cups") / "lpoptions");
}

} // namespace

std::string CupsQueue::ServerName() {
    return cupsServer();
}

CupsQueue::CupsQueue(int deadline_seconds) : deadline_(deadline_seconds) {}

CupsQueue::~CupsQueue() = default;

std::chrono::seconds CupsQueue::Deadline(std::uintmax_t document_bytes) const {
    return deadline_ + std::chrono::seconds(document_bytes / kBytesPerExtraSecond);
}

// The exchange in progress is registered for Interrupt while it lasts.
class CurrentExchange {
public:
    CurrentExchange(std::mutex& mutex, SchedulerConnection*& current, SchedulerConnection& connection,
                    const std::atomic<bool>& interrupted)
        : mutex_(mutex), current_(current) {
        const std::lock_guard lock(mutex_);
        current_ = &connection;
        if (interrupted) connection.Interrupt();
    }
    ~CurrentExchange() {
        const std::lock_guard lock(mutex_);
        current_ = nullptr;
    }
    CurrentExchange(const CurrentExchange&) = delete;
    CurrentExchange& operator=(const CurrentExchange&) = delete;

private:
    std::mutex& mutex_;
    SchedulerConnection*& current_;
};

void CupsQueue::Interrupt() {
    interrupted_ = true;
    const std::lock_guard lock(current_mutex_);
    if (current_) current_->Interrupt();
}

std::optional<CupsPrinter> CupsQueue::FindPrinter(const std::optional<std::string>& name, std::string* error) {
    printer_.reset();
    SchedulerConnection connection(Deadline(0));
    const CurrentExchange current(current_mutex_, current_, connection, interrupted_);
    if (!connection.connected()) {
        *error = connection.connect_error();
        return std::nullopt;
    }
    static const char* const kAttributes[] = {"printer-name", "printer-type", "printer-resolution-default"};
    std::string queue;
    if (name) {
        queue = *name;
    } else {
        // The user's own default first, else the scheduler's.
        queue = UserDefaultPrinter();
        if (queue.empty()) {
            Ipp request(ippNewRequest(IPP_OP_CUPS_GET_DEFAULT));
            ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr,
                          kAttributes);
            const Ipp answer = connection.Ask(request, "/", nullptr, error);
            if (!answer) return std::nullopt;
            ipp_attribute_t* printer = ippFindAttribute(answer.get(), "printer-name", IPP_TAG_NAME);
            if (!Succeeded(answer) || !printer) {
                *error = base::Format(_("no default printer at %s (name one with --printer)"), ServerName().c_str());
                return std::nullopt;
            }
            queue = ippGetString(printer, 0, nullptr);
        }
    }
    Ipp request = QueueRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, queue);
    ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, kAttributes);
    const Ipp answer = connection.Ask(request, Resource(queue).c_str(), nullptr, error);
    if (!answer) return std::nullopt;
    if (!Succeeded(answer)) {
        *error = base::Format(_("no printer '%s' at %s (%s)"), queue.c_str(), ServerName().c_str(),
                              StatusText(answer).c_str());
        return std::nullopt;
    }
    CupsPrinter printer;
    printer.name = queue;
    printer.dpi = kDefaultDpi;
    if (ipp_attribute_t* resolution = ippFindAttribute(answer.get(), "printer-resolution-default",
                                                             IPP_TAG_RESOLUTION)) {
        int y = 0;
        ipp_res_t units = IPP_RES_PER_INCH;
        int x = ippGetResolution(resolution, 0, &y, &units);
        if (units == IPP_RES_PER_CM) x = static_cast<int>(x * 2.54 + 0.5);
        if (x >= kMinDpi && x <= kMaxDpi) printer.dpi = x;
    }
    if (ipp_attribute_t* type = ippFindAttribute(answer.get(), "printer-type", IPP_TAG_ENUM))
        printer.colour = (ippGetInteger(type, 0) & CUPS_PRINTER_COLOR) != 0;
    printer_ = printer;
    return printer;
}

int CupsQueue::Submit(const std::filesystem::path& pdf, std::string_view title, int copies, std::string* error) {
    if (!printer_) {
        *error = _("no printer chosen");
        return 0;
    }
    const std::string& queue = printer_->name;
    std::error_code ec;
    const std::uintmax_t bytes = std::filesystem::file_size(pdf, ec);
    if (ec) {
        *error = base::Format(_("cannot read %s: %s"), pdf.c_str(), ec.message().c_str());
        return 0;
    }
    SchedulerConnection connection(Deadline(bytes));
    const CurrentExchange current(current_mutex_, current_, connection, interrupted_);
    if (!connection.connected()) {
        *error = connection.connect_error();
        return 0;
    }

    Ipp create = QueueRequest(IPP_OP_CREATE_JOB, queue);
    ippAddString(create.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, std::string(title).c_str());
    if (copies > 1) ippAddInteger(create.get(), IPP_TAG_JOB, IPP_TAG_INTEGER, "copies", copies);
    std::string why;
    const Ipp created = connection.Ask(create, Resource(queue).c_str(), nullptr, &why);
    ipp_attribute_t* id = created ? ippFindAttribute(created.get(), "job-id", IPP_TAG_INTEGER) : nullptr;
    const int job = id ? ippGetInteger(id, 0) : 0;
    if (!created || !Succeeded(created) || job <= 0) {
        if (created && Succeeded(created)) why = _("the scheduler named no job");
        else if (created) why = StatusText(created);
        if (created && job > 0) Cancel(job);
        *error = base::Format(_("the printer %s took no job: %s"), queue.c_str(), why.c_str());
        return 0;
    }

    const std::string document = pdf.filename().string();
    Ipp send = QueueRequest(IPP_OP_SEND_DOCUMENT, queue);
    ippAddInteger(send.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
    ippAddString(send.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "document-name", nullptr, document.c_str());
    ippAddString(send.get(), IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, "application/pdf");
    ippAddBoolean(send.get(), IPP_TAG_OPERATION, "last-document", 1);
    const Ipp sent = connection.Ask(send, Resource(queue).c_str(), &pdf, &why);
    if (!sent || !Succeeded(sent)) {
        if (sent) why = StatusText(sent);
        Cancel(job);
        *error = base::Format(_("the document %s did not reach %s: %s"), document.c_str(), queue.c_str(), why.c_str());
        return 0;
    }
    return job;
}

void CupsQueue::Cancel(int job) {
    if (!printer_) return;
    SchedulerConnection connection(kCancelSeconds);
    if (!connection.connected()) return;
    Ipp cancel = QueueRequest(IPP_OP_CANCEL_JOB, printer_->name);
    ippAddInteger(cancel.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
    std::string ignored;
    connection.Ask(cancel, Resource(printer_->name).c_str(), nullptr, &ignored);
}

} // namespace print
