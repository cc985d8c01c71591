// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Japanese era names used to print a year: 明治, 大正, 昭和, 平成 and a fifth, newest era
// that the host names in "GENGO NAME" / "GENGO YEAR".

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace config {

struct Era {
    std::string name;
    int first_year = 0; // the Gregorian year in which the era begins

    bool operator==(const Era&) const = default;
};

struct EraYear {
    std::string name;
    int year = 0; // 1 in the era's first printed year

    bool operator==(const EraYear&) const = default;
};

class EraTable {
public:
    static constexpr std::size_t kEras = 5;

    // The four fixed eras and "未定" 9999 as the fifth.
    EraTable();
    // The four fixed eras and the given fifth one.
    EraTable(std::string_view newest_name, int newest_first_year);

    const std::array<Era, kEras>& eras() const { return eras_; }

    // The era of Gregorian year y: the last entry whose first year is strictly less than y,
    // so the year in which an era begins still prints under the one before (2019 is 平成31
    // with a fifth era from 2019; 2020 is that era's 2). Years up to 1868 lie before every
    // entry and give nullopt: the caller prints the plain Gregorian year.
    std::optional<EraYear> Lookup(int year) const;

private:
    std::array<Era, kEras> eras_;
};

} // namespace config
