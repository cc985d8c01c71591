// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preview_window.h"
#include "app/window_test_fixture.h"
#include "dialogs/month_pictures_window.h"
#include "dialogs/print_config_dialog.h"
#include "print/print_setup.h"

#include <X11/keysym.h>
#include <gtkmm/adjustment.h>

namespace app::testing {
namespace {

// The wheel over the horizontal lists moves them sideways; over the preview it scrolls the
// page (sideways with Shift) and with Ctrl zooms it in the buttons' steps.
TEST_F(MainWindowTest, TheWheelScrollsTheListsAndZoomsThePreview) {
    Open();
    window_->ToggleList(ListKind::kYear);
    ASSERT_TRUE(PumpUntil([&] { return window_->ListOpen(); }));
    Pump(150);
    const double start = window_->ListScrollX();
    // Over the list's visible part (the drawing area is as wide as the whole list).
    Gtk::Widget& view = *window_->ListView().get_parent()->get_parent();
    TurnWheel(view, 3);
    EXPECT_GT(window_->ListScrollX(), start);
    TurnWheel(view, -3);
    EXPECT_EQ(start, window_->ListScrollX());
    window_->ToggleList(ListKind::kYear);

    bool seen = false;
    window_->on_preview_shown = [&](Gtk::Window& shown) {
        seen = true;
        auto& preview = dynamic_cast<PreviewWindow&>(shown);
        Pump(100);
        const gfx::Rect first = preview.DisplayRect();
        TurnWheel(preview.ScrollBox(), 1, XK_Control_L);
        EXPECT_EQ(first.right * 8 / 10, preview.DisplayRect().right);
        TurnWheel(preview.ScrollBox(), -1, XK_Control_L);
        EXPECT_EQ(first.right * 8 / 10 * 12 / 10, preview.DisplayRect().right);
        // At the original size the page is larger than the window: the wheel scrolls it.
        preview.ApplyZoom(Zoom::kOriginal);
        Pump(100);
        auto vertical = preview.ScrollBox().get_vadjustment();
        auto horizontal = preview.ScrollBox().get_hadjustment();
        TurnWheel(preview.ScrollBox(), 2);
        EXPECT_GT(vertical->get_value(), 0);
        if (horizontal->get_upper() > horizontal->get_page_size()) {
            TurnWheel(preview.ScrollBox(), 2, XK_Shift_L);
            EXPECT_GT(horizontal->get_value(), 0);
        }
        // The plain keys move the page too.
        FocusWindow(preview);
        PressKey(XK_Home);
        EXPECT_EQ(vertical->get_value(), 0);
        PressKey(XK_Down);
        EXPECT_GT(vertical->get_value(), 0);
        PressKey(XK_End);
        EXPECT_EQ(vertical->get_value(), vertical->get_upper() - vertical->get_page_size());
        PressKey(XK_Up);
        EXPECT_LT(vertical->get_value(), vertical->get_upper() - vertical->get_page_size());
        preview.CloseWithoutPrinting();
    };
    window_->ShowPreview();
    EXPECT_TRUE(seen);
}

TEST_F(MainWindowTest, TheWheelScrollsTheDialogsLists) {
    Open();
    dialogs::PrintConfigDialog dialog(window_.get(), state_.settings, print::ConfigPath(state_.host_folder), reporter_);
    dialog.on_shown = [&](Gtk::Window&) {
        dialog.ChoosePage(dialogs::ConfigPage::kCalendar);
        Pump(100);
        dialog.ToggleMarginList(11);
        ASSERT_TRUE(PumpUntil([&] { return dialog.MarginListVisible(); }));
        Pump(100);
        dialog.MarginList().Adjustment()->set_value(0);
        TurnWheel(dialog.MarginList().EntryArea(), 2);
        EXPECT_GT(dialog.MarginList().ScrollX(), 0);
        TurnWheel(dialog.MarginList().EntryArea(), -2);
        EXPECT_EQ(0, dialog.MarginList().ScrollX());
        dialog.Cancel();
    };
    dialog.RunModal();
}

} // namespace
} // namespace app::testing
