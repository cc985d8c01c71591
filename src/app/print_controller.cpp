// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/print_controller.h"

#include "almanac/calendar_math.h"
#include "app/page_recorder.h"
#include "base/i18n.h"
#include "gfx/cairo_canvas.h"
#include "pages/page_routines.h"
#include "print/paper_sizes.h"

#include <glibmm/convert.h>
#include <glibmm/main.h>
#include <glibmm/miscutils.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/printer.h>
#include <gtkmm/printoperation.h>

#include <algorithm>
#include <cstdio>

namespace app {
namespace {

constexpr int kDefaultDpi = 600;

// The GTK names of the papers the program offers.
std::string GtkPaperName(const std::string& name) {
    static const std::pair<std::string_view, std::string_view> kNames[] = {
        {"A4", "iso_a4"}, {"A3", "iso_a3"}, {"A5", "iso_a5"}, {"B4", "jis_b4"}, {"B5", "jis_b5"},
        {"Letter", "na_letter"}, {"A6", "iso_a6"}, {"Postcard", "jpn_hagaki"}};
    for (const auto& [ours, gtk] : kNames)
        if (ours == name) return std::string(gtk);
    return "iso_a4";
}

// "Print to File", the virtual printer of the dialog: its settings name the output file.
// (GTK's own print operation never finds a virtual printer by name and would send the
// document to the default printer instead.)
bool IsFilePrinter(const Glib::RefPtr<Gtk::Printer>& printer) {
    return printer && printer->is_virtual();
}

class WaitCursor {
public:
    explicit WaitCursor(Gtk::Window& window) : window_(window.get_window()) {
        if (window_) window_->set_cursor(Gdk::Cursor::create(window_->get_display(), "wait"));
    }
    ~WaitCursor() {
        if (window_) window_->set_cursor();
    }

private:
    Glib::RefPtr<Gdk::Window> window_;
};

// "Print to File" in every format the dialog offers (PDF, PostScript, SVG): the program's
// own documents, never a job of a printer.
enum class FileFormat { kPdf, kPostScript, kSvg };

FileFormat FileFormatOf(const std::string& name) {
    return name == "ps" ? FileFormat::kPostScript : name == "svg" ? FileFormat::kSvg : FileFormat::kPdf;
}

class FileSink : public print::DocumentSink {
public:
    FileSink(std::filesystem::path chosen, FileFormat format, bool several, base::Reporter& reporter)
        : chosen_(std::move(chosen)), format_(format), several_(several), reporter_(reporter) {}

    gfx::Canvas* BeginDocument(const pages::PrintState& state, const gfx::Device& device) override {
        path_ = MonthFilePath(chosen_, state.month, several_);
        std::string error;
        // Each file holds one month and says so (title, outline, page labels).
        const gfx::DocumentInfo info = print::DocumentInfoOf(state, state.month, state.month);
        switch (format_) {
        case FileFormat::kSvg: canvas_ = gfx::CairoCanvas::CreateSvg(path_.string(), device, &error); break;
        case FileFormat::kPostScript:
            canvas_ = gfx::CairoCanvas::CreatePostScript(path_.string(), device, info.title, &error);
            break;
        case FileFormat::kPdf: canvas_ = gfx::CairoCanvas::CreatePdf(path_.string(), device, info, &error); break;
        }
        if (!canvas_) reporter_.ShowMessage(path_.string() + ": " + error, "Error");
        return canvas_.get();
    }
    bool EndDocument() override {
        std::string error;
        const bool ok = canvas_ && canvas_->Finish(&error);
        canvas_.reset();
        if (!ok) reporter_.ShowMessage(path_.string() + ": " + error, "Error");
        return ok;
    }

private:
    std::filesystem::path chosen_;
    FileFormat format_;
    bool several_;
    base::Reporter& reporter_;
    std::filesystem::path path_;
    std::unique_ptr<gfx::CairoCanvas> canvas_;
};

// Whether the month files that are there already may be replaced, asked once for them all.
bool AskReplace(Gtk::Window& parent, const std::vector<std::filesystem::path>& files) {
    std::string names;
    for (const std::filesystem::path& file : files)
        names += "\n" + file.filename().string();
    Gtk::MessageDialog ask(parent, base::Format(_("These files are there already:%s\nReplace them?"), names.c_str()),
                           false, Gtk::MESSAGE_QUESTION, Gtk::BUTTONS_YES_NO, true);
    ask.set_title("確認");
    ask.set_default_response(Gtk::RESPONSE_NO);
    return ask.run() == Gtk::RESPONSE_YES;
}

// A printer of GTK (CUPS): each month recorded, then sent as one print operation with the
// settings of the dialog, without a dialog. The operation runs on its own while the window
// waits for it: a job that shows no progress (no page drawn, no change of its status) for
// the controller's stall limit is given up with a message, and the user ending the program
// ends the wait at once.
class OperationSink : public print::DocumentSink {
public:
    OperationSink(Gtk::Window& parent, Glib::RefPtr<Gtk::PrintSettings> settings,
                  Glib::RefPtr<Gtk::PageSetup> page_setup, JobWatch& watch, base::Reporter& reporter)
        : parent_(parent), settings_(std::move(settings)), page_setup_(std::move(page_setup)), watch_(watch),
          reporter_(reporter) {}

    gfx::Canvas* BeginDocument(const pages::PrintState& state, const gfx::Device& device) override {
        if (watch_.aborted) return nullptr;
        title_ = print::JobTitle(state);
        recorder_ = std::make_shared<PageRecorder>();
        return recorder_->Begin(device);
    }

    bool EndDocument() override {
        recorder_->End();
        if (watch_.aborted) return false;
        auto settings = settings_->copy();
        // The dialog's range chose the days; every recorded page is printed.
        settings->set_print_pages(Gtk::PRINT_PAGES_ALL);
        auto op = Gtk::PrintOperation::create();
        op->set_job_name(title_);
        op->set_print_settings(settings);
        op->set_default_page_setup(page_setup_);
        op->set_use_full_page(true);
        op->set_unit(Gtk::UNIT_POINTS);
        op->set_n_pages(std::max(1, recorder_->PageCount()));
        op->set_allow_async(true);
        // The operation may outlive this month (a job given up goes on in GTK until it
        // notices the cancel): its handlers keep what they use.
        auto progress = std::make_shared<JobProgress>();
        const std::shared_ptr<PageRecorder> recorder = recorder_;
        const gfx::Device device = recorder->device();
        op->signal_draw_page().connect(
            [recorder, device, progress](const Glib::RefPtr<Gtk::PrintContext>& context, int page) {
                progress->Touch();
                cairo_t* cr = context->get_cairo_context()->cobj();
                cairo_save(cr);
                cairo_scale(cr, 72.0 / device.dpi_x, 72.0 / device.dpi_y);
                recorder->Replay(cr, page);
                cairo_restore(cr);
            });
        op->signal_status_changed().connect([progress] { progress->Touch(); });
        op->signal_done().connect([progress](Gtk::PrintOperationResult result) {
            progress->done = true;
            progress->result = result;
            if (progress->loop) progress->loop->quit();
        });
        Gtk::PrintOperationResult result = Gtk::PRINT_OPERATION_RESULT_ERROR;
        try {
            result = op->run(Gtk::PRINT_OPERATION_ACTION_PRINT, parent_);
        } catch (const Glib::Error& e) {
            reporter_.ShowMessage(title_ + ": printing failed: " + e.what().raw(), "Error");
            return false;
        }
        if (result == Gtk::PRINT_OPERATION_RESULT_IN_PROGRESS) {
            if (!Wait(*progress)) {
                op->cancel();
                if (watch_.aborted) return false;
                reporter_.ShowMessage(title_ + ": the printer " + settings->get_printer().raw() + " did not answer for " +
                                          std::to_string(watch_.stall_limit_ms / 1000) +
                                          " seconds; the job was given up.",
                                      "Error");
                return false;
            }
            result = progress->result;
        }
        if (result == Gtk::PRINT_OPERATION_RESULT_CANCEL) {
            reporter_.ShowMessage(title_ + ": the print job was cancelled.", "Error");
            return false;
        }
        if (result == Gtk::PRINT_OPERATION_RESULT_ERROR) {
            GError* error = nullptr;
            gtk_print_operation_get_error(op->gobj(), &error);
            reporter_.ShowMessage(title_ + ": printing failed" + (error ? ": " + std::string(error->message) : "."),
                                  "Error");
            if (error) g_error_free(error);
            return false;
        }
        return true;
    }

private:
    // Runs the window's events until the operation is done (true), shows no progress for
    // the stall limit, or the user ends the program (false).
    bool Wait(JobProgress& progress) {
        progress.loop = Glib::MainLoop::create();
        watch_.loop = progress.loop;
        progress.Touch();
        auto check = Glib::signal_timeout().connect(
            [&] {
                if (progress.IdleMs() >= watch_.stall_limit_ms) progress.loop->quit();
                return true;
            },
            100);
        if (!progress.done && !watch_.aborted) progress.loop->run();
        check.disconnect();
        watch_.loop.reset();
        progress.loop.reset();
        return progress.done && !watch_.aborted;
    }

    Gtk::Window& parent_;
    Glib::RefPtr<Gtk::PrintSettings> settings_;
    Glib::RefPtr<Gtk::PageSetup> page_setup_;
    JobWatch& watch_;
    base::Reporter& reporter_;
    std::shared_ptr<PageRecorder> recorder_;
    std::string title_;
};

} // namespace

void JobProgress::Touch() {
    last = std::chrono::steady_clock::now();
}

int JobProgress::IdleMs() const {
    return static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - last).count());
}

std::filesystem::path MonthFilePath(const std::filesystem::path& chosen, int month, bool several_months) {
    if (!several_months) return chosen;
    char suffix[8];
    std::snprintf(suffix, sizeof suffix, "-%02d", std::clamp(month, 1, 12));
    std::filesystem::path path = chosen;
    path.replace_filename(chosen.stem().string() + suffix + chosen.extension().string());
    return path;
}

DayRange DayRangeFromSettings(const Gtk::PrintSettings& settings, int days) {
    auto& s = const_cast<Gtk::PrintSettings&>(settings);
    switch (s.get_print_pages()) {
    case Gtk::PRINT_PAGES_CURRENT: return DayRange{1, 1};
    case Gtk::PRINT_PAGES_RANGES: {
        const std::vector<Gtk::PrintSettings::PageRange> ranges = s.get_page_ranges();
        if (ranges.empty()) break;
        int first = days, last = 1;
        for (const Gtk::PrintSettings::PageRange& r : ranges) {
            first = std::min(first, r.start + 1);
            last = std::max(last, r.end + 1);
        }
        first = std::clamp(first, 1, days);
        last = std::clamp(last, first, days);
        return DayRange{first, last};
    }
    default: break;
    }
    return DayRange{1, days};
}

int SettingsDpiX(const Gtk::PrintSettings& settings) {
    auto& s = const_cast<Gtk::PrintSettings&>(settings);
    return s.has_key(GTK_PRINT_SETTINGS_RESOLUTION_X) || s.has_key(GTK_PRINT_SETTINGS_RESOLUTION)
               ? std::max(1, s.get_resolution_x())
               : kDefaultDpi;
}

int SettingsDpiY(const Gtk::PrintSettings& settings) {
    auto& s = const_cast<Gtk::PrintSettings&>(settings);
    return s.has_key(GTK_PRINT_SETTINGS_RESOLUTION_Y) || s.has_key(GTK_PRINT_SETTINGS_RESOLUTION)
               ? std::max(1, s.get_resolution_y())
               : kDefaultDpi;
}

std::filesystem::path PageSetupFile() {
    return std::filesystem::path(Glib::get_user_config_dir()) / "qelmarin" / "page-setup.ini";
}

PrintController::PrintController(base::Reporter& reporter, const std::string& default_paper,
                                 std::filesystem::path setup_file)
    : reporter_(reporter), settings_(Gtk::PrintSettings::create()), page_setup_(Gtk::PageSetup::create()),
      setup_file_(std::move(setup_file)) {
    page_setup_->set_paper_size_and_default_margins(Gtk::PaperSize(GtkPaperName(default_paper)));
    // A kept setup that cannot be read (gone, damaged) leaves the default paper.
    std::error_code ec;
    if (setup_file_.empty() || !std::filesystem::is_regular_file(setup_file_, ec)) return;
    try {
        page_setup_ = Gtk::PageSetup::create_from_file(setup_file_.string());
    } catch (const Glib::Error& e) {
        std::fprintf(stderr, "qelmarin: the kept page setup %s is not used: %s\n", setup_file_.c_str(),
                     e.what().c_str());
    }
}

void PrintController::KeepPageSetup(Glib::RefPtr<Gtk::PageSetup> setup) {
    if (!setup) return;
    page_setup_ = std::move(setup);
    if (setup_file_.empty()) return;
    // Not kept is not lost for this run: the program goes on with the setup, and says why
    // on its error output.
    std::error_code ec;
    std::filesystem::create_directories(setup_file_.parent_path(), ec);
    try {
        page_setup_->save_to_file(setup_file_.string());
    } catch (const Glib::Error& e) {
        std::fprintf(stderr, "qelmarin: the page setup is not kept in %s: %s\n", setup_file_.c_str(),
                     e.what().c_str());
    }
}

static print::Printer CurrentPrinterOf(const Gtk::PageSetup& setup, const Gtk::PrintSettings& settings) {
    auto& page = const_cast<Gtk::PageSetup&>(setup);
    const int dpi_x = SettingsDpiX(settings), dpi_y = SettingsDpiY(settings);
    // The paper in points too, so that a document's page is exactly the paper.
    return print::Printer{print::PaperPixels(page.get_paper_width(Gtk::UNIT_MM), dpi_x),
                          print::PaperPixels(page.get_paper_height(Gtk::UNIT_MM), dpi_y),
                          dpi_x,
                          dpi_y,
                          page.get_paper_width(Gtk::UNIT_POINTS),
                          page.get_paper_height(Gtk::UNIT_POINTS)};
}

print::Printer PrintController::CurrentPrinter() const {
    return CurrentPrinterOf(*page_setup_.operator->(), *settings_.operator->());
}

bool PrintController::Print(Gtk::Window& parent, pages::PrintState& state) {
    if (!print::CheckMonthRange(state)) return false;
    const int first_month_days = almanac::DaysInMonth(state.year, state.from_month);

    Gtk::PrintUnixDialog dialog(parent, "印刷");
    // The page range is offered anew every time: the days of the first month for the
    // daily pages, page 1 otherwise.
    settings_->set_print_pages(Gtk::PRINT_PAGES_ALL);
    settings_->set_page_ranges({});
    dialog.set_settings(settings_);
    dialog.set_page_setup(page_setup_);
    dialog.set_current_page(0);
    // No GENERATE_PDF or GENERATE_PS: named, they restrict Print to File to those two formats,
    // unnamed it offers every format the program writes (PDF, PostScript and SVG).
    dialog.set_manual_capabilities(Gtk::PRINT_CAPABILITY_PAGE_SET | Gtk::PRINT_CAPABILITY_COPIES |
                                   Gtk::PRINT_CAPABILITY_COLLATE | Gtk::PRINT_CAPABILITY_REVERSE);
    dialog.set_embed_page_setup(true);
    if (on_dialog_shown)
        dialog.signal_show().connect([this, &dialog] {
            Glib::signal_idle().connect_once([this, &dialog] { on_dialog_shown(dialog); });
        });
    const int response = dialog.run();
    dialog.hide();
    if (response != Gtk::RESPONSE_OK) return false;
    Glib::RefPtr<Gtk::Printer> printer = dialog.get_selected_printer();
    settings_ = dialog.get_settings();
    KeepPageSetup(dialog.get_page_setup());

    const DayRange days = DayRangeFromSettings(*settings_.operator->(), first_month_days);
    state.first_day = days.first;
    state.last_day = days.last;
    state.colors = settings_->get_use_color() ? 256 : 2;
    const print::Printer target = CurrentPrinter();
    const bool several = state.to_month > state.from_month;

    WaitCursor wait(parent);
    const std::string format = settings_->get(GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT);
    const std::string uri = settings_->get(GTK_PRINT_SETTINGS_OUTPUT_URI);
    if (IsFilePrinter(printer)) {
        std::filesystem::path chosen;
        try {
            chosen = Glib::filename_from_uri(uri);
        } catch (const Glib::Error& e) {
            reporter_.ShowMessage("Cannot print to the file \"" + uri + "\": " + e.what().raw(), "Error");
            return false;
        }
        if (several) {
            std::vector<std::filesystem::path> there;
            for (int m = state.from_month; m <= state.to_month; ++m) {
                std::error_code ec;
                if (std::filesystem::exists(MonthFilePath(chosen, m, true), ec))
                    there.push_back(MonthFilePath(chosen, m, true));
            }
            if (!there.empty() && !(confirm_replace ? confirm_replace(there) : AskReplace(parent, there)))
                return false;
        }
        FileSink sink(chosen, FileFormatOf(format), several, reporter_);
        return print::PrintRun(state, target, sink);
    }
    watch_.aborted = false;
    OperationSink sink(parent, settings_, page_setup_, watch_, reporter_);
    const bool printed = print::PrintRun(state, target, sink);
    return printed && !watch_.aborted;
}

void PrintController::Abort() {
    watch_.aborted = true;
    if (watch_.loop) watch_.loop->quit();
}

void PrintController::PageSetup(Gtk::Window& parent) {
    KeepPageSetup(Gtk::run_page_setup_dialog(parent, page_setup_, settings_));
}

} // namespace app
