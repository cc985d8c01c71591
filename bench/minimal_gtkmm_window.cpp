// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit's floor for the launch benchmark: a program that shows one empty gtkmm
// window of the main window's size and waits. bench/launch_to_map times it beside qelmarin.
#include <gtkmm/application.h>
#include <gtkmm/window.h>

int main(int argc, char** argv) {
    auto application = Gtk::Application::create("org.qelmarin.MinimalWindow", Gio::APPLICATION_NON_UNIQUE);
    Gtk::Window window;
    window.set_title("minimal");
    window.set_default_size(640, 374);
    return application->run(window, argc, argv);
}
