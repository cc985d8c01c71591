// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/holiday_form.h"

#include "almanac/calendar_math.h"
#include "dialogs/dialog_test_fixture.h"

namespace dialogs {
namespace {

using namespace dialogs::testing;

class HolidayFormTest : public DialogTest {};

TEST_F(HolidayFormTest, ClicksToggleDaysAndOkWritesTheYear) {
    WriteConfig("[UNSEI]\r\nETO=7\r\n[2026]\r\nHOLIDAY1=01\r\nHOLIDAY3=20\r\n");
    config::HolidayTable table;
    THolidayForm form(nullptr, 2026, 0, table, Config(), reporter_, "@ＭＳ ゴシック");
    form.on_shown = [&](Gtk::Window& w) {
        auto closer = Closer(form);
        WaitShown(w);
        EXPECT_EQ(form.TitleYear(), "二〇二六");
        // The table has been read for the year.
        EXPECT_TRUE(table.IsMarked(1, 1));
        EXPECT_TRUE(table.IsMarked(3, 20));
        ClickIn(form.MonthBox(1), form.DayCells(1)[10]); // 11 January on
        EXPECT_TRUE(table.IsMarked(1, 11));
        ClickIn(form.MonthBox(3), form.DayCells(3)[19]); // 20 March off
        EXPECT_FALSE(table.IsMarked(3, 20));
        ClickIn(form.MonthBox(12), form.DayCells(12)[30]); // 31 December on, then off
        ClickIn(form.MonthBox(12), form.DayCells(12)[30]);
        EXPECT_FALSE(table.IsMarked(12, 31));
        // A press on the weekday heads marks nothing.
        Click(form.MonthBox(5), 5, 5);
        EXPECT_EQ(table.flags[4], (std::array<std::uint8_t, 31>{}));
        ClickCentre(form.OKButton());
    };
    EXPECT_EQ(form.RunModal(), ModalResult::kOk);
    const std::string text = ConfigText();
    EXPECT_NE(text.find("HOLIDAY1=0111\r\n"), std::string::npos) << text;
    // A month without marks is written as an empty value, not removed.
    EXPECT_NE(text.find("HOLIDAY3=\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("HOLIDAY12"), std::string::npos) << text; // toggled twice: not written
    EXPECT_TRUE(reporter_.messages().empty());
}

TEST_F(HolidayFormTest, WeekdayButtonsInvertEveryDayAndTwiceRestore) {
    // 2023 begins on a Sunday that is already marked.
    WriteConfig("[UNSEI]\r\n[2023]\r\nHOLIDAY1=0102\r\n");
    config::HolidayTable table;
    THolidayForm form(nullptr, 2023, 1, table, Config(), reporter_, "@ＭＳ ゴシック");
    form.on_shown = [&](Gtk::Window& w) {
        auto closer = Closer(form);
        WaitShown(w);
        const config::HolidayTable loaded = table;
        ClickCentre(form.SundayButton());
        EXPECT_FALSE(table.IsMarked(1, 1)); // the marked Sunday is unmarked
        EXPECT_TRUE(table.IsMarked(1, 8));
        EXPECT_TRUE(table.IsMarked(1, 2)); // a Monday keeps its mark
        EXPECT_TRUE(table.IsMarked(12, 31));
        ClickCentre(form.SaturdayButton());
        EXPECT_TRUE(table.IsMarked(1, 7));
        EXPECT_TRUE(table.IsMarked(12, 30));
        int marked = 0;
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= almanac::DaysInMonth(2023, m); ++d)
                marked += table.IsMarked(m, d);
        }
        EXPECT_EQ(marked, 53 + 52 - 1 + 1); // 53 Sundays, 52 Saturdays, 1 Jan off, 2 Jan on
        ClickCentre(form.SundayButton());
        ClickCentre(form.SaturdayButton());
        EXPECT_EQ(table, loaded);
        form.OKButtonClick();
    };
    EXPECT_EQ(form.RunModal(), ModalResult::kOk);
    EXPECT_NE(ConfigText().find("HOLIDAY1=0102\r\n"), std::string::npos);
}

TEST_F(HolidayFormTest, ExitAndCloseWriteNothingAndRestoreTheTable) {
    const std::string stored = "[UNSEI]\r\nETO=7\r\n[2026]\r\nHOLIDAY5=0304\r\n";
    WriteConfig(stored);
    for (int way = 0; way < 2; ++way) {
        config::HolidayTable table;
        table.Mark(8, 15, true); // what the program held before the editor opened
        const config::HolidayTable before = table;
        THolidayForm form(nullptr, 2026, 0, table, Config(), reporter_, "@ＭＳ ゴシック");
        form.on_shown = [&](Gtk::Window& w) {
            auto closer = Closer(form);
            WaitShown(w);
            ClickIn(form.MonthBox(6), form.DayCells(6)[0]);
            ClickCentre(form.SundayButton());
            ClickCentre(way == 0 ? form.ExitButton() : form.SysCloseButton());
        };
        EXPECT_EQ(form.RunModal(), ModalResult::kCancel);
        EXPECT_EQ(table, before) << way;
        EXPECT_EQ(ConfigText(), stored) << way;
    }
}

TEST_F(HolidayFormTest, February2100HasTwentyEightDays) {
    WriteConfig("[UNSEI]\r\n");
    config::HolidayTable table;
    THolidayForm form(nullptr, 2100, 0, table, Config(), reporter_, "@ＭＳ ゴシック");
    EXPECT_EQ(form.DayCells(2).size(), 28u);
    form.on_shown = [&](Gtk::Window& w) {
        auto closer = Closer(form);
        WaitShown(w);
        ClickCentre(form.SaturdayButton());
        form.OKButtonClick();
    };
    EXPECT_EQ(form.RunModal(), ModalResult::kOk);
    // The Saturdays of February 2100: 6, 13, 20, 27 (no 29th to mark).
    EXPECT_NE(ConfigText().find("HOLIDAY2=06132027\r\n"), std::string::npos) << ConfigText();
}

// The host ("kalvorin-host holidays") marks a day while the editor is open; OK writes the
// day the user toggled into the month as the file then holds it.
TEST_F(HolidayFormTest, OkKeepsTheDaysOthersMarkedWhileTheEditorWasOpen) {
    WriteConfig("[UNSEI]\r\nETO=7\r\n[2026]\r\nHOLIDAY1=01\r\nHOLIDAY6=\r\n");
    config::HolidayTable table;
    THolidayForm form(nullptr, 2026, 0, table, Config(), reporter_, "@ＭＳ ゴシック");
    form.on_shown = [&](Gtk::Window& w) {
        auto closer = Closer(form);
        WaitShown(w);
        config::ConfigFile host(Config());
        ASSERT_TRUE(host.WriteString("2026", "HOLIDAY6", "15"));
        ASSERT_TRUE(host.WriteString("2026", "HOLIDAY11", "03"));
        ClickIn(form.MonthBox(6), form.DayCells(6)[19]); // 20 June on
        ClickCentre(form.OKButton());
    };
    EXPECT_EQ(form.RunModal(), ModalResult::kOk);
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

TEST_F(HolidayFormTest, AFailedWriteKeepsTheEditorOpen) {
    // The file is a folder: it cannot be replaced.
    std::filesystem::create_directory(folder_ / "Kalvorin.CFG");
    config::HolidayTable table;
    THolidayForm form(nullptr, 2026, 0, table, Config(), reporter_, "@ＭＳ ゴシック");
    bool stayed_open = false;
    form.on_shown = [&](Gtk::Window& w) {
        auto closer = Closer(form);
        WaitShown(w);
        ClickIn(form.MonthBox(1), form.DayCells(1)[1]);
        form.OKButtonClick();
        stayed_open = form.Running();
        EXPECT_TRUE(table.IsMarked(1, 2));
    };
    EXPECT_EQ(form.RunModal(), ModalResult::kCancel);
    EXPECT_TRUE(stayed_open);
    EXPECT_FALSE(reporter_.messages().empty());
}

} // namespace
} // namespace dialogs
