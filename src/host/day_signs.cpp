// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/day_signs.h"

#include <array>

namespace host {
namespace {

int Mod(int a, int n) {
    return ((a % n) + n) % n;
}

// (lunar month + lunar day) mod 6 → 大安, 赤口, 先勝, 友引, 先負, 仏滅, in the file's numbering
// (1 先勝, 2 友引, 3 先負, 4 仏滅, 5 大安, 6 赤口).
constexpr std::array<int, 6> kRokuyoByRemainder = {5, 6, 1, 2, 3, 4};

// 建 除 満 平 定 執 破 危 成 納 開 閉 (k = day branch − month branch) in the file's numbering
// (1 開, 2 閉, 3 建, 4 除, 5 満, 6 平, 7 定, 8 執, 9 破, 10 危, 11 成, 12 納).
constexpr std::array<int, 12> kOfficerByDistance = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2};

} // namespace

int DayCycleOfJdn(int jdn) {
    return Mod(jdn + 49, 60) + 1;
}
int YearCycleOfYear(int year) {
    return Mod(year - 4, 60) + 1;
}
int StemOfCycle(int cycle) {
    return Mod(cycle - 1, 10) + 1;
}
int BranchOfCycle(int cycle) {
    return Mod(cycle - 1, 12) + 1;
}

// One continuous cycle of 28 (牛 included), 角 always on a Thursday.
int MansionOfJdn(int jdn) {
    return Mod(jdn + 11, 28) + 1;
}

int RokuyoOf(int lunar_month, int lunar_day) {
    return kRokuyoByRemainder[Mod(lunar_month + lunar_day, 6)];
}

int BranchOfSolarMonth(int solar_month) {
    return Mod(solar_month + 1, 12) + 1;
}

// The 節 day already belongs to the new solar month, so the officer of the day before repeats on it.
int OfficerOf(int solar_month, int day_cycle) {
    return kOfficerByDistance[Mod(BranchOfCycle(day_cycle) - BranchOfSolarMonth(solar_month), 12)];
}

} // namespace host
