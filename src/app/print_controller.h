// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing from the windows: the GTK print dialog once per run, then one job per month
// titled "Kalvorin", the month and the format through GTK's print operation (CUPS), or,
// for "Print to File", the program's own PDF, PostScript and SVG documents, the same pages
// the command line renders. Also the page set-up, whose paper and orientation serve later
// runs and previews.

#include "base/reporter.h"
#include "pages/print_state.h"
#include "print/print_run.h"

#include <gtkmm/pagesetup.h>
#include <gtkmm/printoperation.h>
#include <gtkmm/printsettings.h>
#include <gtkmm/printunixdialog.h>
#include <gtkmm/window.h>

#include <glibmm/main.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace app {

// How a job sent to a printer is waited for.
struct JobWatch {
    int stall_limit_ms = 30000;         // without progress for this long, the job is given up
    bool aborted = false;               // the user ended the program: stop waiting, send no more
    Glib::RefPtr<Glib::MainLoop> loop;  // the wait running now, if any
};

// One job's signs of life, shared with the operation's handlers.
struct JobProgress {
    std::chrono::steady_clock::time_point last = std::chrono::steady_clock::now();
    bool done = false;
    Gtk::PrintOperationResult result = Gtk::PRINT_OPERATION_RESULT_ERROR;
    Glib::RefPtr<Glib::MainLoop> loop;
    void Touch();
    int IdleMs() const;
};

// Where the month's document goes when a run prints to a file: the chosen file for one
// month; with more months each gets "-MM" before the extension, so none overwrites another.
std::filesystem::path MonthFilePath(const std::filesystem::path& chosen, int month, bool several_months);

// The day range of the daily pages from the dialog's page range over the days of the
// first month: all pages, the current page (day 1), or the span of the ranges given.
struct DayRange {
    int first;
    int last;
};
DayRange DayRangeFromSettings(const Gtk::PrintSettings& settings, int days_in_first_month);

// The resolution a run draws at: the printer's, or 600 dots per inch when it names none.
int SettingsDpiX(const Gtk::PrintSettings& settings);
int SettingsDpiY(const Gtk::PrintSettings& settings);

// Where the page setup the user chose is kept between runs: qelmarin/page-setup.ini in the
// user's configuration folder ($XDG_CONFIG_HOME, else ~/.config).
std::filesystem::path PageSetupFile();

class PrintController {
public:
    // The page setup kept from the last run (setup_file) when there is one, else the
    // default paper.
    PrintController(base::Reporter& reporter, const std::string& default_paper,
                    std::filesystem::path setup_file = PageSetupFile());

    // The printer as the preview and the next run see it: the page setup's paper in
    // device pixels at the settings' resolution.
    print::Printer CurrentPrinter() const;

    // The print run: "月エラー" first; the dialog; then every month of the range. False
    // when nothing was printed (refused, cancelled) or a job failed (reported).
    bool Print(Gtk::Window& parent, pages::PrintState& state);
    // The page set-up dialog; what it ends with is kept for the next run.
    void PageSetup(Gtk::Window& parent);
    // Takes the page setup as the one printed on, and keeps it in the setup file.
    void KeepPageSetup(Glib::RefPtr<Gtk::PageSetup> setup);
    // Ends the wait for a job at once and sends no further month (the program is ending).
    void Abort();
    // A job that shows no progress for this long is given up with a message.
    void SetStallLimit(int ms) { watch_.stall_limit_ms = ms; }
    // Whether a job is being waited for now.
    bool Waiting() const { return static_cast<bool>(watch_.loop); }

    Glib::RefPtr<Gtk::PrintSettings> settings() const { return settings_; }
    Glib::RefPtr<Gtk::PageSetup> page_setup() const { return page_setup_; }

    // Asked once before several months printed to files replace files that are there
    // already (the dialog asks for a single file itself): true replaces them. Tests put a
    // stand-in here; by default a question box asks.
    std::function<bool(const std::vector<std::filesystem::path>&)> confirm_replace;

    // Called with the dialog once it is shown (tests drive it from here).
    std::function<void(Gtk::PrintUnixDialog&)> on_dialog_shown;

private:
    base::Reporter& reporter_;
    Glib::RefPtr<Gtk::PrintSettings> settings_;
    Glib::RefPtr<Gtk::PageSetup> page_setup_;
    std::filesystem::path setup_file_;
    JobWatch watch_;
};

} // namespace app
