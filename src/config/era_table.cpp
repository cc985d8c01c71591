// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/era_table.h"

#include <limits>

namespace config {

EraTable::EraTable() : EraTable("未定", 9999) {}

EraTable::EraTable(std::string_view newest_name, int newest_first_year)
    : eras_{{{"明治", 1868},
             {"大正", 1912},
             {"昭和", 1926},
             {"平成", 1989},
             {std::string(newest_name), newest_first_year}}} {}

std::optional<EraYear> EraTable::Lookup(int year) const {
    for (auto era = eras_.rbegin(); era != eras_.rend(); ++era) {
        if (era->first_year >= year) continue;
        long long era_year = static_cast<long long>(year) - era->first_year + 1;
        if (era_year > std::numeric_limits<int>::max()) return std::nullopt;
        return EraYear{era->name, static_cast<int>(era_year)};
    }
    return std::nullopt;
}

} // namespace config
