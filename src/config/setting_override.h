// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A print setting given for one run ("PRINT 1.UnderBitmap=1"): set in the settings held in
// memory and never written to Kalvorin.CFG.

#include "config/settings.h"

#include <string>
#include <string_view>

namespace config {

// Applies "SECTION.KEY=VALUE" to a print setting (sections "PRINT" and "PRINT 1" …
// "PRINT 5"; section and key in any letter case). Returns an empty text when applied,
// else what is wrong, naming the assignment; the settings are then unchanged. The host's
// keys (section "UNSEI") and the dialogs' places are not print settings.
std::string ApplySettingOverride(std::string_view assignment, Settings& settings);

} // namespace config
