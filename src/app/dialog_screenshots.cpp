// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialog_screenshots.h"

#include "dialogs/holiday_editor.h"
#include "dialogs/month_pictures_window.h"
#include "dialogs/picture_open_dialog.h"
#include "dialogs/print_config_dialog.h"
#include "print/print_setup.h"

#include <glibmm/main.h>

#include <array>
#include <chrono>
#include <thread>

namespace app {
namespace {

void Wait(int ms) {
    auto context = Glib::MainContext::get_default();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        while (context->pending())
            context->iteration(false);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

} // namespace

bool SaveDialogScreenshots(Gtk::Window& owner, pages::PrintState& state, base::Reporter& reporter,
                           const std::filesystem::path& out, const SaveWindowFn& save) {
    const std::filesystem::path config = print::ConfigPath(state.host_folder);
    bool ok = true;
    {
        // The editor reads the year from the file; Exit puts the table back afterwards.
        dialogs::HolidayEditor dialog(&owner, state.year, state.settings.start_weekday, state.holidays, config,
                                      reporter, state.face_name);
        dialog.confirm_discard = [] { return true; }; // the days toggled for the picture go
        dialog.on_shown = [&](Gtk::Window&) {
            Wait(200);
            dialog.PressInBox(5, 3 * 22 + 5, 3 * 19 + 5);
            dialog.InvertWeekday(0);
            ok = save(dialog, out / "holiday-editor.png") && ok;
            dialog.Cancel();
        };
        dialog.RunModal();
    }
    {
        dialogs::PrintConfigDialog dialog(&owner, state.settings, config, reporter);
        dialog.on_shown = [&](Gtk::Window&) {
            Wait(200);
            const std::array<const char*, 6> names = {"common", "calendar", "list", "daily", "poster", "help"};
            for (std::size_t i = 0; i < names.size(); ++i) {
                dialog.ChoosePage(static_cast<dialogs::ConfigPage>(i));
                ok = save(dialog, out / ("print-config-" + std::string(names[i]) + ".png")) && ok;
            }
            dialog.ChoosePage(dialogs::ConfigPage::kCalendar);
            Wait(100);
            dialog.ToggleMarginList(13);
            ok = save(dialog, out / "print-config-margin-list.png") && ok;
            dialog.Cancel();
        };
        dialog.RunModal();
    }
    {
        config::Settings settings = state.settings; // the place is not kept from here
        dialogs::MonthPicturesWindow dialog(&owner, settings, config, reporter, state.face_name, state.font_height);
        dialog.on_shown = [&](Gtk::Window&) {
            Wait(200);
            ok = save(dialog, out / "month-pictures.png") && ok;
            dialog.ToggleMonthList();
            ok = save(dialog, out / "month-pictures-month-list.png") && ok;
            dialog.ToggleMonthList();
            dialog.EndModal(dialogs::ModalResult::kCancel);
        };
        dialog.RunModal();
    }
    {
        dialogs::PictureOpenDialog dialog(&owner, dialogs::PictureFileType::kCmp, state.settings.data_folder);
        dialog.show();
        dialog.resize(900, 560); // the chooser otherwise takes most of the screen
        Wait(300);
        dialog.select_filename(
            (std::filesystem::path(state.settings.data_folder) / state.settings.month_pictures[0]).string());
        ok = save(dialog, out / "picture-open-dialog.png") && ok;
        dialog.hide();
    }
    return ok;
}

} // namespace app
