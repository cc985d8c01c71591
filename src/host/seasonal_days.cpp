// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/seasonal_days.h"

#include <cmath>

#include "almanac/day_record.h"
#include "host/civil_date.h"
#include "host/day_signs.h"

namespace host {
namespace {

constexpr int kBo = 5;  // 戊
constexpr int kKi = 10; // 癸
constexpr int kUma = 7; // 午

// The 土用 periods: from the day the Sun reaches the first longitude to the day before it reaches the second.
struct DoyouPeriod {
    int start_longitude;
    int end_longitude;
};
constexpr DoyouPeriod kDoyou[] = {{27, 45}, {117, 135}, {207, 225}, {297, 315}};

constexpr int kRisshun = 315;
constexpr int kNyubai = 80;
constexpr int kEquinoxes[] = {0, 180};

} // namespace

int ShanichiJdn(int equinox_jdn, double equinox_jd_ut) {
    const int stem = StemOfCycle(DayCycleOfJdn(equinox_jdn));
    if (stem == kKi) {
        // Fraction of the JST day elapsed at the instant.
        const double jst = equinox_jd_ut + 0.5 + kJstOffsetDays;
        const bool before_noon = jst - std::floor(jst) < 0.5;
        return before_noon ? equinox_jdn - 5 : equinox_jdn + 5;
    }
    return equinox_jdn + kBo - stem; // −4 … +4 days for the other stems
}

std::vector<std::uint8_t> SeasonalDayFlags(const AlmanacEvents& events, int first_jdn, int last_jdn) {
    std::vector<std::uint8_t> flags(static_cast<std::size_t>(last_jdn - first_jdn + 1), 0);
    auto mark = [&](int jdn, std::uint8_t bit) {
        if (jdn >= first_jdn && jdn <= last_jdn) flags[static_cast<std::size_t>(jdn - first_jdn)] |= bit;
    };
    for (const DatedSolarEvent& e : events.solar) {
        if (e.longitude == kRisshun) {
            mark(e.jdn - 1, almanac::season::kSetsubun);
            mark(e.jdn + 87, almanac::season::kHachijuhachiya);
        }
        if (e.longitude == kNyubai) mark(e.jdn, almanac::season::kNyubai);
        for (int equinox : kEquinoxes) {
            if (e.longitude != equinox) continue;
            for (int d = -3; d <= 3; ++d)
                mark(e.jdn + d, almanac::season::kHigan);
            mark(ShanichiJdn(e.jdn, e.jd_ut), almanac::season::kShanichi);
        }
        for (const DoyouPeriod& period : kDoyou) {
            if (e.longitude != period.start_longitude) continue;
            const int end = events.DateOfLongitudeFrom(period.end_longitude, e.jdn);
            if (end == 0) continue;
            for (int d = e.jdn; d < end; ++d)
                mark(d, almanac::season::kDoyou);
        }
    }
    // 初午: the first 午 day of Gregorian February.
    for (int year = CivilFromJdn(first_jdn).year; year <= CivilFromJdn(last_jdn).year; ++year) {
        const int first = JdnFromCivil({year, 2, 1});
        for (int d = first; d < first + 12; ++d) {
            if (BranchOfCycle(DayCycleOfJdn(d)) == kUma) {
                mark(d, almanac::season::kHatsuuma);
                break;
            }
        }
    }
    return flags;
}

} // namespace host
