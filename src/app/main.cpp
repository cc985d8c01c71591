// SPDX-License-Identifier: GPL-3.0-or-later
// qelmarin: the print module's desktop program. Started from the host folder (or with
// --home DIR), it refuses to run without Kalvorin.CFG, and otherwise shows the main window.

#include "app/first_start_dialog.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "app/printer_caps.h"
#include "app/settings_dialogs.h"
#include "app/startup.h"
#include "base/i18n.h"
#include "config/host_location.h"
#include "controls/program_style.h"

#include <glibmm/init.h>
#include <glibmm/main.h>
#include <glibmm/miscutils.h>
#include <glibmm/optioncontext.h>
#include <gtk/gtk.h>
#include <gtkmm/application.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char** argv) {
    base::InitMessages();
    std::string home;
    bool version = false;
    Glib::OptionEntry home_entry;
    home_entry.set_long_name("home");
    home_entry.set_arg_description("DIR");
    home_entry.set_description(_("the host folder (default: $KALVORIN_HOME, the program's folder, ~/.local/share/kalvorin)"));
    Glib::OptionEntry version_entry;
    version_entry.set_long_name("version");
    version_entry.set_description(_("print the version and exit"));
    Glib::OptionGroup group("qelmarin", _("qelmarin options"));
    group.add_entry_filename(home_entry, home);
    group.add_entry(version_entry, version);
    Glib::OptionContext context(_("- print Japanese almanac pages"));
    context.set_main_group(group);
    // GTK's own options (--display and the others) are accepted too.
    Glib::OptionGroup gtk_group(gtk_get_option_group(FALSE));
    context.add_group(gtk_group);
    try {
        Glib::init();
        context.parse(argc, argv);
    } catch (const Glib::Error& e) {
        std::fprintf(stderr, "qelmarin: %s\n", e.what().c_str());
        return 2;
    }
    if (version) {
        std::printf("qelmarin %s\n", QELMARIN_VERSION);
        return 0;
    }

    // The font map is made before the toolkit starts: it reads the font configuration on a
    // thread of its own, which then runs while the display opens and the program registers
    // on the session bus, rather than when the window first measures a picture or a caption.
    pango_cairo_font_map_get_default();
    app::SetProgramIdentity();
    if (!gtk_init_check(&argc, &argv)) {
        const char* display = std::getenv("DISPLAY");
        std::fprintf(stderr, _("qelmarin: cannot open the display '%s'; qelmarin-cli draws pages without one\n"),
                     display ? display : "");
        return 1;
    }
    Glib::set_application_name("Qelmarin");
    auto application = Gtk::Application::create(app::kApplicationId, Gio::APPLICATION_NON_UNIQUE);
    app::MessageBoxReporter reporter;
    pages::PrintState state;
    std::unique_ptr<app::MainWindow> window;
    app::DefaultPrinterQuestion printer(state);
    int status = 0;
    application->signal_activate().connect([&] {
        controls::InstallProgramStyle();
        // --home, $KALVORIN_HOME, the program's folder, then the user's data folder.
        const config::HostFolderChoice choice =
            config::FindHostFolder(home.empty() ? std::nullopt : std::optional<std::string>(home));
        const std::filesystem::path& folder = choice.folder;
        // A first start from the desktop's menu: no folder named, none at the standard place.
        // The program offers to make it; declined, the refusal below follows.
        if (choice.source == config::HostFolderSource::kUserData && !folder.empty() &&
            !config::HoldsConfigFile(folder))
            app::OfferFirstStart(folder, app::SystemToday().year, reporter);
        // Until the scheduler has answered: a colour printer with the system's paper, as
        // without a printer. Its answer serves the previews and runs.
        if (!app::StartUp(folder, app::SystemToday(), app::AssumedPrinterCaps(), state, reporter)) {
            // Said on the terminal too, for a start from a shell or a desktop's log.
            std::string help = app::NoHostFolderHelp(folder);
            std::replace(help.begin(), help.end(), '\r', '\n');
            std::fprintf(stderr, _("qelmarin: no Kalvorin.CFG: the host folder is missing\n%s\n"), help.c_str());
            status = 1;
            return;
        }
        window = std::make_unique<app::MainWindow>(state, reporter, std::string(app::SystemPaper().name));
        window->get_style_context()->add_class("qelmarin");
        reporter.SetParent(window.get());
        app::WireSettingsDialogs(*window, reporter);
        application->add_window(*window);
        // A preview or print made before the answer came waits for it a moment, so that it
        // lays out its pages for the same paper as one made later.
        window->settle_printer = [&] { printer.Settle(std::chrono::milliseconds(2000)); };
        // The default printer is asked on a thread of its own once the window's first frame
        // is drawn, so that no scheduler, however slow to answer, holds the window back (the
        // question has bounds of its own), and libcups is loaded then: loading it takes the
        // processor the window needs to appear.
        auto first_frame = std::make_shared<sigc::connection>();
        *first_frame = window->signal_draw().connect(
            [&, first_frame](const Cairo::RefPtr<Cairo::Context>&) {
                first_frame->disconnect();
                Glib::signal_idle().connect_once([&] { printer.Ask(); });
                return false;
            },
            true);
        window->show();
    });
    const int run_status = application->run();
    const int result = status != 0 ? status : run_status;
    if (printer.Outstanding()) {
        // A scheduler that has not answered (slow, or trickling its answer byte by byte) does
        // not keep the program alive once its window has gone: everything the user changed
        // is written, so the process ends here without waiting for the question's thread.
        std::fflush(nullptr);
        std::_Exit(result);
    }
    return result;
}
