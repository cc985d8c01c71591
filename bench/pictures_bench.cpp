// SPDX-License-Identifier: GPL-3.0-or-later
// The .cmp codec against zlib on a large 24-bit picture, and a month picture made ready for
// a 600-dpi A4 page.
//
// The picture: the file named by QELMARIN_BENCH_PICTURE (.bmp or .jpg) if set, otherwise a
// demo month picture; either is enlarged (bilinear, with a little grain so that neighbouring
// pixels differ as in a photograph) until its .bmp image holds at least 20 MB.

#include "base/reporter.h"
#include "figure_reporter.h"
#include "pictures/bmp_image.h"
#include "pictures/byte_stream.h"
#include "pictures/cmp_codec.h"
#include "pictures/demo_content.h"
#include "pictures/file_bytes.h"
#include "pictures/picture_file.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>

namespace {

using Bytes = std::vector<std::uint8_t>;

pictures::Bitmap SourcePicture() {
    if (const char* path = std::getenv("QELMARIN_BENCH_PICTURE")) {
        if (auto bytes = pictures::ReadFileBytes(path, std::uintmax_t{1} << 30)) {
            if (auto b = pictures::DecodeBmpOrJpeg(*bytes)) return *b;
        }
        std::fprintf(stderr, "pictures_bench: cannot read %s, using a demo picture\n", path);
    }
    return pictures::DrawDemoMonthPicture(4);
}

pictures::Bitmap Enlarge(const pictures::Bitmap& src, int w, int h) {
    pictures::Bitmap out;
    out.width = w;
    out.height = h;
    out.pixels.resize(static_cast<std::size_t>(w) * h);
    std::mt19937 rng(3);
    std::normal_distribution<double> grain(0, 2.0);
    for (int y = 0; y < h; ++y) {
        const double sy = std::max(0.0, (y + 0.5) * src.height / h - 0.5);
        const int y0 = std::min(static_cast<int>(sy), src.height - 1), y1 = std::min(y0 + 1, src.height - 1);
        const double fy = sy - y0;
        for (int x = 0; x < w; ++x) {
            const double sx = std::max(0.0, (x + 0.5) * src.width / w - 0.5);
            const int x0 = std::min(static_cast<int>(sx), src.width - 1), x1 = std::min(x0 + 1, src.width - 1);
            const double fx = sx - x0;
            std::uint32_t p = 0xFF000000u;
            for (int shift = 0; shift <= 16; shift += 8) {
                auto c = [&](int px, int py) { return static_cast<double>(src.at(px, py) >> shift & 0xFF); };
                const double v = (c(x0, y0) * (1 - fx) + c(x1, y0) * fx) * (1 - fy) +
                                 (c(x0, y1) * (1 - fx) + c(x1, y1) * fx) * fy + grain(rng);
                p |= static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L)) << shift;
            }
            out.pixels[static_cast<std::size_t>(y) * w + x] = p;
        }
    }
    return out;
}

struct Data {
    Bytes bmp;
    Bytes cmp;
    Bytes zlib6;
};

const Data& TestData() {
    static const Data data = [] {
        const pictures::Bitmap src = SourcePicture();
        const double scale = std::sqrt(20.5e6 / (3.0 * src.width * src.height));
        const int w = static_cast<int>(std::ceil(src.width * std::max(scale, 1.0)));
        const int h = static_cast<int>(std::ceil(src.height * std::max(scale, 1.0)));
        Data d;
        d.bmp = pictures::EncodeBmpImage(Enlarge(src, w, h));
        base::RecordingReporter r;
        pictures::ByteStream in(d.bmp), out;
        pictures::EncodeCmpStream(in, out, r);
        d.cmp = out.bytes();
        uLongf len = compressBound(d.bmp.size());
        d.zlib6.resize(len);
        compress2(d.zlib6.data(), &len, d.bmp.data(), d.bmp.size(), 6);
        d.zlib6.resize(len);
        std::fprintf(stderr, "picture %dx%d: .bmp %zu bytes, .cmp %zu (%.1f %%), zlib -6 %zu (%.1f %%)\n", w, h,
                     d.bmp.size(), d.cmp.size(), 100.0 * d.cmp.size() / d.bmp.size(), d.zlib6.size(),
                     100.0 * d.zlib6.size() / d.bmp.size());
        return d;
    }();
    return data;
}

void BM_CmpDecode(benchmark::State& state) {
    const Data& d = TestData();
    base::RecordingReporter r;
    for (auto _ : state) {
        pictures::ByteStream in(d.cmp), out;
        if (pictures::DecodeCmpStream(in, out, r) != 0 || out.size() != d.bmp.size()) state.SkipWithError("decode");
        benchmark::DoNotOptimize(out.bytes().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * d.bmp.size()));
}

void BM_CmpDecodeReference(benchmark::State& state) {
    const Data& d = TestData();
    base::RecordingReporter r;
    for (auto _ : state) {
        pictures::ByteStream in(d.cmp), out;
        if (pictures::DecodeCmpStreamReference(in, out, r) != 0) state.SkipWithError("decode");
        benchmark::DoNotOptimize(out.bytes().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * d.bmp.size()));
}

void BM_ZlibInflate(benchmark::State& state) {
    const Data& d = TestData();
    for (auto _ : state) {
        Bytes out(d.bmp.size());
        uLongf len = out.size();
        if (uncompress(out.data(), &len, d.zlib6.data(), d.zlib6.size()) != Z_OK) state.SkipWithError("inflate");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * d.bmp.size()));
}

void BM_CmpEncode(benchmark::State& state) {
    const Data& d = TestData();
    base::RecordingReporter r;
    for (auto _ : state) {
        pictures::ByteStream in(d.bmp), out;
        pictures::EncodeCmpStream(in, out, r);
        benchmark::DoNotOptimize(out.bytes().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * d.bmp.size()));
}

void BM_ZlibDeflate1(benchmark::State& state) {
    const Data& d = TestData();
    for (auto _ : state) {
        Bytes out(compressBound(d.bmp.size()));
        uLongf len = out.size();
        compress2(out.data(), &len, d.bmp.data(), d.bmp.size(), 1);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * d.bmp.size()));
}

// A month picture from its .cmp file image to pixels stretched over a 600-dpi A4 page
// (4961 × 7016), nearest neighbour, as the canvas does for a full picture.
void BM_MonthPictureToA4At600Dpi(benchmark::State& state) {
    base::RecordingReporter r;
    const Bytes cmp = pictures::MakeCmpImage(pictures::DrawDemoMonthPicture(1), r);
    constexpr int kW = 4961, kH = 7016;
    std::vector<std::uint32_t> page(static_cast<std::size_t>(kW) * kH);
    for (auto _ : state) {
        const auto bitmap = pictures::DecodeCmpPicture(cmp, "bench", r);
        if (!bitmap) {
            state.SkipWithError("load");
            break;
        }
        const double s = std::min(static_cast<double>(kW) / bitmap->width, static_cast<double>(kH) / bitmap->height);
        const int dw = static_cast<int>(bitmap->width * s), dh = static_cast<int>(bitmap->height * s);
        std::vector<int> cols(static_cast<std::size_t>(dw));
        for (int x = 0; x < dw; ++x)
            cols[static_cast<std::size_t>(x)] = static_cast<int>(x / s);
        for (int y = 0; y < dh; ++y) {
            const std::uint32_t* src =
                bitmap->pixels.data() + static_cast<std::size_t>(static_cast<int>(y / s)) * bitmap->width;
            std::uint32_t* dst = page.data() + static_cast<std::size_t>(y) * kW;
            for (int x = 0; x < dw; ++x)
                dst[x] = src[cols[static_cast<std::size_t>(x)]];
        }
        benchmark::DoNotOptimize(page.data());
    }
}

BENCHMARK(BM_CmpDecode)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_CmpDecodeReference)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_ZlibInflate)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_CmpEncode)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_ZlibDeflate1)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_MonthPictureToA4At600Dpi)->Unit(benchmark::kMillisecond)->MinTime(2);

// After the table, each codec's time against its peer measured in the same run.
void PrintRatio(const bench::FigureReporter& figures, const std::string& slow, const std::string& fast,
                const char* label) {
    const std::optional<double> slow_seconds = figures.CpuSeconds(slow);
    const std::optional<double> fast_seconds = figures.CpuSeconds(fast);
    if (slow_seconds && fast_seconds && *fast_seconds > 0) {
        std::printf("%-36s %.2f (CPU time; above 1: .cmp is faster)\n", label, *slow_seconds / *fast_seconds);
    }
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    bench::FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::fflush(stdout);
    PrintRatio(reporter, "BM_ZlibInflate", "BM_CmpDecode", "zlib inflate / .cmp decode");
    PrintRatio(reporter, "BM_CmpDecodeReference", "BM_CmpDecode", "tree-walk decode / table decode");
    PrintRatio(reporter, "BM_ZlibDeflate1", "BM_CmpEncode", "zlib deflate -1 / .cmp encode");
    return 0;
}
