// SPDX-License-Identifier: GPL-3.0-or-later
// The first day of every lunar month 1931 … 2100 against the table of the book 21世紀暦
// (testdata/kyureki-21c.json, MIT licence), after the book's known errata.

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "host/civil_date.h"
#include "host/test_calendar.h"

namespace host {
namespace {

struct ReferenceYear {
    CivilDate start;
    int leap_month = -1; // N: the leap month follows month N + 1 (it is 閏(N + 1)); −1: none
    std::string sizes;   // one digit per month, leap month included; 1 = 30 days
};

std::vector<ReferenceYear> ReadReference() {
    const std::string text = testing::ReadTestData("kyureki-21c.json");
    // Each year object holds "leapMonth", "sizeInfo" and "start" in this order.
    const std::regex entry(
        R"re("leapMonth"\s*:\s*(-?\d+)\s*,\s*"sizeInfo"\s*:\s*"([01]+)"\s*,\s*"start"\s*:\s*"(\d+)-(\d+)-(\d+)")re");
    std::vector<ReferenceYear> years;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), entry); it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        years.push_back({{std::stoi(m[3]), std::stoi(m[4]), std::stoi(m[5])}, std::stoi(m[1]), m[2]});
    }
    return years;
}

struct ReferenceMonth {
    int start_jdn;
    int number;
    bool leap;
};

// The book's month starts, with its errata corrected: the month it begins on 2074-08-22 begins
// on 2074-08-23 (the new moon falls ten seconds after JST midnight), and its leap months of
// 1947, 2012 and 2017 are 閏2, 閏3 and 閏5 in Japan.
std::vector<ReferenceMonth> ReferenceMonths(const std::vector<ReferenceYear>& years) {
    const std::map<int, int> true_leap = {{1947, 2}, {2012, 3}, {2017, 5}};
    std::vector<ReferenceMonth> months;
    for (const ReferenceYear& year : years) {
        int jdn = JdnFromCivil(year.start);
        const int leap_after = year.leap_month < 0 ? -1 : year.leap_month + 1;
        int leap_position = leap_after; // the 0-based position of the leap month in sizeInfo
        if (auto fix = true_leap.find(year.start.year); fix != true_leap.end()) leap_position = fix->second;
        for (std::size_t i = 0; i < year.sizes.size(); ++i) {
            const int position = static_cast<int>(i);
            ReferenceMonth month{jdn, position + 1, false};
            if (leap_position >= 0 && position == leap_position) month = {jdn, position, true};
            if (leap_position >= 0 && position > leap_position) month.number = position;
            if (jdn == JdnFromCivil({2074, 8, 22})) month.start_jdn += 1;
            months.push_back(month);
            jdn += year.sizes[i] == '1' ? 30 : 29;
        }
    }
    return months;
}

TEST(KyurekiReference, EveryMonthStartAndLeapMonthAgrees) {
    const std::vector<ReferenceYear> years = ReadReference();
    ASSERT_EQ(years.size(), 169u) << "one entry per lunar year 1931 … 2099 (the last ends on 2100-02-07)";
    const std::vector<ReferenceMonth> reference = ReferenceMonths(years);

    std::map<int, LunarMonth> computed;
    for (const LunarMonth& month : testing::FullCalendar().lunar_months())
        computed[month.start_jdn] = month;
    const int last_day = JdnFromCivil({2100, 12, 31});

    int compared = 0;
    int leap_months = 0;
    int mismatches = 0;
    for (const ReferenceMonth& month : reference) {
        if (month.start_jdn > last_day) break;
        ++compared;
        leap_months += month.leap ? 1 : 0;
        auto found = computed.find(month.start_jdn);
        const bool same =
            found != computed.end() && found->second.number == month.number && found->second.leap == month.leap;
        if (!same) {
            ++mismatches;
            ADD_FAILURE() << "reference month " << (month.leap ? "閏" : "") << month.number << " beginning "
                          << FormatDate(CivilFromJdn(month.start_jdn)) << " differs";
        }
    }
    std::cout << "[ kyureki ] months compared: " << compared << ", leap months: " << leap_months
              << ", mismatches: " << mismatches << "\n";
    EXPECT_GT(compared, 2000);
    EXPECT_EQ(mismatches, 0);
}

} // namespace
} // namespace host
