// SPDX-License-Identifier: GPL-3.0-or-later
// qelmarin-cli render: the pages of a print run to PDF (one document per month, as the
// print run makes them, or the whole range in one), the preview of the first month to PNG,
// or either as a drawing trace, from the host folder's files.

#include "base/command_line.h"
#include "base/i18n.h"
#include "base/file_io.h"
#include "base/text_wrap.h"
#include "cli/command.h"
#include "cli/host_folder.h"
#include "cli/month_range.h"
#include "cli/outcome.h"
#include "cli/render_elsewhere.h"
#include "cli/run_choices.h"
#include "config/holidays.h"
#include "gfx/bitmap_surfaces.h"
#include "gfx/cairo_canvas.h"
#include "gfx/trace_canvas.h"
#include "pages/page_routines.h"
#include "print/one_document_sink.h"
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
// The least width and height, in millimetres, that the margins must leave of the paper.
constexpr int kMinRoomMm = 20;
constexpr const char* kNoRoom =
    N_("the margins of PRINT %d (top %d, bottom %d, left %d, right %d mm) leave less than %d mm of the paper %s "
       "(%.0f x %.0f mm) to draw on; give smaller ones, for this run with --set 'PRINT %d.%s=10' and so on");

constexpr base::OptionSyntax kOptions[] = {
    {"home", "DIR", N_("the host folder (else KALVORIN_HOME, the program's folder, ~/.local/share/kalvorin)")},
    {"format", "N", N_("1 calendar, 2 list, 3 daily pages, 4 poster, 5-8 commentary pages (default 1)")},
    {"year", "Y", N_("the year, 1901-2100 (default this year)")},
    {"from", "MONTH", N_("the first month, YYYY-MM or 1-12 of --year (default 1 with --year or --to, else this month)")},
    {"to", "MONTH", N_("the last month, YYYY-MM (across a year's end) or 1-12 (default --from, else 12 with --year)")},
    {"paper", "NAME", N_("the paper, one of those below (else PAPERSIZE, then /etc/papersize, then A4)")},
    {"landscape", "", N_("the paper turned sideways")},
    {"dpi", "N",
     N_("the printer's resolution, 24-2400 (default 600); a page side stays within 32767 pixels, so A3 goes "
        "up to 1981 and B4 up to 2286")},
    {"mono", "", N_("draw as for a black-and-white printer")},
    {"days", "A-B", N_("the days of the daily pages (format 3), the same in every month")},
    {"one-file", "", N_("the whole month range as one PDF (or trace) instead of one per month")},
    {"preview", "", N_("the preview of the first month, as PNG")},
    {"trace", "", N_("a drawing trace (one line per drawing call) instead of PDF or PNG")},
    {"out", "DIR", N_("the folder for the files (required); each file's name is printed; - with --one-file: "
                   "the document to standard output (not a terminal)")},
    kEtoOption,
    kBornOption,
    kPlaceOption,
    kStartWeekdayOption,
    kSetOption,
};

constexpr base::CommandSyntax kSyntax{"qelmarin-cli render", "--out DIR",
                                      N_("Draws the pages of a format for a month range, one PDF document per month as\n"
                                      "the print run makes them, from the host folder's files."),
                                      kOptions};

struct RenderOptions {
    std::optional<std::string> home;
    int format = 1;
    std::optional<int> year;
    RunMonths months;
    RunChoices choices;
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

// The name messages begin with: render's own, or that of the command that runs it (print).
std::string_view g_program = kSyntax.program;

YearMonth CurrentMonth() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1};
}

// The options, or the text of the usage error. The notes on the choice of paper go to
// `outcome` when one is given.
std::variant<RenderOptions, std::string> ReadOptions(const base::ParsedOptions& parsed, Outcome* outcome) {
    RenderOptions o;
    if (!parsed.operands().empty()) return base::Format(_("unexpected argument '%s'"), parsed.operands()[0].c_str());
    struct Number {
        std::string_view name;
        int min, max;
        std::optional<int>* target;
    };
    std::optional<int> format, dpi;
    const Number numbers[] = {
        {"format", 1, pages::kFormatCount, &format},
        {"year", almanac::kFirstYear, almanac::kLastYear, &o.year},
        {"dpi", kMinDpi, kMaxDpi, &dpi},
    };
    for (const Number& n : numbers) {
        base::IntOption v = base::IntOptionIn(parsed, n.name, n.min, n.max);
        if (!v.error.empty()) return v.error;
        *n.target = v.value;
    }
    o.format = format.value_or(o.format);
    o.dpi = dpi.value_or(o.dpi);
    auto months = ChooseRunMonths(o.year, parsed.value("from"), parsed.value("to"), CurrentMonth());
    if (const std::string* error = std::get_if<std::string>(&months)) return *error;
    o.months = std::get<RunMonths>(months);
    auto choices = ReadRunChoices(parsed);
    if (const std::string* error = std::get_if<std::string>(&choices)) return *error;
    o.choices = std::get<RunChoices>(choices);
    if (const std::string* v = parsed.value("days")) {
        const std::size_t dash = v->find('-');
        const std::optional<int> first = base::ParseIntIn(v->substr(0, dash), 1, 31);
        const std::optional<int> last =
            dash == std::string::npos ? std::nullopt : base::ParseIntIn(v->substr(dash + 1), 1, 31);
        if (!first || !last || *first > *last) return base::Format(_("--days needs A-B with 1 <= A <= B <= 31, not '%s'"), v->c_str());
        o.days = std::pair{*first, *last};
    }
    const std::string* paper = parsed.value("paper");
    const print::PaperChoice choice = print::ChoosePaperSize(paper ? std::optional<std::string>(*paper) : std::nullopt);
    if (!choice.paper) return base::Format(_("--paper '%s' is not one of %s"), paper->c_str(), print::PaperSizeNames().c_str());
    if (outcome)
        for (const std::string& note : choice.notes)
            outcome->Note(note);
    o.paper = *choice.paper;
    // The page is drawn on surfaces of at most kMaxSurfaceSide pixels a side: the finest
    // resolution depends on the paper, and is checked here rather than failing at the end.
    const double longest_mm = std::max(o.paper.width_mm, o.paper.height_mm);
    if (print::PaperPixels(longest_mm, o.dpi) > gfx::kMaxSurfaceSide) {
        int finest = o.dpi;
        while (finest > kMinDpi && print::PaperPixels(longest_mm, finest) > gfx::kMaxSurfaceSide)
            --finest;
        return base::Format(_("--dpi %d is too fine for %s: at most %d (a page side stays within %d pixels)"), o.dpi,
                            std::string(o.paper.name).c_str(), finest, gfx::kMaxSurfaceSide);
    }
    if (const std::string* v = parsed.value("home")) o.home = *v;
    if (const std::string* v = parsed.value("out")) o.out = *v;
    if (o.out.empty()) return _("--out DIR is required");
    o.landscape = parsed.has("landscape");
    o.mono = parsed.has("mono");
    o.preview = parsed.has("preview");
    o.trace = parsed.has("trace");
    o.one_file = parsed.has("one-file");
    if (o.one_file && o.preview) return _("--one-file is for the pages of a month range, not --preview");
    return o;
}

// Output names sort by year, month and format: 2026-12-1-calendar.pdf; a file of a month
// range names its first and last month (RunMonthsText): 2027-01-to-03-1-calendar.pdf,
// 2027-04-to-2028-03-1-calendar.pdf.
std::string OutputName(const pages::PrintState& state, bool preview, const std::string& run_months,
                       const char* extension) {
    const pages::PageRoutineEntry* entry = pages::FindPageRoutine(static_cast<int>(state.format));
    char months[32];
    if (!run_months.empty()) {
        std::snprintf(months, sizeof months, "%s", run_months.c_str());
    } else {
        std::snprintf(months, sizeof months, "%04d-%02d", state.year, state.month);
    }
    char name[160];
    std::snprintf(name, sizeof name, "%s-%d-%.*s%s.%s", months, static_cast<int>(state.format),
                  static_cast<int>(entry->name.size()), entry->name.data(), preview ? "-preview" : "", extension);
    return name;
}

// PDF documents, a PNG preview or traces in the output folder, one file per document. For
// --one-file the run goes through print::OneDocumentSink, which asks for one document and
// draws every month on pages of it; the file then names the whole month range.
class FileSink : public print::DocumentSink {
public:
    enum class Kind { kPdf, kPng, kTrace };
    // run_months names the file of a --one-file run (RunMonthsText).
    FileSink(std::filesystem::path folder, Kind kind, bool preview, std::string run_months, Outcome& outcome)
        : folder_(std::move(folder)), kind_(kind), preview_(preview), run_months_(std::move(run_months)),
          outcome_(outcome) {}

    gfx::Canvas* BeginDocument(const pages::PrintState& state, const gfx::Device& device) override {
        path_ = folder_ / OutputName(state, preview_, run_months_,
                                     kind_ == Kind::kPdf   ? "pdf"
                                     : kind_ == Kind::kPng ? "png"
                                                           : "trace");
        std::string error;
        if (kind_ == Kind::kTrace) {
            // Kept in memory and written whole when the document ends, as the others are.
            trace_file_ = std::make_unique<std::ostringstream>();
            trace_ = std::make_unique<gfx::TraceCanvas>(*trace_file_, device);
            return trace_.get();
        }
        cairo_ = kind_ == Kind::kPdf
                     ? gfx::CairoCanvas::CreatePdf(path_.string(), device, DocumentInfo(state), &error)
                     : gfx::CairoCanvas::CreateImage(device, &error);
        if (!cairo_) return Refuse(base::NamingFile(path_, error));
        return cairo_.get();
    }

    bool EndDocument() override {
        std::string error;
        bool ok = true;
        if (trace_file_) {
            trace_.reset();
            error = base::ReplaceFileAtomically(path_, trace_file_->str());
            ok = error.empty();
            trace_file_.reset();
        } else if (cairo_) {
            ok = kind_ == Kind::kPng ? cairo_->WritePng(path_.string(), &error) : cairo_->Finish(&error);
            cairo_.reset();
        }
        if (!ok) {
            outcome_.Fail(base::NamingFile(path_, error));
            return false;
        }
        std::printf("%s\n", path_.string().c_str());
        return true;
    }

private:
    // A file of the whole run names all its months; a file of a month, that month.
    gfx::DocumentInfo DocumentInfo(const pages::PrintState& state) const {
        return run_months_.empty() ? print::DocumentInfoOf(state, state.month, state.month)
                                   : print::DocumentInfoOf(state, state.from_month, state.to_month);
    }

    gfx::Canvas* Refuse(const std::string& message) {
        outcome_.Fail(message);
        return nullptr;
    }

    std::filesystem::path folder_;
    Kind kind_;
    bool preview_;
    std::string run_months_;
    Outcome& outcome_;
    std::filesystem::path path_;
    std::unique_ptr<gfx::CairoCanvas> cairo_;
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

std::span<const base::OptionSyntax> RenderOptionTable() {
    return kOptions;
}

std::string RenderUsageError(const Args& args) {
    const base::ParseResult parsed = base::ParseCommandLine(kSyntax, args);
    if (parsed.outcome == base::ParseResult::Outcome::kUsageError) return parsed.error;
    // The notes on the paper are told by the run itself.
    auto read = ReadOptions(parsed.options, nullptr);
    if (const std::string* error = std::get_if<std::string>(&read)) return *error;
    return {};
}

int RunRenderFor(const Args& args, std::string_view program) {
    g_program = program;
    return RunRender(args);
}

int RunRender(const Args& args) {
    const base::ParseResult parsed = base::ParseCommandLine(kSyntax, args);
    if (parsed.outcome == base::ParseResult::Outcome::kHelp) {
        // The options, then every paper --paper takes, with its size.
        std::fputs((base::HelpText(kSyntax) + "\n" +
                    base::WrapText(std::string(_("papers (--paper NAME in any letter case; PAPERSIZE and /etc/papersize\n"
                                                 "name them as libpaper does, where b4 and b5 are ISO-B4 and ISO-B5):\n")) +
                                       print::PaperSizeList(),
                                   base::kHelpColumns))
                       .c_str(),
                   stdout);
        return base::kExitOk;
    }
    if (const auto status = base::AnswerWithoutRunning(kSyntax, parsed)) return *status;
    // Each problem is told once however many pages meet it, and any of them fails the run.
    Outcome outcome(g_program);
    auto read = ReadOptions(parsed.options, &outcome);
    if (const std::string* error = std::get_if<std::string>(&read)) return base::UsageError(kSyntax, *error);
    const RenderOptions& o = std::get<RenderOptions>(read);
    // "-": the one document to standard output, drawn elsewhere first.
    if (o.out == "-") return RenderToStdout(args, o.one_file);

    const std::optional<std::filesystem::path> found = OpenHostFolder(o.home, outcome);
    if (!found) return outcome.status();
    const std::filesystem::path& folder = *found;
    RunChoices choices = o.choices;
    if (!ResolveBirthSign(choices, folder, outcome)) return outcome.status();

    pages::PrintState state;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    print::SetToday(state, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    print::LoadPrintState(folder, state, outcome);
    ApplyRunChoices(choices, state.settings);
    state.place_fixed = choices.place.has_value();
    // A run across a year's end is drawn as one print run per year, each month with its year.
    const std::vector<YearMonths> years = SplitByYear(o.months);
    state.year = years.front().year;
    state.from_month = years.front().months.from;
    state.to_month = years.front().months.to;
    state.format = static_cast<pages::Format>(o.format);

    const print::PaperSize& paper = o.paper;
    const double width_mm = o.landscape ? paper.height_mm : paper.width_mm;
    const double height_mm = o.landscape ? paper.width_mm : paper.height_mm;
    constexpr double kPointsPerMm = 72 / 25.4;
    const print::Printer printer{print::PaperPixels(width_mm, o.dpi), print::PaperPixels(height_mm, o.dpi), o.dpi,
                                 o.dpi, width_mm * kPointsPerMm, height_mm * kPointsPerMm};
    // Margins that meet, cross or nearly meet leave pages with nothing drawn on them.
    const pages::RoomInsideMargins room = pages::RoomInsideMarginsOf(state, width_mm, height_mm);
    if (room.margins && (room.width_mm < kMinRoomMm || room.height_mm < kMinRoomMm)) {
        const config::PageOptions& m = *room.margins;
        // The suggestion names the wider margin of the pair that leaves too little.
        const char* shrink = room.width_mm < kMinRoomMm ? (m.left_space >= m.right_space ? "Left Space" : "Right Space")
                             : m.up_space >= m.down_space ? "Up Space"
                                                          : "Down Space";
        return base::UsageError(
            kSyntax, base::Format(_(kNoRoom), room.section, m.up_space, m.down_space, m.left_space, m.right_space,
                                  kMinRoomMm, std::string(paper.name).c_str(), width_mm, height_mm, room.section,
                                  shrink));
    }
    state.paper_width_mm = static_cast<int>(width_mm);
    state.colors = o.mono ? kMonochromePrinter : kColourPrinter;
    // The print dialog's page range of the daily pages: the same day numbers every month,
    // by default the whole first month.
    const int first_month_days = almanac::DaysInMonth(state.year, std::clamp(state.from_month, 1, 12));
    state.first_day = o.days ? o.days->first : 1;
    state.last_day = o.days ? std::min(o.days->second, first_month_days) : first_month_days;
    if (state.first_day > state.last_day) {
        return base::UsageError(kSyntax, _("--days lies after the last day of the month"));
    }
    state.progress = TerminalProgress(state);
    // Made once the run is known to be drawable: a refused run leaves no folder behind.
    std::error_code ec;
    std::filesystem::create_directories(o.out, ec);
    if (!std::filesystem::is_directory(o.out, ec))
        return outcome.Fail(base::Format(_("cannot make the output folder %s"), o.out.c_str()));

    pages::NoteFortuneWithoutSign(state, outcome);

    using Kind = FileSink::Kind;
    FileSink sink(o.out, o.trace ? Kind::kTrace : o.preview ? Kind::kPng : Kind::kPdf, o.preview,
                  o.one_file ? RunMonthsText(o.months) : std::string(), outcome);
    print::OneDocumentSink one_file(sink);
    print::DocumentSink& documents = o.one_file ? static_cast<print::DocumentSink&>(one_file) : sink;
    bool ok = true;
    for (const YearMonths& year : years) {
        state.year = year.year;
        state.from_month = year.months.from;
        state.to_month = year.months.to;
        print::LoadYearHolidays(state);
        if (!print::HasYearHolidays(state)) {
            // A note: a year may rightly have no holidays marked. The host adds national
            // holidays only from the year the law began.
            const std::string cfg = print::ConfigPath(folder).string();
            outcome.Note(state.year < config::kFirstNationalHolidayYear
                             ? base::Format(_("%s has no holidays of %d (no section [%d]); the pages show none. "
                                              "National holidays begin in %d."),
                                            cfg.c_str(), state.year, state.year, config::kFirstNationalHolidayYear)
                             : base::Format(_("%s has no holidays of %d (no section [%d]); the pages show none. "
                                              "'kalvorin-host holidays' adds the national ones."),
                                            cfg.c_str(), state.year, state.year));
        }
        if (o.preview) {
            ok = print::Preview(state, printer, documents);
            break;
        }
        ok = print::PrintRun(state, printer, documents) && ok;
    }
    ok = one_file.Finish() && ok;
    if (outcome.reported_failures() > 0) outcome.Fail(_("not everything the pages need could be loaded (see above)"));
    if (!ok && !outcome.failed()) outcome.Fail(_("not every page could be made"));
    return outcome.status();
}

} // namespace cli
