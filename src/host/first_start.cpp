// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/first_start.h"

#include "almanac/calendar_math.h"
#include "base/i18n.h"
#include "host/day_calendar.h"
#include "host/day_file.h"

#include <algorithm>
#include <utility>

namespace host {

const std::array<PrefecturalCapital, 47>& PrefecturalCapitals() {
    static const std::array<PrefecturalCapital, 47> capitals = {{
        {"北海道", "札幌市", 43.0642, 141.3469, 17},     {"青森県", "青森市", 40.8244, 140.7400, 3},
        {"岩手県", "盛岡市", 39.7036, 141.1527, 130},    {"宮城県", "仙台市", 38.2688, 140.8721, 40},
        {"秋田県", "秋田市", 39.7186, 140.1024, 10},     {"山形県", "山形市", 38.2404, 140.3633, 150},
        {"福島県", "福島市", 37.7500, 140.4678, 70},     {"茨城県", "水戸市", 36.3418, 140.4468, 30},
        {"栃木県", "宇都宮市", 36.5657, 139.8836, 120},  {"群馬県", "前橋市", 36.3907, 139.0604, 110},
        {"埼玉県", "さいたま市", 35.8570, 139.6489, 10}, {"千葉県", "千葉市", 35.6051, 140.1233, 10},
        {"東京都", "新宿区", 35.6895, 139.6917, 40},     {"神奈川県", "横浜市", 35.4478, 139.6425, 10},
        {"新潟県", "新潟市", 37.9022, 139.0236, 5},      {"富山県", "富山市", 36.6953, 137.2113, 10},
        {"石川県", "金沢市", 36.5947, 136.6256, 30},     {"福井県", "福井市", 36.0652, 136.2216, 10},
        {"山梨県", "甲府市", 35.6642, 138.5684, 270},    {"長野県", "長野市", 36.6513, 138.1810, 370},
        {"岐阜県", "岐阜市", 35.3912, 136.7223, 15},     {"静岡県", "静岡市", 34.9769, 138.3831, 15},
        {"愛知県", "名古屋市", 35.1802, 136.9066, 15},   {"三重県", "津市", 34.7303, 136.5086, 5},
        {"滋賀県", "大津市", 35.0045, 135.8686, 90},     {"京都府", "京都市", 35.0212, 135.7556, 50},
        {"大阪府", "大阪市", 34.6863, 135.5200, 20},     {"兵庫県", "神戸市", 34.6913, 135.1830, 20},
        {"奈良県", "奈良市", 34.6851, 135.8329, 100},    {"和歌山県", "和歌山市", 34.2260, 135.1675, 10},
        {"鳥取県", "鳥取市", 35.5039, 134.2377, 10},     {"島根県", "松江市", 35.4723, 133.0505, 10},
        {"岡山県", "岡山市", 34.6618, 133.9344, 5},      {"広島県", "広島市", 34.3966, 132.4596, 5},
        {"山口県", "山口市", 34.1859, 131.4714, 20},     {"徳島県", "徳島市", 34.0657, 134.5593, 5},
        {"香川県", "高松市", 34.3401, 134.0434, 5},      {"愛媛県", "松山市", 33.8416, 132.7657, 30},
        {"高知県", "高知市", 33.5597, 133.5311, 5},      {"福岡県", "福岡市", 33.6064, 130.4181, 5},
        {"佐賀県", "佐賀市", 33.2494, 130.2988, 5},      {"長崎県", "長崎市", 32.7448, 129.8737, 10},
        {"熊本県", "熊本市", 32.7898, 130.7417, 20},     {"大分県", "大分市", 33.2382, 131.6126, 5},
        {"宮崎県", "宮崎市", 31.9111, 131.4239, 10},     {"鹿児島県", "鹿児島市", 31.5602, 130.5581, 5},
        {"沖縄県", "那覇市", 26.2124, 127.6809, 10},
    }};
    return capitals;
}

int BirthYearCycle(int year, int month, int day) {
    if (year < 1901 || year > 2100 || month < 1 || month > 12 || day < 1 || day > almanac::DaysInMonth(year, month))
        return 0;
    // The almanac of that one year holds the year sign of each of its days.
    const DayCalendar calendar(year, year);
    const almanac::DayRecord* record = calendar.Find(year, month, day);
    return record ? record->YearCycle : 0;
}

std::string MakeNewHostFolder(HostFolderOptions options, int /*this_year*/) {
    // The same folder as `kalvorin-host init` makes for the same answers: every year's
    // holidays, not only those around the year of the first start.
    return MakeFullHostFolder(std::move(options));
}

} // namespace host
