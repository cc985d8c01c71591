// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the default printer can do, asked of CUPS once the window is up (libcups is loaded
// then), and the system's paper when there is no printer.

#include "app/startup.h"
#include "print/paper_sizes.h"

namespace app {

// The system's default paper: $PAPERSIZE, then /etc/papersize (libpaper), then A4.
print::PaperSize SystemPaper();

// The default CUPS destination's colour capability and paper width; without a printer (or
// a server), a colour printer with the system's paper, and nothing is said.
PrinterCaps DefaultPrinterCaps();

} // namespace app
