// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the desktop program's windows (run under Xvfb: scripts/bench-windows):
// start-up to the first frame of the main window, and the preview button to the preview
// window drawn, A4 at 600 dpi, "TESTSize" 3, a calendar page under a full-page picture.
#include "almanac/test_day_file.h"
#include "app/main_window.h"
#include "app/preview_window.h"
#include "app/startup.h"
#include "controls/program_style.h"
#include "pictures/demo_content.h"

#include <benchmark/benchmark.h>
#include <glibmm/main.h>
#include <gtkmm/application.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

const fs::path& HostFolder() {
    static const fs::path folder = [] {
        const fs::path path = fs::temp_directory_path() / "qelmarin_window_bench";
        fs::create_directories(path);
        almanac::testing::WriteSyntheticDayFile(path / "UNSEI.DAT");
        base::StderrReporter reporter;
        pictures::WriteDemoMonthPictures(path, reporter);
        std::ofstream cfg(path / "Kalvorin.CFG", std::ios::binary);
        cfg << "[UNSEI]\r\nETO=7\r\nDIR=" << path.string() << "\r\n[PRINT]\r\nTESTSize=3\r\n"
            << "[PRINT 1]\r\nUnderBitmap=1\r\nFullBMP=1\r\nColorLevel=2\r\nSekki=1\r\nOldDayPrint=1\r\n"
            << "ROKUYOUPrint=1\r\nETOPrint=1\r\nZATSUPrint=1\r\nKikkyou 1=1\r\nKikkyou 2=1\r\nUnki=1\r\n";
        return path;
    }();
    return folder;
}

void RunUntil(const bool& done) {
    auto context = Glib::MainContext::get_default();
    while (!done) context->iteration(true);
}

void BM_StartUpToFirstFrame(benchmark::State& s) {
    for (auto _ : s) {
        base::RecordingReporter reporter;
        pages::PrintState state;
        app::StartUp(HostFolder(), app::Today{2026, 12, 7}, app::PrinterCaps{}, state, reporter);
        app::MainWindow window(state, reporter, "A4");
        bool drawn = false;
        window.signal_draw().connect(
            [&](const Cairo::RefPtr<Cairo::Context>&) {
                drawn = true;
                return false;
            },
            false);
        window.show();
        RunUntil(drawn);
        window.hide();
    }
}
BENCHMARK(BM_StartUpToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_PreviewButtonToWindowDrawn(benchmark::State& s) {
    base::RecordingReporter reporter;
    pages::PrintState state;
    app::StartUp(HostFolder(), app::Today{2026, 12, 7}, app::PrinterCaps{}, state, reporter);
    app::MainWindow window(state, reporter, "A4");
    window.show();
    for (auto _ : s) {
        window.on_preview_shown = [](Gtk::Window& preview) {
            auto& preview_window = dynamic_cast<app::PreviewWindow&>(preview);
            bool drawn = false;
            preview_window.PageArea().signal_draw().connect(
                [&](const Cairo::RefPtr<Cairo::Context>&) {
                    drawn = true;
                    return false;
                },
                false);
            preview_window.PageArea().queue_draw();
            RunUntil(drawn);
            preview_window.CloseWithoutPrinting();
        };
        window.ShowPreview();
    }
    if (!reporter.messages().empty()) s.SkipWithError(reporter.messages().front().text.c_str());
}
BENCHMARK(BM_PreviewButtonToWindowDrawn)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    auto application = Gtk::Application::create("org.qelmarin.WindowBench", Gio::APPLICATION_NON_UNIQUE);
    application->register_application();
    controls::InstallProgramStyle();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
