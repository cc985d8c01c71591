#include "gfx/font_map.h"

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
