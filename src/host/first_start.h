// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a first start needs to make a host folder without the host application: the
// prefectural capitals to choose a place from, and the year sign of a birth date.

#include "host/host_folder.h"

#include <array>
#include <string>
#include <string_view>

namespace host {

// A prefecture's capital (its prefectural office), where sunrise and sunset are computed
// for: latitude and longitude in decimal degrees, elevation in metres (approximate).
struct PrefecturalCapital {
    std::string_view prefecture;
    std::string_view city;
    double latitude;
    double longitude;
    int elevation;
};

// The 47 capitals, north to south in the customary order of the prefectures.
const std::array<PrefecturalCapital, 47>& PrefecturalCapitals();

// The sexagenary number (1 甲子 … 60 癸亥) of the year a person born on that date belongs
// to: the year changes at 立春, as in the almanac. 0 outside 1901 … 2100 or for no date.
int BirthYearCycle(int year, int month, int day);

// Makes a new host folder (its parents too) as `kalvorin-host init` does for the same
// answers (MakeFullHostFolder); `this_year` no longer changes what is made. An empty text,
// else why it was not made.
std::string MakeNewHostFolder(HostFolderOptions options, int this_year);

} // namespace host
