// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/kanji_numbers.h"

#include <algorithm>

namespace base {

const std::array<std::string_view, 32> KanjiNumerals = {
    "〇",   "一",   "二",   "三",   "四",   "五",   "六",   "七",   "八",   "九",   "十",
    "十一", "十二", "十三", "十四", "十五", "十六", "十七", "十八", "十九", "廿",   "廿一",
    "廿二", "廿三", "廿四", "廿五", "廿六", "廿七", "廿八", "廿九", "卅",   "卅一",
};

namespace {
std::string_view Digit(int d) { return KanjiNumerals[static_cast<std::size_t>(d % 10)]; }
} // namespace

std::string FormatYearKanji(int year) {
    int y = year < 0 ? -year : year;
    y %= 10000;
    std::string s;
    s += Digit(y / 1000);
    s += Digit(y / 100 % 10);
    s += Digit(y / 10 % 10);
    s += Digit(y % 10);
    return s;
}

std::string FormatNumberKanji(int n) {
    n = std::clamp(n, 0, 999);
    std::string s;
    int hundreds = n / 100, tens = n / 10 % 10, units = n % 10;
    if (hundreds != 0) s += Digit(hundreds);
    if (tens != 0)
        s += Digit(tens);
    else
        s += hundreds != 0 ? "〇" : "　";
    s += Digit(units);
    return s;
}

std::string NumberToKanji(int n) {
    if (n < 0) return std::string(KanjiNumerals[0]);
    if (n <= 10) return std::string(KanjiNumerals[static_cast<std::size_t>(n)]);
    std::string s;
    if (n < 20) {
        s += "十";
        s += Digit(n % 10);
    } else if (n < 100) {
        s += Digit(n / 10);
        s += Digit(n % 10);
    } else if (n < 1000) {
        s += Digit(n / 100);
        s += Digit(n / 10 % 10);
        s += Digit(n % 10);
    } else {
        s += Digit(n / 1000 % 10);
        s += Digit(n / 100 % 10);
        s += Digit(n / 10 % 10);
        s += Digit(n % 10);
    }
    return s;
}

} // namespace base
