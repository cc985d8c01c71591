// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a window opens: a place stored in the configuration file (or none) made to lie
// inside the work area of the monitor the program's main window is on, so that a window
// that blocks the others is never off the screen, and a window is never larger than the
// monitor.

#include <gdkmm/rectangle.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/window.h>

#include <optional>

namespace controls {

struct WindowPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The place inside area: the size cut to the area's, then the position moved so that the
// whole window is inside. A missing position centres the window in the area.
WindowPlace FitIntoArea(std::optional<int> x, std::optional<int> y, int width, int height, const Gdk::Rectangle& area);

// The work area (the monitor less panels and docks) of the monitor that window is on; the
// primary monitor's when there is no window or it is not shown yet.
Gdk::Rectangle WorkAreaOf(const Gtk::Window* window);

// Cuts a shown window that is larger than the work area of its monitor down to it, and
// moves it inside (a dialog whose natural size is larger than a small screen).
void KeepInsideWorkArea(Gtk::Window& window);

// Makes scroller show its content whole where it fits in max_width × max_height and
// scroll it where it does not: it asks for the content's natural size, no more than that.
// A window whose designed size is larger than the screen keeps its title strip and buttons
// in view beside such a scroller. A window read from right to left starts scrolled to its
// right end (from_right), where its reading begins.
void ScrollWhenLarger(Gtk::ScrolledWindow& scroller, int max_width, int max_height, bool from_right = false);

} // namespace controls
