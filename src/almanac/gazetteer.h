// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The places a user can name instead of giving coordinates: the capitals of the 47
// prefectures, where the prefectural office stands.

#include "almanac/calendar_notes.h"

#include <array>
#include <string_view>

namespace almanac {

struct GazetteerPlace {
    struct Angle {
        int deg, min, sec;
        double degrees() const;
    };
    std::string_view romaji;     // "tokyo", "sapporo"
    std::string_view city;       // "東京", "札幌"
    std::string_view prefecture; // "東京都", "北海道"
    Angle latitude;              // north
    Angle longitude;             // east
    int height;                  // metres

    Place place() const;
};

extern const std::array<GazetteerPlace, 47> PrefecturalCapitals;

// The capital named by its romaji name in any letter case ("Sapporo"), its city name with or
// without 市 ("札幌", "札幌市") or its prefecture ("北海道"); null when none is.
const GazetteerPlace* FindCapital(std::string_view name);

} // namespace almanac
