// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialog_screenshots.h"

#include "dialogs/cmp_picture_dialog.h"
#include "dialogs/holiday_form.h"
#include "dialogs/print_bmp_form.h"
#include "dialogs/print_config_form.h"
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
        dialogs::THolidayForm form(&owner, state.year, state.settings.start_weekday, state.holidays, config, reporter,
                                   state.face_name);
        form.on_shown = [&](Gtk::Window&) {
            Wait(200);
            form.PressInBox(5, 3 * 22 + 5, 3 * 19 + 5);
            form.InvertWeekday(0);
            ok = save(form, out / "holiday-editor.png") && ok;
            form.ExitButtonClick();
        };
        form.RunModal();
    }
    {
        dialogs::TPrintConfigForm form(&owner, state.settings, config, reporter);
        form.on_shown = [&](Gtk::Window&) {
            Wait(200);
            const std::array<const char*, 6> names = {"common", "calendar", "list", "daily", "poster", "help"};
            for (std::size_t i = 0; i < names.size(); ++i) {
                form.ChoosePage(static_cast<dialogs::ConfigPage>(i));
                ok = save(form, out / ("print-config-" + std::string(names[i]) + ".png")) && ok;
            }
            form.ChoosePage(dialogs::ConfigPage::kCalendar);
            Wait(100);
            form.MarginButtonClick(13);
            ok = save(form, out / "print-config-margin-list.png") && ok;
            form.ExitButtonClick();
        };
        form.RunModal();
    }
    {
        config::Settings settings = state.settings; // the place is not kept from here
        dialogs::TPrintBMPForm form(&owner, settings, config, reporter, state.face_name, state.font_height);
        form.on_shown = [&](Gtk::Window&) {
            Wait(200);
            ok = save(form, out / "month-pictures.png") && ok;
            form.MonthChangePanelClick();
            ok = save(form, out / "month-pictures-month-list.png") && ok;
            form.MonthChangePanelClick();
            form.EndModal(dialogs::ModalResult::kCancel);
        };
        form.RunModal();
    }
    {
        dialogs::TCmpPictureDialog dialog(&owner, dialogs::PictureFileType::kCmp, state.settings.data_folder);
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
