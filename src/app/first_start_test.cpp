// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/first_start_dialog.h"
#include "app/window_test_fixture.h"
#include "host/first_start.h"

#include <X11/keysym.h>

namespace app::testing {
namespace {

// The first start's answers: the birth date's year sign (changing at 立春), the first
// weekday and the place, as the host folder is made from them; the folder made then starts
// the program with them.
TEST_F(MainWindowTest, TheFirstStartMakesAHostFolderTheProgramStartsOn) {
    const std::filesystem::path folder = folder_ / "share" / "kalvorin";
    FirstStartDialog dialog(folder, 2026);
    dialog.show();
    ASSERT_TRUE(PumpUntil([&] { return dialog.get_mapped(); }));
    Pump(100);
    std::string found;
    for (const std::string& problem : LayoutProblems(dialog))
        found += "\n  " + problem;
    EXPECT_TRUE(found.empty()) << found;

    dialog.SetBirthDate(1990, 2, 3);
    EXPECT_EQ("己巳", dialog.YearSignText());
    dialog.SetBirthDate(1990, 2, 4);
    EXPECT_EQ("庚午", dialog.YearSignText());
    // A date that is none, or still to come, says so and cannot be taken.
    dialog.SetBirthDate(1990, 2, 30);
    EXPECT_EQ("1990/2 has no day 30", dialog.YearSignText());
    EXPECT_FALSE(dialog.get_widget_for_response(Gtk::RESPONSE_OK)->is_sensitive());
    const Today today = SystemToday();
    if (today.year == 2026 && !(today.month == 12 && today.day == 31)) {
        dialog.SetBirthDate(2026, 12, 31);
        EXPECT_EQ("a birth date still to come", dialog.YearSignText());
        EXPECT_FALSE(dialog.get_widget_for_response(Gtk::RESPONSE_OK)->is_sensitive());
    }
    dialog.SetBirthDate(1990, 2, 4);
    EXPECT_TRUE(dialog.get_widget_for_response(Gtk::RESPONSE_OK)->is_sensitive());
    // Each number is read by its own name, labelled by its row.
    AtkObject* year = dialog.Latitude().get_accessible()->gobj();
    EXPECT_STREQ("Latitude (°)", atk_object_get_name(year));
    AtkRelationSet* relations = atk_object_ref_relation_set(year);
    EXPECT_TRUE(atk_relation_set_contains(relations, ATK_RELATION_LABELLED_BY));
    g_object_unref(relations);
    // A capital fills in its place; a place of one's own is typed.
    dialog.ChoosePlace(26); // 大阪府
    EXPECT_NEAR(34.6863, dialog.Latitude().get_value(), 1e-6);
    EXPECT_FALSE(dialog.Latitude().is_sensitive());
    dialog.ChoosePlace(-1);
    EXPECT_TRUE(dialog.Latitude().is_sensitive());
    dialog.Latitude().set_value(43.5);
    dialog.Longitude().set_value(142.25);
    dialog.Elevation().set_value(250);
    dialog.Weekday().set_active(1);
    // Enter in a field makes the folder, as the default button does.
    int response = 0;
    dialog.signal_response().connect([&](int r) { response = r; });
    FocusWindow(dialog);
    ASSERT_TRUE(PumpUntil([&] { return dialog.has_toplevel_focus(); }));
    dialog.Elevation().grab_focus();
    Pump(50);
    PressKey(XK_Return);
    EXPECT_EQ(Gtk::RESPONSE_OK, response);
    const host::HostFolderOptions options = dialog.Options();
    dialog.hide();
    EXPECT_EQ(7, options.eto);
    EXPECT_EQ(1, options.start_weekday);
    EXPECT_EQ("43.5000", options.latitude);
    EXPECT_EQ("142.2500", options.longitude);
    EXPECT_EQ(250, options.elevation);

    ASSERT_EQ("", host::MakeNewHostFolder(options, 2026));
    ASSERT_TRUE(StartUp(folder, Today{2026, 12, 7}, PrinterCaps{}, state_, reporter_));
    EXPECT_TRUE(reporter_.messages().empty());
    EXPECT_EQ(7, state_.settings.birth_eto);
    EXPECT_EQ(1, state_.settings.start_weekday);
    EXPECT_DOUBLE_EQ(43.5, state_.settings.latitude);
    // A folder already made is not made again over itself.
    EXPECT_NE("", host::MakeNewHostFolder(options, 2026));
}

} // namespace
} // namespace app::testing
