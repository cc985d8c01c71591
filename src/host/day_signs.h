// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cyclic signs of a day: sexagenary numbers of day and year, 六曜, 二十八宿, 十二直.
// Sexagenary numbers count from 1 = 甲子; stems from 1 = 甲, branches from 1 = 子.

namespace host {

int DayCycleOfJdn(int jdn);                    // 1 … 60; 2000-01-01 is 55 (戊午)
int YearCycleOfYear(int year);                 // 1 … 60 for the year that begins at that year's 立春
int StemOfCycle(int cycle);                    // 1 甲 … 10 癸
int BranchOfCycle(int cycle);                  // 1 子 … 12 亥
int MansionOfJdn(int jdn);                     // file numbering: 1 角 … 28 軫; 2000-01-01 is 胃 (17)
int RokuyoOf(int lunar_month, int lunar_day);  // file numbering: 1 先勝 … 6 赤口
int BranchOfSolarMonth(int solar_month);       // 1 寅 (3) … 11 子 (1), 12 丑 (2)
int OfficerOf(int solar_month, int day_cycle); // file numbering: 1 開, 2 閉, 3 建 … 12 納

} // namespace host
