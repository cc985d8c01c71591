// qelmarin-cli render: the pages of a print run to PDF (one document per month, as the
// print run makes them), the preview of the first month to PNG, or either as a drawing
// trace, from the host folder's files.

#include "base/reporter.h"
#include "cli/command.h"
#include "cli/host_folder.h"
#include "gfx/cairo_canvas.h"
#include "gfx/trace_canvas.h"
#include "pages/page_routines.h"
#include "print/paper_sizes.h"
#include "print/print_run.h"
#include "print/print_setup.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

namespace cli {
namespace {

constexpr int kMinDpi = 24;
constexpr int kMaxDpi = 2400;
constexpr int kColourPrinter = 256;
constexpr int kMonochromePrinter = 2;

struct RenderOptions {
    std::optional<std::string> home;
    int format = 1;
    std::optional<int> year, from, to;
    std::string paper = "A4";
    bool landscape = false;
    int dpi = 600;
    bool mono = false;
    bool preview = false;
    bool trace = false;
    std::optional<std::pair<int, int>> days;
    std::string out;
};

void RenderUsage() {
    std::fprintf(stderr,
                 "usage: qelmarin-cli render [--home DIR] --format N [--year Y] [--from M] [--to M]\n"
                 "         [--paper %s] [--landscape] [--dpi N] [--mono] [--preview] [--trace]\n"
                 "         [--days A-B] --out DIR\n",
                 std::string(print::PaperSizeNames()).c_str());
}

bool ParseInt(const std::string& text, int& out) {
    auto r = std::from_chars(text.data(), text.data() + text.size(), out);
    return r.ec == std::errc{} && r.ptr == text.data() + text.size();
}

bool Fail(const std::string& message) {
    std::fprintf(stderr, "qelmarin-cli render: %s\n", message.c_str());
    return false;
}

bool ParseOptions(const Args& args, RenderOptions& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string* { return i + 1 < args.size() ? &args[++i] : nullptr; };
        auto number = [&](int& target, int low, int high) {
            const std::string* v = value();
            if (!v || !ParseInt(*v, target) || target < low || target > high)
                return Fail(a + " needs a number from " + std::to_string(low) + " to " + std::to_string(high));
            return true;
        };
        auto optional_number = [&](std::optional<int>& target, int low, int high) {
            int n = 0;
            if (!number(n, low, high)) return false;
            target = n;
            return true;
        };
        bool ok = true;
        if (a == "--help" || a == "-h") {
            return false;
        } else if (a == "--home") {
            const std::string* v = value();
            ok = v ? (o.home = *v, true) : Fail("--home needs a folder");
        } else if (a == "--out") {
            const std::string* v = value();
            ok = v ? (o.out = *v, true) : Fail("--out needs a folder");
        } else if (a == "--paper") {
            const std::string* v = value();
            ok = v && print::FindPaperSize(*v) ? (o.paper = *v, true)
                                               : Fail("--paper needs one of " + std::string(print::PaperSizeNames()));
        } else if (a == "--format") {
            ok = number(o.format, 1, pages::kFormatCount);
        } else if (a == "--year") {
            ok = optional_number(o.year, almanac::kFirstYear, almanac::kLastYear);
        } else if (a == "--from") {
            ok = optional_number(o.from, 1, 12);
        } else if (a == "--to") {
            ok = optional_number(o.to, 1, 12);
        } else if (a == "--dpi") {
            ok = number(o.dpi, kMinDpi, kMaxDpi);
        } else if (a == "--days") {
            const std::string* v = value();
            const std::size_t dash = v ? v->find('-') : std::string::npos;
            int first = 0, last = 0;
            ok = dash != std::string::npos && ParseInt(v->substr(0, dash), first) &&
                         ParseInt(v->substr(dash + 1), last) && first >= 1 && first <= last && last <= 31
                     ? (o.days = std::pair{first, last}, true)
                     : Fail("--days needs A-B with 1 <= A <= B <= 31");
        } else if (a == "--landscape") {
            o.landscape = true;
        } else if (a == "--mono") {
            o.mono = true;
        } else if (a == "--preview") {
            o.preview = true;
        } else if (a == "--trace") {
            o.trace = true;
        } else {
            ok = Fail("unknown option '" + a + "'");
        }
        if (!ok) return false;
    }
    if (o.out.empty()) return Fail("--out DIR is required");
    return true;
}

// Output names sort by year, month and format: 2026-12-1-calendar.pdf.
std::string OutputName(const pages::PrintState& state, bool preview, const char* extension) {
    const pages::PageRoutineEntry* entry = pages::FindPageRoutine(static_cast<int>(state.format));
    char name[96];
    std::snprintf(name, sizeof name, "%04d-%02d-%d-%.*s%s.%s", state.year, state.month, static_cast<int>(state.format),
                  static_cast<int>(entry->name.size()), entry->name.data(), preview ? "-preview" : "", extension);
    return name;
}

// PDF documents, a PNG preview or traces in the output folder, one file per document.
class FileSink : public print::DocumentSink {
public:
    enum class Kind { kPdf, kPng, kTrace };
    FileSink(std::filesystem::path folder, Kind kind, bool preview)
        : folder_(std::move(folder)), kind_(kind), preview_(preview) {}

    gfx::Canvas* BeginDocument(const pages::PrintState& state, const gfx::Device& device) override {
        path_ = folder_ / OutputName(state, preview_,
                                     kind_ == Kind::kPdf   ? "pdf"
                                     : kind_ == Kind::kPng ? "png"
                                                           : "trace");
        std::string error;
        if (kind_ == Kind::kTrace) {
            trace_file_ = std::make_unique<std::ofstream>(path_, std::ios::binary | std::ios::trunc);
            if (!*trace_file_) return Refuse("cannot create " + path_.string());
            trace_ = std::make_unique<gfx::TraceCanvas>(*trace_file_, device);
            return trace_.get();
        }
        cairo_ = kind_ == Kind::kPdf
                     ? gfx::CairoCanvas::CreatePdf(path_.string(), device, std::string(print::kDocumentTitle), &error)
                     : gfx::CairoCanvas::CreateImage(device, &error);
        if (!cairo_) return Refuse(path_.string() + ": " + error);
        return cairo_.get();
    }

    bool EndDocument() override {
        std::string error;
        bool ok = true;
        if (trace_) {
            trace_.reset();
            trace_file_->flush();
            ok = static_cast<bool>(*trace_file_);
            trace_file_.reset();
            if (!ok) error = "write failed";
        } else if (cairo_) {
            ok = kind_ == Kind::kPng ? cairo_->WritePng(path_.string(), &error) : cairo_->Finish(&error);
            cairo_.reset();
        }
        if (!ok) return Fail(path_.string() + ": " + error);
        std::printf("%s\n", path_.string().c_str());
        return true;
    }

private:
    gfx::Canvas* Refuse(const std::string& message) {
        Fail(message);
        return nullptr;
    }

    std::filesystem::path folder_;
    Kind kind_;
    bool preview_;
    std::filesystem::path path_;
    std::unique_ptr<gfx::CairoCanvas> cairo_;
    std::unique_ptr<std::ofstream> trace_file_;
    std::unique_ptr<gfx::TraceCanvas> trace_;
};

// On a terminal, a line on stderr that follows the drawing of a full-page picture.
pages::ProgressFn TerminalProgress(const pages::PrintState& state) {
    if (!::isatty(STDERR_FILENO)) return {};
    auto shown = std::make_shared<int>(-1);
    return [&state, shown](std::string_view what, int percent) {
        if (percent == *shown) return;
        *shown = percent;
        std::fprintf(stderr, "\r%04d-%02d %.*s %3d%%", state.year, state.month, static_cast<int>(what.size()),
                     what.data(), percent);
        if (percent >= 100) std::fputc('\n', stderr);
        std::fflush(stderr);
    };
}

} // namespace

int RunRender(const Args& args) {
    RenderOptions o;
    if (!ParseOptions(args, o)) {
        RenderUsage();
        return 1;
    }
    const std::filesystem::path folder = FindHostFolder(o.home);
    if (!CheckHostFolder(folder)) return 1;
    std::error_code ec;
    std::filesystem::create_directories(o.out, ec);
    if (!std::filesystem::is_directory(o.out, ec)) {
        Fail("cannot make the output folder " + o.out);
        return 1;
    }

    base::StderrReporter reporter;
    pages::PrintState state;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    print::SetToday(state, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    print::LoadPrintState(folder, state, reporter);
    if (o.year) state.year = *o.year;
    state.year = std::clamp(state.year, almanac::kFirstYear, almanac::kLastYear);
    print::LoadYearHolidays(state);
    state.from_month = o.from.value_or(state.month);
    state.to_month = o.to.value_or(state.from_month);
    state.format = static_cast<pages::Format>(o.format);

    const print::PaperSize paper = *print::FindPaperSize(o.paper);
    const double width_mm = o.landscape ? paper.height_mm : paper.width_mm;
    const double height_mm = o.landscape ? paper.width_mm : paper.height_mm;
    const print::Printer printer{print::PaperPixels(width_mm, o.dpi), print::PaperPixels(height_mm, o.dpi), o.dpi,
                                 o.dpi};
    state.paper_width_mm = static_cast<int>(width_mm);
    state.colors = o.mono ? kMonochromePrinter : kColourPrinter;
    // The print dialog's page range of the daily pages: the same day numbers every month,
    // by default the whole first month.
    const int first_month_days = almanac::DaysInMonth(state.year, std::clamp(state.from_month, 1, 12));
    state.first_day = o.days ? o.days->first : 1;
    state.last_day = o.days ? std::min(o.days->second, first_month_days) : first_month_days;
    if (state.first_day > state.last_day) {
        Fail("--days lies after the last day of the month");
        return 1;
    }
    state.progress = TerminalProgress(state);

    using Kind = FileSink::Kind;
    FileSink sink(o.out, o.trace ? Kind::kTrace : o.preview ? Kind::kPng : Kind::kPdf, o.preview);
    const bool ok = o.preview ? print::Preview(state, printer, sink) : print::PrintRun(state, printer, sink);
    return ok ? 0 : 1;
}

} // namespace cli
