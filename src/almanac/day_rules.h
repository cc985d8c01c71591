// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of the named days that are not stored in the day file: pure functions of the
// day's sexagenary sign, stem and branch, the solar or lunar month, the year branch and
// the user's birth branch. Stems count from 甲 = 1, branches from 子 = 1, signs from
// 甲子 = 1. A month key outside 1 … 12 takes the row of month 12 (IsFukunichi: the row of
// months 5 and 11).

namespace almanac {

// Stem of a sexagenary number: n mod 10 with 0 read as 10 (1 … 10 for any n).
int StemOf(int cycle);
// Branch of a sexagenary number (or of BirthEto): n mod 12 with 0 read as 12 (1 … 12 for any n).
int BranchOf(int cycle);

bool IsJushi(int month, int day_branch);         // 受死日(黒日)
bool IsJisshi(int month, int day_branch);        // 十死日
bool IsGobo(int birth_branch, int day_sign);     // 五墓日
bool IsKiko(int month, int day_branch);          // 帰忌日
bool IsChiimi(int month, int day_branch);        // 血忌日
bool IsJunichi(int day_branch);                  // 重日
bool IsFukunichi(int month, int day_stem);       // 復日
bool IsTenka(int month, int day_branch);         // 天火日
bool IsChika(int month, int day_branch);         // 地火日

struct MonthlyCalamity {
    bool taika = false;   // 大禍日
    bool rouseki = false; // 浪藉日
    bool metsumon = false; // 滅門日
};
// 大禍日, 浪藉日, 滅門日: the birth branch picks a lunar month; only in that month are the
// three days named by the day branch. Returns whether any of them applies.
bool CheckMonthlyCalamity(int birth_branch, int lunar_month, int day_branch, MonthlyCalamity& out);

// 時下食: the hour number 1 … 12 when the day branch is the lunar month's, else −1.
int JigejikiHour(int lunar_month, int day_branch);

bool IsSaigejiki(int year_branch, int day_sign); // 歳下食
bool IsKunie(int month, int day_sign);           // 凶会日
bool IsKamiyoshi(int day_sign);                  // 神吉日
bool IsDaimyo(int day_sign);                     // 大明日
bool IsKishuku(int mansion);                     // 鬼宿日
bool IsGettoku(int month, int day_stem);         // 月徳日

} // namespace almanac
