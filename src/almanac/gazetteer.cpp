// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/gazetteer.h"

#include <algorithm>
#include <cctype>

namespace almanac {

// The prefectural offices of the 47 prefectures, from north to south by prefecture code.
//
// Latitude and longitude: the table of the prefectural offices' positions (都道府県庁の経緯度,
// 世界測地系) published by the Geospatial Information Authority of Japan (国土地理院, GSI), to
// the second of arc as that table gives them.
//
// Height: GSI's table gives none. These are approximate ground heights of the office sites
// in metres, rounded to 5 m below 50 m and to 10 m above: the accuracy that matters here,
// since sunrise and sunset move only for heights of 50 m and more, in bands tens of metres
// wide. A user who knows better gives --place LAT,LON,HEIGHT.
const std::array<GazetteerPlace, 47> PrefecturalCapitals = {{
    {"sapporo", "札幌", "北海道", {43, 3, 51}, {141, 20, 49}, 20},
    {"aomori", "青森", "青森県", {40, 49, 28}, {140, 44, 24}, 5},
    {"morioka", "盛岡", "岩手県", {39, 42, 13}, {141, 9, 9}, 130},
    {"sendai", "仙台", "宮城県", {38, 16, 8}, {140, 52, 19}, 40},
    {"akita", "秋田", "秋田県", {39, 43, 5}, {140, 6, 12}, 10},
    {"yamagata", "山形", "山形県", {38, 14, 26}, {140, 21, 48}, 150},
    {"fukushima", "福島", "福島県", {37, 45, 0}, {140, 28, 4}, 70},
    {"mito", "水戸", "茨城県", {36, 20, 29}, {140, 26, 48}, 30},
    {"utsunomiya", "宇都宮", "栃木県", {36, 33, 57}, {139, 53, 1}, 120},
    {"maebashi", "前橋", "群馬県", {36, 23, 28}, {139, 3, 39}, 110},
    {"saitama", "さいたま", "埼玉県", {35, 51, 25}, {139, 38, 56}, 10},
    {"chiba", "千葉", "千葉県", {35, 36, 17}, {140, 7, 24}, 5},
    {"tokyo", "東京", "東京都", {35, 41, 22}, {139, 41, 30}, 40},
    {"yokohama", "横浜", "神奈川県", {35, 26, 52}, {139, 38, 33}, 5},
    {"niigata", "新潟", "新潟県", {37, 54, 8}, {139, 1, 25}, 5},
    {"toyama", "富山", "富山県", {36, 41, 43}, {137, 12, 41}, 10},
    {"kanazawa", "金沢", "石川県", {36, 35, 40}, {136, 37, 32}, 30},
    {"fukui", "福井", "福井県", {36, 3, 55}, {136, 13, 19}, 10},
    {"kofu", "甲府", "山梨県", {35, 39, 50}, {138, 34, 6}, 270},
    {"nagano", "長野", "長野県", {36, 39, 5}, {138, 10, 52}, 370},
    {"gifu", "岐阜", "岐阜県", {35, 23, 28}, {136, 43, 20}, 15},
    {"shizuoka", "静岡", "静岡県", {34, 58, 37}, {138, 22, 59}, 15},
    {"nagoya", "名古屋", "愛知県", {35, 10, 49}, {136, 54, 24}, 15},
    {"tsu", "津", "三重県", {34, 43, 49}, {136, 30, 31}, 5},
    {"otsu", "大津", "滋賀県", {35, 0, 16}, {135, 52, 6}, 90},
    {"kyoto", "京都", "京都府", {35, 1, 17}, {135, 45, 20}, 45},
    {"osaka", "大阪", "大阪府", {34, 41, 11}, {135, 31, 12}, 20},
    {"kobe", "神戸", "兵庫県", {34, 41, 29}, {135, 10, 59}, 20},
    {"nara", "奈良", "奈良県", {34, 41, 7}, {135, 49, 58}, 90},
    {"wakayama", "和歌山", "和歌山県", {34, 13, 34}, {135, 10, 3}, 5},
    {"tottori", "鳥取", "鳥取県", {35, 30, 13}, {134, 14, 18}, 10},
    {"matsue", "松江", "島根県", {35, 28, 20}, {133, 3, 2}, 5},
    {"okayama", "岡山", "岡山県", {34, 39, 42}, {133, 56, 6}, 5},
    {"hiroshima", "広島", "広島県", {34, 23, 47}, {132, 27, 34}, 5},
    {"yamaguchi", "山口", "山口県", {34, 11, 9}, {131, 28, 17}, 30},
    {"tokushima", "徳島", "徳島県", {34, 3, 57}, {134, 33, 34}, 5},
    {"takamatsu", "高松", "香川県", {34, 20, 25}, {134, 2, 36}, 5},
    {"matsuyama", "松山", "愛媛県", {33, 50, 30}, {132, 45, 58}, 30},
    {"kochi", "高知", "高知県", {33, 33, 35}, {133, 31, 52}, 5},
    {"fukuoka", "福岡", "福岡県", {33, 36, 23}, {130, 25, 5}, 5},
    {"saga", "佐賀", "佐賀県", {33, 14, 58}, {130, 17, 56}, 5},
    {"nagasaki", "長崎", "長崎県", {32, 44, 41}, {129, 52, 25}, 5},
    {"kumamoto", "熊本", "熊本県", {32, 47, 23}, {130, 44, 30}, 30},
    {"oita", "大分", "大分県", {33, 14, 17}, {131, 36, 45}, 5},
    {"miyazaki", "宮崎", "宮崎県", {31, 54, 40}, {131, 25, 26}, 10},
    {"kagoshima", "鹿児島", "鹿児島県", {31, 33, 37}, {130, 33, 29}, 5},
    {"naha", "那覇", "沖縄県", {26, 12, 45}, {127, 40, 52}, 10},
}};

double GazetteerPlace::Angle::degrees() const {
    return deg + min / 60.0 + sec / 3600.0;
}

Place GazetteerPlace::place() const {
    return Place{latitude.degrees(), longitude.degrees(), static_cast<double>(height)};
}

const GazetteerPlace* FindCapital(std::string_view name) {
    auto lower = [](std::string_view s) {
        std::string out(s);
        std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
        return out;
    };
    const std::string key = lower(name);
    for (const GazetteerPlace& p : PrefecturalCapitals) {
        if (key == p.romaji || name == p.city || name == std::string(p.city) + "市" || name == p.prefecture) return &p;
    }
    return nullptr;
}

} // namespace almanac
