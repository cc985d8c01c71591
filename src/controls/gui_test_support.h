#pragma once
// In-process window tests under Xvfb: GTK started once, real pointer and key events sent
// through XTest at widget coordinates, and the main loop pumped until a condition holds.

#include <gtkmm/widget.h>

#include <functional>

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

} // namespace controls::testing
