// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the default printer can do, asked of CUPS once the window is up (libcups is loaded
// then), and the system's paper when there is no printer.

#include "app/startup.h"
#include "pages/print_state.h"
#include "print/paper_sizes.h"

#include <sigc++/connection.h>

#include <chrono>
#include <future>

namespace app {

// The system's default paper: $PAPERSIZE, then /etc/papersize (libpaper), then A4.
print::PaperSize SystemPaper();

// What is assumed until a printer says otherwise: a colour printer with the system's paper.
PrinterCaps AssumedPrinterCaps();

// The default CUPS destination's colour capability and paper width; without a printer (or
// a server), the assumed ones, and nothing is said.
PrinterCaps DefaultPrinterCaps();

// The default printer's question, asked once on a thread of its own: its answer, when it
// comes, is put into the print state (colours and paper width), which serves the previews
// and runs. A scheduler may answer slowly or, when it is hostile, never: nothing here waits
// for it longer than the time given.
class DefaultPrinterQuestion {
public:
    explicit DefaultPrinterQuestion(pages::PrintState& state) : state_(state) {}
    DefaultPrinterQuestion(const DefaultPrinterQuestion&) = delete;
    DefaultPrinterQuestion& operator=(const DefaultPrinterQuestion&) = delete;
    // Waits for an outstanding answer (as std::async's future does): a program that ends
    // while Outstanding() ends its process without destroying this.
    ~DefaultPrinterQuestion();

    // Asks (once); the answer is put into the state from the main loop when it comes.
    void Ask();
    // Asks if not yet asked and waits up to `limit` for the answer, so that a preview or a
    // print made just after start-up uses the same printer as one made later. Only the first
    // call waits.
    void Settle(std::chrono::milliseconds limit);
    // Asked and not yet answered.
    bool Outstanding() const;

private:
    void Apply();

    pages::PrintState& state_;
    std::future<PrinterCaps> answer_;
    sigc::connection poll_; // looks for the answer from the main loop
    bool asked_ = false;
    bool waited_ = false;
    bool applied_ = false;
};

} // namespace app
