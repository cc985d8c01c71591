// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/notes_run.h"

#include "almanac/birth_sign.h"
#include "almanac/calendar_math.h"
#include "almanac/day_file.h"
#include "almanac/national_holidays.h"
#include "base/i18n.h"
#include "config/config_file.h"
#include "config/holidays.h"
#include "config/host_location.h"
#include "config/settings.h"

#include <cstdio>

namespace print {

CivilDay NextDay(CivilDay d) {
    if (++d.day > almanac::DaysInMonth(d.year, d.month)) {
        d.day = 1;
        if (++d.month > 12) {
            d.month = 1;
            ++d.year;
        }
    }
    return d;
}

bool ForEachDayNotes(const NotesRequest& request, base::Reporter& reporter, const DayNotesFn& each) {
    const config::ConfigFile cfg(request.host_folder / config::kConfigFileName, &reporter);
    const config::Settings settings = config::LoadSettings(cfg, request.host_folder);
    const int birth_eto = request.birth_eto != 0 ? request.birth_eto : settings.birth_eto;
    std::optional<almanac::Place> place = request.place;
    if (!place && settings.names_place())
        place = almanac::Place{settings.latitude, settings.longitude, static_cast<double>(settings.elevation)};
    if (!place && request.notes.test(static_cast<std::size_t>(almanac::NoteKind::kSun)))
        reporter.ShowMessage(settings.place_damaged
                                 ? _("no sunrise and sunset: Kalvorin.CFG's place is damaged (IDO needs a number from "
                                     "-90 to 90, KEIDO one from -180 to 180, both given); give one for the run")
                                 : _("no sunrise and sunset: Kalvorin.CFG names no place (IDO, KEIDO); give one for "
                                     "the run"),
                             base::kNoteCaption);

    if (request.notes.test(static_cast<std::size_t>(almanac::NoteKind::kFortune)))
        almanac::HasBirthSign(birth_eto, reporter);

    const almanac::DayFile file(request.host_folder / almanac::kDayFileName);
    almanac::MonthDays days{};
    config::HolidayTable holidays;
    // The national holidays of the year, which name the days marked in the holiday table
    // (a day the user marked is "休日").
    std::vector<almanac::NationalHoliday> national;
    const bool name_holidays = request.notes.test(static_cast<std::size_t>(almanac::NoteKind::kHolidays));
    int loaded_month = 0, loaded_year = 0;
    for (CivilDay d = request.from; d.key() <= request.to.key(); d = NextDay(d)) {
        if (d.year != loaded_year) {
            config::LoadHolidays(cfg, d.year, holidays);
            if (name_holidays) {
                const std::optional<almanac::EquinoxDays> equinoxes = almanac::EquinoxDaysIn(file, d.year, reporter);
                if (!equinoxes) return false;
                national = almanac::NationalHolidays(d.year, *equinoxes);
            }
            loaded_year = d.year;
        }
        if (d.year * 100 + d.month != loaded_month) {
            if (!file.LoadMonth(days, d.year, d.month, almanac::DaysInMonth(d.year, d.month), reporter)) return false;
            loaded_month = d.year * 100 + d.month;
        }
        const almanac::DayRecord& record = days[static_cast<std::size_t>(d.day)];
        if (record.Date != d.key()) {
            reporter.ShowMessage(
                base::Format(_("%s holds no record of %04d-%02d-%02d"), file.path().c_str(), d.year, d.month, d.day),
                "Error");
            return false;
        }
        almanac::NoteDay note_day;
        note_day.day = &record;
        note_day.before = &days[static_cast<std::size_t>(d.day - 1)];
        note_day.month_year_cycle = days[1].YearCycle;
        note_day.birth_eto = birth_eto;
        if (holidays.IsMarked(d.month, d.day)) note_day.holiday = almanac::HolidayName(national, d.month, d.day);
        note_day.place = place;
        if (!each(d, almanac::NotesOfDay(note_day, request.notes))) return false;
    }
    return true;
}

} // namespace print
