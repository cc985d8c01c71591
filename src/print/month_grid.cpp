// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/month_grid.h"

#include "almanac/calendar_math.h"
#include "config/config_file.h"
#include "config/host_location.h"
#include "config/settings.h"

namespace print {

int GridColumn(int weekday, int start_weekday) {
    return start_weekday == 0 ? weekday : (weekday + 6) % 7;
}

std::optional<MonthGrid> BuildMonthGrid(const MonthGridRequest& request, base::Reporter& reporter) {
    MonthGrid grid;
    grid.year = request.year;
    grid.month = request.month;
    if (request.start_weekday) {
        grid.start_weekday = *request.start_weekday;
    } else {
        const config::ConfigFile cfg(request.host_folder / config::kConfigFileName, &reporter);
        grid.start_weekday = config::LoadSettings(cfg, request.host_folder).start_weekday;
    }
    NotesRequest notes;
    notes.host_folder = request.host_folder;
    notes.from = {request.year, request.month, 1};
    notes.to = {request.year, request.month, almanac::DaysInMonth(request.year, request.month)};
    notes.birth_eto = request.birth_eto;
    notes.notes = *almanac::ParseNoteList("rokuyo,terms,seasonal,named,holidays", nullptr);
    const bool ok = ForEachDayNotes(notes, reporter, [&](const CivilDay& d, const std::vector<almanac::DayNote>& day) {
        GridDay cell;
        cell.day = d.day;
        cell.weekday = almanac::Weekday(d.year, d.month, d.day);
        for (const almanac::DayNote& note : day) {
            switch (note.kind) {
            case almanac::NoteKind::kRokuyo:
                cell.rokuyo = note.summary;
                continue;
            case almanac::NoteKind::kTerms:
                cell.term = true;
                break;
            case almanac::NoteKind::kNamed:
                cell.lucky = note.lucky;
                cell.unlucky = note.unlucky;
                break;
            case almanac::NoteKind::kHolidays:
                cell.holiday = true;
                break;
            default:
                break;
            }
            // The holiday's name first: a list cut to its line keeps it.
            if (note.kind == almanac::NoteKind::kHolidays)
                cell.notes = note.summary + (cell.notes.empty() ? "" : "・" + cell.notes);
            else
                cell.notes += (cell.notes.empty() ? "" : "・") + note.summary;
        }
        const int column = GridColumn(cell.weekday, grid.start_weekday);
        if (grid.weeks.empty() || column == 0) grid.weeks.emplace_back();
        grid.weeks.back()[static_cast<std::size_t>(column)] = std::move(cell);
        return true;
    });
    if (!ok) return std::nullopt;
    return grid;
}

} // namespace print
