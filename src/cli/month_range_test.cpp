// SPDX-License-Identifier: GPL-3.0-or-later
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

RunMonths Months(std::optional<int> year, const char* from, const char* to) {
    const std::string f = from ? from : "", t = to ? to : "";
    auto result = ChooseRunMonths(year, from ? &f : nullptr, to ? &t : nullptr, YearMonth{2026, 8});
    if (const std::string* error = std::get_if<std::string>(&result)) ADD_FAILURE() << *error;
    return std::get_if<RunMonths>(&result) ? std::get<RunMonths>(result) : RunMonths{};
}

std::string Error(std::optional<int> year, const char* from, const char* to) {
    const std::string f = from ? from : "", t = to ? to : "";
    auto result = ChooseRunMonths(year, from ? &f : nullptr, to ? &t : nullptr, YearMonth{2026, 8});
    return std::get_if<std::string>(&result) ? std::get<std::string>(result) : "no error";
}

TEST(RunMonths, MonthsOfYearsAndAcrossTheirEnd) {
    // Month numbers keep the rules of ChooseMonths in --year's year, or this year's.
    EXPECT_EQ((YearMonth{2026, 8}), Months({}, nullptr, nullptr).first);
    EXPECT_EQ((YearMonth{2027, 12}), Months(2027, nullptr, nullptr).last);
    EXPECT_EQ((YearMonth{2027, 1}), Months(2027, nullptr, "3").first);
    EXPECT_EQ((YearMonth{2026, 5}), Months({}, "5", nullptr).last);
    // A fiscal year, with each month's own year.
    const RunMonths fiscal = Months({}, "2027-04", "2028-03");
    EXPECT_EQ((YearMonth{2027, 4}), fiscal.first);
    EXPECT_EQ((YearMonth{2028, 3}), fiscal.last);
    EXPECT_EQ("2027-04-to-2028-03", RunMonthsText(fiscal));
    const std::vector<YearMonths> years = SplitByYear(fiscal);
    ASSERT_EQ(2u, years.size());
    EXPECT_EQ(2027, years[0].year);
    EXPECT_EQ(4, years[0].months.from);
    EXPECT_EQ(12, years[0].months.to);
    EXPECT_EQ(2028, years[1].year);
    EXPECT_EQ(1, years[1].months.from);
    EXPECT_EQ(3, years[1].months.to);
    // --to with a year alone starts in January of that year; a month number takes --year.
    EXPECT_EQ((YearMonth{2028, 1}), Months({}, nullptr, "2028-03").first);
    EXPECT_EQ((YearMonth{2030, 2}), Months(2030, "2029-11", "2").last);
    EXPECT_EQ(3u, SplitByYear(Months({}, "2026-12", "2028-01")).size());
    EXPECT_EQ("2027-01-to-03", RunMonthsText(Months(2027, nullptr, "3")));
    EXPECT_EQ("2027-05", RunMonthsText(Months(2027, "5", nullptr)));
}

TEST(RunMonths, RefusesWhatIsNoMonthOrReversed) {
    EXPECT_EQ("--from 5 is after --to 3", Error(2027, "5", "3"));
    EXPECT_EQ("--from 2028-04 is after --to 2028-03", Error({}, "2028-04", "2028-03"));
    for (const char* bad : {"13", "0", "2027-13", "2027-4", "1900-12", "2101-01", "27-04", "2027-+1", "april"})
        EXPECT_NE(std::string::npos, Error({}, bad, nullptr).find("--from needs a month")) << bad;
    EXPECT_NE(std::string::npos, Error({}, nullptr, "x").find("--to needs a month: YYYY-MM"));
}

// --year is refused where the months given as YYYY-MM leave nothing for it to say and it
// names another year; where a month lies in it or takes its year, it stands.
TEST(RunMonths, RefusesAYearTheMonthsContradict) {
    EXPECT_EQ("--year 2027 is not the year of --from 2028-01: give --year with month numbers (1-12), or YYYY-MM "
              "months without --year",
              Error(2027, "2028-01", nullptr));
    EXPECT_NE(std::string::npos, Error(2027, nullptr, "2028-03").find("--year 2027 is not the year of --to 2028-03"));
    EXPECT_NE(std::string::npos,
              Error(2026, "2028-01", "2028-03").find("is not the year of --from 2028-01 --to 2028-03"));
    EXPECT_EQ((YearMonth{2027, 4}), Months(2027, "2027-04", "2028-03").first);
    EXPECT_EQ((YearMonth{2027, 3}), Months(2027, "2026-04", "2027-03").last);
    EXPECT_EQ((YearMonth{2027, 12}), Months(2027, "2027-12", nullptr).last);
}

} // namespace
} // namespace cli
