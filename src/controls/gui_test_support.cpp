#include "controls/gui_test_support.h"

#include "controls/program_style.h"

#include <X11/extensions/XTest.h>
#include <gdk/gdkx.h>
#include <glibmm/main.h>
#include <gtkmm/application.h>
#include <gtkmm/container.h>

#include <chrono>

namespace controls::testing {
namespace {

Display* XDisplay() {
    return GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
}

} // namespace

void StartGtk() {
    static Glib::RefPtr<Gtk::Application> application;
    if (application) return;
    application = Gtk::Application::create("org.qelmarin.WindowTests", Gio::APPLICATION_NON_UNIQUE);
    application->register_application();
    controls::InstallProgramStyle();
}

void Pump(int ms) {
    auto context = Glib::MainContext::get_default();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    do {
        while (context->pending()) context->iteration(false);
        if (std::chrono::steady_clock::now() >= end) break;
        g_usleep(2000);
    } while (true);
}

bool PumpUntil(const std::function<bool()>& done, int timeout_ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    auto context = Glib::MainContext::get_default();
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        while (context->pending()) context->iteration(false);
        g_usleep(2000);
    }
    return true;
}

namespace {

void MovePointer(Gtk::Widget& widget, int x, int y) {
    Pump(20);
    Gtk::Widget* top = widget.get_toplevel();
    int tx = 0, ty = 0;
    widget.translate_coordinates(*top, x, y, tx, ty);
    int ox = 0, oy = 0;
    top->get_window()->get_origin(ox, oy);
    XTestFakeMotionEvent(XDisplay(), -1, ox + tx, oy + ty, CurrentTime);
    XSync(XDisplay(), False);
    Pump(20);
}

} // namespace

void PointAt(Gtk::Widget& widget) {
    MovePointer(widget, widget.get_allocated_width() / 2, widget.get_allocated_height() / 2);
}

void Click(Gtk::Widget& widget, int x, int y) {
    MovePointer(widget, x, y);
    Display* display = XDisplay();
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XSync(display, False);
    Pump(60);
}

void ClickCentre(Gtk::Widget& widget) {
    Click(widget, widget.get_allocated_width() / 2, widget.get_allocated_height() / 2);
}

void FocusWindow(Gtk::Widget& window) {
    Pump(20);
    XSetInputFocus(XDisplay(), GDK_WINDOW_XID(window.get_window()->gobj()), RevertToParent, CurrentTime);
    XSync(XDisplay(), False);
    Pump(50);
}

void PressKey(unsigned keysym) {
    Display* display = XDisplay();
    const KeyCode code = XKeysymToKeycode(display, keysym);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XSync(display, False);
    Pump(60);
}

} // namespace controls::testing
