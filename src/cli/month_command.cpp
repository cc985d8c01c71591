// SPDX-License-Identifier: GPL-3.0-or-later
// qelmarin-cli month: a month in the terminal, as a grid of weeks with each day's 六曜 and
// marks for terms, named days and holidays, fitted to the terminal's width, with the names
// behind the marks under it; or a year's twelve grids, three across when the width allows.

#include "almanac/calendar_math.h"
#include "almanac/name_tables.h"
#include "base/command_line.h"
#include "base/i18n.h"
#include "base/text_wrap.h"
#include "cli/command.h"
#include "cli/date_text.h"
#include "cli/month_range.h"
#include "cli/outcome.h"
#include "cli/run_choices.h"
#include "print/month_grid.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace cli {
namespace {

// The texts of the command, in one place.
constexpr const char* kTermMark = "*";
constexpr const char* kLuckyMark = "+";
constexpr const char* kUnluckyMark = "-";
constexpr const char* kHolidayMark = "H";
// The legend's items, each kept whole on a line of its own when the width is short.
constexpr const char* kLegendItems[] = {"* 節気", "+ 吉日", "- 凶日 (暦注上段)", "H 休日"};
constexpr const char* kColourLegend = "(赤 日曜・休日  青 土曜)";
constexpr const char* kMore = "…";
constexpr const char* kNotAMonth =
    N_("not a month or a year (YYYY-MM, MONTH YEAR, YEAR, or 1-12 of this year; 1901 ... 2100): '%s'");
constexpr const char* kBadColour = N_("--color needs auto, always or never, not '%s'");

constexpr const char* kRed = "\033[31m";
constexpr const char* kBlue = "\033[34m";
constexpr const char* kReset = "\033[0m";

constexpr int kDefaultWidth = 80;
constexpr int kMinWidth = 20;
constexpr int kMaxWidth = 1000;
// Cells: the day and its marks over the 六曜 (wide); the day, a mark and the 六曜's one
// character (medium); the day and a mark (narrow); the day alone, as `cal` (tiny). Each
// cell is followed by a blank. A day's marks stand in its cell when they all fit there;
// otherwise they lead its line in the list under the grid.
constexpr int kWideCell = 7;
constexpr int kMediumCell = 5;
constexpr int kNarrowCell = 3;
constexpr int kTinyCell = 2;
constexpr int kDayColumns = 2;
// The year's grids: three across with two blanks between them, when each gets a tiny grid.
constexpr int kYearColumns = 3;
constexpr int kYearGap = 2;

constexpr base::OptionSyntax kOptions[] = {
    {"home", "DIR", N_("the host folder (else KALVORIN_HOME, the program's folder, ~/.local/share/kalvorin)")},
    kStartWeekdayOption,
    kEtoOption,
    kBornOption,
    {"width", "N", N_("the columns to fit (default the terminal's, else COLUMNS, else 80)")},
    {"color", "WHEN", N_("auto (on a terminal, unless NO_COLOR is set), always or never")},
};

constexpr base::CommandSyntax kSyntax{
    "qelmarin-cli month", "[YYYY-MM | MONTH YEAR | YEAR]",
    N_("Prints a month (default this month) as a grid of weeks with each day's 六曜 and marks for\n"
       "the day a solar term begins (*), lucky (+) and unlucky (-) named days and holidays (H),\n"
       "then the names behind the marks, fitted to the terminal's width. A day's marks stand in\n"
       "its cell when they all fit there, else before its names; a list of names too long for\n"
       "its line ends with …. Given a year, prints its twelve grids, three across when the\n"
       "width allows."),
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

// Columns of a text on a terminal, its colour sequences taking none.
int Columns(std::string_view text) {
    int columns = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t escape = text.find('\033', i);
        columns += base::TextColumns(text.substr(i, escape == std::string_view::npos ? escape : escape - i));
        if (escape == std::string_view::npos) break;
        const std::size_t end = text.find('m', escape);
        i = end == std::string_view::npos ? text.size() : end + 1;
    }
    return columns;
}

std::string Pad(std::string text, int width) {
    const int columns = Columns(text);
    if (columns < width) text.append(static_cast<std::size_t>(width - columns), ' ');
    return text;
}

std::string Trim(std::string line) {
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

int CellFor(int width) {
    for (int cell : {kWideCell, kMediumCell, kNarrowCell})
        if (width >= 7 * (cell + 1) - 1) return cell;
    return kTinyCell;
}

std::string Marks(const print::GridDay& cell) {
    std::string marks;
    if (cell.holiday) marks += kHolidayMark;
    if (cell.term) marks += kTermMark;
    if (cell.lucky) marks += kLuckyMark;
    if (cell.unlucky) marks += kUnluckyMark;
    return marks;
}

// Room for marks in a cell of this size.
int MarkRoom(int cell) {
    return cell == kWideCell ? cell - kDayColumns : cell == kTinyCell ? 0 : 1;
}

// Items joined by two blanks, as many to a line as the width takes; an item wider than a
// line is wrapped by itself.
std::vector<std::string> FillLines(const std::vector<std::string>& items, int width) {
    std::vector<std::string> lines;
    std::string line;
    for (const std::string& item : items) {
        if (!line.empty() && Columns(line) + 2 + Columns(item) <= width) {
            line += "  " + item;
            continue;
        }
        if (!line.empty()) lines.push_back(line);
        line.clear();
        if (Columns(item) <= width) {
            line = item;
            continue;
        }
        for (const std::string& piece : base::WrapLine(item, width, 2))
            lines.push_back(piece);
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

class MonthView {
public:
    MonthView(const print::MonthGrid& grid, int width, bool colour)
        : grid_(grid), width_(width), colour_(colour), cell_(CellFor(width)) {}

    int grid_width() const { return 7 * (cell_ + 1) - 1; }
    int cell() const { return cell_; }

    // The title, the weekday heads and the weeks.
    std::vector<std::string> Grid() const {
        std::vector<std::string> lines;
        std::string title = std::to_string(grid_.year) + "年" + std::to_string(grid_.month) + "月 " +
                            std::string(almanac::TableText(almanac::MonthOldNames, grid_.month - 1));
        if (Columns(title) > grid_width()) title = std::to_string(grid_.year) + "年" + std::to_string(grid_.month) + "月";
        const int indent = std::max(0, (grid_width() - Columns(title)) / 2);
        lines.push_back(std::string(static_cast<std::size_t>(indent), ' ') + title);
        std::string head;
        for (int column = 0; column < 7; ++column) {
            const int weekday = grid_.start_weekday == 0 ? column : (column + 1) % 7;
            const std::string name = Pad((cell_ > kTinyCell ? " " : "") +
                                             std::string(almanac::WeekdayNames[static_cast<std::size_t>(weekday)]),
                                         cell_);
            head += Coloured(name, weekday == 0, weekday == 6) + (column < 6 ? " " : "");
        }
        lines.push_back(Trim(head));
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
            lines.push_back(Trim(days));
            if (cell_ == kWideCell) lines.push_back(Trim(rokuyo));
        }
        return lines;
    }

    // The names behind the marks, a line a day: the day, its marks when its cell could not
    // hold them all, and its names, whole; the names that do not fit give way to "…".
    std::vector<std::string> List() const {
        std::vector<std::string> lines;
        for (const auto& week : grid_.weeks)
            for (const auto& cell : week) {
                if (!cell || cell->notes.empty()) continue;
                char day[8];
                std::snprintf(day, sizeof day, "%2d ", cell->day);
                std::string head = day;
                const std::string marks = Marks(*cell);
                if (!marks.empty() && !MarksInCell(marks)) head += marks + " ";
                for (const std::string& line : NamesLine(head, cell->notes))
                    lines.push_back(line);
            }
        return lines;
    }

    // What the marks (unless left out) and the colours mean, wrapped to the width.
    std::vector<std::string> Legend(bool marks = true) const {
        std::vector<std::string> items;
        if (marks) items.assign(std::begin(kLegendItems), std::end(kLegendItems));
        if (colour_) items.emplace_back(kColourLegend);
        std::vector<std::string> lines = FillLines(items, width_);
        if (cell_ == kMediumCell) {
            // The one-character 六曜 of the cells.
            std::vector<std::string> pairs;
            for (std::size_t r = 0; r < almanac::RokuyoNames.size(); ++r)
                pairs.push_back(std::string(almanac::RokuyoShortNames[r]) + " " + std::string(almanac::RokuyoNames[r]));
            for (std::string& line : FillLines(pairs, width_))
                lines.push_back(std::move(line));
        }
        return lines;
    }

private:
    bool MarksInCell(const std::string& marks) const { return static_cast<int>(marks.size()) <= MarkRoom(cell_); }

    std::vector<std::string> NamesLine(const std::string& head, const std::string& notes) const {
        std::vector<std::string> names;
        static constexpr std::string_view kJoin = "・";
        for (std::size_t start = 0;;) {
            const std::size_t at = notes.find(kJoin, start);
            names.push_back(notes.substr(start, at == std::string::npos ? std::string::npos : at - start));
            if (at == std::string::npos) break;
            start = at + kJoin.size();
        }
        std::string line = head + notes;
        if (Columns(line) <= width_) return {line};
        // As many whole names as fit with the mark of the rest.
        for (std::size_t keep = names.size() - 1; keep >= 1; --keep) {
            std::string cut = head;
            for (std::size_t k = 0; k < keep; ++k)
                cut += (k ? std::string(kJoin) : std::string()) + names[k];
            cut += kMore;
            if (Columns(cut) <= width_) return {cut};
        }
        // Not even the first name fits beside the day: every name, wrapped under the first.
        return base::WrapLine(line, width_, Columns(head));
    }

    std::string DayCell(const print::GridDay& cell) const {
        char number[8];
        std::snprintf(number, sizeof number, "%2d", cell.day);
        const std::string marks = Marks(cell);
        std::string text;
        if (cell_ != kTinyCell) text = Pad(MarksInCell(marks) ? marks : std::string(), MarkRoom(cell_));
        if (cell_ == kMediumCell) {
            const std::string_view short_name =
                cell.rokuyo.empty() ? std::string_view() : almanac::TableText(almanac::RokuyoShortNames, RokuyoIndex(cell.rokuyo));
            text += short_name.empty() ? "  " : std::string(short_name);
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

    const print::MonthGrid& grid_;
    int width_;
    bool colour_;
    int cell_;
};

void PrintLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        std::printf("%s\n", line.c_str());
}

// A year's grids side by side, `across` to a row, each in `block` columns.
void PrintYear(const std::vector<print::MonthGrid>& grids, int width, bool colour) {
    const int across = width >= kYearColumns * (7 * (kTinyCell + 1) - 1) + (kYearColumns - 1) * kYearGap
                           ? kYearColumns
                           : 1;
    const int block = across == 1 ? width : (width - (across - 1) * kYearGap) / across;
    for (std::size_t first = 0; first < grids.size(); first += static_cast<std::size_t>(across)) {
        std::vector<std::vector<std::string>> row;
        std::size_t height = 0;
        for (std::size_t m = first; m < std::min(grids.size(), first + static_cast<std::size_t>(across)); ++m) {
            row.push_back(MonthView(grids[m], block, colour).Grid());
            height = std::max(height, row.back().size());
        }
        if (first > 0) std::printf("\n");
        for (std::size_t line = 0; line < height; ++line) {
            std::string text;
            for (std::size_t b = 0; b < row.size(); ++b) {
                const std::string part = line < row[b].size() ? row[b][line] : std::string();
                text += b + 1 < row.size() ? Pad(part, block + kYearGap) : part;
            }
            std::printf("%s\n", Trim(text).c_str());
        }
    }
    // The marks' legend where the cells hold marks; the tiny cells hold none.
    if (CellFor(block) == kTinyCell && !colour) return;
    std::printf("\n");
    PrintLines(MonthView(grids.front(), width, colour).Legend(CellFor(block) != kTinyCell));
}

// The months the operands name: YYYY-MM, MONTH YEAR as cal takes them, YEAR alone (twelve
// months), a month number 1-12 of this year, or nothing (this month). The text of a usage
// error otherwise.
std::variant<std::vector<YearMonth>, std::string> MonthsOf(const std::vector<std::string>& words, YearMonth today) {
    auto year_of = [](const std::string& text) { return base::ParseIntIn(text, almanac::kFirstYear, almanac::kLastYear); };
    auto not_a_month = [&](const std::string& text) { return base::Format(_(kNotAMonth), text.c_str()); };
    if (words.empty()) return std::vector<YearMonth>{today};
    if (words.size() > 2) return base::Format(_("unexpected argument '%s'"), words[2].c_str());
    if (words.size() == 2) {
        const std::optional<int> month = base::ParseIntIn(words[0], 1, 12);
        const std::optional<int> year = year_of(words[1]);
        if (!month || !year) return not_a_month(words[0] + " " + words[1]);
        return std::vector<YearMonth>{{*year, *month}};
    }
    const std::string& text = words[0];
    if (text.size() == 4) {
        const std::optional<int> year = year_of(text);
        if (!year) return not_a_month(text);
        std::vector<YearMonth> months;
        for (int m = 1; m <= 12; ++m)
            months.push_back({*year, m});
        return months;
    }
    if (text.size() <= 2) {
        const std::optional<int> month = base::ParseIntIn(text, 1, 12);
        if (!month) return not_a_month(text);
        return std::vector<YearMonth>{{today.year, *month}};
    }
    auto run = ChooseRunMonths(std::nullopt, &text, &text, today);
    if (!std::holds_alternative<RunMonths>(run) || text.size() != 7) return not_a_month(text);
    return std::vector<YearMonth>{std::get<RunMonths>(run).first};
}

} // namespace

int RunMonth(const Args& args) {
    const base::ParseResult parsed = base::ParseCommandLine(kSyntax, args);
    if (const auto status = base::AnswerWithoutRunning(kSyntax, parsed)) return *status;
    const base::ParsedOptions& o = parsed.options;
    const print::CivilDay today = Today();
    auto chosen = MonthsOf(o.operands(), YearMonth{today.year, today.month});
    if (const std::string* error = std::get_if<std::string>(&chosen)) return base::UsageError(kSyntax, *error);
    const std::vector<YearMonth>& months = std::get<std::vector<YearMonth>>(chosen);
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
    // The month is still shown after a settings file that could not be read, but the run
    // then ends with a failure.
    Outcome outcome(kSyntax.program);
    auto started = StartHostRun(kSyntax, o, outcome);
    if (const int* status = std::get_if<int>(&started)) return *status;
    const HostRun& run = std::get<HostRun>(started);

    std::vector<print::MonthGrid> grids;
    for (const YearMonth& month : months) {
        print::MonthGridRequest request{run.folder, month.year, month.month, run.choices.start_weekday,
                                        run.choices.birth_eto.value_or(0)};
        std::optional<print::MonthGrid> grid = print::BuildMonthGrid(request, outcome);
        if (!grid) return base::kExitFailure; // told by the day file's reader
        grids.push_back(std::move(*grid));
    }
    const int columns = width.value.value_or(TerminalWidth());
    if (grids.size() > 1) {
        PrintYear(grids, columns, colour);
    } else {
        const MonthView view(grids.front(), columns, colour);
        PrintLines(view.Grid());
        PrintLines(view.List());
        PrintLines(view.Legend());
    }
    // Standard output is flushed and checked as the program ends.
    return outcome.status();
}

} // namespace cli
