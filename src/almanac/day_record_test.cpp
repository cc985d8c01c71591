// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/day_record.h"

#include <gtest/gtest.h>

namespace almanac {
namespace {

RawRecord Stored(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b7, std::uint8_t b10, std::int32_t v) {
    RawRecord s{};
    s[0] = b0;
    s[1] = b1;
    s[2] = b2;
    s[3] = 17;
    s[4] = 10;
    s[5] = 64;
    s[6] = 23;
    s[7] = b7;
    s[8] = 21;
    s[9] = 60;
    s[10] = b10;
    auto u = static_cast<std::uint32_t>(v);
    s[11] = u >> 24;
    s[12] = u >> 16;
    s[13] = u >> 8;
    s[14] = u;
    return s;
}

TEST(DayRecord, DecodesEveryField) {
    DayRecord r = DecodeRecord(Stored(0x80, 0x10, 0x81, 0xB3, 0x2C, 2026120643));
    EXPECT_EQ(20261206, r.Date);
    EXPECT_EQ(43, r.YearCycle);
    EXPECT_EQ(5, r.Weekday);
    EXPECT_EQ(4, r.Rokuyo);
    EXPECT_EQ(11, r.SolarMonth);
    EXPECT_EQ(3, r.Officer);
    EXPECT_TRUE(r.LeapMonth);
    EXPECT_EQ(0x81, r.DayFlagsA);
    EXPECT_TRUE(r.DayFlagsA & flag_a::kHassen);
    EXPECT_EQ(0x10, r.DayFlagsB);
    EXPECT_EQ(0x80, r.SeasonFlags);
    EXPECT_EQ(17, r.LunarDay);
    EXPECT_EQ(10, r.LunarMonth);
    EXPECT_EQ(64, r.Pentad);
    EXPECT_EQ(23, r.Mansion);
    EXPECT_EQ(21, r.SolarTerm);
    EXPECT_EQ(60, r.DayCycle);
    EXPECT_EQ(2026, r.year());
    EXPECT_EQ(12, r.month());
    EXPECT_EQ(6, r.day());
}

TEST(DayRecord, EncodeIsTheInverseOfDecode) {
    RawRecord s = Stored(0x7E, 0xFF, 0x7F, 0xC5, 0x31, 2100022937);
    EXPECT_EQ(s, EncodeRecord(DecodeRecord(s)));
    DayRecord d = DecodeRecord(s);
    d.LeapMonth = true;
    EXPECT_EQ(0xFF, EncodeRecord(d)[2]);
    EXPECT_TRUE(DecodeRecord(EncodeRecord(d)).LeapMonth);
}

} // namespace
} // namespace almanac
