#include "print/paper_sizes.h"

#include <gtest/gtest.h>

namespace print {
namespace {

TEST(PaperSizes, NamesAndPixels) {
    ASSERT_TRUE(FindPaperSize("a4"));
    EXPECT_EQ(210, FindPaperSize("A4")->width_mm);
    EXPECT_EQ(364, FindPaperSize("B4")->height_mm);
    EXPECT_DOUBLE_EQ(215.9, FindPaperSize("letter")->width_mm);
    EXPECT_EQ(105, FindPaperSize("a6")->width_mm);
    EXPECT_EQ(100, FindPaperSize("Postcard")->width_mm);
    EXPECT_EQ(148, FindPaperSize("postcard")->height_mm);
    EXPECT_FALSE(FindPaperSize("A7"));
    EXPECT_FALSE(FindPaperSize(""));
    // Every name of the usage text is found.
    std::string_view names = PaperSizeNames();
    for (std::size_t start = 0; start <= names.size();) {
        std::size_t end = names.find('|', start);
        if (end == std::string_view::npos) end = names.size();
        EXPECT_TRUE(FindPaperSize(names.substr(start, end - start))) << names.substr(start, end - start);
        start = end + 1;
    }
    EXPECT_EQ(4960, PaperPixels(210, 600));
    EXPECT_EQ(7015, PaperPixels(297, 600));
    EXPECT_EQ(1650, PaperPixels(279.4, 150)); // 11 inches
}

} // namespace
} // namespace print
