// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/list_texts.h"

#include "almanac/commentary_names.h"
#include "almanac/name_tables.h"
#include "almanac/sun_times.h"
#include "base/kanji_numbers.h"
#include "base/sjis.h"

namespace pages {
namespace {

constexpr std::string_view kWideSpace = "　";
constexpr std::string_view kBlankTerm = "　　　　　　　　　";
// The solar-term texts are padded to this many CP932 bytes.
constexpr std::size_t kTermBytes = 18;

std::string_view Numeral(int n) {
    return almanac::TableText(base::KanjiNumerals, n);
}

// A numeral of one character (two CP932 bytes) gets a full-width space so that the
// numerals of a column line up.
void AppendPadded(std::string& s, std::string_view numeral, bool space_before) {
    const bool one_character = base::Cp932Length(numeral) == 2;
    if (one_character && space_before) s += kWideSpace;
    s += numeral;
    if (one_character && !space_before) s += kWideSpace;
}

} // namespace

std::string ListDateText(int month, int day) {
    std::string s;
    AppendPadded(s, Numeral(month), false);
    s += "月";
    AppendPadded(s, Numeral(day), true);
    s += "日";
    return s;
}

std::string ListSolarTermText(const almanac::DayRecord& day, const almanac::DayRecord& day_before,
                              bool first_month_of_file) {
    if (first_month_of_file || day.SolarTerm == day_before.SolarTerm) return std::string(kBlankTerm);
    std::string s(almanac::TableText(almanac::SolarTermSeasons, day.SolarTerm - 1));
    s += almanac::TableText(almanac::SolarTermNames, day.SolarTerm - 1);
    if (base::Cp932Length(s) < kTermBytes) s += kWideSpace;
    return s;
}

std::string ListLunarDateText(int lunar_month, int lunar_day, bool leap) {
    std::string s;
    if (leap) {
        // "閏" takes the place of the month's padding; the date keeps its "日" whatever
        // its length, and a seven-character date is written smaller to fit the cell.
        s = "閏";
        s += lunar_month == 1 ? std::string_view("正") : Numeral(lunar_month);
        s += "月";
        AppendPadded(s, Numeral(lunar_day), true);
        s += "日";
        return s;
    }
    if (lunar_month == 1) {
        s = "　正月";
    } else {
        AppendPadded(s, Numeral(lunar_month), false);
        s += "月";
    }
    AppendPadded(s, Numeral(lunar_day), true);
    s += "日";
    return s;
}

std::string ListMansionText(int mansion) { return almanac::MansionName(mansion); }

std::string ListOfficerText(int officer) { return almanac::OfficerName(officer); }

std::string ListPentadText(int pentad) {
    if (pentad < 1 || pentad > 72) return {};
    std::string s;
    if (pentad < 30) {
        s = Numeral(pentad); // 一 … 十, 十一 … 十九, 廿 … 廿九 are the table's own entries
    } else {
        s = Numeral(pentad / 10);
        s += pentad % 10 == 0 ? "十" : Numeral(pentad % 10);
    }
    if (base::Cp932Length(s) == 2) s.insert(0, kWideSpace);
    return s;
}

std::string ListSunTimeText(double hours) {
    if (hours < 0) return {};
    const almanac::ClockTime t = almanac::SplitSunTime(hours);
    return base::NumberToKanji(t.hour) + "時" + base::NumberToKanji(t.minute) + "分";
}

} // namespace pages
