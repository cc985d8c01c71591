// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/list_texts.h"

#include "base/sjis.h"
#include "pages/calendar_layout.h"

#include <gtest/gtest.h>

namespace pages {
namespace {

almanac::DayRecord Term(int term) {
    almanac::DayRecord r;
    r.Date = 20260105;
    r.SolarTerm = static_cast<std::uint8_t>(term);
    return r;
}

TEST(ListTexts, DatesLineUpTheirNumerals) {
    EXPECT_EQ("三　月　五日", ListDateText(3, 5));
    EXPECT_EQ("十二月廿一日", ListDateText(12, 21));
    EXPECT_EQ("　正月　一日", ListLunarDateText(1, 1));
    EXPECT_EQ("十一月廿九日", ListLunarDateText(11, 29));
    EXPECT_EQ("三　月　十日", ListLunarDateText(3, 10));
}

TEST(ListTexts, LeapMonthDaysAreMarkedAndAlwaysReadAsDates) {
    EXPECT_EQ("閏六月　五日", ListLunarDateText(6, 5, true));
    EXPECT_EQ("閏六月廿九日", ListLunarDateText(6, 29, true));
    EXPECT_EQ("閏正月　一日", ListLunarDateText(1, 1, true));
    EXPECT_EQ("閏十一月　五日", ListLunarDateText(11, 5, true));
    EXPECT_EQ("閏十一月十一日", ListLunarDateText(11, 11, true));
    EXPECT_EQ("閏十一月廿二日", ListLunarDateText(11, 22, true));
    // One form for every day of every leap month, the calendar page's: "閏", the month,
    // "月", the day lined up, "日".
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= 30; ++d) {
            const std::string text = ListLunarDateText(m, d, true);
            EXPECT_TRUE(text.starts_with("閏") && text.ends_with("日")) << text;
            EXPECT_EQ(calendar::OldDateText(m, d, true), text);
            EXPECT_LE(base::Cp932Length(text), 14u) << text;
        }
    }
}

TEST(ListTexts, SolarTermOnlyOnTheDayItBegins) {
    const std::string blank = "　　　　　　　　　";
    EXPECT_EQ("春　正月節　立春　", ListSolarTermText(Term(1), Term(24), false));
    // Eighteen bytes already: no padding.
    EXPECT_EQ("冬　十一月節　大雪", ListSolarTermText(Term(21), Term(20), false));
    EXPECT_EQ(blank, ListSolarTermText(Term(1), Term(1), false));
    EXPECT_EQ(blank, ListSolarTermText(Term(23), Term(22), true));
    // A damaged term number prints no name.
    EXPECT_EQ("　", ListSolarTermText(Term(99), Term(1), false));
}

TEST(ListTexts, MansionOfficerAndPentad) {
    EXPECT_EQ("角", ListMansionText(1));
    EXPECT_EQ("軫", ListMansionText(28));
    EXPECT_EQ("", ListMansionText(0));
    EXPECT_EQ("開", ListOfficerText(1));
    EXPECT_EQ("", ListOfficerText(13));
    EXPECT_EQ("　一", ListPentadText(1));
    EXPECT_EQ("　十", ListPentadText(10));
    EXPECT_EQ("十九", ListPentadText(19));
    EXPECT_EQ("　廿", ListPentadText(20));
    EXPECT_EQ("三十", ListPentadText(30));
    EXPECT_EQ("三一", ListPentadText(31));
    EXPECT_EQ("四五", ListPentadText(45));
    EXPECT_EQ("七二", ListPentadText(72));
    EXPECT_EQ("", ListPentadText(0));
    EXPECT_EQ("", ListPentadText(73));
}

TEST(ListTexts, SunTimes) {
    EXPECT_EQ("五時四四分", ListSunTimeText(5.7446));
    EXPECT_EQ("十七時五二分", ListSunTimeText(17.877));
    EXPECT_EQ("七時〇分", ListSunTimeText(6.9960)); // within half a minute of the hour
    EXPECT_EQ("", ListSunTimeText(-1.0));
}

} // namespace
} // namespace pages
