// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the canvas: a page shaped like the monthly calendar (42 framed cells with a
// number picture and columns of vertical notes) and a full-page picture drawn in tiles, on
// A4 at 600 dpi. The trace canvas, which only writes lines, is the baseline.
#include "gfx/cairo_canvas.h"
#include "gfx/trace_canvas.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <sstream>

namespace {

const gfx::Device kA4At600{4960, 7016, 600, 600, 256};

std::string TempPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

pictures::Bitmap DayNumber() {
    pictures::Bitmap bitmap{36, 36, {}, true};
    for (int y = 0; y < 36; ++y) {
        for (int x = 0; x < 36; ++x)
            bitmap.pixels.push_back((x > 14 && x < 20) || y == 34 ? 0xFF000000 : 0xFFFFFFFF);
    }
    return bitmap;
}

pictures::Bitmap Landscape(int width, int height) {
    pictures::Bitmap bitmap{width, height, {}, false};
    bitmap.pixels.reserve(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto wave = static_cast<std::uint32_t>(127 + 120 * std::sin(x * 0.02 + y * 0.01));
            bitmap.pixels.push_back(0xFF000000u | wave << 16 | ((y * 255 / height) << 8) | (x * 255 / width));
        }
    }
    return bitmap;
}

// The drawing calls of one calendar page, at the sizes of A4 at 600 dpi.
void DrawCalendarLikePage(gfx::Canvas& canvas, const pictures::Bitmap& number) {
    const double scale = canvas.DpiX() / double(gfx::kPixelsPerInch);
    const int margin = canvas.DpiX() * 10 / 254, head = static_cast<int>(std::lround(16 * scale));
    const int left = margin, top = margin, right = canvas.PageWidth() - margin, bottom = canvas.PageHeight() - margin;
    const int cell_width = (right - left) / 7, row_height = (bottom - top - head) / 6;
    const int box = static_cast<int>(std::lround(36 * scale));
    const int font = -static_cast<int>(std::lround(36 * scale / 4));
    canvas.SelectFont("@ＭＳ ゴシック", font, gfx::kVerticalEscapement);
    const int w = canvas.TextExtent("XXX").cy;
    for (int day = 0; day < 42; ++day) {
        const int x = left + (day % 7) * cell_width, y = top + head + (day / 7) * row_height;
        canvas.SetPen(base::kBlack);
        canvas.SetBrush(base::kWhite, gfx::BrushStyle::kClear);
        for (int i = 0; i < 3; ++i)
            canvas.Rectangle(gfx::Rect{x + i, y + i, x + cell_width + 1 - i, y + row_height + 1 - i});
        canvas.SetBrush(base::kWhite);
        canvas.SetTextColor(base::kBlack);
        canvas.StretchBitmap(gfx::Rect{x + 1, y + 1, x + 1 + box, y + 1 + box}, number, "K01",
                             day % 7 == 0 ? gfx::BitmapCopy::kInvert : gfx::BitmapCopy::kCopy);
        canvas.SetBrush(base::kWhite, gfx::BrushStyle::kClear);
        const int ty = y + 1 + box + 5;
        int c = x;
        const char* columns[] = {"十一月廿三日", "甲子 大安", "土用 彼岸", "十方暮・八専・天恩日",
                                 "一粒万倍日・天赦日"};
        for (const char* text : columns) {
            canvas.SetTextColor(c == x ? base::kBlack : base::kRed);
            canvas.TextOut(c + w + 2, ty, text);
            c += w + 2;
        }
    }
}

void DrawTiledPicture(gfx::Canvas& canvas, const pictures::Bitmap& picture, int level) {
    const double s = std::min(canvas.PageWidth() / double(picture.width), canvas.PageHeight() / double(picture.height));
    const int tile = static_cast<int>(s * 80);
    for (int sy = 0, ty = 0; sy < picture.height; sy += 80, ty += tile) {
        for (int sx = 0, tx = 0; sx < picture.width; sx += 80, tx += tile) {
            const int tw = std::min(80, picture.width - sx), th = std::min(80, picture.height - sy);
            canvas.DrawPicture(gfx::Rect{tx, ty, tx + static_cast<int>(tw * s), ty + static_cast<int>(th * s)}, picture,
                               level, gfx::Rect{sx, sy, sx + tw, sy + th});
        }
    }
}

void BM_TraceCalendarPage(benchmark::State& state) {
    const pictures::Bitmap number = DayNumber();
    for (auto _ : state) {
        std::ostringstream out;
        gfx::TraceCanvas canvas(out, kA4At600);
        DrawCalendarLikePage(canvas, number);
        benchmark::DoNotOptimize(out.str().size());
    }
    state.counters["pages/s"] = benchmark::Counter(state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TraceCalendarPage)->Unit(benchmark::kMillisecond);

void BM_PdfCalendarPage(benchmark::State& state) {
    const pictures::Bitmap number = DayNumber();
    for (auto _ : state) {
        std::string error;
        auto canvas = gfx::CairoCanvas::CreatePdf(TempPath("qelmarin_gfx_bench.pdf"), kA4At600, "Kalvorin", &error);
        DrawCalendarLikePage(*canvas, number);
        canvas->Finish(&error);
    }
    state.counters["pages/s"] = benchmark::Counter(state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PdfCalendarPage)->Unit(benchmark::kMillisecond);

void BM_PngPreviewCalendarPage(benchmark::State& state) {
    const pictures::Bitmap number = DayNumber();
    // The preview: the page and resolution divided by a reduction of 4.
    const gfx::Device preview{kA4At600.width / 4, kA4At600.height / 4, 150, 150, 256};
    for (auto _ : state) {
        std::string error;
        auto canvas = gfx::CairoCanvas::CreateImage(preview, &error);
        DrawCalendarLikePage(*canvas, number);
        canvas->WritePng(TempPath("qelmarin_gfx_bench.png"), &error);
    }
    state.counters["pages/s"] = benchmark::Counter(state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PngPreviewCalendarPage)->Unit(benchmark::kMillisecond);

// A month picture of 1280 x 960 pixels over the whole page, in 80 x 80 tiles.
void BM_PdfFullPagePicture(benchmark::State& state) {
    const pictures::Bitmap picture = Landscape(1280, 960);
    for (auto _ : state) {
        std::string error;
        auto canvas =
            gfx::CairoCanvas::CreatePdf(TempPath("qelmarin_gfx_bench_picture.pdf"), kA4At600, "Kalvorin", &error);
        DrawTiledPicture(*canvas, picture, static_cast<int>(state.range(0)));
        canvas->Finish(&error);
    }
    state.counters["pages/s"] = benchmark::Counter(state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PdfFullPagePicture)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
