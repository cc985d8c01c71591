#include "cli/month_range.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

void ExpectMonths(int from, int to, const MonthRange& range) {
    EXPECT_EQ(from, range.from);
    EXPECT_EQ(to, range.to);
}

TEST(MonthRange, DefaultsFollowWhatWasGiven) {
    const int now = 8;
    ExpectMonths(8, 8, ChooseMonths(false, {}, {}, now)); // nothing: this month
    ExpectMonths(1, 12, ChooseMonths(true, {}, {}, now)); // --year alone: the whole year
    ExpectMonths(1, 3, ChooseMonths(true, {}, 3, now));   // --year --to 3: not "月エラー" in August
    ExpectMonths(1, 3, ChooseMonths(false, {}, 3, now));  // --to alone starts in January too
    ExpectMonths(5, 5, ChooseMonths(true, 5, {}, now));   // --from alone: that month
    ExpectMonths(5, 5, ChooseMonths(false, 5, {}, now));
    ExpectMonths(2, 11, ChooseMonths(true, 2, 11, now));
    ExpectMonths(9, 3, ChooseMonths(false, 9, 3, now)); // reversed stays reversed for the caller to refuse
}

} // namespace
} // namespace cli
