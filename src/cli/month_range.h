#pragma once
// Which months a render draws when the command line names some or none.

#include <optional>

namespace cli {

struct MonthRange {
    int from = 0;
    int to = 0;
};

// --from and --to as given; a missing --from is 1 when --year or --to is given, else the
// current month; a missing --to is --from when that is given, 12 when --year is given, else
// the current month. (So --year alone is the whole year, nothing at all is this month.)
MonthRange ChooseMonths(bool year_given, std::optional<int> from, std::optional<int> to, int current_month);

} // namespace cli
