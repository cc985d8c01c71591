// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/day_rules.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace almanac {
namespace {

// Row of a month-keyed table: months 1 … 12, anything else the row of month 12.
std::size_t MonthRow(int month) { return month >= 1 && month <= 12 ? static_cast<std::size_t>(month - 1) : 11; }

// Element (五行) of a branch: 1 water, 2 fire, 3 earth, 4 metal, 5 wood.
constexpr std::array<int, 12> kBranchElement = {1, 3, 5, 5, 3, 2, 2, 3, 4, 4, 3, 1};
// The 五墓日 day sign of each element.
constexpr std::array<int, 5> kGoboSign = {29, 23, 5, 8, 2};

constexpr std::array<int, 12> kJushiBranch = {11, 5, 12, 6, 1, 7, 2, 8, 3, 9, 4, 10};
constexpr std::array<int, 12> kChiimiBranch = {2, 8, 3, 9, 4, 10, 5, 11, 6, 12, 7, 1};
constexpr std::array<int, 12> kChikaBranch = {6, 7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5};
// 十死日, 帰忌日: by month mod 3 (months 1, 4, 7, 10 / 2, 5, 8, 11 / 3, 6, 9, 12).
constexpr std::array<int, 3> kJisshiBranch = {10, 6, 2};
constexpr std::array<int, 3> kKikoBranch = {2, 3, 1};
// 天火日, 月徳日: by month mod 4 (months 1, 5, 9 / 2, 6, 10 / 3, 7, 11 / 4, 8, 12).
constexpr std::array<int, 4> kTenkaBranch = {1, 4, 7, 10};
constexpr std::array<int, 4> kGettokuStem = {3, 1, 9, 7};

// 復日: the pair of stems of each month.
constexpr std::array<std::array<int, 2>, 12> kFukunichiStems = {{
    {1, 7}, {2, 8}, {5, 6}, {3, 9}, {4, 10}, {5, 6}, {1, 7}, {2, 8}, {5, 6}, {3, 9}, {4, 10}, {5, 6},
}};

struct CalamityRow {
    int lunar_month;
    int taika, rouseki, metsumon;
};
// Indexed by birth branch − 1.
constexpr std::array<CalamityRow, 12> kCalamity = {{
    {11, 10, 7, 4}, // 1
    {12, 5, 10, 11}, // 2 (and any other key)
    {1, 12, 1, 6},  // 3
    {2, 7, 4, 1},   // 4
    {3, 2, 7, 8},   // 5
    {4, 9, 10, 3},  // 6
    {5, 4, 1, 10},  // 7
    {6, 11, 4, 5},  // 8
    {7, 6, 7, 12},  // 9
    {8, 1, 10, 7},  // 10
    {9, 8, 1, 2},   // 11
    {10, 3, 4, 9},  // 12
}};

// 時下食: day branch and hour number by lunar month.
constexpr std::array<int, 12> kJigejikiBranch = {8, 11, 5, 3, 7, 1, 9, 10, 6, 12, 2, 4};
constexpr std::array<int, 12> kJigejikiHour = {12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};

constexpr std::array<int, 12> kSaigejikiSign = {14, 27, 4, 29, 54, 43, 44, 57, 34, 23, 48, 37};

const std::array<std::initializer_list<int>, 12> kKunieSigns = {{
    {28, 51},
    {16, 52, 58},
    {1, 2, 3, 4, 5, 9, 17, 21, 33, 41, 45, 57},
    {5, 8, 20, 32, 36, 43, 44, 55, 56, 60},
    {43, 55},
    {6, 43, 44, 54, 56},
    {22, 41, 57},
    {46, 52, 58},
    {11, 28, 29, 30, 31, 32, 33, 34, 35, 47, 51},
    {2, 6, 14, 25, 26, 35, 36, 38, 49, 50, 54, 60},
    {25, 43, 49},
    {25, 44, 49, 60},
}};

constexpr std::initializer_list<int> kKamiyoshiSigns = {2,  4,  6,  7,  9,  10, 14, 16, 18, 21, 22,
                                                        25, 28, 31, 33, 34, 36, 37, 38, 40, 42, 43,
                                                        44, 45, 46, 48, 49, 52, 55, 56, 57, 58, 60};
constexpr std::initializer_list<int> kDaimyoSigns = {6,  7,  8,  9,  10, 14, 16, 19, 21, 24, 29, 32, 39,
                                                     41, 42, 43, 44, 46, 47, 48, 53, 55, 56, 57, 58};

bool Contains(std::initializer_list<int> set, int value) {
    return std::find(set.begin(), set.end(), value) != set.end();
}

} // namespace

// Negative numbers (a hand-edited BirthEto) still name a stem or branch.
int StemOf(int cycle) {
    int s = (cycle % 10 + 10) % 10;
    return s == 0 ? 10 : s;
}

int BranchOf(int cycle) {
    int b = (cycle % 12 + 12) % 12;
    return b == 0 ? 12 : b;
}

bool IsJushi(int month, int day_branch) { return kJushiBranch[MonthRow(month)] == day_branch; }
bool IsJisshi(int month, int day_branch) { return kJisshiBranch[MonthRow(month) % 3] == day_branch; }

bool IsGobo(int birth_branch, int day_sign) {
    int b = BranchOf(birth_branch);
    int element = kBranchElement[static_cast<std::size_t>(b - 1)];
    return kGoboSign[static_cast<std::size_t>(element - 1)] == day_sign;
}

bool IsKiko(int month, int day_branch) { return kKikoBranch[MonthRow(month) % 3] == day_branch; }
bool IsChiimi(int month, int day_branch) { return kChiimiBranch[MonthRow(month)] == day_branch; }
bool IsJunichi(int day_branch) { return day_branch == 6 || day_branch == 12; }

bool IsFukunichi(int month, int day_stem) {
    std::size_t row = month >= 1 && month <= 12 ? static_cast<std::size_t>(month - 1) : 4;
    const auto& pair = kFukunichiStems[row];
    return pair[0] == day_stem || pair[1] == day_stem;
}

bool IsTenka(int month, int day_branch) { return kTenkaBranch[MonthRow(month) % 4] == day_branch; }
bool IsChika(int month, int day_branch) { return kChikaBranch[MonthRow(month)] == day_branch; }

bool CheckMonthlyCalamity(int birth_branch, int lunar_month, int day_branch, MonthlyCalamity& out) {
    // Keys 1 … 12 have their own rows; every other key takes the row of key 2.
    std::size_t row = birth_branch >= 1 && birth_branch <= 12 ? static_cast<std::size_t>(birth_branch - 1) : 1;
    const CalamityRow& r = kCalamity[row];
    out = MonthlyCalamity{};
    if (r.lunar_month != lunar_month) return false;
    out.taika = r.taika == day_branch;
    out.rouseki = r.rouseki == day_branch;
    out.metsumon = r.metsumon == day_branch;
    return out.taika || out.rouseki || out.metsumon;
}

int JigejikiHour(int lunar_month, int day_branch) {
    std::size_t row = MonthRow(lunar_month);
    return kJigejikiBranch[row] == day_branch ? kJigejikiHour[row] : -1;
}

bool IsSaigejiki(int year_branch, int day_sign) {
    if (year_branch < 1 || year_branch > 12) return false;
    return kSaigejikiSign[static_cast<std::size_t>(year_branch - 1)] == day_sign;
}

bool IsKunie(int month, int day_sign) { return Contains(kKunieSigns[MonthRow(month)], day_sign); }
bool IsKamiyoshi(int day_sign) { return Contains(kKamiyoshiSigns, day_sign); }
bool IsDaimyo(int day_sign) { return Contains(kDaimyoSigns, day_sign); }
bool IsKishuku(int mansion) { return mansion == 23; }
bool IsGettoku(int month, int day_stem) { return kGettokuStem[MonthRow(month) % 4] == day_stem; }

} // namespace almanac

