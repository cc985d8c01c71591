// SPDX-License-Identifier: GPL-3.0-or-later
// Every window on a small screen: run on an 800 × 600 screen and on a 1280 × 1024 screen
// at scale 2 (640 × 512 as windows count it). Each window lies inside the work area of its
// monitor, and so do its title strip and every button outside its scrolled part; the
// close button ends it when clicked where it is on the screen.
#include "app/first_start_dialog.h"
#include "app/help_text.h"
#include "config/config_file.h"
#include "config/settings.h"
#include "controls/title_strip.h"
#include "controls/window_place.h"
#include "dialogs/dialog_test_fixture.h"
#include "dialogs/holiday_editor.h"
#include "dialogs/month_pictures_window.h"
#include "dialogs/picture_open_dialog.h"
#include "dialogs/print_config_dialog.h"

#include <gtkmm/scrolledwindow.h>

namespace app {
namespace {

using namespace dialogs::testing;

bool Inside(const Gdk::Rectangle& r, const Gdk::Rectangle& area) {
    return r.get_x() >= area.get_x() && r.get_y() >= area.get_y() &&
           r.get_x() + r.get_width() <= area.get_x() + area.get_width() &&
           r.get_y() + r.get_height() <= area.get_y() + area.get_height();
}

void CollectOutOfView(Gtk::Widget& widget, Gtk::Window& window, const Gdk::Rectangle& area, int ox, int oy,
                      std::vector<std::string>& found) {
    if (!widget.get_mapped() || dynamic_cast<Gtk::ScrolledWindow*>(&widget)) return;
    if (dynamic_cast<Gtk::Button*>(&widget) || dynamic_cast<controls::TitleStrip*>(&widget)) {
        int x = 0, y = 0;
        widget.translate_coordinates(window, 0, 0, x, y);
        const Gdk::Rectangle r(ox + x, oy + y, widget.get_allocated_width(), widget.get_allocated_height());
        if (!Inside(r, area)) {
            std::string name = widget.get_accessible() ? widget.get_accessible()->get_name() : "";
            found.push_back((name.empty() ? G_OBJECT_TYPE_NAME(widget.gobj()) : name) + " at " +
                            std::to_string(r.get_x()) + "," + std::to_string(r.get_y()) + " " +
                            std::to_string(r.get_width()) + "×" + std::to_string(r.get_height()));
        }
    }
    if (auto* container = dynamic_cast<Gtk::Container*>(&widget))
        for (Gtk::Widget* child : container->get_children())
            CollectOutOfView(*child, window, area, ox, oy, found);
}

// The window and the controls that must stay in view, where they lie outside the work area.
std::string OutOfView(Gtk::Window& window, bool controls_too = true) {
    const Gdk::Rectangle area = controls::WorkAreaOf(&window);
    Gdk::Rectangle frame;
    window.get_window()->get_frame_extents(frame);
    std::vector<std::string> found;
    if (!Inside(frame, area))
        found.push_back("the window at " + std::to_string(frame.get_x()) + "," + std::to_string(frame.get_y()) + " " +
                        std::to_string(frame.get_width()) + "×" + std::to_string(frame.get_height()));
    int ox = 0, oy = 0;
    window.get_window()->get_origin(ox, oy);
    if (controls_too) CollectOutOfView(window, window, area, ox, oy, found);
    std::string text;
    for (const std::string& f : found)
        text += "\n  " + f;
    if (!text.empty())
        text = "work area " + std::to_string(area.get_width()) + "×" + std::to_string(area.get_height()) + ":" + text;
    return text;
}

class FitScreenTest : public SettingsFileTest {
protected:
    // Runs a settings window: in view, and closed by a click on its close button.
    void CheckModal(dialogs::ModalWindow& window, Gtk::Button& (*close)(dialogs::ModalWindow&)) {
        const dialogs::ModalResult result = Run(window, [&] {
            const std::string out = OutOfView(window);
            EXPECT_EQ(out, "") << window.get_title();
            // A click where no close button is would land on another control.
            if (out.empty()) ClickCentre(close(window));
        });
        EXPECT_EQ(result, dialogs::ModalResult::kCancel) << window.get_title();
        EXPECT_FALSE(window.get_visible()) << window.get_title();
    }
    void CheckShown(Gtk::Window& window, bool controls_too = true) {
        window.show();
        WaitShown(window);
        // A window placed once it is shown (the chooser) settles first.
        PumpUntil([&] { return OutOfView(window, controls_too).empty(); });
        EXPECT_EQ(OutOfView(window, controls_too), "") << window.get_title();
        window.hide();
    }
};

TEST_F(FitScreenTest, TheSettingsWindowsFitTheScreen) {
    dialogs::PrintConfigDialog print(nullptr, Load(), Config(), reporter_);
    CheckModal(print, [](dialogs::ModalWindow& w) -> Gtk::Button& {
        return static_cast<dialogs::PrintConfigDialog&>(w).CloseButton();
    });
    config::HolidayTable table;
    dialogs::HolidayEditor holidays(nullptr, 2026, 0, table, Config(), reporter_, "@ＭＳ ゴシック");
    CheckModal(holidays, [](dialogs::ModalWindow& w) -> Gtk::Button& {
        return static_cast<dialogs::HolidayEditor&>(w).CloseButton();
    });
    config::Settings settings = Load();
    dialogs::MonthPicturesWindow pictures(nullptr, settings, Config(), reporter_, "@ＭＳ ゴシック", -16);
    CheckModal(pictures, [](dialogs::ModalWindow& w) -> Gtk::Button& {
        return static_cast<dialogs::MonthPicturesWindow&>(w).CloseButton();
    });
}

TEST_F(FitScreenTest, TheOtherWindowsFitTheScreen) {
    dialogs::PictureOpenDialog open(nullptr, dialogs::PictureFileType::kBmpOrJpeg, folder_.path());
    CheckShown(open, false); // GTK's own dialog: the window is ours to place, its controls GTK's
    FirstStartDialog first(folder_ / "new", 2026);
    CheckShown(first);
    config::testing::WriteBytes(folder_ / kHelpFileName, std::string(200, 'x') + "\r\n");
    Gtk::Window owner;
    Gtk::Window* help = OpenHelpText(
        folder_.path(), owner, reporter_, [](const std::filesystem::path&, std::string&) { return false; },
        folder_ / "cache");
    ASSERT_NE(help, nullptr);
    WaitShown(*help);
    EXPECT_EQ(OutOfView(*help), "");
    help->hide();
}

} // namespace
} // namespace app
