// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/name_tables.h"

namespace almanac {

const std::array<std::string_view, 7> WeekdayNames = {"日", "月", "火", "水", "木", "金", "土"};

const std::array<std::string_view, 7> WeekdayNamesLatin = {"Sun", "Mon", "TUE", "WED", "THU", "FRI", "SAT"};

const std::array<std::string_view, 12> MonthOldNames = {
    "睦月", "如月", "弥生", "卯月", "皐月", "水無月", "文月", "葉月", "長月", "神無月", "霜月", "師走",
};

const std::array<std::string_view, 12> MonthOldNameReadings = {
    "むづき", "きさらぎ", "やよい", "うづき", "さつき", "みなづき",
    "ふみづき", "はづき", "ながつき", "かみなづき", "しもつき", "しわす",
};

const std::array<std::string_view, 12> LunarMonthNames = {
    "正月", "二月", "三月", "四月", "五月", "六月", "七月", "八月", "九月", "十月", "十一月", "十二月",
};

const std::array<std::string_view, 24> SolarTermSeasons = {
    "春　正月節　", "春　正月中　", "春　二月節　", "春　二月中　", "春　三月節　", "春　三月中　",
    "夏　四月節　", "夏　四月中　", "夏　五月節　", "夏　五月中　", "夏　六月節　", "夏　六月中　",
    "秋　七月節　", "秋　七月中　", "秋　八月節　", "秋　八月中　", "秋　九月節　", "秋　九月中　",
    "冬　十月節　", "冬　十月中　", "冬　十一月節　", "冬　十一月中　", "冬　十二月節　", "冬　十二月中　",
};

const std::array<std::string_view, 24> SolarTermNames = {
    "立春", "雨水", "啓蟄", "春分", "清明", "穀雨", "立夏", "小満", "芒種", "夏至", "小暑", "大暑",
    "立秋", "処暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至", "小寒", "大寒",
};

const std::array<std::string_view, 12> BranchNames = {
    "子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥",
};

const std::array<std::string_view, 10> StemNames = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};

const std::array<std::string_view, 6> RokuyoNames = {"先勝", "友引", "先負", "仏滅", "大安", "赤口"};

// The character that tells each apart where a name has no room (先勝 and 先負 share the first).
const std::array<std::string_view, 6> RokuyoShortNames = {"勝", "友", "負", "仏", "安", "赤"};

const std::array<std::string_view, 12> ClockNames = {
    "夜零時", "夜二時", "夜四時", "朝六時", "朝八時", "朝十時", "正午", "昼二時", "夕四時", "夕六時", "夜八時", "夜十時",
};

} // namespace almanac
