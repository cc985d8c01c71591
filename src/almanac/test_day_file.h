// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A day file for tests: one record per day 1901-01-01 … 2100-12-31 in the host's layout
// (with the slot of 2100-02-29), whose fields are simple functions of the day's number.

#include "almanac/calendar_math.h"
#include "almanac/day_record.h"

#include <filesystem>
#include <fstream>

namespace almanac::testing {

inline DayRecord SyntheticDay(int n, int y, int m, int d) {
    DayRecord r;
    r.Date = y * 10000 + m * 100 + d;
    r.YearCycle = static_cast<std::uint8_t>((y - 4) % 60 + 1);
    r.Weekday = static_cast<std::uint8_t>((n + 2) % 7);
    r.DayCycle = static_cast<std::uint8_t>((n + 10) % 60 + 1);
    r.Rokuyo = static_cast<std::uint8_t>(n % 6 + 1);
    r.SolarTerm = static_cast<std::uint8_t>(n / 15 % 24 + 1);
    r.SolarMonth = static_cast<std::uint8_t>(m);
    r.Mansion = static_cast<std::uint8_t>(n % 28 + 1);
    r.Officer = static_cast<std::uint8_t>(n % 12 + 1);
    r.Pentad = static_cast<std::uint8_t>(n / 5 % 72 + 1);
    r.LunarMonth = static_cast<std::uint8_t>(m);
    r.LunarDay = static_cast<std::uint8_t>(d % 30 + 1);
    r.DayFlagsA = static_cast<std::uint8_t>(n & 0x7F);
    r.DayFlagsB = static_cast<std::uint8_t>(n & 0xF0);
    r.SeasonFlags = static_cast<std::uint8_t>(n & 0xFE);
    return r;
}

// Writes the file; with `records` given, only that many records.
inline void WriteSyntheticDayFile(const std::filesystem::path& path, long records = -1) {
    std::ofstream out(path, std::ios::binary);
    long n = 0;
    for (int y = kFirstYear; y <= kLastYear; ++y)
        for (int m = 1; m <= 12; ++m)
            for (int d = 1; d <= FileDaysInMonth(y, m); ++d, ++n) {
                if (records >= 0 && n >= records) return;
                RawRecord raw = EncodeRecord(SyntheticDay(static_cast<int>(n), y, m, d));
                out.write(reinterpret_cast<const char*>(raw.data()), kRecordSize);
            }
}

} // namespace almanac::testing
