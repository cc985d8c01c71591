// SPDX-License-Identifier: GPL-3.0-or-later
// qelmarin-screenshots: draws the windows of the desktop program on a host folder and saves
// each as a PNG, for the README and for looking at them (run under Xvfb by
// scripts/screenshots).
//   qelmarin-screenshots HOST_FOLDER OUT_FOLDER

#include "app/dialog_screenshots.h"
#include "app/main_window.h"
#include "app/preview_window.h"
#include "app/startup.h"
#include "controls/program_style.h"

#include <glibmm/main.h>
#include <gtkmm/application.h>
#include <gdkmm/seat.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

void Pump(int ms) {
    auto context = Glib::MainContext::get_default();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        while (context->pending()) context->iteration(false);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool Save(Gtk::Window& window, const std::filesystem::path& path) {
    window.queue_draw();
    Pump(600);
    // Taken from the screen, as a person sees the window (child windows included).
    auto gdk_window = window.get_window();
    int x = 0, y = 0;
    gdk_window->get_origin(x, y);
    auto picture = Gdk::Pixbuf::create(Gdk::Screen::get_default()->get_root_window(), x, y, gdk_window->get_width(),
                                       gdk_window->get_height());
    if (!picture) return false;
    picture->save(path.string(), "png");
    std::printf("%s\n", path.c_str());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: qelmarin-screenshots HOST_FOLDER OUT_FOLDER\n");
        return 2;
    }
    const std::filesystem::path host = argv[1], out = argv[2];
    auto application = Gtk::Application::create("org.qelmarin.Screenshots", Gio::APPLICATION_NON_UNIQUE);
    application->register_application();
    controls::InstallProgramStyle();
    // The pointer in a corner of the screen, so that no tooltip covers the pictures.
    auto display = Gdk::Display::get_default();
    display->get_default_seat()->get_pointer()->warp(display->get_default_screen(), 1279, 1023);
    base::RecordingReporter reporter;
    pages::PrintState state;
    if (!app::StartUp(host, app::SystemToday(), app::PrinterCaps{}, state, reporter)) {
        std::fprintf(stderr, "qelmarin-screenshots: no Kalvorin.CFG in %s\n", host.c_str());
        return 1;
    }
    app::MainWindow window(state, reporter, "A4");
    window.get_style_context()->add_class("qelmarin");
    window.show();
    Pump(200);
    window.MakeFormatPictures();
    bool ok = Save(window, out / "main-window.png");
    window.ToggleList(app::ListKind::kYear);
    ok = Save(window, out / "main-window-year-list.png") && ok;
    window.ToggleList(app::ListKind::kToMonth);
    ok = Save(window, out / "main-window-month-list.png") && ok;
    window.ToggleList(app::ListKind::kToMonth);
    window.on_preview_shown = [&](Gtk::Window& preview) {
        preview.get_style_context()->add_class("qelmarin");
        ok = Save(preview, out / "preview-window.png") && ok;
        auto& test = dynamic_cast<app::PreviewWindow&>(preview);
        test.ApplyZoom(app::Zoom::kShrink);
        ok = Save(preview, out / "preview-window-80.png") && ok;
        test.CloseWithoutPrinting();
    };
    window.ShowPreview();
    ok = app::SaveDialogScreenshots(window, state, reporter, out, Save) && ok;
    return ok ? 0 : 1;
}
