// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/font_map.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

namespace gfx {
namespace {

TEST(HorizontalFace, DropsTheVerticalMark) {
    EXPECT_EQ(HorizontalFace("@ＭＳ ゴシック"), "ＭＳ ゴシック");
    EXPECT_EQ(HorizontalFace("ＭＳ 明朝"), "ＭＳ 明朝");
    EXPECT_EQ(HorizontalFace("@"), "");
    EXPECT_EQ(HorizontalFace(""), "");
}

// What the configured faces become on this machine. A failure here means a runtime font
// package is missing (fonts-ipafont-gothic, fonts-ipafont-mincho, fonts-liberation2) or
// another font has taken over Japanese text.
TEST(ResolvedFamily, WindowsFacesResolveToTheInstalledFonts) {
    EXPECT_EQ(ResolvedFamily("@ＭＳ ゴシック"), "IPAGothic");
    EXPECT_EQ(ResolvedFamily("ＭＳ ゴシック"), "IPAGothic");
    EXPECT_EQ(ResolvedFamily("@ＭＳ Ｐゴシック"), "IPAPGothic");
    EXPECT_EQ(ResolvedFamily("@ＭＳ 明朝"), "IPAMincho");
    EXPECT_EQ(ResolvedFamily("ＭＳ 明朝"), "IPAMincho");
    EXPECT_EQ(ResolvedFamily("Times New Roman"), "Liberation Serif");
}

TEST(ProgramFontMap, AddsTheRulesToFontconfigsOwnConfiguration) {
    // One configuration for the process: a plain fontconfig match, as Cairo makes one, sees
    // the shipped rules once the font map exists.
    ASSERT_NE(ProgramFontMap(), nullptr);
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("ＭＳ 明朝"));
    ASSERT_NE(pattern, nullptr);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    ASSERT_NE(match, nullptr);
    FcChar8* family = nullptr;
    ASSERT_EQ(FcPatternGetString(match, FC_FAMILY, 0, &family), FcResultMatch);
    EXPECT_STREQ(reinterpret_cast<const char*>(family), "IPAMincho");
    FcPatternDestroy(match);
    FcPatternDestroy(pattern);
}

TEST(ResolvedFamily, UnknownFacesStillGiveAJapaneseFont) {
    const std::string family = ResolvedFamily("@No Such Face");
    EXPECT_FALSE(family.empty());
}

TEST(ShippedFontRules, AreTheFileThatShipsWithTheProgram) {
    EXPECT_NE(ShippedFontRules().find("<fontconfig>"), std::string_view::npos);
    EXPECT_NE(ShippedFontRules().find("ＭＳ Ｐゴシック"), std::string_view::npos);
}

} // namespace
} // namespace gfx
