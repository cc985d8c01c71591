// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/named_days.h"

#include <array>
#include <initializer_list>

#include "almanac/day_record.h"
#include "host/day_signs.h"

namespace host {
namespace {

bool InRange(int value, int first, int last) {
    return value >= first && value <= last;
}

bool IsOneOf(int value, std::initializer_list<int> set) {
    for (int v : set) {
        if (v == value) return true;
    }
    return false;
}

// 八専: 壬子 (49) … 癸亥 (60) without the 間日 癸丑 (50), 丙辰 (53), 戊午 (55), 壬戌 (59).
bool IsHassen(int cycle) {
    return InRange(cycle, 49, 60) && !IsOneOf(cycle, {50, 53, 55, 59});
}

// 不成就日: lunar days by lunar month; months m and m + 6 share a row.
constexpr std::array<std::array<int, 4>, 6> kFujojuDays = {{
    {3, 11, 19, 27}, // 1, 7
    {2, 10, 18, 26}, // 2, 8
    {1, 9, 17, 25},  // 3, 9
    {4, 12, 20, 28}, // 4, 10
    {5, 13, 21, 29}, // 5, 11
    {6, 14, 22, 30}, // 6, 12
}};

// 一粒万倍日: two day branches (子 = 1) by solar month.
constexpr std::array<std::array<int, 2>, 12> kIchiryuManbaiBranches = {{
    {2, 7},   // 1: 丑 午
    {3, 10},  // 2: 寅 酉
    {1, 4},   // 3: 子 卯
    {4, 5},   // 4: 卯 辰
    {6, 7},   // 5: 巳 午
    {10, 7},  // 6: 酉 午
    {1, 8},   // 7: 子 未
    {4, 9},   // 8: 卯 申
    {10, 7},  // 9: 酉 午
    {10, 11}, // 10: 酉 戌
    {12, 1},  // 11: 亥 子
    {4, 1},   // 12: 卯 子
}};

// 三隣亡: one day branch by solar month (the months repeat every three).
constexpr std::array<int, 3> kSanrinbouBranch = {12, 3, 7}; // 1 4 7 10: 亥 · 2 5 8 11: 寅 · 3 6 9 12: 午

// 母倉: day branches by solar month (0 ends a row).
constexpr std::array<std::array<int, 4>, 12> kBosouBranches = {{
    {1, 12, 0, 0}, // 1: 子 亥
    {1, 12, 0, 0}, // 2
    {6, 7, 0, 0},  // 3: 巳 午
    {3, 4, 0, 0},  // 4: 寅 卯
    {3, 4, 0, 0},  // 5
    {6, 7, 0, 0},  // 6
    {2, 5, 8, 11}, // 7: 丑 辰 未 戌
    {2, 5, 8, 11}, // 8
    {6, 7, 0, 0},  // 9
    {9, 10, 0, 0}, // 10: 申 酉
    {9, 10, 0, 0}, // 11
    {6, 7, 0, 0},  // 12
}};

// 天赦日: one day sign per season of solar months: 戊寅, 甲午, 戊申, 甲子.
constexpr std::array<int, 4> kTenshaCycleBySeason = {15, 31, 45, 1};

template <std::size_t N> bool Contains(const std::array<int, N>& row, int value) {
    for (int v : row) {
        if (v != 0 && v == value) return true;
    }
    return false;
}

} // namespace

NamedDayFlags NamedDaysOf(const NamedDayKeys& keys) {
    const int cycle = keys.day_cycle;
    const int branch = BranchOfCycle(cycle);
    const int month_index = (keys.solar_month + 11) % 12; // 0 … 11, robust to 0
    NamedDayFlags flags;
    if (IsHassen(cycle)) flags.a |= almanac::flag_a::kHassen;
    if (InRange(cycle, 21, 30)) flags.a |= almanac::flag_a::kJippoGure;
    if (Contains(kBosouBranches[month_index], branch)) flags.a |= almanac::flag_a::kBosou;
    if (cycle == kTenshaCycleBySeason[month_index / 3]) flags.a |= almanac::flag_a::kTensha;
    if (keys.lunar_month >= 1 && Contains(kFujojuDays[(keys.lunar_month - 1) % 6], keys.lunar_day)) {
        flags.a |= almanac::flag_a::kFujoju;
    }
    if (Contains(kIchiryuManbaiBranches[month_index], branch)) flags.a |= almanac::flag_a::kIchiryuManbai;
    if (branch == kSanrinbouBranch[month_index % 3]) flags.a |= almanac::flag_a::kSanrinbou;

    if (InRange(cycle, 1, 5) || InRange(cycle, 16, 20) || InRange(cycle, 46, 50)) flags.b |= almanac::flag_b::kTenon;
    if (InRange(cycle, 15, 21)) flags.b |= almanac::flag_b::kShoTsuchi;
    if (InRange(cycle, 7, 13)) flags.b |= almanac::flag_b::kDaiTsuchi;
    if (InRange(cycle, 30, 45)) flags.b |= almanac::flag_b::kTenichi;
    return flags;
}

} // namespace host
