// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preview_window.h"

#include "config/config_file.h"
#include "config/settings.h"
#include "controls/accessible_names.h"
#include "controls/gdk_bitmap.h"
#include "controls/window_place.h"
#include "gfx/cairo_canvas.h"
#include "print/print_setup.h"

#include <gdk/gdkkeysyms.h>
#include <gdkmm/general.h>
#include <glibmm/main.h>
#include <gtkmm/adjustment.h>

#include <algorithm>

namespace app {
namespace {

constexpr int kFrame = 4; // the width of the sizeable frame
// The title strip is wider than the main window's so that its zoom and print buttons are of
// a size a desktop's buttons have, with captions in the windows' own font size.
constexpr int kStripWidth = 30;
constexpr int kButtonWidth = 26;
constexpr int kCaptionFont = -15;

} // namespace

PreviewWindow::PreviewWindow(Gtk::Window& parent, pages::PrintState& state, base::Reporter& reporter,
                             cairo_surface_t* page, const gfx::Rect& display_rect)
    : state_(state), reporter_(reporter), page_(page), display_rect_(display_rect), initial_rect_(display_rect),
      box_(Gtk::ORIENTATION_HORIZONTAL), strip_(kStripWidth) {
    set_name("qelmarin-preview");
    get_style_context()->add_class("qelmarin");
    set_title("印刷確認");
    set_decorated(false);
    set_transient_for(parent);
    set_modal(true);
    set_type_hint(Gdk::WINDOW_TYPE_HINT_DIALOG);

    frame_.set_border_width(kFrame);
    frame_.add_events(Gdk::BUTTON_PRESS_MASK);
    frame_.signal_button_press_event().connect(sigc::mem_fun(*this, &PreviewWindow::FrameButtonPress), false);
    add(frame_);
    frame_.add(box_);
    box_.pack_start(scroll_, true, true);
    box_.pack_start(strip_, false, false);

    scroll_.set_overlay_scrolling(false);
    scroll_.set_kinetic_scrolling(false);
    scroll_.add(page_area_);
    // No colour is forced on the scroll box: a forced colour reaches the toolkit's edge
    // shadows too, which then cover 40 pixels of the page at each edge it continues past.
    // The page's area paints its own grey; the corner between the bars is the window's.
    page_area_.add_events(Gdk::BUTTON_PRESS_MASK);
    page_area_.signal_draw().connect(sigc::mem_fun(*this, &PreviewWindow::PaintPage));
    controls::SetAccessibleName(page_area_, "印刷確認のページ", Atk::ROLE_IMAGE);
    controls::SetAccessibleName(scroll_, "印刷確認");
    // Ctrl + wheel zooms in the buttons' steps (away from the user smaller, toward larger);
    // the wheel alone and with Shift scrolls, as in any scroll box.
    scroll_.add_events(Gdk::SCROLL_MASK);
    scroll_.signal_scroll_event().connect(
        [this](GdkEventScroll* event) {
            if (!(event->state & GDK_CONTROL_MASK)) return false;
            double dy = 0;
            if (event->direction == GDK_SCROLL_UP) dy = -1;
            if (event->direction == GDK_SCROLL_DOWN) dy = 1;
            if (event->direction == GDK_SCROLL_SMOOTH) dy = event->delta_y;
            if (dy != 0) ApplyZoom(dy > 0 ? Zoom::kShrink : Zoom::kGrow);
            return true;
        },
        false);
    page_area_.signal_button_press_event().connect([this](GdkEventButton* event) {
        controls::BeginWindowMove(*this, event);
        return true;
    });
    page_area_.set_size_request(display_rect_.right, display_rect_.bottom);

    strip_.AddLabel("Kalvorin 印 刷 確 認", 22, 220);
    close_button_ = &strip_.AddCloseButton(20);
    grow_button_ = &strip_.AddCaptionButton(kButtonWidth, 30, 8, "大", kCaptionFont, "120%");
    original_button_ = &strip_.AddCaptionButton(kButtonWidth, 30, 2, "元", kCaptionFont, "原寸");
    shrink_button_ = &strip_.AddCaptionButton(kButtonWidth, 30, 2, "小", kCaptionFont, "80%");
    print_button_ = &strip_.AddCaptionButton(kButtonWidth, 56, 2, "印刷", kCaptionFont, "印刷");
    close_button_->signal_clicked().connect([this] { CloseWithoutPrinting(); });
    grow_button_->signal_clicked().connect([this] { ApplyZoom(Zoom::kGrow); });
    original_button_->signal_clicked().connect([this] { ApplyZoom(Zoom::kOriginal); });
    shrink_button_->signal_clicked().connect([this] { ApplyZoom(Zoom::kShrink); });
    print_button_->signal_clicked().connect([this] { Print(); });

    // Where it was closed last, or centred at its designed size; always inside the work
    // area of the monitor the main window is on.
    const config::DialogPlace& place = state_.settings.test_dialog;
    const controls::WindowPlace fitted = controls::FitIntoArea(
        place.x, place.y, std::max(place.width.value_or(kDesignWidth + 2 * kFrame), 80),
        std::max(place.height.value_or(kDesignHeight + 2 * kFrame), 120), controls::WorkAreaOf(&parent));
    set_default_size(fitted.width, fitted.height);
    move(fitted.x, fitted.y);
    frame_.show_all();
}

bool PreviewWindow::RunModal() {
    loop_ = Glib::MainLoop::create();
    controls::NameUnnamedControls(*this);
    show();
    if (on_shown) Glib::signal_idle().connect_once([this] { on_shown(*this); });
    if (!closed_) loop_->run();
    return print_;
}

bool PreviewWindow::PaintPage(const Cairo::RefPtr<Cairo::Context>& cr) {
    const gfx::Rect& r = display_rect_;
    cairo_t* c = cr->cobj();
    // Whatever the page and its bands do not reach is the window's grey too.
    const base::Color face = controls::SystemColor(controls::SystemColorRole::kButtonFace);
    cairo_save(c);
    Gdk::Cairo::set_source_rgba(cr, controls::ToRgba(face));
    cairo_paint(c);
    cairo_restore(c);
    if (page_ && !r.empty()) {
        const double sx = static_cast<double>(r.width()) / cairo_image_surface_get_width(page_);
        const double sy = static_cast<double>(r.height()) / cairo_image_surface_get_height(page_);
        cairo_save(c);
        cairo_rectangle(c, r.left, r.top, r.width(), r.height());
        cairo_clip(c);
        cairo_translate(c, r.left, r.top);
        cairo_scale(c, sx, sy);
        cairo_set_source_surface(c, page_, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(c), sx < 1 ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
        cairo_paint(c);
        cairo_restore(c);
    }
    // The bands right of and below the page in the button face colour.
    gfx::CairoCanvas canvas(c, gfx::Device{r.right + 500, r.bottom + 500, 96, 96, 256});
    canvas.SetBrush(face);
    canvas.FillRect(gfx::Rect{r.right, 0, r.right + 500, r.bottom + 500});
    canvas.FillRect(gfx::Rect{0, r.bottom, r.right + 500, r.bottom + 500});
    // The scroll range follows the picture.
    int w = 0, h = 0;
    page_area_.get_size_request(w, h);
    if (w != r.right || h != r.bottom) page_area_.set_size_request(r.right, r.bottom);
    return true;
}

void PreviewWindow::ApplyZoom(Zoom zoom) {
    display_rect_ = ZoomDisplayRect(display_rect_, initial_rect_, zoom);
    page_area_.set_size_request(display_rect_.right, display_rect_.bottom);
    page_area_.queue_draw();
}

void PreviewWindow::Print() {
    Finish(true);
}

void PreviewWindow::CloseWithoutPrinting() {
    Finish(false);
}

// Every way of closing writes the window's place.
void PreviewWindow::Finish(bool print) {
    if (closed_) return;
    closed_ = true;
    print_ = print;
    int x = 0, y = 0, w = 0, h = 0;
    get_position(x, y);
    get_size(w, h);
    state_.settings.test_dialog = config::DialogPlace{x, y, w, h};
    config::ConfigFile file(print::ConfigPath(state_.host_folder), &reporter_);
    config::SaveTestDialogPlace(file, state_.settings);
    hide();
    if (loop_ && loop_->is_running()) loop_->quit();
}

// The window sees the keys before its controls: the arrows, Page Up and Page Down, Home and
// End move the page in view; Escape closes.
bool PreviewWindow::on_key_press_event(GdkEventKey* event) {
    if (event->keyval == GDK_KEY_Escape) {
        Finish(false);
        return true;
    }
    if (!(event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK))) {
        const Glib::RefPtr<Gtk::Adjustment> across = scroll_.get_hadjustment(), down = scroll_.get_vadjustment();
        auto move = [](const Glib::RefPtr<Gtk::Adjustment>& a, double to) {
            a->set_value(std::clamp(to, a->get_lower(), std::max(a->get_lower(), a->get_upper() - a->get_page_size())));
            return true;
        };
        switch (event->keyval) {
        case GDK_KEY_Left:
        case GDK_KEY_KP_Left: return move(across, across->get_value() - across->get_step_increment());
        case GDK_KEY_Right:
        case GDK_KEY_KP_Right: return move(across, across->get_value() + across->get_step_increment());
        case GDK_KEY_Up:
        case GDK_KEY_KP_Up: return move(down, down->get_value() - down->get_step_increment());
        case GDK_KEY_Down:
        case GDK_KEY_KP_Down: return move(down, down->get_value() + down->get_step_increment());
        case GDK_KEY_Page_Up:
        case GDK_KEY_KP_Page_Up: return move(down, down->get_value() - down->get_page_increment());
        case GDK_KEY_Page_Down:
        case GDK_KEY_KP_Page_Down: return move(down, down->get_value() + down->get_page_increment());
        case GDK_KEY_Home:
        case GDK_KEY_KP_Home: return move(down, down->get_lower());
        case GDK_KEY_End:
        case GDK_KEY_KP_End: return move(down, down->get_upper());
        default: break;
        }
    }
    return Gtk::Window::on_key_press_event(event);
}

bool PreviewWindow::on_delete_event(GdkEventAny*) {
    Finish(false);
    return true;
}

// The frame around the window resizes it from the edge or corner pressed.
bool PreviewWindow::FrameButtonPress(GdkEventButton* event) {
    if (event->window != frame_.get_window()->gobj()) return false;
    const int w = frame_.get_allocated_width(), h = frame_.get_allocated_height();
    const int x = static_cast<int>(event->x), y = static_cast<int>(event->y);
    const bool left = x < kFrame * 2, right = x >= w - kFrame * 2, top = y < kFrame * 2, bottom = y >= h - kFrame * 2;
    if (!(left || right || top || bottom)) return false;
    Gdk::WindowEdge edge = top      ? (left    ? Gdk::WINDOW_EDGE_NORTH_WEST
                                       : right ? Gdk::WINDOW_EDGE_NORTH_EAST
                                               : Gdk::WINDOW_EDGE_NORTH)
                           : bottom ? (left    ? Gdk::WINDOW_EDGE_SOUTH_WEST
                                       : right ? Gdk::WINDOW_EDGE_SOUTH_EAST
                                               : Gdk::WINDOW_EDGE_SOUTH)
                                    : (left ? Gdk::WINDOW_EDGE_WEST : Gdk::WINDOW_EDGE_EAST);
    begin_resize_drag(edge, static_cast<int>(event->button), static_cast<int>(event->x_root),
                      static_cast<int>(event->y_root), event->time);
    return true;
}

} // namespace app
