// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "almanac/birth_sign.h"
#include "almanac/day_file.h"
#include "base/i18n.h"
#include "config/config_file.h"
#include "config/settings.h"
#include "print/print_setup.h"

#include <gdk/gdk.h>
#include <glib.h>

#include <algorithm>
#include <ctime>

namespace app {

void SetProgramIdentity() {
    g_set_prgname(kApplicationId);
    gdk_set_program_class(kApplicationId);
}

Today SystemToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return Today{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

// The commands given are ones that run as they stand but for the birth date: init refuses
// a folder without the birth year (--born or --eto). Lines are broken with "\r", as the
// message box breaks them.
std::string NoHostFolderHelp(const std::filesystem::path& folder) {
    std::string help =
        folder.empty()
            ? std::string(_("No host folder could be named: neither --home DIR, $KALVORIN_HOME, the program's folder "
                            "nor the home folder is known.\nMake one with your birth date:\n"
                            "kalvorin-host init DIR --born YYYY-MM-DD\nthen start: qelmarin --home DIR"))
            : base::Format(_("Kalvorin.CFG was looked for in %s\nMake a host folder there with your birth date:\n"
                             "kalvorin-host init %s --born YYYY-MM-DD\n"
                             "(or start with --home DIR, or set KALVORIN_HOME to a host folder)"),
                           folder.c_str(), folder.c_str());
    std::replace(help.begin(), help.end(), '\n', '\r');
    return help;
}

bool StartUp(const std::filesystem::path& host_folder, const Today& today, const PrinterCaps& caps,
             pages::PrintState& state, base::Reporter& reporter) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(print::ConfigPath(host_folder), ec)) {
        reporter.ShowMessage(std::string(kNoConfigText) + "\r\r" + NoHostFolderHelp(host_folder), kErrorCaption);
        return false;
    }
    print::SetToday(state, today.year, today.month, today.day);
    state.colors = caps.colors;
    state.paper_width_mm = caps.paper_width_mm;
    // Settings, eras, the calendar font, the day-number pictures and the holidays of the
    // year, in the order the main window reads them.
    print::LoadPrintState(host_folder, state, reporter);
    state.format = pages::Format::kCalendar;
    // A missing or cut-short day file is told now, once; the months it lacks are then
    // neither previewed nor printed.
    almanac::DayFile(host_folder / almanac::kDayFileName).CheckWhole(reporter);
    return true;
}

bool NeedsBirthYearMessage(const pages::PrintState& state) {
    return !almanac::IsBirthSign(state.settings.birth_eto);
}

bool ShutDown(const pages::PrintState& state, const config::Settings& given, base::Reporter& reporter) {
    const config::EditSet edits = config::MonthPictureEdits(given, state.settings);
    if (edits.empty()) return true;
    config::ConfigFile file(print::ConfigPath(state.host_folder), &reporter);
    return edits.WriteTo(file);
}

} // namespace app
