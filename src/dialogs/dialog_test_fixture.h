// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// For the dialog window tests: GTK started, a host folder with Kalvorin.CFG, a recording
// reporter, and a guard that ends a modal dialog whatever an assertion did.

#include "controls/gui_test_support.h"
#include "base/reporter.h"
#include "config/config_file.h"
#include "config/settings.h"
#include "config/test_folder.h"
#include "dialogs/column_list.h"
#include "dialogs/modal_window.h"
#include "gfx/canvas.h"

#include <gtest/gtest.h>

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <gdk/gdkx.h>
#include <gtkmm/adjustment.h>
#include <gtkmm/window.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dialogs::testing {

using namespace controls::testing;

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { StartGtk(); }
    void TearDown() override { Pump(20); }

    // Runs the dialog and calls body once it is on the screen; the dialog's result. A dialog
    // that body leaves open (an assertion returned early) ends with Cancel.
    static ModalResult Run(ModalWindow& dialog, const std::function<void()>& body);

    std::filesystem::path Config() const { return folder_ / "Kalvorin.CFG"; }
    void WriteConfig(const std::string& text) { config::testing::WriteBytes(Config(), text); }
    std::string ConfigText() const { return config::testing::ReadBytes(Config()); }

    config::testing::TestFolder folder_;
    base::RecordingReporter reporter_;
};

// A dialog test on a host folder whose Kalvorin.CFG holds a birth sign and the preview's
// scale, and the settings read from it.
class SettingsFileTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        WriteConfig("[UNSEI]\r\nETO=7\r\n[PRINT]\r\nTESTSize=3\r\n");
    }
    config::Settings Load() {
        config::ConfigFile file(Config());
        return config::LoadSettings(file, folder_.path());
    }
};

// Waits until the window is on screen.
inline void WaitShown(Gtk::Window& window) {
    ASSERT_TRUE(PumpUntil([&] { return window.get_mapped(); }));
    Pump(100);
}

// Ends the dialog with Cancel when the scope ends (after an assertion returned early).
inline std::shared_ptr<void> Closer(ModalWindow& window) {
    return std::shared_ptr<void>(nullptr, [&window](void*) {
        if (window.Running()) window.EndModal(ModalResult::kCancel);
    });
}

// Clicks the middle of a rectangle of a widget.
inline void ClickIn(Gtk::Widget& widget, const gfx::Rect& r) {
    Click(widget, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// Presses a key with a modifier key (an X keysym) held, as a person would.
inline void PressChord(unsigned modifier, unsigned keysym) {
    Display* display = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
    const KeyCode held = XKeysymToKeycode(display, modifier), key = XKeysymToKeycode(display, keysym);
    XTestFakeKeyEvent(display, held, True, CurrentTime);
    XTestFakeKeyEvent(display, key, True, CurrentTime);
    XTestFakeKeyEvent(display, key, False, CurrentTime);
    XTestFakeKeyEvent(display, held, False, CurrentTime);
    XSync(display, False);
    Pump(60);
}

// Gives the dialog the keyboard with nothing focused in it yet.
inline void TakeKeyboard(Gtk::Window& window) {
    FocusWindow(window);
    ASSERT_TRUE(PumpUntil([&] { return window.has_toplevel_focus(); }));
    window.unset_focus();
    Pump(50);
}

inline ModalResult DialogTest::Run(ModalWindow& dialog, const std::function<void()>& body) {
    dialog.on_shown = [&](Gtk::Window& w) {
        auto closer = Closer(dialog);
        WaitShown(w);
        body();
    };
    return dialog.RunModal();
}

// What a person would find wrong with an open drop list as it is on the screen, at the
// scroll positions of its start, its middle and its end: a border that is not dark all
// round, a column cut at an edge of the view (ink in the 3 pixels at either edge, or a
// column only partly in view), a column whose text runs into its bottom edge.
inline std::vector<std::string> DropListFindings(ColumnListBox& list) {
    std::vector<std::string> findings;
    auto adjustment = list.Adjustment();
    const double last = adjustment->get_upper() - adjustment->get_page_size();
    for (const double wanted : {0.0, last / 2 + 3, last}) {
        adjustment->set_value(wanted);
        Pump(80);
        const std::string at = " (scrolled to " + std::to_string(static_cast<int>(list.ScrollX())) + ")";
        const ScreenPixels frame = GrabWidget(list);
        int light = 0;
        for (int x = 0; x < frame.width; ++x)
            for (int y : {0, frame.height - 1})
                light += (frame.Pixel(x, y) & 0xFF) > 0x70;
        for (int y = 0; y < frame.height; ++y)
            for (int x : {0, frame.width - 1})
                light += (frame.Pixel(x, y) & 0xFF) > 0x70;
        if (light > 0) findings.push_back(std::to_string(light) + " border pixels are not dark" + at);
        const ScreenPixels view = GrabWidget(list.EntryArea());
        const int scroll = static_cast<int>(list.ScrollX());
        for (int x : {0, 1, 2, view.width - 3, view.width - 2, view.width - 1}) {
            for (int y = 0; y < view.height; ++y) {
                if (view.Pixel(x, y) != 0xFFFFFF) {
                    char colour[16];
                    std::snprintf(colour, sizeof colour, "%06X", view.Pixel(x, y));
                    findings.push_back("ink at the edge of the view, x " + std::to_string(x) + ", y " +
                                       std::to_string(y) + ": " + colour + at);
                    break;
                }
            }
        }
        for (const ListColumn& column : list.Columns()) {
            const int left = column.rect.left - scroll, right = column.rect.right - scroll;
            if (right <= 0 || left >= view.width) continue;
            if (left < 0 || right > view.width) {
                findings.push_back("the column of " + column.text + " is cut by the edge" + at);
                continue;
            }
            const unsigned fill = view.Pixel(left + 1, view.height - 1);
            for (int x = left; x < right; ++x) {
                if (view.Pixel(x, view.height - 3) != fill) {
                    findings.push_back("the text of " + column.text + " reaches the bottom of its column" + at);
                    break;
                }
            }
        }
    }
    return findings;
}

} // namespace dialogs::testing
