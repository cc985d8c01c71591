// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/print_setup.h"

#include "almanac/calendar_math.h"
#include "almanac/day_file.h"
#include "config/config_file.h"
#include "config/holidays.h"
#include "config/setting_keys.h"
#include "config/settings.h"
#include "pictures/builtin_bitmaps.h"

namespace print {
namespace {

constexpr const char* kConfigFileName = "Kalvorin.CFG";

} // namespace

void LoadPrintState(const std::filesystem::path& host_folder, pages::PrintState& state, base::Reporter& reporter) {
    state.host_folder = host_folder;
    state.reporter = &reporter;
    const config::ConfigFile file(host_folder / kConfigFileName, &reporter);
    state.settings = config::LoadSettings(file, host_folder);
    state.eras = config::EraTable(state.settings.era_name, state.settings.era_first_year);
    state.face_name = state.settings.font_name;
    state.font_height = state.settings.font_height;
    for (int n = 0; n < static_cast<int>(state.day_number_bitmaps.size()); ++n)
        state.day_number_bitmaps[static_cast<std::size_t>(n)] =
            pictures::BuiltinBitmap(pictures::DayNumberBitmapName(n));
    config::LoadHolidays(file, state.year, state.holidays);
}

void SetToday(pages::PrintState& state, int year, int month, int day) {
    state.today_year = state.year = year;
    state.today_month = state.month = month;
    state.today_day = day;
    state.from_month = state.to_month = month;
}

std::filesystem::path ConfigPath(const std::filesystem::path& host_folder) {
    return host_folder / kConfigFileName;
}

void LoadYearHolidays(pages::PrintState& state) {
    base::RecordingReporter quiet;
    const config::ConfigFile file(ConfigPath(state.host_folder), state.reporter ? state.reporter : &quiet);
    config::LoadHolidays(file, state.year, state.holidays);
}

bool HasYearHolidays(const pages::PrintState& state) {
    base::RecordingReporter quiet; // a file that cannot be read is told by the loaders
    const config::ConfigFile file(ConfigPath(state.host_folder), &quiet);
    return config::HasHolidaySection(file, state.year);
}

bool PrepareMonth(pages::PrintState& state, int month) {
    state.month = month;
    state.days_in_month = almanac::DaysInMonth(state.year, month);
    base::RecordingReporter quiet;
    base::Reporter& reporter = state.reporter ? *state.reporter : quiet;
    if (!state.place_fixed) {
        // The place is the host's: read it again for every month drawn.
        const config::ConfigFile file(ConfigPath(state.host_folder), &quiet);
        const config::ConfigFile::ReadScope scope(file);
        for (const config::SettingKey& row : config::SettingKeys())
            if (row.key == "IDO" || row.key == "KEIDO" || row.key == "HYOUKOU")
                config::ReadSetting(row, file, state.settings);
    }
    const almanac::DayFile day_file(state.host_folder / almanac::kDayFileName);
    return day_file.LoadMonth(state.days, state.year, month, state.days_in_month, reporter);
}

} // namespace print
