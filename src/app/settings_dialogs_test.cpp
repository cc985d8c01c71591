// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_dialogs.h"

#include "app/window_test_fixture.h"
#include "config/config_file.h"
#include "controls/gdk_bitmap.h"
#include "dialogs/holiday_editor.h"
#include "dialogs/month_pictures_window.h"
#include "dialogs/print_config_dialog.h"
#include "pictures/bmp_image.h"
#include "pictures/file_bytes.h"

namespace app::testing {
namespace {

using controls::SystemColor;
using controls::SystemColorRole;

class SettingsDialogsTest : public MainWindowTest {
protected:
    void Wire() {
        shown_ = std::make_shared<DialogShownFn>();
        WireSettingsDialogs(*window_, reporter_, shown_);
    }
    // Clicks the settings button; body runs inside the dialog, which it must end.
    void OpenWith(SettingsButton button, std::function<void(dialogs::ModalWindow&)> body) {
        bool ran = false;
        *shown_ = [&](Gtk::Window& w) {
            auto& dialog = dynamic_cast<dialogs::ModalWindow&>(w);
            std::shared_ptr<void> closer(nullptr, [&](void*) {
                if (dialog.Running()) dialog.EndModal(dialogs::ModalResult::kCancel);
            });
            ASSERT_TRUE(PumpUntil([&] { return w.get_mapped(); }));
            Pump(50);
            ran = true;
            body(dialog);
        };
        ClickCentre(window_->SettingsButtonWidget(button));
        EXPECT_TRUE(PumpUntil([&] { return ran; }));
        Pump(50);
    }
    std::shared_ptr<DialogShownFn> shown_;
};

TEST_F(SettingsDialogsTest, ConfigurationOkTakesEverySettingBackAndCancelNone) {
    Open();
    Wire();
    const config::Settings before = state_.settings;
    const base::Color navy = window_->TitleBar().Color();
    OpenWith(SettingsButton::kConfig, [&](dialogs::ModalWindow& w) {
        auto& dialog = dynamic_cast<dialogs::PrintConfigDialog&>(w);
        EXPECT_EQ(window_->TitleBar().Color(), SystemColor(SystemColorRole::kButtonFace));
        dialog.Option(dialogs::ConfigPage::kCommon, "二分の一").SetActive(true);
        dialog.Option(dialogs::ConfigPage::kDaily, "七十二候の絵を使う").SetActive(true);
        dialog.Cancel();
    });
    EXPECT_EQ(state_.settings, before);
    EXPECT_EQ(window_->TitleBar().Color(), navy);

    OpenWith(SettingsButton::kConfig, [&](dialogs::ModalWindow& w) {
        auto& dialog = dynamic_cast<dialogs::PrintConfigDialog&>(w);
        dialog.Option(dialogs::ConfigPage::kCommon, "二分の一").SetActive(true);
        dialog.Option(dialogs::ConfigPage::kDaily, "七十二候の絵を使う").SetActive(true);
        dialog.Option(dialogs::ConfigPage::kDaily, "確認画面で月頁を表示する").SetActive(true);
        dialog.Save();
    });
    EXPECT_EQ(state_.settings.preview_scale, 2);
    EXPECT_TRUE(state_.settings.page(3).kou_bmp_use);
    EXPECT_TRUE(state_.month_page_preview);
    EXPECT_EQ(window_->TitleBar().Color(), navy);
}

TEST_F(SettingsDialogsTest, HolidayEditorExitKeepsTheTableOkStoresIt) {
    Open("ETO=7\r\n", "[2026]\r\nHOLIDAY1=01\r\n");
    Wire();
    const config::HolidayTable before = state_.holidays;
    OpenWith(SettingsButton::kHoliday, [&](dialogs::ModalWindow& w) {
        auto& dialog = dynamic_cast<dialogs::HolidayEditor&>(w);
        dialog.confirm_discard = [] { return true; }; // the toggles dropped
        dialog.InvertWeekday(0);
        dialog.Cancel();
    });
    EXPECT_EQ(state_.holidays, before);
    OpenWith(SettingsButton::kHoliday, [&](dialogs::ModalWindow& w) {
        auto& dialog = dynamic_cast<dialogs::HolidayEditor&>(w);
        dialog.PressInBox(2, dialog.DayCells(2)[2].left + 1, dialog.DayCells(2)[2].top + 1);
        dialog.Save();
    });
    EXPECT_TRUE(state_.holidays.IsMarked(2, 3));
    EXPECT_NE(ReadText(folder_ / "Kalvorin.CFG").find("HOLIDAY2=03\r\n"), std::string::npos);
}

TEST_F(SettingsDialogsTest, MonthPicturesComeBackOnlyWithOk) {
    Open();
    Wire();
    pictures::Bitmap b;
    b.width = 6;
    b.height = 4;
    b.pixels.assign(24, 0xFF204080);
    ASSERT_TRUE(pictures::WriteFileBytes(folder_ / "new.bmp", pictures::EncodeBmpImage(b)));
    const auto names = state_.settings.month_pictures;
    OpenWith(SettingsButton::kPictures, [&](dialogs::ModalWindow& w) {
        auto& dialog = dynamic_cast<dialogs::MonthPicturesWindow&>(w);
        dialog.choose_file = [&](Gtk::Window*, dialogs::PictureFileType, const std::filesystem::path&) {
            return std::optional<std::filesystem::path>(folder_ / "new.bmp");
        };
        dialog.ImportPicture();
        dialog.Finish();
    });
    EXPECT_EQ(state_.settings.month_pictures[0], "BP13.cmp");
    EXPECT_EQ(state_.settings.month_pictures[1], names[1]);
    EXPECT_NE(state_.settings.picture_dialog.x, std::nullopt);
    // Written when the window closed: another writer's later choice survives the program's end.
    {
        config::ConfigFile other(folder_ / "Kalvorin.CFG");
        EXPECT_EQ(other.ReadString("PRINT", "BMP1", ""), "BP13.cmp");
        ASSERT_TRUE(other.WriteString("PRINT", "BMP1", "other.cmp"));
    }
    window_->Quit();
    EXPECT_EQ(config::ConfigFile(folder_ / "Kalvorin.CFG").ReadString("PRINT", "BMP1", ""), "other.cmp");
}

} // namespace
} // namespace app::testing
