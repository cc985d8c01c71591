// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// For the dialog window tests: GTK started, a host folder with Kalvorin.CFG, a recording
// reporter, and a guard that ends a modal dialog whatever an assertion did.

#include "controls/gui_test_support.h"
#include "base/reporter.h"
#include "config/test_folder.h"
#include "dialogs/modal_window.h"
#include "gfx/canvas.h"

#include <gtest/gtest.h>

#include <memory>

namespace dialogs::testing {

using namespace controls::testing;

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { StartGtk(); }
    void TearDown() override { Pump(20); }

    std::filesystem::path Config() const { return folder_ / "Kalvorin.CFG"; }
    void WriteConfig(const std::string& text) { config::testing::WriteBytes(Config(), text); }
    std::string ConfigText() const { return config::testing::ReadBytes(Config()); }

    config::testing::TestFolder folder_;
    base::RecordingReporter reporter_;
};

// Waits until the window is on screen.
inline void WaitShown(Gtk::Window& window) {
    ASSERT_TRUE(PumpUntil([&] { return window.get_mapped(); }));
    Pump(100);
}

// Ends the dialog with Cancel when the scope ends (after an assertion returned early).
inline std::shared_ptr<void> Closer(ModalWindow& window) {
    return std::shared_ptr<void>(nullptr, [&window](void*) {
        if (window.Running()) window.EndModal(ModalResult::kCancel);
    });
}

// Clicks the middle of a rectangle of a widget.
inline void ClickIn(Gtk::Widget& widget, const gfx::Rect& r) {
    Click(widget, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

} // namespace dialogs::testing
