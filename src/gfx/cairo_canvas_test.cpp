// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/cairo_canvas.h"
#include "pictures/jpeg_image.h"
#include "gfx/page_probe_for_tests.h"

#include <gtest/gtest.h>

#include <cairo-script.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace gfx {
namespace {

constexpr std::uint32_t kWhitePixel = 0xFFFFFF;
constexpr std::uint32_t kBlackPixel = 0x000000;

using namespace gfx::testing;

std::unique_ptr<CairoCanvas> ImageCanvas(int width, int height) {
    std::string error;
    auto canvas = CairoCanvas::CreateImage(Device{width, height, 96, 96, 256}, &error);
    EXPECT_NE(canvas, nullptr) << error;
    return canvas;
}

// A two-colour 4 x 4 picture: ink in the left half.
pictures::Bitmap HalfInk() {
    pictures::Bitmap bitmap{4, 4, {}, true};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x)
            bitmap.pixels.push_back(x < 2 ? 0xFF000000 : 0xFFFFFFFF);
    }
    return bitmap;
}

pictures::Bitmap Solid(std::uint32_t pixel, int width, int height) {
    return pictures::Bitmap{width, height, std::vector<std::uint32_t>(width * height, pixel), false};
}

TEST(CairoCanvasShapes, FillsCoverExactlyTheirRectangle) {
    auto canvas = ImageCanvas(120, 80);
    canvas->SetBrush(base::kRed);
    canvas->FillRect(Rect{10, 10, 50, 30});
    EXPECT_EQ(PixelAt(*canvas, 10, 10), 0xFF0000u);
    EXPECT_EQ(PixelAt(*canvas, 49, 29), 0xFF0000u);
    EXPECT_EQ(PixelAt(*canvas, 50, 29), kWhitePixel);
    EXPECT_EQ(PixelAt(*canvas, 49, 30), kWhitePixel);
    EXPECT_EQ(PixelAt(*canvas, 9, 10), kWhitePixel);
    EXPECT_EQ(PixelAt(*canvas, 10, 9), kWhitePixel);
    // A clear brush fills nothing.
    canvas->SetBrush(base::kBlue, BrushStyle::kClear);
    canvas->FillRect(Rect{60, 10, 70, 20});
    EXPECT_EQ(PixelAt(*canvas, 65, 15), kWhitePixel);
}

TEST(CairoCanvasShapes, RectangleFramesWithThePenAndFillsWithTheBrush) {
    auto canvas = ImageCanvas(120, 80);
    canvas->SetPen(base::kBlack);
    canvas->SetBrush(base::kBlue);
    canvas->Rectangle(Rect{60, 10, 100, 40});
    EXPECT_EQ(PixelAt(*canvas, 60, 10), kBlackPixel);
    EXPECT_EQ(PixelAt(*canvas, 99, 39), kBlackPixel);
    EXPECT_EQ(PixelAt(*canvas, 80, 39), kBlackPixel);
    EXPECT_EQ(PixelAt(*canvas, 61, 11), 0x0000FFu);
    EXPECT_EQ(PixelAt(*canvas, 98, 38), 0x0000FFu);
    EXPECT_EQ(PixelAt(*canvas, 100, 39), kWhitePixel);
    EXPECT_EQ(PixelAt(*canvas, 99, 40), kWhitePixel);
    // Clear brush: the frame alone; a neighbour shares the outer line.
    canvas->SetBrush(base::kWhite, BrushStyle::kClear);
    canvas->SetPen(base::kRed);
    canvas->Rectangle(Rect{10, 50, 30, 70});
    EXPECT_EQ(PixelAt(*canvas, 10, 60), 0xFF0000u);
    EXPECT_EQ(PixelAt(*canvas, 29, 60), 0xFF0000u);
    EXPECT_EQ(PixelAt(*canvas, 20, 60), kWhitePixel);
}

TEST(CairoCanvasShapes, RoundRectStaysInsideItsRectangle) {
    auto canvas = ImageCanvas(120, 80);
    canvas->SetBrush(base::kWhite, BrushStyle::kClear);
    canvas->SetPen(base::kRed);
    canvas->RoundRect(Rect{20, 20, 80, 60}, 16, 16);
    EXPECT_EQ(InkBox(*canvas, Rect{0, 0, 120, 80}), (Rect{20, 20, 80, 60}));
    // The corners are cut, the middle of each side is on the line.
    EXPECT_EQ(PixelAt(*canvas, 20, 20), kWhitePixel);
    EXPECT_EQ(PixelAt(*canvas, 50, 20), 0xFF0000u);
    EXPECT_EQ(PixelAt(*canvas, 79, 40), 0xFF0000u);
}

TEST(CairoCanvasBitmaps, MonochromeBitmapsTakeTextAndBrushColoursAndInvertSwapsThem) {
    auto canvas = ImageCanvas(120, 80);
    const pictures::Bitmap bitmap = HalfInk();
    canvas->SetTextColor(base::kBlack);
    canvas->SetBrush(base::kWhite);
    canvas->StretchBitmap(Rect{0, 0, 40, 40}, bitmap, "K01", BitmapCopy::kCopy);
    canvas->StretchBitmap(Rect{50, 0, 90, 40}, bitmap, "K01", BitmapCopy::kInvert);
    // Stretched ten times with the nearest pixel: the ink ends exactly at x = 20.
    EXPECT_EQ(PixelAt(*canvas, 0, 0), kBlackPixel);
    EXPECT_EQ(PixelAt(*canvas, 19, 39), kBlackPixel);
    EXPECT_EQ(PixelAt(*canvas, 20, 0), kWhitePixel);
    EXPECT_EQ(PixelAt(*canvas, 50, 0), kWhitePixel);
    EXPECT_EQ(PixelAt(*canvas, 69, 39), kWhitePixel);
    EXPECT_EQ(PixelAt(*canvas, 70, 0), kBlackPixel);
    EXPECT_EQ(PixelAt(*canvas, 89, 39), kBlackPixel);
    EXPECT_EQ(PixelAt(*canvas, 90, 20), kWhitePixel);
    EXPECT_EQ(PixelAt(*canvas, 20, 40), kWhitePixel);
    // Other colours: red ink on a blue box.
    canvas->SetTextColor(base::kRed);
    canvas->SetBrush(base::kBlue);
    canvas->StretchBitmap(Rect{0, 40, 4, 44}, bitmap, "K02", BitmapCopy::kCopy);
    EXPECT_EQ(PixelAt(*canvas, 0, 40), 0xFF0000u);
    EXPECT_EQ(PixelAt(*canvas, 3, 43), 0x0000FFu);
}

TEST(CairoCanvasBitmaps, InkBitsDrawAsTheirMonochromeBitmap) {
    // A 13 × 5 picture (not a whole number of bytes a row) in both forms, stretched and
    // inverted, in two colours: the same pixels everywhere.
    pictures::Bitmap bitmap{13, 5, {}, true};
    pictures::InkBitmap ink{13, 5, 2, std::vector<std::uint8_t>(10, 0)};
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 13; ++x) {
            const bool is_ink = (x * 7 + y * 3) % 5 < 2;
            bitmap.pixels.push_back(is_ink ? 0xFF000000 : 0xFFFFFFFF);
            if (is_ink) ink.rows[static_cast<std::size_t>(y * 2 + x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
    }
    // A permanent one must live for the program, as the built-in numerals do.
    static pictures::InkBitmap kept;
    kept = ink;
    kept.permanent = true;
    for (const pictures::InkBitmap* drawn :
         {static_cast<const pictures::InkBitmap*>(&ink), static_cast<const pictures::InkBitmap*>(&kept)}) {
        const bool permanent = drawn->permanent;
        auto from_pixels = ImageCanvas(120, 60);
        auto from_ink = ImageCanvas(120, 60);
        for (Canvas* canvas : {static_cast<Canvas*>(from_pixels.get()), static_cast<Canvas*>(from_ink.get())}) {
            canvas->SetTextColor(base::kRed);
            canvas->SetBrush(base::kBlue);
        }
        from_pixels->StretchBitmap(Rect{0, 0, 52, 25}, bitmap, "K01", BitmapCopy::kCopy);
        from_pixels->StretchBitmap(Rect{60, 10, 99, 55}, bitmap, "K01", BitmapCopy::kInvert);
        from_ink->StretchInk(Rect{0, 0, 52, 25}, *drawn, "K01", BitmapCopy::kCopy);
        from_ink->StretchInk(Rect{60, 10, 99, 55}, *drawn, "K01", BitmapCopy::kInvert);
        int differing = 0;
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 120; ++x)
                differing += PixelAt(*from_pixels, x, y) != PixelAt(*from_ink, x, y);
        }
        EXPECT_EQ(differing, 0) << (permanent ? "kept mask" : "mask made for the call");
        EXPECT_EQ(PixelAt(*from_ink, 0, 0), 0xFF0000u);
    }
    // Rows with room to spare and stray bits past the width draw the same.
    pictures::InkBitmap wide{13, 5, 4, std::vector<std::uint8_t>(20, 0)};
    for (int y = 0; y < 5; ++y) {
        std::copy_n(ink.rows.begin() + y * 2, 2, wide.rows.begin() + y * 4);
        wide.rows[static_cast<std::size_t>(y * 4 + 1)] |= 0x07;
        wide.rows[static_cast<std::size_t>(y * 4 + 2)] = 0xFF;
    }
    auto tight_canvas = ImageCanvas(60, 30);
    auto wide_canvas = ImageCanvas(60, 30);
    tight_canvas->StretchInk(Rect{0, 0, 52, 25}, ink, "K01", BitmapCopy::kCopy);
    wide_canvas->StretchInk(Rect{0, 0, 52, 25}, wide, "K01", BitmapCopy::kCopy);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(PixelAt(*tight_canvas, x, y), PixelAt(*wide_canvas, x, y)) << x << ", " << y;
    }
    // Ink bits too short for their size draw nothing.
    auto canvas = ImageCanvas(20, 20);
    canvas->StretchInk(Rect{0, 0, 20, 20}, pictures::InkBitmap{13, 5, 2, std::vector<std::uint8_t>(9, 0xFF)}, "K01",
                       BitmapCopy::kCopy);
    EXPECT_EQ(PixelAt(*canvas, 0, 0), kWhitePixel);
}

TEST(CairoCanvasBitmaps, ABitmapChangedInPlaceIsDrawnAsItIsNow) {
    // The canvas keeps the masks of the bitmaps it drew; one whose pixels changed where they
    // lie is drawn with its new pixels, not from the kept mask.
    auto canvas = ImageCanvas(100, 40);
    pictures::Bitmap bitmap = HalfInk();
    canvas->SetTextColor(base::kBlack);
    canvas->SetBrush(base::kWhite);
    canvas->StretchBitmap(Rect{0, 0, 40, 40}, bitmap, "K01", BitmapCopy::kCopy);
    for (std::uint32_t& pixel : bitmap.pixels)
        pixel = pixel == 0xFF000000 ? 0xFFFFFFFF : 0xFF000000; // ink in the right half now
    canvas->StretchBitmap(Rect{50, 0, 90, 40}, bitmap, "K01", BitmapCopy::kCopy);
    EXPECT_EQ(PixelAt(*canvas, 0, 0), kBlackPixel);
    EXPECT_EQ(PixelAt(*canvas, 39, 0), kWhitePixel);
    EXPECT_EQ(PixelAt(*canvas, 50, 0), kWhitePixel);
    EXPECT_EQ(PixelAt(*canvas, 89, 0), kBlackPixel);
    // Drawn again unchanged, from the kept mask.
    canvas->StretchBitmap(Rect{0, 0, 40, 40}, bitmap, "K01", BitmapCopy::kCopy);
    EXPECT_EQ(PixelAt(*canvas, 0, 0), kWhitePixel);
    EXPECT_EQ(PixelAt(*canvas, 39, 0), kBlackPixel);
}

TEST(CairoCanvasBitmaps, ColourBitmapsAreCopiedOrInverted) {
    auto canvas = ImageCanvas(40, 20);
    const pictures::Bitmap red = Solid(0xFFFF0000, 2, 2);
    canvas->StretchBitmap(Rect{0, 0, 16, 16}, red, "SUNDAY", BitmapCopy::kCopy);
    canvas->StretchBitmap(Rect{20, 0, 36, 16}, red, "SUNDAY", BitmapCopy::kInvert);
    EXPECT_EQ(PixelAt(*canvas, 15, 15), 0xFF0000u);
    EXPECT_EQ(PixelAt(*canvas, 20, 0), 0x00FFFFu);
    EXPECT_EQ(PixelAt(*canvas, 16, 0), kWhitePixel);
}

TEST(CairoCanvasBitmaps, BrokenBitmapsDrawNothing) {
    auto canvas = ImageCanvas(40, 20);
    pictures::Bitmap short_pixels{10, 10, std::vector<std::uint32_t>(5, 0xFF000000), false};
    canvas->StretchBitmap(Rect{0, 0, 20, 20}, short_pixels, "X", BitmapCopy::kCopy);
    canvas->DrawPicture(Rect{0, 0, 20, 20}, short_pixels, 3);
    canvas->DrawPicture(Rect{0, 0, 20, 20}, pictures::Bitmap{}, 3);
    canvas->DrawPicture(Rect{0, 0, 20, 20}, Solid(0xFF000000, 4, 4), 3, Rect{4, 4, 8, 8});
    EXPECT_EQ(InkBox(*canvas, Rect{0, 0, 40, 20}), (Rect{40, 20, 0, 0}));
}

TEST(CairoCanvasPictures, LevelOneIsLighterThanTwoThanThree) {
    auto canvas = ImageCanvas(90, 30);
    const pictures::Bitmap grey = Solid(0xFF406080, 8, 8);
    for (int level = 1; level <= 3; ++level)
        canvas->DrawPicture(Rect{(level - 1) * 30, 0, level * 30, 30}, grey, level);
    const int one = Brightness(PixelAt(*canvas, 15, 15));
    const int two = Brightness(PixelAt(*canvas, 45, 15));
    const int three = Brightness(PixelAt(*canvas, 75, 15));
    EXPECT_EQ(PixelAt(*canvas, 75, 15), 0x406080u);
    EXPECT_GT(one, two);
    EXPECT_GT(two, three);
    EXPECT_LT(one, 3 * 255);
}

TEST(CairoCanvasPictures, TilesOfAPictureMeetWithoutSeams) {
    auto canvas = ImageCanvas(64, 32);
    const pictures::Bitmap grey = Solid(0xFF808080, 16, 8);
    // Two halves drawn as separate tiles, enlarged four times and smoothed.
    canvas->DrawPicture(Rect{0, 0, 32, 32}, grey, 3, Rect{0, 0, 8, 8});
    canvas->DrawPicture(Rect{32, 0, 64, 32}, grey, 3, Rect{8, 0, 16, 8});
    for (int x : {0, 31, 32, 63}) {
        EXPECT_EQ(PixelAt(*canvas, x, 0), 0x808080u) << x;
        EXPECT_EQ(PixelAt(*canvas, x, 31), 0x808080u) << x;
    }
}

TEST(CairoCanvasPictures, TilesOfABegunPictureMeetWithoutSeams) {
    auto canvas = ImageCanvas(64, 32);
    pictures::Bitmap halves = Solid(0xFF808080, 16, 8);
    for (int y = 0; y < 8; ++y)
        std::fill_n(halves.pixels.begin() + y * 16 + 8, 8, 0xFF404040u);
    canvas->BeginPicture(halves, 3);
    canvas->DrawPicture(Rect{0, 0, 32, 32}, halves, 3, Rect{0, 0, 8, 8});
    canvas->DrawPicture(Rect{32, 0, 64, 32}, halves, 3, Rect{8, 0, 16, 8});
    canvas->EndPicture();
    for (int y : {0, 31}) {
        EXPECT_EQ(PixelAt(*canvas, 0, y), 0x808080u);
        EXPECT_EQ(PixelAt(*canvas, 28, y), 0x808080u);
        EXPECT_EQ(PixelAt(*canvas, 36, y), 0x404040u);
        EXPECT_EQ(PixelAt(*canvas, 63, y), 0x404040u);
    }
}

int CountImages(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int images = 0;
    for (std::size_t at = pdf.find("/Subtype /Image"); at != std::string::npos;
         at = pdf.find("/Subtype /Image", at + 1))
        ++images;
    return images;
}

TEST(CairoCanvasTargets, APdfHoldsAPictureHeldOverItsPagesOnce) {
    // The tiles of a begun picture are parts of one image; held over several pages (a month
    // of daily pages), and drawn whole or in tiles there, it is that image again. Begun anew
    // on each page it is still that image (known by its pixels); at another level it is a
    // new one.
    const std::string path = (std::filesystem::temp_directory_path() / "qelmarin_gfx_picture_test.pdf").string();
    std::string error;
    auto canvas = CairoCanvas::CreatePdf(path, Device{600, 600, 96, 96, 256}, "Kalvorin", &error);
    ASSERT_NE(canvas, nullptr) << error;
    const pictures::Bitmap picture = Solid(0xFF336699, 20, 20);
    auto draw_in_tiles = [&](int level) {
        canvas->BeginPicture(picture, level);
        for (int y = 0; y < 20; y += 8) {
            for (int x = 0; x < 20; x += 8)
                canvas->DrawPicture(Rect{x * 10, y * 10, std::min(x + 8, 20) * 10, std::min(y + 8, 20) * 10}, picture,
                                    level, Rect{x, y, std::min(x + 8, 20), std::min(y + 8, 20)});
        }
        canvas->EndPicture();
    };
    canvas->BeginPicture(picture, 2);
    for (int page = 0; page < 3; ++page) {
        if (page > 0) canvas->NewPage();
        draw_in_tiles(2);
        canvas->DrawPicture(Rect{0, 300, 100, 400}, picture, 2);
    }
    canvas->EndPicture();
    ASSERT_TRUE(canvas->Finish(&error)) << error;
    EXPECT_EQ(CountImages(path), 1);

    canvas = CairoCanvas::CreatePdf(path, Device{600, 600, 96, 96, 256}, "Kalvorin", &error);
    ASSERT_NE(canvas, nullptr) << error;
    draw_in_tiles(2);
    canvas->NewPage();
    draw_in_tiles(2);
    canvas->NewPage();
    canvas->BeginPicture(picture, 2);
    draw_in_tiles(3);
    canvas->EndPicture();
    ASSERT_TRUE(canvas->Finish(&error)) << error;
    EXPECT_EQ(CountImages(path), 2);
    std::filesystem::remove(path);
}

// The drawing operations a borrowed context receives, as a cairo script: one word an
// operation ("paint", "clip", ...).
class ScriptedContext {
public:
    ScriptedContext(int width, int height) {
        device_ = cairo_script_create_for_stream(Append, &script_);
        surface_ = cairo_script_surface_create(device_, CAIRO_CONTENT_COLOR_ALPHA, width, height);
        cr_ = cairo_create(surface_);
    }
    ~ScriptedContext() {
        cairo_destroy(cr_);
        cairo_surface_destroy(surface_);
        cairo_device_destroy(device_);
    }
    cairo_t* cr() { return cr_; }
    int Count(const std::string& word) {
        cairo_surface_flush(surface_);
        cairo_device_flush(device_);
        int count = 0;
        for (std::size_t at = script_.find(word); at != std::string::npos; at = script_.find(word, at + 1)) {
            const bool starts = at == 0 || script_[at - 1] == ' ' || script_[at - 1] == '\n';
            const std::size_t end = at + word.size();
            if (starts && (end == script_.size() || script_[end] == ' ' || script_[end] == '\n')) ++count;
        }
        return count;
    }

private:
    static cairo_status_t Append(void* script, const unsigned char* data, unsigned int length) {
        static_cast<std::string*>(script)->append(reinterpret_cast<const char*>(data), length);
        return CAIRO_STATUS_SUCCESS;
    }
    std::string script_;
    cairo_device_t* device_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// The picture of 20 x 20 pixels in 8-pixel tiles, ten times enlarged, as the pages draw it.
void DrawTiles(Canvas& canvas, const pictures::Bitmap& picture, int level) {
    for (int y = 0; y < 20; y += 8) {
        for (int x = 0; x < 20; x += 8)
            canvas.DrawPicture(Rect{x * 10, y * 10, std::min(x + 8, 20) * 10, std::min(y + 8, 20) * 10}, picture, level,
                               Rect{x, y, std::min(x + 8, 20), std::min(y + 8, 20)});
    }
}

TEST(CairoCanvasPictures, ADocumentGetsAPictureInTilesPlacedOnceWhole) {
    const pictures::Bitmap picture = Solid(0xFF336699, 20, 20);
    {
        // Nine tiles held with the rectangle they cover: one painting of the whole.
        ScriptedContext script(600, 600);
        CairoCanvas canvas(script.cr(), Device{600, 600, 96, 96, 256});
        {
            const PictureHold hold(canvas, picture, 2, Rect{0, 0, 200, 200});
            DrawTiles(canvas, picture, 2);
        }
        EXPECT_EQ(script.Count("paint"), 1);
        // After the hold, and inside a hold without a rectangle (the month's picture held
        // over its daily pages), tiles are drawn as they come.
        DrawTiles(canvas, picture, 2);
        EXPECT_EQ(script.Count("paint"), 10);
        const PictureHold month(canvas, picture, 2);
        {
            const PictureHold page(canvas, picture, 2, Rect{0, 0, 200, 200});
            DrawTiles(canvas, picture, 2);
            // A part of another picture, or at another level, is no tile of this one.
            canvas.DrawPicture(Rect{300, 300, 380, 380}, picture, 3, Rect{0, 0, 8, 8});
        }
        DrawTiles(canvas, picture, 2);
        EXPECT_EQ(script.Count("paint"), 10 + 1 + 1 + 9);
    }
    // On an image page the tiles are drawn one by one and give what the whole picture gives.
    auto tiled = ImageCanvas(200, 200);
    {
        const PictureHold hold(*tiled, picture, 3, Rect{0, 0, 200, 200});
        DrawTiles(*tiled, picture, 3);
    }
    EXPECT_EQ(InkBox(*tiled, Rect{0, 0, 200, 200}), (Rect{0, 0, 200, 200}));
    EXPECT_EQ(PixelAt(*tiled, 0, 0), 0x336699u);
    EXPECT_EQ(PixelAt(*tiled, 199, 199), 0x336699u);
}

TEST(CairoCanvasTargets, RejectsPagesItCannotDraw) {
    std::string error;
    EXPECT_EQ(CairoCanvas::CreateImage(Device{0, 10, 96, 96, 2}, &error), nullptr);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(CairoCanvas::CreateImage(Device{10, 10, 0, 96, 2}, &error), nullptr);
    EXPECT_EQ(CairoCanvas::CreatePdf("/nonexistent-dir/x.pdf", Device{10, 10, 96, 96, 2}, "Kalvorin", &error), nullptr);
}

TEST(CairoCanvasTargets, PdfPagesAreSizedByResolution) {
    const std::string path = (std::filesystem::temp_directory_path() / "qelmarin_gfx_size_test.pdf").string();
    std::string error;
    // A4 at 600 dpi is 4960 x 7016 device pixels, 595 x 842 points.
    auto canvas = CairoCanvas::CreatePdf(path, Device{4960, 7016, 600, 600, 256}, "Kalvorin", &error);
    ASSERT_NE(canvas, nullptr) << error;
    canvas->SetBrush(base::kBlack);
    canvas->FillRect(Rect{0, 0, 600, 600});
    canvas->NewPage();
    canvas->FillRect(Rect{0, 0, 600, 600});
    ASSERT_TRUE(canvas->Finish(&error)) << error;
    std::ifstream in(path, std::ios::binary);
    const std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(pdf.find("/MediaBox [ 0 0 595.2 841.92 ]"), std::string::npos);
    EXPECT_NE(pdf.find("/Count 2"), std::string::npos);
    EXPECT_NE(pdf.find("Kalvorin"), std::string::npos);
    std::filesystem::remove(path);
}

TEST(CairoCanvasTargets, APdfHoldsEachTwoColourBitmapOnce) {
    // A day number drawn on every page of a document, in two colours and by more than one
    // canvas, is one image of the file; a different bitmap of the same size is another.
    const std::string path = (std::filesystem::temp_directory_path() / "qelmarin_gfx_masks_test.pdf").string();
    std::string error;
    auto canvas = CairoCanvas::CreatePdf(path, Device{600, 600, 96, 96, 256}, "Kalvorin", &error);
    ASSERT_NE(canvas, nullptr) << error;
    canvas->SetBrush(base::kWhite);
    pictures::Bitmap other = HalfInk();
    other.pixels[0] = 0xFFFFFFFF;
    for (int page = 0; page < 3; ++page) {
        if (page > 0) canvas->NewPage();
        canvas->SetTextColor(page == 1 ? base::kRed : base::kBlack);
        canvas->StretchBitmap(Rect{0, 0, 40, 40}, HalfInk(), "K01", BitmapCopy::kCopy);
        canvas->StretchBitmap(Rect{50, 0, 90, 40}, HalfInk(), "K01", BitmapCopy::kInvert);
    }
    canvas->StretchBitmap(Rect{100, 0, 140, 40}, other, "K02", BitmapCopy::kCopy);
    {
        // Another canvas on a page of the same document draws the same masks.
        canvas->NewPage();
        cairo_t* cr = cairo_create(canvas->surface());
        cairo_scale(cr, 72.0 / 96, 72.0 / 96);
        CairoCanvas borrowed(cr, Device{600, 600, 96, 96, 256});
        cairo_destroy(cr);
        borrowed.SetBrush(base::kWhite);
        borrowed.StretchBitmap(Rect{0, 0, 40, 40}, HalfInk(), "K01", BitmapCopy::kCopy);
        borrowed.StretchBitmap(Rect{100, 0, 140, 40}, other, "K02", BitmapCopy::kCopy);
    }
    ASSERT_TRUE(canvas->Finish(&error)) << error;
    EXPECT_EQ(CountImages(path), 2);
    std::ifstream in(path, std::ios::binary);
    const std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(pdf.find("/Count 4"), std::string::npos);
    std::filesystem::remove(path);
}

// A document appears under its name only when it is whole: a failed write (here a file
// size limit standing in for a full disk) keeps the earlier document, and a document still
// being drawn is not yet there.
TEST(CairoCanvasTargets, DocumentsAppearWholeOrNotAtAll) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("qelmarin_gfx_whole_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string pdf = (folder / "month.pdf").string();
    const std::string png = (folder / "month.png").string();
    std::ofstream(pdf) << "the good document";
    std::ofstream(png) << "the good picture";
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{200, 200};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::string error;
        auto canvas = CairoCanvas::CreatePdf(pdf, Device{4960, 7016, 600, 600, 256}, "Kalvorin", &error);
        canvas->SetBrush(base::kBlack);
        for (int i = 0; i < 200; ++i)
            canvas->FillRect(Rect{i, i, 600 + i, 600 + 2 * i});
        const bool pdf_failed = !canvas->Finish(&error) && !error.empty();
        auto image = CairoCanvas::CreateImage(Device{300, 300, 96, 96, 256}, &error);
        pictures::Bitmap noise = Solid(0, 300, 300); // incompressible, far above the limit
        for (std::size_t i = 0; i < noise.pixels.size(); ++i)
            noise.pixels[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 2654435761u >> 8);
        image->DrawPicture(Rect{0, 0, 300, 300}, noise, 0, std::nullopt);
        const bool png_failed = !image->WritePng(png, &error);
        ::_exit(pdf_failed && png_failed ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    auto contents = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    EXPECT_EQ(contents(pdf), "the good document");
    EXPECT_EQ(contents(png), "the good picture");

    std::string error;
    auto canvas = CairoCanvas::CreatePdf(pdf, Device{100, 100, 96, 96, 256}, "Kalvorin", &error);
    ASSERT_NE(canvas, nullptr) << error;
    EXPECT_EQ(contents(pdf), "the good document");
    ASSERT_TRUE(canvas->Finish(&error)) << error;
    EXPECT_EQ(contents(pdf).rfind("%PDF", 0), 0u);
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++files;
    EXPECT_EQ(files, 2u); // no temporary file left behind
    std::filesystem::remove_all(folder);
}

TEST(CairoCanvasTargets, DrawsOnABorrowedContextInItsUserSpace) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 100, 100);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    // A window showing the page at half size.
    cairo_scale(cr, 0.5, 0.5);
    int pages = 0;
    {
        CairoCanvas canvas(cr, Device{200, 200, 96, 96, 256}, [&pages] { ++pages; });
        canvas.SetBrush(base::kBlack);
        canvas.FillRect(Rect{20, 20, 40, 40});
        // Tiles reach into their right neighbour's place, as on every vector page.
        canvas.DrawPicture(Rect{100, 100, 140, 140}, Solid(0xFF000000, 8, 4), 3, Rect{0, 0, 4, 4});
        canvas.NewPage();
    }
    EXPECT_EQ(pages, 1);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    const auto pixel = [&](int x, int y) {
        const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
        return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
    };
    EXPECT_EQ(pixel(10, 10), kBlackPixel);
    EXPECT_EQ(pixel(19, 19), kBlackPixel);
    EXPECT_EQ(pixel(20, 20), kWhitePixel);
    EXPECT_EQ(pixel(50 + 20 + 1, 60), kBlackPixel); // 4 device pixels (96 / 24) further
    EXPECT_EQ(pixel(50 + 22 + 1, 60), kWhitePixel);
    EXPECT_EQ(pixel(60, 50 + 20 + 1), kWhitePixel); // nothing below: no reach down
    cairo_surface_destroy(surface);
}

} // namespace
} // namespace gfx

namespace gfx {
namespace {

// A picture that came from a JPEG file is that JPEG in a PDF where it is drawn unaltered,
// once however often it is drawn; lightened, it is its pixels.
TEST(CairoCanvasTargets, APdfCarriesAJpegPictureAsItIs) {
    const std::string path = (std::filesystem::temp_directory_path() / "qelmarin_gfx_jpeg_test.pdf").string();
    pictures::Bitmap picture = Solid(0xFF336699, 64, 48);
    picture.jpeg = std::make_shared<const std::vector<std::uint8_t>>(pictures::EncodeJpegImage(picture, 90));
    const auto document = [&](int level) {
        std::string error;
        auto canvas = CairoCanvas::CreatePdf(path, Device{600, 600, 96, 96, 256}, "Kalvorin", &error);
        EXPECT_NE(canvas, nullptr) << error;
        for (int page = 0; page < 3; ++page) {
            if (page > 0) canvas->NewPage();
            const pictures::Bitmap again = picture; // as a page loads it anew
            const PictureHold hold(*canvas, again, level, Rect{0, 0, 320, 240});
        }
        EXPECT_TRUE(canvas->Finish(&error)) << error;
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    std::string pdf = document(3);
    EXPECT_EQ(CountImages(path), 1);
    EXPECT_NE(pdf.find("/DCTDecode"), std::string::npos);
    pdf = document(1);
    EXPECT_EQ(CountImages(path), 1);
    EXPECT_EQ(pdf.find("/DCTDecode"), std::string::npos);
    std::filesystem::remove(path);
}

} // namespace
} // namespace gfx
