// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/gui_test_support.h"

#include "controls/program_style.h"
#include "controls/scaled_image.h"
#include "controls/title_strip.h"
#include "controls/vertical_label.h"
#include "gfx/cairo_canvas.h"

#include <X11/extensions/XTest.h>
#include <gdk/gdkx.h>
#include <glibmm/main.h>
#include <gtkmm/application.h>
#include <gdkmm/pixbuf.h>
#include <gtkmm/button.h>
#include <gtkmm/container.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/progressbar.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/separator.h>
#include <gtkmm/window.h>

#include <chrono>
#include <cstdlib>
#include <sstream>

namespace controls::testing {
namespace {

Display* XDisplay() {
    return GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
}

} // namespace

void StartGtk() {
    static Glib::RefPtr<Gtk::Application> application;
    if (application) return;
    // What the program keeps between runs (the page setup) goes to a folder of the test's
    // own, never to the user's configuration.
    static const std::string config_home = [] {
        gchar* made = g_dir_make_tmp("qelmarin-test-config-XXXXXX", nullptr);
        std::string path = made ? made : "";
        g_free(made);
        return path;
    }();
    if (!config_home.empty()) g_setenv("XDG_CONFIG_HOME", config_home.c_str(), TRUE);
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
    // GTK counts in the screen's scale; X in its pixels.
    const int scale = top->get_scale_factor();
    XTestFakeMotionEvent(XDisplay(), -1, (ox + tx) * scale + scale / 2, (oy + ty) * scale + scale / 2, CurrentTime);
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

void TurnWheel(Gtk::Widget& widget, int notches, unsigned modifier) {
    PointAt(widget);
    Display* display = XDisplay();
    const KeyCode held = modifier ? XKeysymToKeycode(display, modifier) : 0;
    if (held) XTestFakeKeyEvent(display, held, True, CurrentTime);
    const unsigned button = notches > 0 ? 5 : 4;
    for (int i = 0; i < std::abs(notches); ++i) {
        XTestFakeButtonEvent(display, button, True, CurrentTime);
        XTestFakeButtonEvent(display, button, False, CurrentTime);
    }
    if (held) XTestFakeKeyEvent(display, held, False, CurrentTime);
    XSync(display, False);
    Pump(80);
}

namespace {

struct Placed {
    Gtk::Widget* widget;
    int x, y, w, h; // in the window's coordinates
};

std::string Describe(Gtk::Widget& widget) {
    std::ostringstream out;
    out << G_OBJECT_TYPE_NAME(widget.gobj());
    if (auto* label = dynamic_cast<VerticalLabel*>(&widget)) out << " \"" << label->Caption() << "\"";
    if (auto* label = dynamic_cast<Gtk::Label*>(&widget)) out << " \"" << label->get_text() << "\"";
    const std::string tip = widget.get_tooltip_text();
    if (!tip.empty()) out << " (" << tip << ")";
    if (!widget.get_name().empty() && widget.get_name().substr(0, 3) != "Gtk") out << " #" << widget.get_name();
    return out.str();
}

std::string Where(const Placed& p) {
    std::ostringstream out;
    out << p.x << "," << p.y << " " << p.w << "×" << p.h;
    return out.str();
}

bool Shown(Gtk::Widget& widget) {
    return widget.get_mapped() && widget.get_child_visible() && widget.get_allocated_width() > 0 &&
           widget.get_allocated_height() > 0;
}

Placed Place(Gtk::Widget& widget, Gtk::Widget& window) {
    int x = 0, y = 0;
    widget.translate_coordinates(window, 0, 0, x, y);
    return Placed{&widget, x, y, widget.get_allocated_width(), widget.get_allocated_height()};
}

std::vector<Gtk::Widget*> Children(Gtk::Widget& widget) {
    std::vector<Gtk::Widget*> children;
    if (auto* container = dynamic_cast<Gtk::Container*>(&widget))
        for (Gtk::Widget* child : container->get_children()) children.push_back(child);
    return children;
}

// A vertical label's column and em against its size.
void CheckCaption(Gtk::Widget& widget, const Placed& p, std::vector<std::string>& problems) {
    if (auto* label = dynamic_cast<VerticalLabel*>(&widget)) {
        if (label->Caption().empty()) return;
        std::string error;
        auto canvas = gfx::CairoCanvas::CreateImage(gfx::Device{64, 64, 96, 96, 256}, &error);
        const LabelLook look = label->Look();
        const int length = ColumnLength(*canvas, look);
        const int em = std::abs(look.font.height);
        if (length > p.h + 1 || em > p.w + 1)
            problems.push_back(Describe(widget) + " at " + Where(p) + ": its caption needs " + std::to_string(em) +
                               "×" + std::to_string(length));
    } else if (auto* text = dynamic_cast<Gtk::Label*>(&widget)) {
        int w = 0, h = 0;
        text->get_layout()->get_pixel_size(w, h);
        if (!text->get_line_wrap() && !text->get_ellipsize() && (w > p.w + 1 || h > p.h + 1))
            problems.push_back(Describe(widget) + " at " + Where(p) + ": its text needs " + std::to_string(w) + "×" +
                               std::to_string(h));
    } else if (auto* scaled = dynamic_cast<ScaledImage*>(&widget)) {
        if (!scaled->Shown()) return;
        const int scale = std::max(1, scaled->ShownScale());
        const int w = scaled->Shown()->get_width() / scale, h = scaled->Shown()->get_height() / scale;
        if (w > p.w || h > p.h)
            problems.push_back(Describe(widget) + " at " + Where(p) + ": its picture is " + std::to_string(w) + "×" +
                               std::to_string(h));
    } else if (auto* image = dynamic_cast<Gtk::Image*>(&widget)) {
        if (image->get_storage_type() != Gtk::IMAGE_PIXBUF || !image->get_pixbuf()) return;
        const auto picture = image->get_pixbuf();
        if (picture->get_width() > p.w || picture->get_height() > p.h)
            problems.push_back(Describe(widget) + " at " + Where(p) + ": its picture is " +
                               std::to_string(picture->get_width()) + "×" + std::to_string(picture->get_height()));
    }
}

// Everything inside a control lies inside it, and its captions fit.
void CheckInside(Gtk::Widget& control, const Placed& outer, Gtk::Widget& window, std::vector<std::string>& problems) {
    for (Gtk::Widget* child : Children(control)) {
        if (!Shown(*child)) continue;
        const Placed p = Place(*child, window);
        if (p.x < outer.x || p.y < outer.y || p.x + p.w > outer.x + outer.w || p.y + p.h > outer.y + outer.h)
            problems.push_back(Describe(*child) + " at " + Where(p) + " reaches outside " + Describe(control) + " at " +
                               Where(outer));
        CheckCaption(*child, p, problems);
        CheckInside(*child, outer, window, problems);
    }
}

// The controls of a window: containers are walked through; buttons, scroll boxes and the
// title strip are controls with insides; anything else is a control of its own.
void Collect(Gtk::Widget& widget, Gtk::Widget& window, std::vector<Placed>& controls,
             std::vector<std::string>& problems) {
    if (!Shown(widget)) return;
    const bool strip = dynamic_cast<TitleStrip*>(&widget) != nullptr;
    const bool button = dynamic_cast<Gtk::Button*>(&widget) != nullptr;
    const bool scroll = dynamic_cast<Gtk::ScrolledWindow*>(&widget) != nullptr;
    const bool container = dynamic_cast<Gtk::Container*>(&widget) != nullptr;
    if (&widget != &window && (strip || button || scroll || !container)) {
        const Placed p = Place(widget, window);
        controls.push_back(p);
        CheckCaption(widget, p, problems);
        if (button) CheckInside(widget, p, window, problems);
        if (!strip) return;
    }
    for (Gtk::Widget* child : Children(widget)) Collect(*child, window, controls, problems);
}

} // namespace

std::vector<std::string> LayoutProblems(Gtk::Widget& window) {
    std::vector<std::string> problems;
    std::vector<Placed> controls;
    Collect(window, window, controls, problems);
    const int ww = window.get_allocated_width(), wh = window.get_allocated_height();
    for (const Placed& p : controls) {
        if (p.x < 0 || p.y < 0 || p.x + p.w > ww || p.y + p.h > wh)
            problems.push_back(Describe(*p.widget) + " at " + Where(p) + " reaches outside the window (" +
                               std::to_string(ww) + "×" + std::to_string(wh) + ")");
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            const Placed& a = controls[i];
            const Placed& b = controls[j];
            if (a.widget->is_ancestor(*b.widget) || b.widget->is_ancestor(*a.widget)) continue;
            const int w = std::min(a.x + a.w, b.x + b.w) - std::max(a.x, b.x);
            const int h = std::min(a.y + a.h, b.y + b.h) - std::max(a.y, b.y);
            if (w > 0 && h > 0)
                problems.push_back(Describe(*a.widget) + " at " + Where(a) + " and " + Describe(*b.widget) + " at " +
                                   Where(b) + " overlap by " + std::to_string(w) + "×" + std::to_string(h));
        }
    }
    return problems;
}

std::vector<std::string> UnnamedControls(Gtk::Widget& window) {
    std::vector<std::string> problems, unused;
    std::vector<Placed> controls;
    Collect(window, window, controls, unused);
    for (const Placed& p : controls) {
        if (dynamic_cast<Gtk::Separator*>(p.widget) || dynamic_cast<Gtk::ProgressBar*>(p.widget)) continue;
        // A vertical label without a caption is a spacer: nothing to read.
        if (auto* label = dynamic_cast<VerticalLabel*>(p.widget); label && label->Caption().empty()) continue;
        Glib::RefPtr<Atk::Object> accessible = p.widget->get_accessible();
        if (!accessible || accessible->get_name().empty())
            problems.push_back(Describe(*p.widget) + " at " + Where(p) + " has no accessible name");
    }
    return problems;
}

unsigned ScreenPixels::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    const unsigned char* p = rgb.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 3;
    return (unsigned{p[0]} << 16) | (unsigned{p[1]} << 8) | p[2];
}

ScreenPixels GrabWidget(Gtk::Widget& widget) {
    Pump(100);
    ScreenPixels pixels;
    Gtk::Widget* top = widget.get_toplevel();
    int x = 0, y = 0, ox = 0, oy = 0;
    widget.translate_coordinates(*top, 0, 0, x, y);
    top->get_window()->get_origin(ox, oy);
    const int w = widget.get_allocated_width(), h = widget.get_allocated_height();
    // From the root window: what is on the screen, the widget's child windows included.
    GdkPixbuf* picture = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), ox + x, oy + y, w, h);
    if (!picture) return pixels;
    // On a screen of scale 2 the picture holds the device pixels: twice as many each way.
    pixels.width = gdk_pixbuf_get_width(picture);
    pixels.height = gdk_pixbuf_get_height(picture);
    const int rows = pixels.height, columns = pixels.width;
    pixels.rgb.resize(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows) * 3);
    const int channels = gdk_pixbuf_get_n_channels(picture), stride = gdk_pixbuf_get_rowstride(picture);
    const guchar* data = gdk_pixbuf_get_pixels(picture);
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < columns; ++col)
            for (int c = 0; c < 3; ++c)
                pixels.rgb[(static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) + col) * 3 + c] =
                    data[row * stride + col * channels + c];
    g_object_unref(picture);
    return pixels;
}

unsigned PixbufPixel(const Glib::RefPtr<Gdk::Pixbuf>& picture, int x, int y) {
    const guint8* q = picture->get_pixels() + y * picture->get_rowstride() + x * picture->get_n_channels();
    return (unsigned{q[0]} << 16) | (unsigned{q[1]} << 8) | q[2];
}

int NavyPixels(Gtk::Widget& widget) {
    Pump(80);
    const ScreenPixels pixels = GrabWidget(widget);
    int count = 0;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x) {
            const unsigned p = pixels.Pixel(x, y);
            const unsigned r = p >> 16, g = (p >> 8) & 0xFF, b = p & 0xFF;
            count += r < 0x10 && g < 0x10 && b >= 0x70 && b <= 0x90;
        }
    return count;
}

namespace {

bool Near(unsigned a, unsigned b, int tolerance) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    }
    return true;
}

} // namespace

std::vector<std::string> ColumnListFindings(const ScreenPixels& view, int scroll_x, const std::vector<gfx::Rect>& cells,
                                            unsigned background) {
    std::vector<std::string> findings;
    if (view.width <= 0 || view.height <= 0) return {"the list is not on the screen"};
    std::vector<bool> in_cell(static_cast<std::size_t>(view.width) * static_cast<std::size_t>(view.height), false);
    for (const gfx::Rect& cell : cells) {
        const int left = cell.left - scroll_x, right = cell.right - scroll_x;
        const int top = std::max(cell.top, 0), bottom = std::min(cell.bottom, view.height);
        if (right <= 0 || left >= view.width) continue;
        for (int y = top; y < bottom; ++y)
            for (int x = std::max(left, 0); x < std::min(right, view.width); ++x)
                in_cell[static_cast<std::size_t>(y) * static_cast<std::size_t>(view.width) + x] = true;
        if (left < 0 || right > view.width) continue;
        // The fill is the colour of the cell's bottom row; ink is anything clearly else.
        const unsigned fill = view.Pixel(left + (right - left) / 2, bottom - 1);
        int ink = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) ink += !Near(view.Pixel(x, y), fill, 80);
        if (ink < 8)
            findings.push_back("the column at " + std::to_string(cell.left) + " (in view at " + std::to_string(left) +
                               ") holds no ink");
    }
    int stray = 0, first_x = -1, first_y = -1;
    for (int y = 0; y < view.height; ++y) {
        for (int x = 0; x < view.width; ++x) {
            if (in_cell[static_cast<std::size_t>(y) * static_cast<std::size_t>(view.width) + x]) continue;
            if (Near(view.Pixel(x, y), background, 24)) continue;
            if (stray++ == 0) first_x = x, first_y = y;
        }
    }
    if (stray > 0)
        findings.push_back(std::to_string(stray) + " pixels outside the columns are not the background, the first at " +
                           std::to_string(first_x) + "," + std::to_string(first_y));
    return findings;
}

} // namespace controls::testing
