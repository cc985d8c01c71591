// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A host folder, a started print state and a shown main window for the window tests.

#include "almanac/test_day_file.h"
#include "controls/gui_test_support.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "config/test_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace app::testing {

using namespace controls::testing;

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { StartGtk(); }
    void TearDown() override {
        if (window_) window_->hide();
        window_.reset();
        Pump(20);
    }

    // Writes the folder's files and opens the main window on them.
    void Open(const std::string& unsei = "ETO=7\r\n", const std::string& more = {}) {
        config::testing::WriteBytes(folder_ / "Kalvorin.CFG",
                                    "[UNSEI]\r\n" + unsei + "[PRINT]\r\nTESTSize=3\r\n" + more);
        almanac::testing::WriteSyntheticDayFile(folder_ / "UNSEI.DAT");
        ASSERT_TRUE(StartUp(folder_.path(), Today{2026, 12, 7}, PrinterCaps{}, state_, reporter_));
        window_ = std::make_unique<MainWindow>(state_, reporter_, "A4");
        window_->get_style_context()->add_class("qelmarin");
        window_->show();
        ASSERT_TRUE(PumpUntil([&] { return window_->get_mapped(); }));
        Pump(100);
    }

    config::testing::TestFolder folder_;
    base::RecordingReporter reporter_;
    pages::PrintState state_;
    std::unique_ptr<MainWindow> window_;
};

} // namespace app::testing
