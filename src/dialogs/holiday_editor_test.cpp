// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/holiday_editor.h"

#include "almanac/calendar_math.h"
#include "dialogs/dialog_test_fixture.h"

#include <X11/keysym.h>

#include <algorithm>
#include <cmath>

namespace dialogs {
namespace {

using namespace dialogs::testing;

class HolidayEditorTest : public DialogTest {};

TEST_F(HolidayEditorTest, ClicksToggleDaysAndOkWritesTheYear) {
    WriteConfig("[UNSEI]\r\nETO=7\r\n[2026]\r\nHOLIDAY1=01\r\nHOLIDAY3=20\r\n");
    config::HolidayTable table;
    HolidayEditor editor(nullptr, 2026, 0, table, Config(), reporter_, "@ＭＳ ゴシック");
    const ModalResult result = Run(editor, [&] {
        EXPECT_EQ(editor.TitleYear(), "二〇二六");
        // The table has been read for the year.
        EXPECT_TRUE(table.IsMarked(1, 1));
        EXPECT_TRUE(table.IsMarked(3, 20));
        ClickIn(editor.MonthBox(1), editor.DayCells(1)[10]); // 11 January on
        EXPECT_TRUE(table.IsMarked(1, 11));
        ClickIn(editor.MonthBox(3), editor.DayCells(3)[19]); // 20 March off
        EXPECT_FALSE(table.IsMarked(3, 20));
        ClickIn(editor.MonthBox(12), editor.DayCells(12)[30]); // 31 December on, then off
        ClickIn(editor.MonthBox(12), editor.DayCells(12)[30]);
        EXPECT_FALSE(table.IsMarked(12, 31));
        // A press on the weekday heads marks nothing.
        Click(editor.MonthBox(5), 5, 5);
        EXPECT_EQ(table.flags[4], (std::array<std::uint8_t, 31>{}));
        ClickCentre(editor.OKButton());
    });
    EXPECT_EQ(result, ModalResult::kOk);
    const std::string text = ConfigText();
    EXPECT_NE(text.find("HOLIDAY1=0111\r\n"), std::string::npos) << text;
    // A month without marks is written as an empty value, not removed.
    EXPECT_NE(text.find("HOLIDAY3=\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("HOLIDAY12"), std::string::npos) << text; // toggled twice: not written
    EXPECT_TRUE(reporter_.messages().empty());
}

TEST_F(HolidayEditorTest, WeekdayButtonsInvertEveryDayAndTwiceRestore) {
    // 2023 begins on a Sunday that is already marked.
    WriteConfig("[UNSEI]\r\n[2023]\r\nHOLIDAY1=0102\r\n");
    config::HolidayTable table;
    HolidayEditor editor(nullptr, 2023, 1, table, Config(), reporter_, "@ＭＳ ゴシック");
    const ModalResult result = Run(editor, [&] {
        const config::HolidayTable loaded = table;
        ClickCentre(editor.SundayButton());
        EXPECT_FALSE(table.IsMarked(1, 1)); // the marked Sunday is unmarked
        EXPECT_TRUE(table.IsMarked(1, 8));
        EXPECT_TRUE(table.IsMarked(1, 2)); // a Monday keeps its mark
        EXPECT_TRUE(table.IsMarked(12, 31));
        ClickCentre(editor.SaturdayButton());
        EXPECT_TRUE(table.IsMarked(1, 7));
        EXPECT_TRUE(table.IsMarked(12, 30));
        int marked = 0;
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= almanac::DaysInMonth(2023, m); ++d)
                marked += table.IsMarked(m, d);
        }
        EXPECT_EQ(marked, 53 + 52 - 1 + 1); // 53 Sundays, 52 Saturdays, 1 Jan off, 2 Jan on
        ClickCentre(editor.SundayButton());
        ClickCentre(editor.SaturdayButton());
        EXPECT_EQ(table, loaded);
        editor.Save();
    });
    EXPECT_EQ(result, ModalResult::kOk);
    EXPECT_NE(ConfigText().find("HOLIDAY1=0102\r\n"), std::string::npos);
}

TEST_F(HolidayEditorTest, ExitAndCloseWriteNothingAndRestoreTheTable) {
    const std::string stored = "[UNSEI]\r\nETO=7\r\n[2026]\r\nHOLIDAY5=0304\r\n";
    WriteConfig(stored);
    for (int way = 0; way < 2; ++way) {
        config::HolidayTable table;
        table.Mark(8, 15, true); // what the program held before the editor opened
        const config::HolidayTable before = table;
        HolidayEditor editor(nullptr, 2026, 0, table, Config(), reporter_, "@ＭＳ ゴシック");
        // With days toggled the editor asks first: No keeps it open with the toggles, Yes
        // drops them.
        int asked = 0;
        bool answer = false;
        editor.confirm_discard = [&] {
            ++asked;
            return answer;
        };
        const ModalResult result = Run(editor, [&] {
            ClickIn(editor.MonthBox(6), editor.DayCells(6)[0]);
            ClickCentre(editor.SundayButton());
            Gtk::Button& close = way == 0 ? editor.ExitButton() : editor.CloseButton();
            ClickCentre(close);
            EXPECT_TRUE(editor.Running());
            EXPECT_TRUE(table.IsMarked(6, 1));
            answer = true;
            ClickCentre(close);
        });
        EXPECT_EQ(asked, 2) << way;
        EXPECT_EQ(result, ModalResult::kCancel);
        EXPECT_EQ(table, before) << way;
        EXPECT_EQ(ConfigText(), stored) << way;
    }
    // Nothing toggled, or toggled back: no question.
    config::HolidayTable table;
    HolidayEditor editor(nullptr, 2026, 0, table, Config(), reporter_, "@ＭＳ ゴシック");
    editor.confirm_discard = [] {
        ADD_FAILURE() << "asked with nothing to lose";
        return true;
    };
    const ModalResult result = Run(editor, [&] {
        ClickIn(editor.MonthBox(6), editor.DayCells(6)[0]);
        ClickIn(editor.MonthBox(6), editor.DayCells(6)[0]);
        ClickCentre(editor.ExitButton());
    });
    EXPECT_EQ(result, ModalResult::kCancel);
}

TEST_F(HolidayEditorTest, February2100HasTwentyEightDays) {
    WriteConfig("[UNSEI]\r\n");
    config::HolidayTable table;
    HolidayEditor editor(nullptr, 2100, 0, table, Config(), reporter_, "@ＭＳ ゴシック");
    EXPECT_EQ(editor.DayCells(2).size(), 28u);
    const ModalResult result = Run(editor, [&] {
        ClickCentre(editor.SaturdayButton());
        editor.Save();
    });
    EXPECT_EQ(result, ModalResult::kOk);
    // The Saturdays of February 2100: 6, 13, 20, 27 (no 29th to mark).
    EXPECT_NE(ConfigText().find("HOLIDAY2=06132027\r\n"), std::string::npos) << ConfigText();
}

// The host ("kalvorin-host holidays") marks a day while the editor is open; OK writes the
// day the user toggled into the month as the file then holds it.
TEST_F(HolidayEditorTest, OkKeepsTheDaysOthersMarkedWhileTheEditorWasOpen) {
    WriteConfig("[UNSEI]\r\nETO=7\r\n[2026]\r\nHOLIDAY1=01\r\nHOLIDAY6=\r\n");
    config::HolidayTable table;
    HolidayEditor editor(nullptr, 2026, 0, table, Config(), reporter_, "@ＭＳ ゴシック");
    const ModalResult result = Run(editor, [&] {
        config::ConfigFile host(Config());
        ASSERT_TRUE(host.WriteString("2026", "HOLIDAY6", "15"));
        ASSERT_TRUE(host.WriteString("2026", "HOLIDAY11", "03"));
        ClickIn(editor.MonthBox(6), editor.DayCells(6)[19]); // 20 June on
        ClickCentre(editor.OKButton());
    });
    EXPECT_EQ(result, ModalResult::kOk);
    const std::string text = ConfigText();
    EXPECT_NE(text.find("HOLIDAY6=1520\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("HOLIDAY11=03\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("HOLIDAY1=01\r\n"), std::string::npos) << text;
    // The program's table is the file's after OK.
    EXPECT_TRUE(table.IsMarked(6, 15));
    EXPECT_TRUE(table.IsMarked(6, 20));
    EXPECT_TRUE(table.IsMarked(11, 3));
    EXPECT_TRUE(reporter_.messages().empty());
}

// The relative luminance of a colour (0 black … 1 white), as contrast ratios use it.
double Luminance(unsigned rgb) {
    double sum = 0;
    const double weights[3] = {0.2126, 0.7152, 0.0722};
    for (int i = 0; i < 3; ++i) {
        const double c = ((rgb >> (16 - 8 * i)) & 0xFF) / 255.0;
        sum += weights[i] * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

bool Grey(unsigned rgb) {
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return std::abs(r - g) <= 8 && std::abs(g - b) <= 8;
}

// The month numeral is a faint grey behind the days: on the screen, every grey of a box that
// is not the edge of a day's or weekday's character is light, and every day keeps the
// contrast of dark text on a light ground.
TEST_F(HolidayEditorTest, TheMonthNumeralIsAFaintGroundBehindLegibleDays) {
    WriteConfig("[UNSEI]\r\n[2026]\r\n");
    config::HolidayTable table;
    HolidayEditor editor(nullptr, 2026, 0, table, Config(), reporter_, "@ＭＳ ゴシック");
    Run(editor, [&] {
        for (int month = 1; month <= 12; ++month) {
            const ScreenPixels box = GrabWidget(editor.MonthBox(month));
            ASSERT_GT(box.width, 0);
            auto near_dark = [&](int x, int y) {
                for (int dy = -3; dy <= 3; ++dy)
                    for (int dx = -3; dx <= 3; ++dx) {
                        const int px = x + dx, py = y + dy;
                        if (px < 0 || py < 0 || px >= box.width || py >= box.height) continue;
                        if ((box.Pixel(px, py) & 0xFF) < 0x90 || !Grey(box.Pixel(px, py))) return true;
                    }
                return false;
            };
            int heavy = 0;
            for (int y = 0; y < box.height; ++y)
                for (int x = 0; x < box.width; ++x) {
                    const unsigned p = box.Pixel(x, y);
                    if (Grey(p) && (p & 0xFF) < 0xD8 && !near_dark(x, y)) ++heavy;
                }
            EXPECT_EQ(heavy, 0) << "month " << month << ": pixels of the numeral darker than a faint grey";
            for (const gfx::Rect& cell : editor.DayCells(month)) {
                std::vector<double> light;
                for (int y = cell.top; y < cell.bottom; ++y)
                    for (int x = cell.left; x < cell.right; ++x)
                        light.push_back(Luminance(box.Pixel(x, y)));
                std::sort(light.begin(), light.end());
                const double ink = light.front(), ground = light[light.size() / 2];
                EXPECT_GE((ground + 0.05) / (ink + 0.05), 7.0)
                    << "month " << month << " cell at " << cell.left << "," << cell.top;
            }
        }
    });
}

// Each button is one control: around its caption its face is smooth, with no picture of
// another face framed inside it.
TEST_F(HolidayEditorTest, TheButtonsShowOneFaceEach) {
    WriteConfig("[UNSEI]\r\n");
    config::HolidayTable table;
    HolidayEditor editor(nullptr, 2026, 0, table, Config(), reporter_, "@ＭＳ ゴシック");
    Run(editor, [&] {
        PointAt(editor.MonthBox(1)); // no button is hovered and no tooltip is up
        Pump(300);
        for (Gtk::Button* button :
             {&editor.SundayButton(), &editor.SaturdayButton(), &editor.OKButton(), &editor.ExitButton()}) {
            const ScreenPixels face = GrabWidget(*button);
            ASSERT_GT(face.width, 10);
            int worst = 0;
            // The band above the caption, inside the button's border.
            for (int y = 3; y < 13; ++y)
                for (int x = 3; x < face.width - 4; ++x)
                    for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{0, 1}}) {
                        const unsigned a = face.Pixel(x, y), b = face.Pixel(x + dx, y + dy);
                        for (int shift = 0; shift <= 16; shift += 8)
                            worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                                             static_cast<int>((b >> shift) & 0xFF)));
                    }
            EXPECT_LE(worst, 12) << button->get_accessible()->get_name() << ": an edge inside the button's face";
        }
    });
}

// From the keyboard alone: Tab goes right to left and down each column (the caption's close
// button, then 日, 土, 保存, 終了, then the months) and shows where it is, Space and Enter
// press, the arrows move among the days, Escape cancels.
TEST_F(HolidayEditorTest, TheKeyboardAloneWorksTheEditor) {
    WriteConfig("[UNSEI]\r\n[2023]\r\n");
    config::HolidayTable table;
    HolidayEditor editor(nullptr, 2023, 0, table, Config(), reporter_, "@ＭＳ ゴシック");
    editor.confirm_discard = [] { return true; }; // should an assertion leave it open
    const ModalResult result = Run(editor, [&] {
        TakeKeyboard(editor);
        const std::vector<std::pair<const char*, Gtk::Widget*>> order{
            {"close", &editor.CloseButton()}, {"日", &editor.SundayButton()}, {"土", &editor.SaturdayButton()},
            {"保存", &editor.OKButton()},     {"終了", &editor.ExitButton()}, {"一月", &editor.MonthBox(1)},
            {"二月", &editor.MonthBox(2)}};
        for (const auto& [name, widget] : order) {
            PressKey(XK_Tab);
            EXPECT_EQ(editor.get_focus(), widget) << name;
        }
        for (int i = 0; i < 5; ++i)
            PressChord(XK_Shift_L, XK_Tab);
        ASSERT_EQ(editor.get_focus(), &editor.SundayButton());
        EXPECT_GT(NavyPixels(editor.SundayButton()), 20); // the focus is plain to see
        PressKey(XK_space);
        EXPECT_TRUE(table.IsMarked(1, 1)); // 1 January 2023 is a Sunday
        EXPECT_TRUE(table.IsMarked(12, 31));
        // In a month the arrows move the ring from day to day, Space and Enter invert the
        // day under it.
        for (int i = 0; i < 4; ++i)
            PressKey(XK_Tab);
        ASSERT_EQ(editor.get_focus(), &editor.MonthBox(1));
        EXPECT_GT(NavyPixels(editor.MonthBox(1)), 20);
        PressKey(XK_Right);
        PressKey(XK_Down);
        EXPECT_EQ(editor.CursorDay(1), 9);
        PressKey(XK_space);
        EXPECT_TRUE(table.IsMarked(1, 9));
        PressKey(XK_Left);
        PressKey(XK_Return);
        EXPECT_FALSE(table.IsMarked(1, 8)); // a Sunday marked by 日, now off again
        PressChord(XK_Shift_L, XK_Tab);
        PressChord(XK_Shift_L, XK_Tab);
        ASSERT_EQ(editor.get_focus(), &editor.OKButton());
        PressKey(XK_Return);
    });
    EXPECT_EQ(result, ModalResult::kOk);
    EXPECT_NE(ConfigText().find("HOLIDAY1=0109152229\r\n"), std::string::npos) << ConfigText();

    config::HolidayTable again;
    HolidayEditor second(nullptr, 2023, 0, again, Config(), reporter_, "@ＭＳ ゴシック");
    bool asked = false;
    second.confirm_discard = [&] { return asked = true; };
    const ModalResult escaped = Run(second, [&] {
        TakeKeyboard(second);
        PressKey(XK_Tab);
        PressKey(XK_Tab);
        PressKey(XK_space); // 日 again: the Sundays off
        PressKey(XK_Escape);
    });
    EXPECT_EQ(escaped, ModalResult::kCancel);
    EXPECT_TRUE(asked);
    EXPECT_NE(ConfigText().find("HOLIDAY1=0109152229\r\n"), std::string::npos) << ConfigText();
}

// As a screen reader reads a month: a toggle per day named by its date, checked when
// marked, the one under the day cursor focused as the arrows move it; its action toggles
// the day as Space does, and OK writes it.
TEST_F(HolidayEditorTest, EveryDayIsAnAccessibleToggle) {
    WriteConfig("[UNSEI]\r\n[2026]\r\nHOLIDAY1=0112\r\n");
    config::HolidayTable table;
    HolidayEditor editor(nullptr, 2026, 0, table, Config(), reporter_, "@ＭＳ ゴシック");
    auto states = [](AtkObject* day) {
        AtkStateSet* set = atk_object_ref_state_set(day);
        std::string held;
        for (const auto& [state, mark] : {std::pair{ATK_STATE_CHECKED, 'C'}, std::pair{ATK_STATE_FOCUSED, 'F'}})
            if (atk_state_set_contains_state(set, state)) held += mark;
        g_object_unref(set);
        return held;
    };
    const ModalResult result = Run(editor, [&] {
        AtkObject* january = editor.MonthBox(1).get_accessible()->gobj();
        ASSERT_EQ(atk_object_get_n_accessible_children(january), 31);
        std::vector<AtkObject*> days;
        for (int d = 1; d <= 31; ++d) {
            days.push_back(atk_object_ref_accessible_child(january, d - 1));
            EXPECT_EQ(atk_object_get_name(days.back()), std::to_string(1) + "月" + std::to_string(d) + "日");
            EXPECT_EQ(atk_object_get_role(days.back()), ATK_ROLE_TOGGLE_BUTTON);
        }
        EXPECT_EQ(states(days[0]), "C");
        EXPECT_EQ(states(days[10]), "");
        // The 11th stands where its cell is drawn on the screen.
        int bx, by, x, y, w, h;
        atk_component_get_extents(ATK_COMPONENT(january), &bx, &by, nullptr, nullptr, ATK_XY_WINDOW);
        atk_component_get_extents(ATK_COMPONENT(days[10]), &x, &y, &w, &h, ATK_XY_WINDOW);
        const gfx::Rect& cell = editor.DayCells(1)[10];
        EXPECT_EQ((std::array{x - bx, y - by, w, h}), (std::array{cell.left, cell.top, cell.width(), cell.height()}));
        // The focus follows the day cursor.
        TakeKeyboard(editor);
        editor.MonthBox(1).grab_focus();
        Pump(50);
        EXPECT_EQ(states(days[0]), "CF");
        PressKey(XK_Right);
        PressKey(XK_Down);
        EXPECT_EQ(states(days[0]), "C");
        EXPECT_EQ(states(days[8]), "F");
        // The action toggles, as Space does.
        ASSERT_EQ(atk_action_get_n_actions(ATK_ACTION(days[10])), 1);
        EXPECT_TRUE(atk_action_do_action(ATK_ACTION(days[10]), 0));
        EXPECT_TRUE(atk_action_do_action(ATK_ACTION(days[11]), 0));
        Pump(50);
        EXPECT_EQ(states(days[10]), "C");
        EXPECT_EQ(states(days[11]), "");
        for (AtkObject* day : days)
            g_object_unref(day);
        ClickCentre(editor.OKButton());
    });
    EXPECT_EQ(result, ModalResult::kOk);
    EXPECT_NE(ConfigText().find("HOLIDAY1=0111\r\n"), std::string::npos) << ConfigText();
}

TEST_F(HolidayEditorTest, AFailedWriteKeepsTheEditorOpen) {
    // The file is a folder: it cannot be replaced.
    std::filesystem::create_directory(folder_ / "Kalvorin.CFG");
    config::HolidayTable table;
    HolidayEditor editor(nullptr, 2026, 0, table, Config(), reporter_, "@ＭＳ ゴシック");
    editor.confirm_discard = [] { return true; };
    bool stayed_open = false;
    const ModalResult result = Run(editor, [&] {
        ClickIn(editor.MonthBox(1), editor.DayCells(1)[1]);
        editor.Save();
        stayed_open = editor.Running();
        EXPECT_TRUE(table.IsMarked(1, 2));
    });
    EXPECT_EQ(result, ModalResult::kCancel);
    EXPECT_TRUE(stayed_open);
    EXPECT_FALSE(reporter_.messages().empty());
}

} // namespace
} // namespace dialogs
