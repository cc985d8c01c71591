// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/pdf_finish.h"

#include <gtest/gtest.h>

namespace gfx {
namespace {

TEST(PdfFinish, EqualRedGreenAndBlueBecomeAGray) {
    EXPECT_EQ(GrayColours("q 0 0 0 rg /a0 gs\n0.5 0.5 0.5 RG 1 w\n"), "q 0 g /a0 gs\n0.5 G 1 w\n");
    EXPECT_EQ(GrayColours("BT\n1 1 1 rg\nET"), "BT\n1 g\nET");
    // Colours, operands of other operators and look-alike tokens stay as they were.
    for (const char* kept : {"1 0 0 rg", "0 0 1 RG", "10 10 0 0 re f", "0 0 0 rgb", "0 0 0 RGX", "/rg 1 Tf",
                             "0 0 0 Rg", "(0 0 0)rg", ""}) {
        EXPECT_EQ(GrayColours(kept), kept);
    }
    EXPECT_EQ(GrayColours("0.2 0.2 0.2 rg 1 0 0 RG 0 0 0 RG"), "0.2 g 1 0 0 RG 0 G");
}

TEST(PdfFinish, AnUnreadableDocumentIsRefusedWithItsReason) {
    std::string error;
    EXPECT_EQ(FinishPdf("not a PDF", "ja", &error), "");
    EXPECT_FALSE(error.empty());
}

} // namespace
} // namespace gfx
