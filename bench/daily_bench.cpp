// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the tear-off daily pages: a whole year, 365 day pages and the 12 month pages,
// each day over its pentad picture from the commentary database, A4 at 600 dpi, to PDF,
// one document per month as the print run makes them. The same year on the trace canvas
// (the pages' own work and the picture loading, without rendering) is the baseline.
//
// Besides time and pages per second it reports the process's peak memory and how much the
// resident memory grew between the end of the first month and the end of the year: each
// pentad picture is released before the next is loaded, so the growth stays near zero.
#include "almanac/calendar_math.h"
#include "almanac/day_file.h"
#include "almanac/test_day_file.h"
#include "config/config_file.h"
#include "gfx/cairo_canvas.h"
#include "gfx/trace_canvas.h"
#include "pages/page_routines.h"
#include "pictures/demo_content.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

namespace {

constexpr int kYear = 2026;
const gfx::Device kA4At600{4960, 7016, 600, 600, 256};

// A field of /proc/self/status in megabytes ("VmHWM", "VmRSS"); 0 where it is not known.
double StatusMegabytes(const std::string& field) {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(field + ":", 0) != 0) continue;
        std::istringstream values(line.substr(field.size() + 1));
        double kilobytes = 0;
        values >> kilobytes;
        return kilobytes / 1024.0;
    }
    return 0;
}

// A host folder with a day file and the demo commentary database, made once.
const std::filesystem::path& HostFolder() {
    static const std::filesystem::path folder = [] {
        const auto path = std::filesystem::temp_directory_path() / "qelmarin_daily_bench";
        std::filesystem::create_directories(path);
        almanac::testing::WriteSyntheticDayFile(path / almanac::kDayFileName);
        base::StderrReporter reporter;
        pictures::WriteDemoCommentaryDatabase(path, reporter);
        return path;
    }();
    return folder;
}

pages::PrintState YearState(base::Reporter& reporter) {
    pages::PrintState state;
    state.host_folder = HostFolder();
    state.reporter = &reporter;
    state.format = pages::Format::kDaily;
    state.printing = true;
    state.dpi_x = kA4At600.dpi_x;
    state.dpi_y = kA4At600.dpi_y;
    state.settings.birth_eto = 7;
    config::PageOptions& o = state.settings.page(3);
    o.under_bitmap = o.full_bmp = o.kou_bmp_use = true;
    o.color_level = 2;
    o.sekki = o.old_day_print = o.eto_print = o.rokuyou_print = o.zatsu_print = true;
    o.unki = o.kikkyou1 = o.kikkyou2 = true;
    o.up_space = o.down_space = o.left_space = o.right_space = 10;
    return state;
}

// Every month of the year, each drawn on the canvas that make_canvas gives for it; returns
// the number of pages and fills the resident memory after the first month.
int DrawYear(const std::function<std::unique_ptr<gfx::Canvas>(int month)>& make_canvas, double& rss_first_month) {
    base::StderrReporter reporter;
    pages::PrintState state = YearState(reporter);
    almanac::DayFile day_file(HostFolder() / almanac::kDayFileName);
    int pages = 0;
    for (int month = 1; month <= 12; ++month) {
        state.year = kYear;
        state.month = month;
        state.days_in_month = almanac::DaysInMonth(kYear, month);
        state.first_day = 1;
        state.last_day = state.days_in_month;
        day_file.LoadMonth(state.days, kYear, month, state.days_in_month, reporter);
        auto canvas = make_canvas(month);
        if (!canvas) return pages;
        pages::DrawDailyPages(*canvas, state);
        canvas.reset(); // finishes the document
        pages += state.days_in_month + 1;
        if (month == 1) rss_first_month = StatusMegabytes("VmRSS");
    }
    return pages;
}

void Report(benchmark::State& st, int pages, double rss_first_month) {
    st.counters["pages"] = pages;
    st.counters["pages_per_s"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
    st.counters["peak_MB"] = StatusMegabytes("VmHWM");
    st.counters["rss_growth_MB"] = StatusMegabytes("VmRSS") - rss_first_month;
}

void BM_DailyYearToTrace(benchmark::State& st) {
    HostFolder();
    int pages = 0;
    double rss_first_month = 0;
    for (auto _ : st) {
        std::ofstream sink("/dev/null");
        pages = DrawYear([&](int) { return std::make_unique<gfx::TraceCanvas>(sink, kA4At600); }, rss_first_month);
    }
    Report(st, pages, rss_first_month);
}
BENCHMARK(BM_DailyYearToTrace)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

void BM_DailyYearToPdf(benchmark::State& st) {
    HostFolder();
    const auto pdf = std::filesystem::temp_directory_path() / "qelmarin_daily_bench.pdf";
    int pages = 0;
    double rss_first_month = 0;
    for (auto _ : st) {
        pages = DrawYear(
            [&](int) -> std::unique_ptr<gfx::Canvas> {
                std::string error;
                auto canvas = gfx::CairoCanvas::CreatePdf(pdf.string(), kA4At600, "Kalvorin", &error);
                if (!canvas) st.SkipWithError(error.c_str());
                return canvas;
            },
            rss_first_month);
    }
    Report(st, pages, rss_first_month);
    std::error_code ec;
    std::filesystem::remove(pdf, ec);
}
BENCHMARK(BM_DailyYearToPdf)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
