// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The look every window of the program shares: the button-face background and buttons
// that keep the sizes the windows are designed with, check boxes and radio buttons in a
// dark frame.

namespace controls {

// Adds the program's style sheet to the default screen (once).
void InstallProgramStyle();

} // namespace controls
