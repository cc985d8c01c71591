// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_dialogs.h"

#include "controls/gdk_bitmap.h"
#include "dialogs/holiday_editor.h"
#include "dialogs/month_pictures_window.h"
#include "dialogs/print_config_dialog.h"
#include "print/print_setup.h"

namespace app {

void WireSettingsDialogs(MainWindow& window, base::Reporter& reporter, std::shared_ptr<DialogShownFn> on_shown) {
    auto hook = [on_shown](dialogs::ModalWindow& dialog) {
        if (on_shown && *on_shown) dialog.on_shown = *on_shown;
    };
    window.SetDialogOpener(SettingsButton::kHoliday, [&window, &reporter, hook] {
        pages::PrintState& state = window.state();
        dialogs::HolidayEditor dialog(&window, state.year, state.settings.start_weekday, state.holidays,
                                      print::ConfigPath(state.host_folder), reporter, state.face_name);
        hook(dialog);
        dialog.RunModal();
    });
    window.SetDialogOpener(SettingsButton::kConfig, [&window, &reporter, hook] {
        pages::PrintState& state = window.state();
        const base::Color color = window.TitleBar().Color();
        window.TitleBar().SetColor(controls::SystemColor(controls::SystemColorRole::kButtonFace));
        dialogs::PrintConfigDialog dialog(&window, state.settings, print::ConfigPath(state.host_folder), reporter);
        hook(dialog);
        if (dialog.RunModal() == dialogs::ModalResult::kOk) {
            const config::Settings& result = dialog.Result();
            state.settings.preview_scale = result.preview_scale;
            state.settings.picture_size = result.picture_size;
            state.settings.month_pictures = result.month_pictures;
            state.settings.pages = result.pages;
            state.month_page_preview = dialog.MonthPagePreview();
        }
        window.TitleBar().SetColor(color);
    });
    window.SetDialogOpener(SettingsButton::kPictures, [&window, &reporter, hook] {
        pages::PrintState& state = window.state();
        dialogs::MonthPicturesWindow dialog(&window, state.settings, print::ConfigPath(state.host_folder), reporter,
                                            state.face_name, state.font_height);
        hook(dialog);
        if (dialog.RunModal() == dialogs::ModalResult::kOk) {
            state.settings.month_pictures = dialog.MonthPictures();
            window.MonthPicturesWritten(dialog.MonthPictures());
        }
    });
}

} // namespace app
