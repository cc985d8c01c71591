// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the monthly calendar page: the twelve months of a year, A4 at 600 dpi with every
// note on, each month a PDF document of its own as the print run makes them, and all twelve
// in one document; beside them, in the same run, pcal writing the same twelve months as
// PostScript and ps2pdf making one PDF of them (what a Linux user would use for a printable
// month calendar). Then one page with a
// full-page month picture, and its parts: decoding the picture, drawing it in tiles, the
// page without it; and what rasterising that page at 300 dpi costs with and without the
// picture.
#include "almanac/test_day_file.h"
#include "figure_reporter.h"
#include "gfx/cairo_canvas.h"
#include "pages/page_picture.h"
#include "pages/page_routines.h"
#include "pictures/demo_content.h"
#include "pictures/picture_file.h"
#include "print/one_document_sink.h"
#include "print/paper_sizes.h"
#include "print/print_run.h"
#include "print/print_setup.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

namespace {

constexpr int kYear = 2027;
const print::Printer kA4At600{print::PaperPixels(210, 600), print::PaperPixels(297, 600), 600, 600};

namespace fs = std::filesystem;

// A host folder with a day file, the month pictures and every note of the page on.
const fs::path& HostFolder() {
    static const fs::path folder = [] {
        const fs::path path = fs::temp_directory_path() / "qelmarin_calendar_bench";
        fs::create_directories(path / "out");
        almanac::testing::WriteSyntheticDayFile(path / almanac::kDayFileName);
        base::StderrReporter reporter;
        pictures::WriteDemoMonthPictures(path, reporter);
        std::ofstream cfg(path / "Kalvorin.CFG", std::ios::binary);
        cfg << "[UNSEI]\r\nETO=7\r\nDIR=" << path.string() << "\r\n"
            << "[PRINT 1]\r\nUnderBitmap=0\r\nFullBMP=1\r\nColorLevel=2\r\nSekki=1\r\nOldDayPrint=1\r\n"
            << "ROKUYOUPrint=1\r\nETOPrint=1\r\nZATSUPrint=1\r\nKikkyou 1=1\r\nKikkyou 2=1\r\nUnki=1\r\n";
        return path;
    }();
    return folder;
}

class PdfSink : public print::DocumentSink {
public:
    gfx::Canvas* BeginDocument(const pages::PrintState& state, const gfx::Device& device) override {
        std::string error;
        canvas_ = gfx::CairoCanvas::CreatePdf((HostFolder() / "out" / (std::to_string(state.month) + ".pdf")).string(),
                                              device, std::string(print::kDocumentTitle), &error);
        return canvas_.get();
    }
    bool EndDocument() override {
        std::string error;
        const bool ok = canvas_ && canvas_->Finish(&error);
        canvas_.reset();
        ++pages;
        return ok;
    }
    int pages = 0;

private:
    std::unique_ptr<gfx::CairoCanvas> canvas_;
};

pages::PrintState MakeState(base::Reporter& reporter) {
    pages::PrintState state;
    print::LoadPrintState(HostFolder(), state, reporter);
    state.year = kYear;
    state.colors = 256;
    return state;
}

// Seconds of processor time (user and system) of this process or of its finished children,
// so that the comparison holds on a busy machine too.
double CpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The figures of a run of pages that the ratio lines compare: seconds of processor time and
// of wall clock per page, over every iteration of the run.
void SetPageCounters(benchmark::State& st, double cpu_seconds, double wall_seconds, int pages) {
    if (pages == 0) return;
    st.counters["cpu_s_per_page"] = cpu_seconds / pages;
    st.counters["wall_s_per_page"] = wall_seconds / pages;
}

void RunYearToPdfs(benchmark::State& st, bool pictures) {
    base::StderrReporter reporter;
    pages::PrintState state = MakeState(reporter);
    state.settings.page(1).under_bitmap = pictures;
    state.from_month = 1;
    state.to_month = 12;
    int pages = 0;
    double cpu_seconds = 0, wall_seconds = 0;
    for (auto _ : st) {
        PdfSink sink;
        const auto start = std::chrono::steady_clock::now();
        const double cpu = CpuSeconds(RUSAGE_SELF);
        if (!print::PrintRun(state, kA4At600, sink)) st.SkipWithError("a document was not written");
        cpu_seconds += CpuSeconds(RUSAGE_SELF) - cpu;
        wall_seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        pages += sink.pages;
    }
    st.counters["pages_per_s"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
    SetPageCounters(st, cpu_seconds, wall_seconds, pages);
}
void BM_CalendarYearToPdf(benchmark::State& st) {
    RunYearToPdfs(st, false);
}
BENCHMARK(BM_CalendarYearToPdf)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The same twelve months with each month's full-page picture under the grid.
void BM_CalendarYearWithPicturesToPdf(benchmark::State& st) {
    RunYearToPdfs(st, true);
}
BENCHMARK(BM_CalendarYearWithPicturesToPdf)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The same twelve months as one PDF document, as pcal makes them into one file.
void RunYearToOnePdf(benchmark::State& st, bool pictures) {
    base::StderrReporter reporter;
    pages::PrintState state = MakeState(reporter);
    state.settings.page(1).under_bitmap = pictures;
    state.from_month = 1;
    state.to_month = 12;
    int pages = 0;
    double cpu_seconds = 0, wall_seconds = 0;
    for (auto _ : st) {
        PdfSink sink;
        print::OneDocumentSink one(sink);
        const auto start = std::chrono::steady_clock::now();
        const double cpu = CpuSeconds(RUSAGE_SELF);
        if (!print::PrintRun(state, kA4At600, one) || !one.Finish()) st.SkipWithError("the document was not written");
        cpu_seconds += CpuSeconds(RUSAGE_SELF) - cpu;
        wall_seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        pages += 12;
    }
    st.counters["pages_per_s"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
    SetPageCounters(st, cpu_seconds, wall_seconds, pages);
}
void BM_CalendarYearToOnePdf(benchmark::State& st) {
    RunYearToOnePdf(st, false);
}
BENCHMARK(BM_CalendarYearToOnePdf)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The same one document with each month's full-page picture under the grid: every picture
// is one image of the document, written once.
void BM_CalendarYearWithPicturesToOnePdf(benchmark::State& st) {
    RunYearToOnePdf(st, true);
}
BENCHMARK(BM_CalendarYearWithPicturesToOnePdf)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void BM_PcalYearToPdf(benchmark::State& st) {
    if (std::system("command -v pcal >/dev/null && command -v ps2pdf >/dev/null") != 0) {
        st.SkipWithError("pcal or ps2pdf is not installed (bench/calendar_vs_pcal.sh installs them)");
        return;
    }
    const std::string out = (HostFolder() / "out" / "pcal").string();
    const std::string command =
        "pcal -P a4 -p -o " + out + ".ps 1 " + std::to_string(kYear) + " 12 && ps2pdf " + out + ".ps " + out + ".pdf";
    int pages = 0;
    double cpu_seconds = 0, wall_seconds = 0;
    for (auto _ : st) {
        const auto start = std::chrono::steady_clock::now();
        const double cpu = CpuSeconds(RUSAGE_CHILDREN);
        if (std::system(command.c_str()) != 0) st.SkipWithError("pcal | ps2pdf failed");
        cpu_seconds += CpuSeconds(RUSAGE_CHILDREN) - cpu;
        wall_seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        pages += 12;
    }
    st.counters["pages_per_s"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
    SetPageCounters(st, cpu_seconds, wall_seconds, pages);
}
BENCHMARK(BM_PcalYearToPdf)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// One page of a month with its full-page picture (level 2), to PDF.
void BM_CalendarPageWithFullPicture(benchmark::State& st) {
    base::StderrReporter reporter;
    pages::PrintState state = MakeState(reporter);
    state.settings.page(1).under_bitmap = true;
    state.from_month = state.to_month = 5;
    for (auto _ : st) {
        PdfSink sink;
        print::PrintRun(state, kA4At600, sink);
    }
    st.counters["s_per_page"] = benchmark::Counter(static_cast<double>(st.iterations()),
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CalendarPageWithFullPicture)->Unit(benchmark::kMillisecond)->UseRealTime();

// The parts of that page.
void BM_Part_DecodeMonthPicture(benchmark::State& st) {
    base::StderrReporter reporter;
    for (auto _ : st)
        benchmark::DoNotOptimize(pictures::LoadPictureFile(HostFolder(), "歳時記05.cmp", reporter));
}
BENCHMARK(BM_Part_DecodeMonthPicture)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Part_PictureTilesToPdf(benchmark::State& st) {
    base::StderrReporter reporter;
    pages::PrintState state = MakeState(reporter);
    const auto picture = pictures::LoadPictureFile(HostFolder(), "歳時記05.cmp", reporter);
    if (!picture) {
        st.SkipWithError("no month picture");
        return;
    }
    const gfx::Device device{kA4At600.page_width, kA4At600.page_height, 600, 600, 256};
    for (auto _ : st) {
        std::string error;
        auto canvas =
            gfx::CairoCanvas::CreatePdf((HostFolder() / "out" / "picture.pdf").string(), device, "Kalvorin", &error);
        pages::PictureRequest request;
        request.area = {236, 236, device.width - 236, device.height - 236};
        request.picture = &*picture;
        request.color_level = 2;
        pages::DrawPagePicture(*canvas, state, request);
        canvas->Finish(&error);
    }
}
BENCHMARK(BM_Part_PictureTilesToPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Part_PageWithoutPictureToPdf(benchmark::State& st) {
    base::StderrReporter reporter;
    pages::PrintState state = MakeState(reporter);
    state.from_month = state.to_month = 5;
    for (auto _ : st) {
        PdfSink sink;
        print::PrintRun(state, kA4At600, sink);
    }
}
BENCHMARK(BM_Part_PageWithoutPictureToPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

// What a printer's rasteriser pays for a page: pdftoppm drawing May's calendar page (A4,
// written at 600 dpi) at 300 dpi, with its full-page picture (level 2) and without, each
// PDF written once before the runs.
void RunRasterise(benchmark::State& st, bool picture) {
    if (std::system("command -v pdftoppm >/dev/null") != 0) {
        st.SkipWithError("pdftoppm is not installed (poppler-utils)");
        return;
    }
    base::StderrReporter reporter;
    pages::PrintState state = MakeState(reporter);
    state.settings.page(1).under_bitmap = picture;
    state.from_month = state.to_month = 5;
    PdfSink sink;
    if (!print::PrintRun(state, kA4At600, sink)) {
        st.SkipWithError("the page was not written");
        return;
    }
    const fs::path pdf = HostFolder() / "out" / (picture ? "raster-picture.pdf" : "raster-plain.pdf");
    fs::rename(HostFolder() / "out" / "5.pdf", pdf);
    const std::string command =
        "pdftoppm -r 300 -singlefile " + pdf.string() + " " + (HostFolder() / "out" / "raster").string();
    double cpu_seconds = 0, wall_seconds = 0;
    int pages = 0;
    for (auto _ : st) {
        const auto start = std::chrono::steady_clock::now();
        const double cpu = CpuSeconds(RUSAGE_CHILDREN);
        if (std::system(command.c_str()) != 0) st.SkipWithError("pdftoppm failed");
        cpu_seconds += CpuSeconds(RUSAGE_CHILDREN) - cpu;
        wall_seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ++pages;
    }
    SetPageCounters(st, cpu_seconds, wall_seconds, pages);
}
void BM_RasteriseCalendarPage(benchmark::State& st) {
    RunRasterise(st, false);
}
BENCHMARK(BM_RasteriseCalendarPage)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
void BM_RasteriseCalendarPageWithPicture(benchmark::State& st) {
    RunRasterise(st, true);
}
BENCHMARK(BM_RasteriseCalendarPageWithPicture)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The ratio lines after the table: Qelmarin's pages against pcal's, from the same run.
void PrintPageRatio(const bench::FigureReporter& figures, const char* benchmark, const char* counter,
                    const char* what) {
    const std::optional<double> ours = figures.Counter(benchmark, counter);
    const std::optional<double> peer = figures.Counter("BM_PcalYearToPdf", counter);
    if (!ours || !peer || *ours <= 0 || *peer <= 0) return;
    std::printf("calendar pages per second (%s): Qelmarin %.1f, pcal + ps2pdf %.1f; time ratio %.2f\n", what, 1 / *ours,
                1 / *peer, *ours / *peer);
}

// The cost of the pictures: the pages with their pictures against the same pages without.
void PrintPictureRatio(const bench::FigureReporter& figures, const char* with_pictures, const char* without_pictures,
                       const char* what) {
    const std::optional<double> with = figures.Counter(with_pictures, "cpu_s_per_page");
    const std::optional<double> without = figures.Counter(without_pictures, "cpu_s_per_page");
    if (!with || !without || *with <= 0 || *without <= 0) return;
    std::printf("calendar pages with full-page pictures (processor time, %s): %.1f ms a page, %.2f times the same "
                "pages without\n",
                what, *with * 1000, *with / *without);
}

// The rasteriser's cost of the picture: the page with it against the same page without.
void PrintRasterRatio(const bench::FigureReporter& figures) {
    const std::optional<double> with = figures.Counter("BM_RasteriseCalendarPageWithPicture", "cpu_s_per_page");
    const std::optional<double> without = figures.Counter("BM_RasteriseCalendarPage", "cpu_s_per_page");
    if (!with || !without || *with <= 0 || *without <= 0) return;
    std::printf("pdftoppm at 300 dpi (processor time): calendar page with its picture %.2f s, without %.2f s; "
                "%.2f times\n",
                *with, *without, *with / *without);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    bench::FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::fflush(stdout);
    PrintPageRatio(reporter, "BM_CalendarYearToPdf", "wall_s_per_page", "wall clock, a PDF a month");
    PrintPageRatio(reporter, "BM_CalendarYearToPdf", "cpu_s_per_page", "processor time, a PDF a month");
    PrintPageRatio(reporter, "BM_CalendarYearToOnePdf", "wall_s_per_page", "wall clock, one PDF");
    PrintPageRatio(reporter, "BM_CalendarYearToOnePdf", "cpu_s_per_page", "processor time, one PDF");
    PrintPictureRatio(reporter, "BM_CalendarYearWithPicturesToPdf", "BM_CalendarYearToPdf", "a PDF a month");
    PrintPictureRatio(reporter, "BM_CalendarYearWithPicturesToOnePdf", "BM_CalendarYearToOnePdf", "one PDF");
    PrintRasterRatio(reporter);
    return 0;
}
