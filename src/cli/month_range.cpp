#include "cli/month_range.h"

namespace cli {

MonthRange ChooseMonths(bool year_given, std::optional<int> from, std::optional<int> to, int current_month) {
    MonthRange range;
    range.from = from ? *from : (year_given || to) ? 1 : current_month;
    range.to = to ? *to : from ? *from : year_given ? 12 : current_month;
    return range;
}

} // namespace cli
