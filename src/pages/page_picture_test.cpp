// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/page_picture.h"

#include "gfx/trace_canvas.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace pages {
namespace {

pictures::Bitmap Picture(int w, int h) {
    pictures::Bitmap b;
    b.width = w;
    b.height = h;
    b.pixels.assign(static_cast<std::size_t>(w) * h, 0xFF808080u);
    return b;
}

// The "picture" lines a call draws, without the size line.
struct PictureRun {
    std::vector<std::string> lines;
    std::vector<int> progress;
    base::RecordingReporter reporter;
};

PictureRun DrawTraced(const pictures::Bitmap* picture, PictureRequest request, int page_w = 1000, int page_h = 1400,
                      int picture_size = 3) {
    PictureRun run;
    std::ostringstream out;
    gfx::TraceCanvas canvas(out, gfx::Device{page_w, page_h, 600, 600, 256});
    PrintState state;
    state.settings.picture_size = picture_size;
    state.settings.data_folder = "/nonexistent-qelmarin-folder";
    state.reporter = &run.reporter;
    state.progress = [&run](std::string_view, int percent) { run.progress.push_back(percent); };
    request.picture = picture;
    DrawPagePicture(canvas, state, request);
    std::istringstream in(out.str());
    std::string line;
    std::getline(in, line); // size
    while (std::getline(in, line))
        run.lines.push_back(line);
    return run;
}

PictureRequest Full(gfx::Rect area, Placement placement = Placement::kCentred) {
    PictureRequest r;
    r.area = area;
    r.placement = placement;
    r.full = true;
    r.color_level = 2;
    return r;
}

PictureRequest Corner(gfx::Rect area, int corner) {
    PictureRequest r;
    r.area = area;
    r.full = false;
    r.corner = corner;
    r.color_level = 1;
    return r;
}

using Lines = std::vector<std::string>;

TEST(FullPicture, WiderPictureFillsTheWidthCentredVertically) {
    const auto picture = Picture(160, 80);
    PictureRun run = DrawTraced(&picture, Full({100, 100, 500, 500}));
    // s = 2.5: 400 × 200, moved down by (400 − 200) div 2.
    EXPECT_EQ((Lines{"picture\t100\t200\t300\t400\t2", "picture\t300\t200\t500\t400\t2"}), run.lines);
}

TEST(FullPicture, TallerPictureFillsTheHeightCentredHorizontally) {
    const auto picture = Picture(80, 160);
    PictureRun run = DrawTraced(&picture, Full({0, 0, 401, 400}));
    // s = 2.5: 200 × 400, moved right by 201 div 2.
    EXPECT_EQ((Lines{"picture\t100\t0\t300\t200\t2", "picture\t100\t200\t300\t400\t2"}), run.lines);
}

TEST(FullPicture, PlacementsAlignToTheAreaEdges) {
    const auto picture = Picture(80, 80);
    const gfx::Rect area{10, 20, 410, 220}; // 400 × 200: s = 2.5, picture 200 × 200
    EXPECT_EQ(Lines{"picture\t210\t20\t410\t220\t2"}, DrawTraced(&picture, Full(area, Placement::kRightBottom)).lines);
    EXPECT_EQ(Lines{"picture\t10\t20\t210\t220\t2"}, DrawTraced(&picture, Full(area, Placement::kBottom)).lines);
    EXPECT_EQ(Lines{"picture\t210\t20\t410\t220\t2"}, DrawTraced(&picture, Full(area, Placement::kRight)).lines);
    EXPECT_EQ(Lines{"picture\t110\t20\t310\t220\t2"}, DrawTraced(&picture, Full(area)).lines);

    const auto wide = Picture(160, 40); // s = 2.5: 400 × 100 in a 400 × 200 area
    EXPECT_EQ("picture\t10\t120\t210\t220\t2", DrawTraced(&wide, Full(area, Placement::kRightBottom)).lines.front());
    EXPECT_EQ("picture\t10\t20\t210\t120\t2", DrawTraced(&wide, Full(area, Placement::kRight)).lines.front());
}

TEST(FullPicture, EdgeTilesEndAtThePictureEdgeAndProgressCountsTiles) {
    const auto picture = Picture(100, 90);
    PictureRun run = DrawTraced(&picture, Full({0, 0, 200, 180}));
    EXPECT_EQ((Lines{"picture\t0\t0\t160\t160\t2", "picture\t160\t0\t200\t160\t2", "picture\t0\t160\t160\t180\t2",
                     "picture\t160\t160\t200\t180\t2"}),
              run.lines);
    EXPECT_EQ((std::vector<int>{25, 50, 75, 100}), run.progress);
}

TEST(FullPicture, FractionalScaleLeavesNoGapsBetweenTiles) {
    const auto picture = Picture(240, 10);
    PictureRun run = DrawTraced(&picture, Full({0, 0, 100, 100}));
    // s = 100 / 240: the tiles meet at Trunc(80 s) and Trunc(160 s) and end at 100.
    EXPECT_EQ((Lines{"picture\t0\t48\t33\t52\t2", "picture\t33\t48\t66\t52\t2", "picture\t66\t48\t100\t52\t2"}),
              run.lines);
}

TEST(CornerPicture, SizedByTheSettingAndPlacedInItsCorner) {
    const auto picture = Picture(160, 120);
    const gfx::Rect area{100, 200, 4700, 6800};
    // A sixth of a 4800-pixel page: 800 wide, 600 high.
    EXPECT_EQ(Lines{"picture\t3900\t6200\t4700\t6800\t1"}, DrawTraced(&picture, Corner(area, 1), 4800, 7000).lines);
    EXPECT_EQ(Lines{"picture\t3900\t200\t4700\t800\t1"}, DrawTraced(&picture, Corner(area, 2), 4800, 7000).lines);
    EXPECT_EQ(Lines{"picture\t100\t6200\t900\t6800\t1"}, DrawTraced(&picture, Corner(area, 3), 4800, 7000).lines);
    EXPECT_EQ(Lines{"picture\t100\t200\t900\t800\t1"}, DrawTraced(&picture, Corner(area, 4), 4800, 7000).lines);
    EXPECT_EQ(Lines{"picture\t100\t200\t900\t800\t1"}, DrawTraced(&picture, Corner(area, 9), 4800, 7000).lines);
    // Half and a quarter of the page; 0 keeps the picture's own pixels at any resolution.
    EXPECT_EQ(Lines{"picture\t100\t200\t2500\t2000\t1"}, DrawTraced(&picture, Corner(area, 4), 4800, 7000, 1).lines);
    EXPECT_EQ(Lines{"picture\t100\t200\t1300\t1100\t1"}, DrawTraced(&picture, Corner(area, 4), 4800, 7000, 2).lines);
    EXPECT_EQ(Lines{"picture\t100\t200\t260\t320\t1"}, DrawTraced(&picture, Corner(area, 4), 4800, 7000, 0).lines);
    EXPECT_TRUE(DrawTraced(&picture, Corner(area, 1), 4800, 7000).progress.empty());
}

// A trace canvas that also keeps the colours of the pictures it is given.
class PixelCanvas : public gfx::TraceCanvas {
public:
    using gfx::TraceCanvas::TraceCanvas;
    std::vector<std::uint32_t> first_pixels;

protected:
    void DoDrawPicture(const gfx::Rect& rect, const pictures::Bitmap& bitmap, int level,
                       const std::optional<gfx::Rect>& source) override {
        first_pixels.push_back(bitmap.pixels.front() & 0xFFFFFF);
        gfx::TraceCanvas::DoDrawPicture(rect, bitmap, level, source);
    }
};

TEST(PictureColours, GreyOnAMonochromePrinter) {
    pictures::Bitmap picture = Picture(100, 80);
    picture.pixels.assign(picture.pixels.size(), 0xFFE0401Au); // an orange
    for (int colors : {256, 2}) {
        std::ostringstream out;
        PixelCanvas canvas(out, gfx::Device{1000, 1400, 600, 600, colors});
        PrintState state;
        state.colors = colors;
        PictureRequest full = Full({0, 0, 1000, 1400});
        full.picture = &picture;
        DrawPagePicture(canvas, state, full);
        PictureRequest corner = Corner({0, 0, 1000, 1400}, 1);
        corner.picture = &picture;
        DrawPagePicture(canvas, state, corner);
        ASSERT_EQ(3u, canvas.first_pixels.size()); // two tiles and the corner picture
        // 0.299 × 224 + 0.587 × 64 + 0.114 × 26 = 107.5
        for (std::uint32_t p : canvas.first_pixels) EXPECT_EQ(colors == 2 ? 0x6C6C6Cu : 0xE0401Au, p) << colors;
    }
    EXPECT_EQ(0xFFE0401Au, picture.pixels.front()); // the caller's picture is left as it was
}

TEST(PictureFailures, NothingDrawnWithoutAPicture) {
    const auto empty = Picture(0, 0);
    EXPECT_TRUE(DrawTraced(&empty, Full({0, 0, 100, 100})).lines.empty());
    EXPECT_TRUE(DrawTraced(nullptr, Full({0, 0, 100, 100})).lines.empty());
    const auto picture = Picture(80, 80);
    EXPECT_TRUE(DrawTraced(&picture, Full({0, 0, 0, 100})).lines.empty());

    PictureRequest missing = Full({0, 0, 100, 100});
    missing.file_name = "歳時記01.cmp";
    PictureRun run = DrawTraced(nullptr, missing);
    EXPECT_TRUE(run.lines.empty());
    EXPECT_EQ(1u, run.reporter.messages().size());
}

} // namespace
} // namespace pages
