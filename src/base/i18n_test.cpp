// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/i18n.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FormatTest, FillsAndReordersArguments) {
    EXPECT_EQ(base::Format("%s needs %d", "--dpi", 600), "--dpi needs 600");
    // A translation may put the arguments in another order.
    EXPECT_EQ(base::Format("%2$s: %1$d", 7, "庚午"), "庚午: 7");
    EXPECT_EQ(base::Format("%s", ""), "");
    // Longer than any fixed buffer: the whole text comes back.
    const std::string long_text(5000, 'x');
    EXPECT_EQ(base::Format("[%s]", long_text.c_str()), "[" + long_text + "]");
}

TEST(TranslateTest, EmptyAndUnknownTextsComeBackAsTheyAre) {
    base::InitMessages();
    // "" would otherwise be answered with the catalogue's header.
    EXPECT_EQ(base::Translate(""), "");
    EXPECT_EQ(base::Translate("a text no catalogue holds"), "a text no catalogue holds");
    // Under the tests' C.UTF-8 locale every message reads in English.
    EXPECT_STREQ(_("show this help and exit"), "show this help and exit");
}

} // namespace
