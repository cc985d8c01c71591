// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/national_holidays.h"

namespace host {

std::vector<CivilDate> NationalHolidayDates(int year, const EquinoxDays& equinoxes) {
    std::vector<CivilDate> dates;
    for (const almanac::NationalHoliday& holiday : almanac::NationalHolidays(year, equinoxes))
        dates.push_back({year, holiday.month, holiday.day});
    return dates;
}

} // namespace host
