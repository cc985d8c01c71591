// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/window_place.h"

#include <gdkmm/display.h>
#include <gdkmm/monitor.h>
#include <glibmm/main.h>
#include <gtkmm/adjustment.h>

#include <algorithm>

namespace controls {

WindowPlace FitIntoArea(std::optional<int> x, std::optional<int> y, int width, int height, const Gdk::Rectangle& area) {
    WindowPlace place;
    place.width = std::clamp(width, 1, std::max(1, area.get_width()));
    place.height = std::clamp(height, 1, std::max(1, area.get_height()));
    const int right = area.get_x() + area.get_width() - place.width;
    const int bottom = area.get_y() + area.get_height() - place.height;
    place.x = std::clamp(x.value_or(area.get_x() + (area.get_width() - place.width) / 2), area.get_x(), right);
    place.y = std::clamp(y.value_or(area.get_y() + (area.get_height() - place.height) / 2), area.get_y(), bottom);
    return place;
}

Gdk::Rectangle WorkAreaOf(const Gtk::Window* window) {
    auto display = Gdk::Display::get_default();
    Glib::RefPtr<Gdk::Monitor> monitor;
    if (auto* shown = const_cast<Gtk::Window*>(window); shown && shown->get_window())
        monitor = display->get_monitor_at_window(shown->get_window());
    if (!monitor) monitor = display->get_primary_monitor();
    if (!monitor) monitor = display->get_monitor(0);
    Gdk::Rectangle area;
    if (monitor) monitor->get_workarea(area);
    if (area.get_width() <= 0 || area.get_height() <= 0) {
        auto screen = Gdk::Screen::get_default();
        area = Gdk::Rectangle(0, 0, screen->get_width(), screen->get_height());
    }
    return area;
}

void KeepInsideWorkArea(Gtk::Window& window) {
    const Gdk::Rectangle area = WorkAreaOf(&window);
    int x = 0, y = 0, width = 0, height = 0;
    window.get_position(x, y);
    window.get_size(width, height);
    const WindowPlace place = FitIntoArea(x, y, width, height, area);
    if (place.width != width || place.height != height) window.resize(place.width, place.height);
    if (place.x != x || place.y != y) window.move(place.x, place.y);
}

void ScrollWhenLarger(Gtk::ScrolledWindow& scroller, int max_width, int max_height, bool from_right) {
    scroller.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    scroller.set_shadow_type(Gtk::SHADOW_NONE);
    scroller.set_can_focus(false); // Tab goes to the controls inside, not to the scroller
    scroller.set_propagate_natural_width(true);
    scroller.set_propagate_natural_height(true);
    scroller.set_max_content_width(std::max(1, max_width));
    scroller.set_max_content_height(std::max(1, max_height));
    if (from_right) {
        // Each time the view is laid out (its size known), the right end is shown: once the
        // viewport has settled its own position for the new size.
        Glib::RefPtr<Gtk::Adjustment> across = scroller.get_hadjustment();
        across->signal_changed().connect([across = across.operator->(), &scroller] {
            sigc::slot<void> to_end = [across] { across->set_value(across->get_upper() - across->get_page_size()); };
            Glib::signal_idle().connect_once(sigc::track_obj(to_end, scroller));
        });
    }
}

} // namespace controls
