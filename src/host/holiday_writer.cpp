// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/holiday_writer.h"

#include "base/i18n.h"
#include "config/holidays.h"
#include "host/event_search.h"

namespace host {

EquinoxDays ComputeEquinoxDays(int year) {
    const double vernal = FindSolarLongitude(0.0, JdnFromCivil({year, 3, 20}));
    const double autumnal = FindSolarLongitude(180.0, JdnFromCivil({year, 9, 23}));
    return {CivilFromJdn(JstJdnOf(vernal)).day, CivilFromJdn(JstJdnOf(autumnal)).day};
}

std::string WriteNationalHolidays(config::ConfigFile& file, int from, int to) {
    // Every year in one replacement of the file: init writes two centuries of them.
    std::vector<config::ConfigFile::Entry> entries;
    {
        const config::ConfigFile::ReadScope one_version(file);
        for (int year = from; year <= to; ++year) {
            const std::vector<CivilDate> holidays = NationalHolidays(year, ComputeEquinoxDays(year));
            if (holidays.empty()) continue; // before the law: no section to write
            config::HolidayTable table;
            config::LoadHolidays(file, year, table);
            for (const CivilDate& date : holidays) {
                table.Mark(date.month, date.day, true);
            }
            for (config::ConfigFile::Entry& entry : config::HolidayEntries(year, table))
                entries.push_back(std::move(entry));
        }
    }
    if (!entries.empty() && !file.WriteStrings(entries)) {
        return base::Format(_("cannot write the holidays of %d … %d to %s"), from, to, file.path().c_str());
    }
    return {};
}

} // namespace host
