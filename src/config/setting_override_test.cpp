// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/setting_override.h"

#include <gtest/gtest.h>

namespace config {
namespace {

TEST(SettingOverride, SetsPrintSettingsByTheirTable) {
    Settings s;
    EXPECT_FALSE(s.page(3).under_bitmap);
    EXPECT_EQ("", ApplySettingOverride("PRINT 3.UnderBitmap=1", s));
    EXPECT_TRUE(s.page(3).under_bitmap);
    EXPECT_EQ("", ApplySettingOverride("print 3.underbitmap=off", s)); // any letter case, on / off
    EXPECT_FALSE(s.page(3).under_bitmap);
    EXPECT_EQ("", ApplySettingOverride("PRINT 1.Up Space=25", s)); // keys with blanks
    EXPECT_EQ(25, s.page(1).up_space);
    EXPECT_EQ("", ApplySettingOverride("PRINT.BMP4=桜.jpg", s)); // text; "=" after the first is the value's
    EXPECT_EQ("桜.jpg", s.month_pictures[3]);
    EXPECT_EQ("", ApplySettingOverride("PRINT.TESTSize=16", s));
    EXPECT_EQ(16, s.preview_scale);
    EXPECT_EQ("", ApplySettingOverride("PRINT 2.ColorLevel=3", s));
    EXPECT_EQ(3, s.page(2).color_level);
}

TEST(SettingOverride, RefusesWhatIsNotAPrintSettingOrDoesNotFit) {
    Settings s;
    const Settings before = s;
    const struct {
        const char* assignment;
        const char* message;
    } cases[] = {
        {"PRINT 1.UnderBitmap", "is not SECTION.KEY=VALUE"},
        {"UnderBitmap=1", "is not SECTION.KEY=VALUE"},
        {"PRINT 9.UnderBitmap=1", "no print setting PRINT 9.UnderBitmap"},
        {"PRINT 1.Colour=1", "no print setting"},
        {"UNSEI.ETO=7", "UNSEI.ETO is not a print setting"}, // the host's keys have options of their own
        {"PRINT.TEST X=5", "is not a print setting"},
        {"PRINT 1.Up Space=1000", "needs a whole number from 0 to 999"},
        {"PRINT.TESTSize=0", "from 1 to 16"},
        {"PRINT 1.UnderBitmap=maybe", "needs 1 or 0"},
        {"PRINT 1.CornerBMP=x", "needs a whole number"},
        // Held in 8 bits: 256 would be read back as 0.
        {"PRINT 1.ColorLevel=256", "needs a whole number from 0 to 255"},
        {"PRINT 3.ColorLevel=-1", "from 0 to 255"},
    };
    for (const auto& c : cases) {
        const std::string error = ApplySettingOverride(c.assignment, s);
        EXPECT_NE(std::string::npos, error.find(c.message)) << c.assignment << ": " << error;
        EXPECT_NE(std::string::npos, error.find(std::string("'") + c.assignment + "'")) << error;
    }
    EXPECT_EQ(before, s);
}

} // namespace
} // namespace config
