#include "host/holiday_writer.h"

#include "config/holidays.h"
#include "host/event_search.h"

namespace host {

EquinoxDays ComputeEquinoxDays(int year) {
    const double vernal = FindSolarLongitude(0.0, JdnFromCivil({year, 3, 20}));
    const double autumnal = FindSolarLongitude(180.0, JdnFromCivil({year, 9, 23}));
    return {CivilFromJdn(JstJdnOf(vernal)).day, CivilFromJdn(JstJdnOf(autumnal)).day};
}

std::string WriteNationalHolidays(config::ConfigFile& file, int from, int to) {
    for (int year = from; year <= to; ++year) {
        const std::vector<CivilDate> holidays = NationalHolidays(year, ComputeEquinoxDays(year));
        if (holidays.empty()) continue; // before the law: no section to write
        config::HolidayTable table;
        config::LoadHolidays(file, year, table);
        for (const CivilDate& date : holidays) {
            table.Mark(date.month, date.day, true);
        }
        if (!config::SaveHolidays(file, year, table)) {
            return "cannot write the holidays of " + std::to_string(year) + " to " + file.path().string();
        }
    }
    return {};
}

} // namespace host
