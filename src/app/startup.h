// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop program's start-up and shutdown around the one print state: where the host
// folder is, the refusal without Kalvorin.CFG, the start-up sequence that fills the state,
// and what is written back when the main window closes.

#include "base/reporter.h"
#include "pages/print_state.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// The application's id: its D-Bus name, its desktop entry (data/<id>.desktop), the class
// of its windows and their StartupWMClass, so that a dock ties a window to its launcher.
inline constexpr const char* kApplicationId = "org.qelmarin.Qelmarin";

// Names the program after its id for the window system (WM_CLASS of every window, the
// Wayland app id). Call after the command line is parsed and before the display opens.
void SetProgramIdentity();

inline constexpr std::string_view kNoConfigText = "Kalvorinから起動してください。この処理は異常終了させます";
inline constexpr std::string_view kErrorCaption = "ｴﾗｰ";
inline constexpr std::string_view kNoBirthYearText =
    "生まれ年が設定されていません\rので印刷/確認処理ができません。\rただちに終了し、Kalvorin側で登録\rしてか起動してください";
inline constexpr std::string_view kNoBirthYearCaption = "処理中止";

// What the printer reports at start-up: colours (2 or fewer is monochrome) and paper width.
struct PrinterCaps {
    int colors = 256;
    int paper_width_mm = 210;
};

struct Today {
    int year;
    int month;
    int day;
};
Today SystemToday();

// What follows the refusal to start: the folder where Kalvorin.CFG was looked for and how
// to make a host folder there (lines broken by "\r"). Empty folder: none could be named.
std::string NoHostFolderHelp(const std::filesystem::path& folder);

// The start-up sequence in its order. False, after the "ｴﾗｰ" message (with the folder
// looked in and how to make one below it), when the host folder has no Kalvorin.CFG; the
// state is then left as it was. A day file that is missing or shorter than 1901 … 2100 is
// reported once here, and the start-up goes on.
bool StartUp(const std::filesystem::path& host_folder, const Today& today, const PrinterCaps& caps,
             pages::PrintState& state, base::Reporter& reporter);

// Whether the first show must say that no birth year is registered ("ETO" 0).
bool NeedsBirthYearMessage(const pages::PrintState& state);

// Shutdown: of "BMP1" … "BMP12", those whose names differ from `given` (the settings the
// main window was opened with) are written back; the others are left as the file holds
// them. False, with a message naming the file, when the file cannot be written; the
// program still ends.
bool ShutDown(const pages::PrintState& state, const config::Settings& given, base::Reporter& reporter);

} // namespace app
