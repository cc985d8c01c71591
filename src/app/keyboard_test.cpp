// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_dialogs.h"
#include "app/window_test_fixture.h"
#include "dialogs/modal_window.h"

#include <X11/keysym.h>
#include <atkmm/object.h>
#include <gtkmm/button.h>
#include <gtkmm/container.h>

namespace app::testing {
namespace {

// The main window from the keyboard alone, with real key events through XTest.
class KeyboardTest : public MainWindowTest {
protected:
    void Focus() {
        FocusWindow(*window_);
        ASSERT_TRUE(PumpUntil([&] { return window_->has_toplevel_focus(); }));
        window_->unset_focus();
        Pump(50);
    }
    Gtk::Widget* Focused() { return window_->get_focus(); }

    Gtk::Button* CloseButton() {
        std::function<Gtk::Button*(Gtk::Widget&)> find = [&](Gtk::Widget& w) -> Gtk::Button* {
            if (auto* button = dynamic_cast<Gtk::Button*>(&w)) return button;
            if (auto* c = dynamic_cast<Gtk::Container*>(&w))
                for (Gtk::Widget* child : c->get_children())
                    if (Gtk::Button* b = find(*child)) return b;
            return nullptr;
        };
        return find(window_->TitleBar());
    }
};

// Tab goes right to left through the columns and down each one, as the window is read:
// the title strip, the format group (one stop), the year and month buttons, the settings
// buttons, the action buttons, then round again. The focused button shows a ring.
TEST_F(KeyboardTest, TabFollowsTheReadingOrderRightToLeftWithAVisibleFocus) {
    Open();
    Focus();
    const std::vector<std::pair<const char*, Gtk::Widget*>> order{
        {"close", CloseButton()},
        {"format 暦", &window_->FormatButton(pages::Format::kCalendar)},
        {"year", &window_->YearButton()},
        {"from month", &window_->FromMonthButton()},
        {"to month", &window_->ToMonthButton()},
        {"印刷設定", &window_->SettingsButtonWidget(SettingsButton::kConfig)},
        {"休日設定", &window_->SettingsButtonWidget(SettingsButton::kHoliday)},
        {"月の絵", &window_->SettingsButtonWidget(SettingsButton::kPictures)},
        {"終了", &window_->ExitButton()},
        {"close again", CloseButton()},
    };
    ASSERT_NE(nullptr, order[0].second);
    std::vector<Gtk::Widget*> seen;
    for (int i = 0; i < 14; ++i) {
        PressKey(XK_Tab);
        seen.push_back(Focused());
    }
    // The stops named above, in this order (the printer, print, check and help buttons
    // come between; they are counted below).
    std::string sequence;
    for (Gtk::Widget* w : seen) {
        const auto a = w ? w->get_accessible() : Glib::RefPtr<Atk::Object>();
        sequence += (a ? a->get_name().raw() : std::string("(none)")) + " ";
    }
    std::size_t at = 0;
    for (const auto& [name, widget] : order) {
        auto found = std::find(seen.begin() + static_cast<long>(at), seen.end(), widget);
        ASSERT_NE(seen.end(), found) << name << " not reached by Tab in its turn: " << sequence;
        at = static_cast<std::size_t>(found - seen.begin()) + 1;
    }
    EXPECT_EQ(14u, at) << "thirteen stops, then the close button again: " << sequence;

    // A visible focus: the navy ring on the focused button, none once it has left.
    window_->SettingsButtonWidget(SettingsButton::kHoliday).grab_focus();
    EXPECT_GT(NavyPixels(window_->SettingsButtonWidget(SettingsButton::kHoliday)), 40);
    window_->ExitButton().grab_focus();
    EXPECT_EQ(0, NavyPixels(window_->SettingsButtonWidget(SettingsButton::kHoliday)));
    EXPECT_GT(NavyPixels(window_->ExitButton()), 40);
}

// Within the format group the arrows move the choice by the buttons' places.
TEST_F(KeyboardTest, ArrowsMoveWithinTheFormatGroup) {
    Open();
    Focus();
    window_->FormatButton(pages::Format::kCalendar).grab_focus();
    Pump(30);
    PressKey(XK_Right);
    EXPECT_EQ(pages::Format::kList, window_->SelectedFormat());
    EXPECT_EQ(&window_->FormatButton(pages::Format::kList), Focused());
    PressKey(XK_Down);
    EXPECT_EQ(pages::Format::kOfficerNotes, window_->SelectedFormat());
    PressKey(XK_Left);
    EXPECT_EQ(pages::Format::kMansionNotes, window_->SelectedFormat());
    PressKey(XK_Up);
    EXPECT_EQ(pages::Format::kCalendar, window_->SelectedFormat());
    // Tab leaves the group from the chosen button for the year button.
    PressKey(XK_Tab);
    EXPECT_EQ(&window_->YearButton(), Focused());
}

// Space and Enter press the focused button; Escape closes the drop list and cancels a
// dialog, which then keeps nothing.
TEST_F(KeyboardTest, SpaceAndEnterActEscapeCancels) {
    Open("ETO=7\r\n", "[2026]\r\nHOLIDAY1=01\r\n");
    auto shown = std::make_shared<DialogShownFn>();
    WireSettingsDialogs(*window_, reporter_, shown);
    Focus();
    window_->YearButton().grab_focus();
    PressKey(XK_space);
    ASSERT_TRUE(PumpUntil([&] { return window_->ListOpen(); }));
    PressKey(XK_Escape);
    EXPECT_TRUE(PumpUntil([&] { return !window_->ListOpen(); }));
    window_->FromMonthButton().grab_focus();
    PressKey(XK_Return);
    EXPECT_TRUE(PumpUntil([&] { return window_->ListOpen(); }));
    PressKey(XK_Escape);
    EXPECT_TRUE(PumpUntil([&] { return !window_->ListOpen(); }));

    const config::HolidayTable before = state_.holidays;
    bool opened = false, closed_by_escape = false;
    *shown = [&](Gtk::Window& w) {
        auto& dialog = dynamic_cast<dialogs::ModalWindow&>(w);
        opened = true;
        ASSERT_TRUE(PumpUntil([&] { return w.get_mapped(); }));
        FocusWindow(w);
        Pump(50);
        PressKey(XK_Escape);
        closed_by_escape = !dialog.Running();
        if (dialog.Running()) dialog.EndModal(dialogs::ModalResult::kCancel);
    };
    Focus();
    window_->SettingsButtonWidget(SettingsButton::kHoliday).grab_focus();
    PressKey(XK_Return);
    ASSERT_TRUE(PumpUntil([&] { return opened; }));
    Pump(50);
    EXPECT_TRUE(closed_by_escape);
    EXPECT_EQ(before, state_.holidays);
}

// The drop list from the keyboard: it opens with the keyboard in it, the arrows move its
// cursor along the reading order, Enter chooses, Escape leaves the value as it was; the
// keyboard goes back to the list's button.
TEST_F(KeyboardTest, TheDropListIsChosenFromTheKeyboard) {
    Open();
    Focus();
    const int year = state_.year;
    window_->YearButton().grab_focus();
    PressKey(XK_space);
    ASSERT_TRUE(PumpUntil([&] { return window_->ListOpen(); }));
    EXPECT_EQ(&window_->ListView(), Focused());
    PressKey(XK_Left);
    PressKey(XK_Left);
    PressKey(XK_Right);
    PressKey(XK_Left);
    PressKey(XK_Return);
    EXPECT_TRUE(PumpUntil([&] { return !window_->ListOpen(); }));
    EXPECT_EQ(year + 2, state_.year);
    EXPECT_EQ(&window_->YearButton(), Focused());

    const int from = state_.from_month;
    window_->FromMonthButton().grab_focus();
    PressKey(XK_Return);
    ASSERT_TRUE(PumpUntil([&] { return window_->ListOpen(); }));
    PressKey(XK_Up);
    PressKey(XK_Escape);
    EXPECT_TRUE(PumpUntil([&] { return !window_->ListOpen(); }));
    EXPECT_EQ(from, state_.from_month);
    EXPECT_EQ(&window_->FromMonthButton(), Focused());
    window_->FromMonthButton().grab_focus();
    PressKey(XK_Return);
    ASSERT_TRUE(PumpUntil([&] { return window_->ListOpen(); }));
    PressKey(from > 1 ? XK_Up : XK_Down);
    PressKey(XK_space);
    EXPECT_TRUE(PumpUntil([&] { return !window_->ListOpen(); }));
    EXPECT_EQ(from > 1 ? from - 1 : from + 1, state_.from_month);
    // Home and End go to the first and the last entry.
    window_->ToMonthButton().grab_focus();
    PressKey(XK_Return);
    ASSERT_TRUE(PumpUntil([&] { return window_->ListOpen(); }));
    PressKey(XK_End);
    PressKey(XK_Return);
    EXPECT_TRUE(PumpUntil([&] { return !window_->ListOpen(); }));
    EXPECT_EQ(12, state_.to_month);
    window_->YearButton().grab_focus();
    PressKey(XK_Return);
    ASSERT_TRUE(PumpUntil([&] { return window_->ListOpen(); }));
    PressKey(XK_Home);
    PressKey(XK_Return);
    EXPECT_TRUE(PumpUntil([&] { return !window_->ListOpen(); }));
    EXPECT_EQ(1901, state_.year);
}

} // namespace
} // namespace app::testing
