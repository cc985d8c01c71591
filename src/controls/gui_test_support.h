// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// In-process window tests under Xvfb: GTK started once, real pointer and key events sent
// through XTest at widget coordinates, and the main loop pumped until a condition holds.

#include "gfx/canvas.h"

#include <gdkmm/pixbuf.h>
#include <gtkmm/widget.h>

#include <functional>
#include <string>
#include <vector>

namespace controls::testing {

// Starts GTK once for the test process (the display comes from xvfb-run).
void StartGtk();

// Runs pending events for at least ms milliseconds.
void Pump(int ms = 50);
// Runs events until done() or the time runs out; returns done().
bool PumpUntil(const std::function<bool()>& done, int timeout_ms = 5000);

// Moves the pointer to (x, y) of the widget's allocation and clicks button 1.
void Click(Gtk::Widget& widget, int x, int y);
// Clicks the middle of the widget.
void ClickCentre(Gtk::Widget& widget);
// Moves the pointer over the middle of the widget (keys go to the window under it).
void PointAt(Gtk::Widget& widget);
// Gives the window the keyboard focus (there is no window manager under Xvfb to do it).
void FocusWindow(Gtk::Widget& window);
// Presses and releases a key (an X keysym) with the pointer where it is.
void PressKey(unsigned keysym);
// Turns the mouse wheel over the middle of the widget: notches away from the user (down,
// positive) or toward (up, negative), with a modifier key (an X keysym, 0 for none) held.
void TurnWheel(Gtk::Widget& widget, int notches, unsigned modifier = 0);

// What a person would find wrong with the layout of a shown window: controls (buttons,
// labels, boxes, lists, pictures, the title strip) that overlap another control, that
// reach outside the window, whose caption (a vertical label's column, a label's text, a
// button's picture) does not fit inside them. One line per finding; empty when none.
// Widgets inside a scroll box are its own business and not looked at.
std::vector<std::string> LayoutProblems(Gtk::Widget& window);

// The controls of a shown window (as LayoutProblems finds them, separators aside) that a
// screen reader would read without a name: one line per control.
std::vector<std::string> UnnamedControls(Gtk::Widget& window);

// The pixels of a widget as they are on the screen (child windows included): RGB rows.
struct ScreenPixels {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb; // 3 bytes a pixel, row after row
    // The colour at (x, y) as 0xRRGGBB; 0 outside.
    unsigned Pixel(int x, int y) const;
};
// On a screen of scale 2 (GDK_SCALE=2) these are device pixels, twice the allocation each way.
ScreenPixels GrabWidget(Gtk::Widget& widget);
// The colour of a picture's pixel at (x, y) as 0xRRGGBB, to compare with ScreenPixels.
unsigned PixbufPixel(const Glib::RefPtr<Gdk::Pixbuf>& picture, int x, int y);
// How many pixels of the widget on the screen have the navy focus ring's colour (within a
// few steps of it: the ring is blended over the button's shading); 0 when it shows no ring.
int NavyPixels(Gtk::Widget& widget);

// What is wrong with a list of columns as it shows on the screen: view holds the visible
// part of the list, scrolled by scroll_x; cells are the columns' rectangles on the list.
// Every column fully in view must hold ink (a colour other than its own fill), and every
// pixel outside the columns must be the list's background. One line per finding.
std::vector<std::string> ColumnListFindings(const ScreenPixels& view, int scroll_x, const std::vector<gfx::Rect>& cells,
                                            unsigned background);

} // namespace controls::testing
