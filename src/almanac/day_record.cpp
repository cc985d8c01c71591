// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/day_record.h"

namespace almanac {

DayRecord DecodeRecord(const RawRecord& s) {
    DayRecord r;
    // Bytes 11 … 14: a signed 32-bit value, most significant byte first.
    std::uint32_t u = (std::uint32_t{s[11]} << 24) | (std::uint32_t{s[12]} << 16) | (std::uint32_t{s[13]} << 8) |
                      std::uint32_t{s[14]};
    std::int32_t v = static_cast<std::int32_t>(u);
    r.Date = v / 100;
    r.YearCycle = static_cast<std::uint8_t>(v % 100);
    r.Weekday = static_cast<std::uint8_t>(s[10] >> 3);
    r.Rokuyo = static_cast<std::uint8_t>(s[10] & 0x07);
    r.DayCycle = s[9];
    r.SolarTerm = s[8];
    r.SolarMonth = static_cast<std::uint8_t>(s[7] >> 4);
    r.Officer = static_cast<std::uint8_t>(s[7] & 0x0F);
    r.Mansion = s[6];
    r.Pentad = s[5];
    r.LunarMonth = s[4];
    r.LunarDay = s[3];
    r.DayFlagsA = s[2];
    r.DayFlagsB = s[1];
    r.SeasonFlags = s[0];
    r.LeapMonth = (s[2] & flag_a::kLeapMonth) != 0;
    return r;
}

RawRecord EncodeRecord(const DayRecord& d) {
    RawRecord s{};
    std::uint8_t flags_a = d.DayFlagsA;
    if (d.LeapMonth)
        flags_a |= flag_a::kLeapMonth;
    else
        flags_a &= static_cast<std::uint8_t>(~flag_a::kLeapMonth);
    s[0] = d.SeasonFlags;
    s[1] = d.DayFlagsB;
    s[2] = flags_a;
    s[3] = d.LunarDay;
    s[4] = d.LunarMonth;
    s[5] = d.Pentad;
    s[6] = d.Mansion;
    s[7] = static_cast<std::uint8_t>(((d.SolarMonth & 0x0F) << 4) | (d.Officer & 0x0F));
    s[8] = d.SolarTerm;
    s[9] = d.DayCycle;
    s[10] = static_cast<std::uint8_t>(((d.Weekday & 0x1F) << 3) | (d.Rokuyo & 0x07));
    std::uint32_t v = static_cast<std::uint32_t>(d.Date * 100 + d.YearCycle);
    s[11] = static_cast<std::uint8_t>(v >> 24);
    s[12] = static_cast<std::uint8_t>(v >> 16);
    s[13] = static_cast<std::uint8_t>(v >> 8);
    s[14] = static_cast<std::uint8_t>(v);
    return s;
}

} // namespace almanac
