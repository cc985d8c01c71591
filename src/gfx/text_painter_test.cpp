// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/cairo_canvas.h"
#include "gfx/page_probe_for_tests.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace gfx {
namespace {

using namespace gfx::testing;

std::string OutputPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

// A small page with every kind of drawing, written to the temporary folder to be looked at.
void DrawSamplePage(Canvas& canvas) {
    canvas.SetBrush(base::kWhite, BrushStyle::kClear);
    canvas.SetPen(base::kBlack);
    canvas.Rectangle(Rect{20, 20, 380, 280});
    canvas.SelectFont("@ＭＳ ゴシック", -32, kVerticalEscapement);
    canvas.TextOut(80, 30, "「歳時記」ー〜一月");
    canvas.SetTextColor(base::kRed);
    canvas.TextOut(120, 30, "大安 ABC ｴﾗｰ 12");
    canvas.SetTextColor(base::kBlue);
    canvas.SelectFont("@ＭＳ 明朝", -24, kVerticalEscapement);
    canvas.TextOut(150, 30, "仏滅・十方暮（一粒万倍日）");
    canvas.SetTextColor(base::kBlack);
    canvas.SelectFont("ＭＳ ゴシック", -20);
    canvas.TextOut(170, 30, "二〇二六年 睦月");
    canvas.SelectFont("Times New Roman", -28, 0, true);
    canvas.DrawText(Rect{170, 60, 370, 100}, dt::kCenter | dt::kVCenter | dt::kSingleLine, "2026.12");
    canvas.SetBrush(base::kBlack);
    canvas.SetTextColor(base::kWhite);
    canvas.SelectFont("ＭＳ 明朝", -20);
    canvas.TextOut(180, 110, "反転 inverted");

    // A day number as the platform's two-colour resources hold it, plain and inverted.
    pictures::Bitmap one{6, 6, {}, true};
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x)
            one.pixels.push_back(x == 3 || (y == 1 && x == 2) ? 0xFF000000 : 0xFFFFFFFF);
    }
    canvas.SetBrush(base::kWhite);
    canvas.SetTextColor(base::kBlack);
    canvas.StretchBitmap(Rect{180, 150, 216, 186}, one, "K01", BitmapCopy::kCopy);
    canvas.StretchBitmap(Rect{220, 150, 256, 186}, one, "K01", BitmapCopy::kInvert);

    // A picture at each colour level.
    pictures::Bitmap picture{30, 20, {}, false};
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 30; ++x)
            picture.pixels.push_back(0xFF000000u | (x * 8) << 16 | (y * 12) << 8 | 0x60);
    }
    for (int level = 1; level <= 3; ++level) {
        canvas.DrawPicture(Rect{180 + (level - 1) * 65, 200, 240 + (level - 1) * 65, 240}, picture, level);
    }
}

TEST(VerticalText, AColumnAtXFillsTheStripToItsLeftAndRunsDown) {
    std::string error;
    auto canvas = CairoCanvas::CreateImage(Device{200, 400, 96, 96, 256}, &error);
    ASSERT_NE(canvas, nullptr) << error;
    canvas->SelectFont("@ＭＳ ゴシック", -32, kVerticalEscapement);
    const std::string text = "「国」ー〜";
    const TextSize size = canvas->TextExtent(text);
    EXPECT_EQ(size.cy, 32);
    EXPECT_EQ(size.cx, 5 * 32); // full-width characters advance one em each
    canvas->TextOut(100, 10, text);
    const Rect ink = InkBox(*canvas, Rect{0, 0, 200, 400});
    EXPECT_GE(ink.left, 100 - 32);
    EXPECT_LE(ink.right, 100);
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.bottom, 10 + size.cx);
    EXPECT_GT(ink.width(), 20);
    EXPECT_GT(ink.height(), 4 * 32);
}

TEST(VerticalText, NarrowCharactersLieInsideTheColumnAtHalfAnEm) {
    std::string error;
    auto canvas = CairoCanvas::CreateImage(Device{200, 400, 96, 96, 256}, &error);
    ASSERT_NE(canvas, nullptr) << error;
    canvas->SelectFont("@ＭＳ ゴシック", -32, kVerticalEscapement);
    EXPECT_EQ(canvas->TextExtent("XXX").cy, 32);
    EXPECT_EQ(canvas->TextExtent("12").cx, 32);
    canvas->TextOut(100, 10, "ABC12");
    const Rect ink = InkBox(*canvas, Rect{0, 0, 200, 400});
    EXPECT_GE(ink.left, 100 - 32);
    EXPECT_LE(ink.right, 100);
    EXPECT_LE(ink.bottom, 10 + 5 * 16 + 1);
}

TEST(Text, APositiveHeightIsTheCellHeight) {
    // As on the platform: −h asks for an em of h pixels, +h for a cell (ascent + descent) of
    // h pixels, whose em is smaller by the face's internal leading. Times New Roman's
    // stand-in has a leading; the Japanese faces have none, so their em is the cell.
    std::string error;
    auto canvas = CairoCanvas::CreateImage(Device{200, 400, 96, 96, 256}, &error);
    ASSERT_NE(canvas, nullptr) << error;
    canvas->SelectFont("Times New Roman", -100);
    const int cell_of_em = canvas->TextExtent("M").cy;
    canvas->SelectFont("Times New Roman", 100);
    const int cell = canvas->TextExtent("M").cy;
    EXPECT_GT(cell_of_em, 105);
    EXPECT_NEAR(cell, 100, 1);

    canvas->SelectFont("@ＭＳ ゴシック", -100, kVerticalEscapement);
    const int em = canvas->TextExtent("日").cy;
    canvas->SelectFont("@ＭＳ ゴシック", 100, kVerticalEscapement);
    const int cell_em = canvas->TextExtent("日").cy;
    EXPECT_EQ(100, em);
    EXPECT_EQ(100, cell_em);
}

TEST(Text, ACellHeightGivesTheSameSizeWhateverWasSelectedBefore) {
    // The em of a font asked for by its cell height must not depend on the direction of the
    // font selected before it, nor on whether the face was measured first in a column.
    std::string error;
    auto fresh = CairoCanvas::CreateImage(Device{200, 200, 96, 96, 256}, &error);
    ASSERT_NE(fresh, nullptr) << error;
    fresh->SelectFont("ＭＳ 明朝", 300);
    const TextSize horizontal = fresh->TextExtent("十二月");
    fresh->SelectFont("@ＭＳ 明朝", 300, kVerticalEscapement);
    const TextSize vertical = fresh->TextExtent("十二月");

    auto after_vertical = CairoCanvas::CreateImage(Device{200, 200, 96, 96, 256}, &error);
    ASSERT_NE(after_vertical, nullptr) << error;
    after_vertical->SelectFont("@ＭＳ ゴシック", -40, kVerticalEscapement);
    after_vertical->TextOut(100, 10, "一");
    after_vertical->SelectFont("@ＭＳ 明朝", 300, kVerticalEscapement);
    EXPECT_EQ(after_vertical->TextExtent("十二月"), vertical);
    after_vertical->SelectFont("ＭＳ 明朝", 300);
    EXPECT_EQ(after_vertical->TextExtent("十二月"), horizontal);
    // Three full-width characters of an em a little below the cell height.
    EXPECT_EQ(vertical.cx, horizontal.cx);
    EXPECT_GT(horizontal.cx, 3 * 240);
    EXPECT_LE(horizontal.cx, 3 * 300);
}

TEST(Text, TheSameTextMeasuresAfreshInEachFont) {
    // Layouts are kept per font and text: each font, direction and weight has its own.
    std::string error;
    auto canvas = CairoCanvas::CreateImage(Device{300, 300, 96, 96, 256}, &error);
    ASSERT_NE(canvas, nullptr) << error;
    canvas->SelectFont("ＭＳ ゴシック", -20);
    const TextSize small = canvas->TextExtent("日本");
    canvas->TextOut(10, 10, "日本");
    canvas->SelectFont("ＭＳ ゴシック", -30);
    EXPECT_EQ(canvas->TextExtent("日本").cx, 60);
    canvas->SelectFont("@ＭＳ ゴシック", -20, kVerticalEscapement);
    EXPECT_EQ(canvas->TextExtent("日本"), (TextSize{40, 20}));
    canvas->SelectFont("ＭＳ ゴシック", -20, 0, true);
    EXPECT_EQ(canvas->TextExtent("日本").cx, 40);
    canvas->SelectFont("Times New Roman", -20);
    EXPECT_LT(canvas->TextExtent("ii").cx, 20);
    canvas->SelectFont("ＭＳ ゴシック", -20);
    EXPECT_EQ(canvas->TextExtent("日本"), small);
    EXPECT_EQ(small.cx, 40);
}

TEST(Text, MeasuresAlikeBeforeAndAfterTheKeptLayoutsAreDropped) {
    // More distinct texts than the painter keeps layouts for: it starts afresh and goes on.
    std::string error;
    auto canvas = CairoCanvas::CreateImage(Device{100, 100, 96, 96, 256}, &error);
    ASSERT_NE(canvas, nullptr) << error;
    canvas->SelectFont("ＭＳ ゴシック", -20);
    const TextSize first = canvas->TextExtent("日0");
    for (int i = 1; i <= 9000; ++i)
        ASSERT_EQ(canvas->TextExtent("日" + std::to_string(i)).cy, first.cy);
    EXPECT_EQ(canvas->TextExtent("日0"), first);
    canvas->TextOut(10, 10, "日0");
    EXPECT_GT(InkBox(*canvas, Rect{0, 0, 100, 100}).width(), 0);
}

TEST(HorizontalText, HangsFromTheTopLeftOfItsCell) {
    std::string error;
    auto canvas = CairoCanvas::CreateImage(Device{300, 100, 96, 96, 256}, &error);
    ASSERT_NE(canvas, nullptr) << error;
    canvas->SelectFont("ＭＳ ゴシック", -20);
    const TextSize size = canvas->TextExtent("日本");
    EXPECT_EQ(size.cx, 40);
    canvas->TextOut(50, 30, "日本");
    const Rect ink = InkBox(*canvas, Rect{0, 0, 300, 100});
    EXPECT_GE(ink.left, 50);
    EXPECT_LE(ink.right, 90);
    EXPECT_GE(ink.top, 30);
    EXPECT_LE(ink.bottom, 30 + size.cy);
}

TEST(HorizontalText, DrawTextAlignsInItsRectangleAndClips) {
    std::string error;
    auto canvas = CairoCanvas::CreateImage(Device{300, 100, 96, 96, 256}, &error);
    ASSERT_NE(canvas, nullptr) << error;
    canvas->SelectFont("Times New Roman", -30, 0, true);
    canvas->SetBrush(base::kWhite, BrushStyle::kClear);
    canvas->DrawText(Rect{0, 0, 300, 100}, dt::kCenter | dt::kVCenter | dt::kSingleLine, "88");
    const Rect centred = InkBox(*canvas, Rect{0, 0, 300, 100});
    EXPECT_NEAR((centred.left + centred.right) / 2.0, 150, 2);
    EXPECT_NEAR((centred.top + centred.bottom) / 2.0, 50, 4);
    canvas->NewPage();
    canvas->DrawText(Rect{0, 0, 300, 100}, dt::kRight | dt::kBottom | dt::kSingleLine, "88");
    const Rect right = InkBox(*canvas, Rect{0, 0, 300, 100});
    EXPECT_GE(right.right, 290);
    EXPECT_GE(right.bottom, 85);
    canvas->NewPage();
    canvas->DrawText(Rect{10, 10, 40, 30}, dt::kLeft, "888888");
    const Rect clipped = InkBox(*canvas, Rect{0, 0, 300, 100});
    EXPECT_LE(clipped.right, 40);
    EXPECT_LE(clipped.bottom, 30);
}

TEST(VerticalText, DrawTextPlacesTheColumnInItsRectangle) {
    std::string error;
    auto canvas = CairoCanvas::CreateImage(Device{200, 300, 96, 96, 256}, &error);
    ASSERT_NE(canvas, nullptr) << error;
    canvas->SelectFont("@ＭＳ ゴシック", -30, kVerticalEscapement);
    canvas->DrawText(Rect{20, 20, 180, 280}, dt::kCenter | dt::kVCenter | dt::kSingleLine, "十二月");
    const Rect ink = InkBox(*canvas, Rect{0, 0, 200, 300});
    EXPECT_GE(ink.left, 100 - 15 - 1);
    EXPECT_LE(ink.right, 100 + 15 + 1);
    EXPECT_GE(ink.top, 150 - 45);
    EXPECT_LE(ink.bottom, 150 + 45);
}

TEST(Text, ASolidBrushGivesAnOpaqueBackground) {
    std::string error;
    auto canvas = CairoCanvas::CreateImage(Device{200, 200, 96, 96, 256}, &error);
    ASSERT_NE(canvas, nullptr) << error;
    canvas->SelectFont("@ＭＳ ゴシック", -20, kVerticalEscapement);
    canvas->SetBrush(base::kBlue);
    canvas->TextOut(100, 10, "一");
    EXPECT_EQ(PixelAt(*canvas, 81, 11), 0x0000FFu);
    EXPECT_EQ(PixelAt(*canvas, 79, 11), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(*canvas, 100, 11), 0xFFFFFFu);
}

TEST(SamplePage, RendersToPngPdfAndSvg) {
    std::string error;
    const Device device{400, 300, 96, 96, 256};
    auto image = CairoCanvas::CreateImage(device, &error);
    ASSERT_NE(image, nullptr) << error;
    DrawSamplePage(*image);
    EXPECT_TRUE(image->WritePng(OutputPath("qelmarin_gfx_sample.png"), &error)) << error;
    // The bitmaps and pictures landed where they were put.
    EXPECT_EQ(PixelAt(*image, 180, 150), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(*image, 180 + 18, 150 + 30), 0x000000u);
    EXPECT_EQ(PixelAt(*image, 220, 150), 0x000000u);
    EXPECT_EQ(PixelAt(*image, 220 + 18, 150 + 30), 0xFFFFFFu);
    const auto brightness = [&](int level) {
        const std::uint32_t rgb = PixelAt(*image, 180 + (level - 1) * 65 + 30, 220);
        return ((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF);
    };
    EXPECT_GT(brightness(1), brightness(2));
    EXPECT_GT(brightness(2), brightness(3));

    auto pdf = CairoCanvas::CreatePdf(OutputPath("qelmarin_gfx_sample.pdf"), device, "Kalvorin", &error);
    ASSERT_NE(pdf, nullptr) << error;
    DrawSamplePage(*pdf);
    EXPECT_TRUE(pdf->Finish(&error)) << error;

    auto svg = CairoCanvas::CreateSvg(OutputPath("qelmarin_gfx_sample.svg"), device, &error);
    ASSERT_NE(svg, nullptr) << error;
    DrawSamplePage(*svg);
    EXPECT_TRUE(svg->Finish(&error)) << error;
    EXPECT_GT(std::filesystem::file_size(OutputPath("qelmarin_gfx_sample.svg")), 1000u);
}

} // namespace
} // namespace gfx

namespace gfx {
namespace {

// A column drawn where the target can say what its glyphs read (a PDF, or here a recording
// of drawing calls, which can too) is drawn run by run as words; its pixels are the ones
// Pango draws, sideways narrow runs and vertical forms included.
TEST(VerticalText, ARunDrawnAsWordsIsDrawnAsPangoDrawsIt) {
    constexpr int kWidth = 120, kHeight = 900;
    const auto draw = [](cairo_t* cr) {
        TextPainter text;
        text.SetFont(Font{"@ＭＳ 明朝", -40, kVerticalEscapement});
        text.Draw(cr, 100, 10, "一粒万倍日(ｲﾁﾘｭｳ) 2027年「大安」ー", base::kBlack, nullptr);
    };
    const auto pixels = [](cairo_surface_t* image) {
        cairo_surface_flush(image);
        const unsigned char* data = cairo_image_surface_get_data(image);
        return std::string(reinterpret_cast<const char*>(data),
                           static_cast<std::size_t>(cairo_image_surface_get_stride(image)) * kHeight);
    };
    const SurfaceRef direct = SurfaceRef::Adopt(cairo_image_surface_create(CAIRO_FORMAT_A8, kWidth, kHeight));
    ContextRef cr = ContextRef::Adopt(cairo_create(direct.get()));
    draw(cr.get());
    const SurfaceRef recording =
        SurfaceRef::Adopt(cairo_recording_surface_create(CAIRO_CONTENT_ALPHA, nullptr));
    ASSERT_TRUE(cairo_surface_has_show_text_glyphs(recording.get()));
    cr = ContextRef::Adopt(cairo_create(recording.get()));
    draw(cr.get());
    const SurfaceRef replayed = SurfaceRef::Adopt(cairo_image_surface_create(CAIRO_FORMAT_A8, kWidth, kHeight));
    cr = ContextRef::Adopt(cairo_create(replayed.get()));
    cairo_set_source_surface(cr.get(), recording.get(), 0, 0);
    cairo_paint(cr.get());
    const std::string expected = pixels(direct.get());
    EXPECT_GT(std::count_if(expected.begin(), expected.end(), [](char c) { return c != 0; }), 1000);
    EXPECT_EQ(pixels(replayed.get()), expected);
}

} // namespace
} // namespace gfx
