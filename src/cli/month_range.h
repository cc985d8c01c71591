// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which months a render draws when the command line names some or none, within a year or
// across years' ends.

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace cli {

struct MonthRange {
    int from = 0;
    int to = 0;
};

// --from and --to as given; a missing --from is 1 when --year or --to is given, else the
// current month; a missing --to is --from when that is given, 12 when --year is given, else
// the current month. (So --year alone is the whole year, nothing at all is this month.)
MonthRange ChooseMonths(bool year_given, std::optional<int> from, std::optional<int> to, int current_month);

// A month of a year.
struct YearMonth {
    int year = 0;
    int month = 0;
    int key() const { return year * 12 + month - 1; }
    bool operator==(const YearMonth&) const = default;
};

// The months of a run, which may cross a year's end (a fiscal year: 2027-04 … 2028-03).
struct RunMonths {
    YearMonth first;
    YearMonth last;
};

// The months of a run from --year (nothing when not given), --from and --to (nothing when
// not given) and today. Each of --from and --to is YYYY-MM, or a month number 1-12 of
// --year's year (else this year's). The defaults are those of ChooseMonths, in the year of
// the month given: --to 2028-03 alone starts in January 2028. The text of a usage error
// when a value is not a month of 1901 ... 2100 or the range is reversed.
std::variant<RunMonths, std::string> ChooseRunMonths(std::optional<int> year, const std::string* from,
                                                     const std::string* to, YearMonth today);

// The run's months cut at each year's end: one range of months for each year.
struct YearMonths {
    int year = 0;
    MonthRange months;
};
std::vector<YearMonths> SplitByYear(const RunMonths& run);

// The months in the name of one file that holds the whole run: "2027-01-to-03" within a
// year, "2027-04-to-2028-03" across years, "2027-05" for one month.
std::string RunMonthsText(const RunMonths& run);

} // namespace cli
