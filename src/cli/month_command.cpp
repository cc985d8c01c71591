// SPDX-License-Identifier: GPL-3.0-or-later
// qelmarin-cli month: a month in the terminal, as a grid of weeks with each day's 六曜 and
// marks for terms, named days and holidays, fitted to the terminal's width.

#include "almanac/calendar_math.h"
#include "almanac/name_tables.h"
#include "base/command_line.h"
#include "base/i18n.h"
#include "base/reporter.h"
#include "base/sjis.h"
#include "cli/command.h"
#include "cli/date_text.h"
#include "cli/month_range.h"
#include "cli/run_choices.h"
#include "print/month_grid.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace cli {
namespace {

// The texts of the command, in one place.
constexpr const char* kTermMark = "*";
constexpr const char* kLuckyMark = "+";
constexpr const char* kUnluckyMark = "-";
constexpr const char* kHolidayMark = "H";
constexpr const char* kLegend = "* 節気  + 吉日  - 凶日 (暦注上段)  H 休日";
constexpr const char* kColourLegend = "  (赤 日曜・休日  青 土曜)";
constexpr const char* kNotAMonth = N_("not a month (YYYY-MM, 1901-01 ... 2100-12): '%s'");
constexpr const char* kBadColour = N_("--color needs auto, always or never, not '%s'");

constexpr const char* kRed = "\033[31m";
constexpr const char* kBlue = "\033[34m";
constexpr const char* kReset = "\033[0m";

constexpr int kDefaultWidth = 80;
constexpr int kMinWidth = 20;
constexpr int kMaxWidth = 1000;
// Cells: the day and its marks over the 六曜 (wide); the day, a mark and the 六曜's one
// character (medium); the day and a mark (narrow); the day alone, as `cal` (tiny). Each
// cell is followed by a blank.
constexpr int kWideCell = 7;
constexpr int kMediumCell = 5;
constexpr int kNarrowCell = 3;
constexpr int kTinyCell = 2;

constexpr base::OptionSyntax kOptions[] = {
    {"home", "DIR", N_("the host folder (else KALVORIN_HOME, the program's folder, ~/.local/share/kalvorin)")},
    kStartWeekdayOption,
    kEtoOption,
    kBornOption,
    {"width", "N", N_("the columns to fit (default the terminal's, else COLUMNS, else 80)")},
    {"color", "WHEN", N_("auto (on a terminal, unless NO_COLOR is set), always or never")},
};

constexpr base::CommandSyntax kSyntax{
    "qelmarin-cli month", "[YYYY-MM]",
    N_("Prints a month (default this month) as a grid of weeks with each day's 六曜 and marks for\n"
       "the day a solar term begins (*), lucky (+) and unlucky (-) named days and holidays (H),\n"
       "then the names behind the marks, fitted to the terminal's width."),
    kOptions};

int TerminalWidth() {
    winsize size{};
    if (::isatty(STDOUT_FILENO) && ::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    if (const char* columns = std::getenv("COLUMNS")) {
        if (const auto n = base::ParseIntIn(columns, 1, kMaxWidth)) return *n;
    }
    return kDefaultWidth;
}

// Columns of a text on a terminal: a double-byte character of CP932 takes two.
int Columns(std::string_view text) {
    return static_cast<int>(base::Cp932Length(text));
}

std::string Pad(std::string text, int width) {
    const int columns = Columns(text);
    if (columns < width) text.append(static_cast<std::size_t>(width - columns), ' ');
    return text;
}

// The text cut to at most `width` columns, at a character's end.
std::string Fit(std::string_view text, int width) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len = 1; // the character's UTF-8 bytes
        base::Cp932CharLength(text, i, &len);
        const std::string piece(text.substr(i, len));
        if (Columns(out) + Columns(piece) > width) break;
        out += piece;
        i += len;
    }
    return out;
}

class Printer {
public:
    Printer(const print::MonthGrid& grid, int width, bool colour) : grid_(grid), width_(width), colour_(colour) {
        const int cells = 7;
        cell_ = kTinyCell;
        for (int cell : {kWideCell, kMediumCell, kNarrowCell}) {
            if (width >= cells * (cell + 1) - 1) {
                cell_ = cell;
                break;
            }
        }
        grid_width_ = cells * (cell_ + 1) - 1;
    }

    void Print() const {
        std::string title = std::to_string(grid_.year) + "年" + std::to_string(grid_.month) + "月 " +
                            std::string(almanac::TableText(almanac::MonthOldNames, grid_.month - 1));
        title = Fit(title, grid_width_);
        const int indent = (grid_width_ - Columns(title)) / 2;
        std::printf("%s%s\n", std::string(static_cast<std::size_t>(indent > 0 ? indent : 0), ' ').c_str(),
                    title.c_str());
        std::string head;
        for (int column = 0; column < 7; ++column) {
            const int weekday = grid_.start_weekday == 0 ? column : (column + 1) % 7;
            const std::string name = Pad((cell_ > kTinyCell ? " " : "") +
                                             std::string(almanac::WeekdayNames[static_cast<std::size_t>(weekday)]),
                                         cell_);
            head += Coloured(name, weekday == 0, weekday == 6) + (column < 6 ? " " : "");
        }
        std::printf("%s\n", Trim(head).c_str());
        for (const auto& week : grid_.weeks) {
            std::string days, rokuyo;
            for (int column = 0; column < 7; ++column) {
                const auto& cell = week[static_cast<std::size_t>(column)];
                const std::string gap = column < 6 ? " " : "";
                if (!cell) {
                    days += std::string(static_cast<std::size_t>(cell_), ' ') + gap;
                    rokuyo += std::string(static_cast<std::size_t>(cell_), ' ') + gap;
                    continue;
                }
                days += DayCell(*cell) + gap;
                rokuyo += Pad(cell->rokuyo, cell_) + gap;
            }
            std::printf("%s\n", Trim(days).c_str());
            if (cell_ == kWideCell) std::printf("%s\n", Trim(rokuyo).c_str());
        }
        // The names behind the marks, a line a day (wide and medium).
        if (cell_ != kNarrowCell && cell_ != kTinyCell) {
            for (const auto& week : grid_.weeks)
                for (const auto& cell : week)
                    if (cell && !cell->notes.empty()) {
                        char day[8];
                        std::snprintf(day, sizeof day, "%2d ", cell->day);
                        std::printf("%s\n", Fit(day + cell->notes, width_).c_str());
                    }
        }
        // The legend of what the cells show: no marks in the tiny cells, only colours.
        std::string legend = cell_ == kTinyCell ? "" : kLegend;
        if (colour_) legend += kColourLegend;
        if (!legend.empty()) std::printf("%s\n", Fit(legend, width_).c_str());
        if (cell_ == kMediumCell) {
            // The one-character 六曜 of the cells, as many to a line as the width takes.
            std::string line;
            for (std::size_t r = 0; r < almanac::RokuyoNames.size(); ++r) {
                const std::string pair =
                    std::string(almanac::RokuyoShortNames[r]) + " " + std::string(almanac::RokuyoNames[r]);
                if (!line.empty() && Columns(line) + 1 + Columns(pair) > width_) {
                    std::printf("%s\n", line.c_str());
                    line.clear();
                }
                line += (line.empty() ? "" : " ") + pair;
            }
            std::printf("%s\n", line.c_str());
        }
    }

private:
    std::string DayCell(const print::GridDay& cell) const {
        char number[8];
        std::snprintf(number, sizeof number, "%2d", cell.day);
        std::string marks;
        if (cell.holiday) marks += kHolidayMark;
        if (cell.term) marks += kTermMark;
        if (cell.lucky) marks += kLuckyMark;
        if (cell.unlucky) marks += kUnluckyMark;
        std::string text;
        if (cell_ == kTinyCell) {
            // No room for marks: holidays keep their colour.
        } else if (cell_ == kWideCell) {
            text = Pad(marks, cell_ - 2);
        } else {
            text = marks.empty() ? " " : marks.substr(0, 1); // the first mark: holiday, term, lucky, unlucky
            if (cell_ == kMediumCell) {
                const std::string_view short_name =
                    cell.rokuyo.empty() ? std::string_view("  ")
                                        : almanac::TableText(almanac::RokuyoShortNames, RokuyoIndex(cell.rokuyo));
                text += short_name.empty() ? "  " : std::string(short_name);
            }
        }
        return Coloured(number, cell.holiday || cell.weekday == 0, cell.weekday == 6) + text;
    }

    static long RokuyoIndex(const std::string& name) {
        for (std::size_t r = 0; r < almanac::RokuyoNames.size(); ++r)
            if (almanac::RokuyoNames[r] == name) return static_cast<long>(r);
        return -1;
    }

    std::string Coloured(const std::string& text, bool red, bool blue) const {
        if (!colour_ || (!red && !blue)) return text;
        return std::string(red ? kRed : kBlue) + text + kReset;
    }

    static std::string Trim(std::string line) {
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        return line;
    }

    const print::MonthGrid& grid_;
    int width_;
    bool colour_;
    int cell_ = kWideCell;
    int grid_width_ = 0;
};

} // namespace

int RunMonth(const Args& args) {
    const base::ParseResult parsed = base::ParseCommandLine(kSyntax, args);
    if (const auto status = base::AnswerWithoutRunning(kSyntax, parsed)) return *status;
    const base::ParsedOptions& o = parsed.options;
    if (o.operands().size() > 1)
        return base::UsageError(kSyntax, base::Format(_("unexpected argument '%s'"), o.operands()[1].c_str()));
    const print::CivilDay today = Today();
    YearMonth month{today.year, today.month};
    if (!o.operands().empty()) {
        const std::string& text = o.operands()[0];
        auto run = ChooseRunMonths(std::nullopt, &text, &text, month);
        if (!std::holds_alternative<RunMonths>(run) || text.size() != 7)
            return base::UsageError(kSyntax, base::Format(_(kNotAMonth), text.c_str()));
        month = std::get<RunMonths>(run).first;
    }
    const base::IntOption width = base::IntOptionIn(o, "width", kMinWidth, kMaxWidth);
    if (!width.error.empty()) return base::UsageError(kSyntax, width.error);
    bool colour = ::isatty(STDOUT_FILENO) && !(std::getenv("NO_COLOR") && *std::getenv("NO_COLOR"));
    if (const std::string* when = o.value("color")) {
        if (*when == "always")
            colour = true;
        else if (*when == "never")
            colour = false;
        else if (*when != "auto")
            return base::UsageError(kSyntax, base::Format(_(kBadColour), when->c_str()));
    }
    auto started = StartHostRun(kSyntax, o);
    if (const int* status = std::get_if<int>(&started)) return *status;
    const HostRun& run = std::get<HostRun>(started);

    // Counted: the month is still shown after a settings file that could not be read, but
    // the run then ends with a failure.
    base::StderrReporter terminal;
    base::OnceReporter reporter(terminal);
    print::MonthGridRequest request{run.folder, month.year, month.month, run.choices.start_weekday,
                                    run.choices.birth_eto.value_or(0)};
    const std::optional<print::MonthGrid> grid = print::BuildMonthGrid(request, reporter);
    if (!grid) return base::kExitFailure;
    Printer(*grid, width.value.value_or(TerminalWidth()), colour).Print();
    // Standard output is flushed and checked as the program ends.
    return reporter.count() == 0 ? base::kExitOk : base::kExitFailure;
}

} // namespace cli
