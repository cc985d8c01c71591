// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/holiday_writer.h"

#include "base/i18n.h"
#include "config/edit_set.h"
#include "config/holidays.h"
#include "host/event_search.h"

namespace host {

EquinoxDays ComputeEquinoxDays(int year) {
    const double vernal = FindSolarLongitude(0.0, JdnFromCivil({year, 3, 20}));
    const double autumnal = FindSolarLongitude(180.0, JdnFromCivil({year, 9, 23}));
    return {CivilFromJdn(JstJdnOf(vernal)).day, CivilFromJdn(JstJdnOf(autumnal)).day};
}

std::string WriteNationalHolidays(config::ConfigFile& file, int from, int to, bool* changed) {
    // The edits of a holiday editor that marked the national holidays on empty pages: each
    // month's marks are added to its value as the file holds it under the lock.
    bool any_change = false;
    config::EditSet edits;
    for (int year = from; year <= to; ++year) {
        const std::vector<CivilDate> holidays = NationalHolidayDates(year, ComputeEquinoxDays(year));
        if (holidays.empty()) continue; // before the law: no section to write
        config::HolidayTable national;
        for (const CivilDate& date : holidays)
            national.Mark(date.month, date.day, true);
        const config::EditSet year_edits = config::HolidayEdits(year, {}, national);
        for (const config::ConfigFile::Edit& edit : year_edits.edits()) {
            edits.Rewrite(edit.section, edit.key,
                          [rewrite = edit.rewrite, &any_change](const std::optional<std::string>& current) {
                              std::string value = rewrite(current);
                              any_change = any_change || !current || value != *current;
                              return value;
                          });
        }
    }
    if (!edits.WriteTo(file)) {
        return base::Format(_("cannot write the holidays of %d … %d to %s"), from, to, file.path().c_str());
    }
    if (changed) *changed = any_change;
    return {};
}

} // namespace host
