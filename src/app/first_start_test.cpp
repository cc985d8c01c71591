// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/first_start_dialog.h"
#include "app/window_test_fixture.h"
#include "host/first_start.h"

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
    dialog.SetBirthDate(1990, 2, 30);
    EXPECT_EQ("", dialog.YearSignText());
    dialog.SetBirthDate(1990, 2, 4);
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
