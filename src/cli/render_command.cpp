// qelmarin-cli render: the pages of a print run to PDF (one document per month, as the
// print run makes them, or the whole range in one), the preview of the first month to PNG,
// or either as a drawing trace, from the host folder's files.

#include "base/command_line.h"
#include "base/file_io.h"
#include "base/reporter.h"
#include "cli/command.h"
#include "cli/host_folder.h"
#include "cli/month_range.h"
#include "gfx/bitmap_surfaces.h"
#include "gfx/cairo_canvas.h"
#include "gfx/trace_canvas.h"
#include "pages/page_routines.h"
#include "print/paper_sizes.h"
#include "print/print_run.h"
#include "print/print_setup.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <variant>

namespace cli {
namespace {

constexpr int kMinDpi = 24;
constexpr int kMaxDpi = 2400;
constexpr int kColourPrinter = 256;
constexpr int kMonochromePrinter = 2;

constexpr base::OptionSyntax kOptions[] = {
    {"home", "DIR", "the host folder (else KALVORIN_HOME, the program's folder, ~/.local/share/kalvorin)"},
    {"format", "N", "1 calendar, 2 list, 3 daily pages, 4 poster, 5-8 commentary pages (default 1)"},
    {"year", "Y", "the year, 1901-2100 (default this year)"},
    {"from", "M", "the first month (default 1 with --year or --to, else this month)"},
    {"to", "M", "the last month (default --from, else 12 with --year, else this month)"},
    {"paper", "NAME", "the paper (else PAPERSIZE, then /etc/papersize, then A4)"},
    {"landscape", "", "the paper turned sideways"},
    {"dpi", "N",
     "the printer's resolution, 24-2400 (default 600); a page side stays within 32767 pixels, so A3 goes "
     "up to 1981 and B4 up to 2286"},
    {"mono", "", "draw as for a black-and-white printer"},
    {"days", "A-B", "the days of the daily pages (format 3), the same in every month"},
    {"one-file", "", "the whole month range as one PDF (or trace) instead of one per month"},
    {"preview", "", "the preview of the first month, as PNG"},
    {"trace", "", "a drawing trace (one line per drawing call) instead of PDF or PNG"},
    {"out", "DIR", "the folder for the files (required); each file's name is printed"},
};

constexpr base::CommandSyntax kSyntax{"qelmarin-cli render", "--out DIR",
                                      "Draws the pages of a format for a month range, one PDF document per month as\n"
                                      "the print run makes them, from the host folder's files.",
                                      kOptions};

struct RenderOptions {
    std::optional<std::string> home;
    int format = 1;
    std::optional<int> year;
    MonthRange months;
    print::PaperSize paper{};
    bool landscape = false;
    int dpi = 600;
    bool mono = false;
    bool preview = false;
    bool trace = false;
    bool one_file = false;
    std::optional<std::pair<int, int>> days;
    std::string out;
};

bool Fail(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", std::string(kSyntax.program).c_str(), message.c_str());
    return false;
}

int CurrentMonth() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return local.tm_mon + 1;
}

// The options, or the text of the usage error.
std::variant<RenderOptions, std::string> ReadOptions(const base::ParsedOptions& parsed) {
    RenderOptions o;
    if (!parsed.operands().empty()) return "unexpected argument '" + parsed.operands()[0] + "'";
    struct Number {
        std::string_view name;
        int min, max;
        std::optional<int>* target;
    };
    std::optional<int> format, from, to, dpi;
    const Number numbers[] = {
        {"format", 1, pages::kFormatCount, &format},
        {"year", almanac::kFirstYear, almanac::kLastYear, &o.year},
        {"from", 1, 12, &from},
        {"to", 1, 12, &to},
        {"dpi", kMinDpi, kMaxDpi, &dpi},
    };
    for (const Number& n : numbers) {
        base::IntOption v = base::IntOptionIn(parsed, n.name, n.min, n.max);
        if (!v.error.empty()) return v.error;
        *n.target = v.value;
    }
    o.format = format.value_or(o.format);
    o.dpi = dpi.value_or(o.dpi);
    if (from && to && *from > *to) {
        return "--from " + std::to_string(*from) + " is after --to " + std::to_string(*to);
    }
    o.months = ChooseMonths(o.year.has_value(), from, to, CurrentMonth());
    if (const std::string* v = parsed.value("days")) {
        const std::size_t dash = v->find('-');
        const std::optional<int> first = base::ParseIntIn(v->substr(0, dash), 1, 31);
        const std::optional<int> last =
            dash == std::string::npos ? std::nullopt : base::ParseIntIn(v->substr(dash + 1), 1, 31);
        if (!first || !last || *first > *last) return "--days needs A-B with 1 <= A <= B <= 31, not '" + *v + "'";
        o.days = std::pair{*first, *last};
    }
    const std::string* paper = parsed.value("paper");
    const print::PaperChoice choice = print::ChoosePaperSize(paper ? std::optional<std::string>(*paper) : std::nullopt);
    if (!choice.paper) return "--paper '" + *paper + "' is not one of " + std::string(print::PaperSizeNames());
    for (const std::string& note : choice.notes)
        Fail(note);
    o.paper = *choice.paper;
    // The page is drawn on surfaces of at most kMaxSurfaceSide pixels a side: the finest
    // resolution depends on the paper, and is checked here rather than failing at the end.
    const double longest_mm = std::max(o.paper.width_mm, o.paper.height_mm);
    if (print::PaperPixels(longest_mm, o.dpi) > gfx::kMaxSurfaceSide) {
        int finest = o.dpi;
        while (finest > kMinDpi && print::PaperPixels(longest_mm, finest) > gfx::kMaxSurfaceSide)
            --finest;
        return "--dpi " + std::to_string(o.dpi) + " is too fine for " + std::string(o.paper.name) + ": at most " +
               std::to_string(finest) + " (a page side stays within " + std::to_string(gfx::kMaxSurfaceSide) +
               " pixels)";
    }
    if (const std::string* v = parsed.value("home")) o.home = *v;
    if (const std::string* v = parsed.value("out")) o.out = *v;
    if (o.out.empty()) return "--out DIR is required";
    o.landscape = parsed.has("landscape");
    o.mono = parsed.has("mono");
    o.preview = parsed.has("preview");
    o.trace = parsed.has("trace");
    o.one_file = parsed.has("one-file");
    if (o.one_file && o.preview) return "--one-file is for the pages of a month range, not --preview";
    return o;
}

// Output names sort by year, month and format: 2026-12-1-calendar.pdf; a file of a month
// range names its first and last month: 2027-01-to-03-1-calendar.pdf.
std::string OutputName(const pages::PrintState& state, bool preview, bool whole_range, const char* extension) {
    const pages::PageRoutineEntry* entry = pages::FindPageRoutine(static_cast<int>(state.format));
    char months[16];
    if (whole_range && state.to_month != state.from_month) {
        std::snprintf(months, sizeof months, "%02d-to-%02d", state.from_month, state.to_month);
    } else {
        std::snprintf(months, sizeof months, "%02d", state.month);
    }
    char name[128];
    std::snprintf(name, sizeof name, "%04d-%s-%d-%.*s%s.%s", state.year, months, static_cast<int>(state.format),
                  static_cast<int>(entry->name.size()), entry->name.data(), preview ? "-preview" : "", extension);
    return name;
}

// PDF documents, a PNG preview or traces in the output folder, one file per document; or,
// for --one-file, every document of the run in one file: its months follow each other in
// one PDF (whose fonts are subset once) or one trace. Each month gets a fresh canvas, as a
// document of its own would.
class FileSink : public print::DocumentSink {
public:
    enum class Kind { kPdf, kPng, kTrace };
    FileSink(std::filesystem::path folder, Kind kind, bool preview, bool one_file)
        : folder_(std::move(folder)), kind_(kind), preview_(preview), one_file_(one_file) {}

    gfx::Canvas* BeginDocument(const pages::PrintState& state, const gfx::Device& device) override {
        if (one_file_ && open_) return ContinueFile(device);
        path_ = folder_ / OutputName(state, preview_, one_file_,
                                     kind_ == Kind::kPdf   ? "pdf"
                                     : kind_ == Kind::kPng ? "png"
                                                           : "trace");
        std::string error;
        if (kind_ == Kind::kTrace) {
            // Kept in memory and written whole when the file ends, as the documents are.
            trace_file_ = std::make_unique<std::ostringstream>();
            trace_ = std::make_unique<gfx::TraceCanvas>(*trace_file_, device);
            open_ = true;
            return trace_.get();
        }
        cairo_ = kind_ == Kind::kPdf
                     ? gfx::CairoCanvas::CreatePdf(path_.string(), device, std::string(print::kDocumentTitle), &error)
                     : gfx::CairoCanvas::CreateImage(device, &error);
        if (!cairo_) return Refuse(base::NamingFile(path_, error));
        open_ = true;
        return cairo_.get();
    }

    bool EndDocument() override {
        if (!one_file_) return CloseFile();
        // The month's canvas goes; the file stays open for the next month.
        month_.reset();
        trace_.reset();
        return true;
    }

    // Ends the one file of a --one-file run; true when there is none.
    bool Close() { return !one_file_ || !open_ || CloseFile(); }

private:
    gfx::Canvas* ContinueFile(const gfx::Device& device) {
        if (kind_ == Kind::kTrace) {
            trace_ = std::make_unique<gfx::TraceCanvas>(*trace_file_, device);
            return trace_.get();
        }
        // End the last page of the month before, then draw through a fresh context of the
        // same PDF surface, one unit a device pixel as on the first month's canvas.
        cairo_->NewPage();
        cairo_t* cr = cairo_create(cairo_->surface());
        cairo_scale(cr, 72.0 / device.dpi_x, 72.0 / device.dpi_y);
        month_ = std::make_unique<gfx::CairoCanvas>(cr, device, [cr] { cairo_show_page(cr); });
        cairo_destroy(cr); // the canvas holds its own reference
        return month_.get();
    }

    bool CloseFile() {
        std::string error;
        bool ok = true;
        open_ = false;
        month_.reset();
        if (trace_file_) {
            trace_.reset();
            error = base::ReplaceFileAtomically(path_, trace_file_->str());
            ok = error.empty();
            trace_file_.reset();
        } else if (cairo_) {
            ok = kind_ == Kind::kPng ? cairo_->WritePng(path_.string(), &error) : cairo_->Finish(&error);
            cairo_.reset();
        }
        if (!ok) return Fail(base::NamingFile(path_, error));
        std::printf("%s\n", path_.string().c_str());
        return true;
    }

    gfx::Canvas* Refuse(const std::string& message) {
        Fail(message);
        return nullptr;
    }

    std::filesystem::path folder_;
    Kind kind_;
    bool preview_;
    bool one_file_;
    bool open_ = false;
    std::filesystem::path path_;
    std::unique_ptr<gfx::CairoCanvas> cairo_;
    std::unique_ptr<gfx::CairoCanvas> month_; // a later month of a --one-file PDF
    std::unique_ptr<std::ostringstream> trace_file_;
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
    const base::ParseResult parsed = base::ParseCommandLine(kSyntax, args);
    if (const auto status = base::AnswerWithoutRunning(kSyntax, parsed)) return *status;
    auto read = ReadOptions(parsed.options);
    if (const std::string* error = std::get_if<std::string>(&read)) return base::UsageError(kSyntax, *error);
    const RenderOptions& o = std::get<RenderOptions>(read);

    const std::optional<std::filesystem::path> found = OpenHostFolder(o.home, kSyntax.program);
    if (!found) return base::kExitFailure;
    const std::filesystem::path& folder = *found;
    std::error_code ec;
    std::filesystem::create_directories(o.out, ec);
    if (!std::filesystem::is_directory(o.out, ec)) {
        Fail("cannot make the output folder " + o.out);
        return base::kExitFailure;
    }

    // Each problem is told once however many pages meet it, and any of them fails the run.
    base::StderrReporter stderr_reporter;
    base::OnceReporter reporter(stderr_reporter);
    pages::PrintState state;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    print::SetToday(state, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    print::LoadPrintState(folder, state, reporter);
    if (o.year) state.year = *o.year;
    state.year = std::clamp(state.year, almanac::kFirstYear, almanac::kLastYear);
    print::LoadYearHolidays(state);
    if (!print::HasYearHolidays(state)) {
        // Told, but no failure: a year may rightly have no holidays marked.
        Fail("note: " + print::ConfigPath(folder).string() + " has no holidays of " + std::to_string(state.year) +
             " (no section [" + std::to_string(state.year) + "]); the pages show none. "
             "'kalvorin-host holidays' adds the national ones.");
    }
    state.from_month = o.months.from;
    state.to_month = o.months.to;
    state.format = static_cast<pages::Format>(o.format);

    const print::PaperSize& paper = o.paper;
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
        return base::UsageError(kSyntax, "--days lies after the last day of the month");
    }
    state.progress = TerminalProgress(state);

    using Kind = FileSink::Kind;
    FileSink sink(o.out, o.trace ? Kind::kTrace : o.preview ? Kind::kPng : Kind::kPdf, o.preview, o.one_file);
    bool ok = o.preview ? print::Preview(state, printer, sink) : print::PrintRun(state, printer, sink);
    ok = sink.Close() && ok;
    if (reporter.count() > 0) Fail("not everything the pages need could be loaded (see above)");
    return ok && reporter.count() == 0 ? base::kExitOk : base::kExitFailure;
}

} // namespace cli
