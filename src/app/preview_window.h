// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PreviewWindow: the preview of the first page to print. It shows the page stretched into
// its display rectangle, zooms it (80 %, 120 %, as first shown), scrolls over it, and ends
// with print or close; it remembers its place ("TEST X", "TEST Y", "TEST W", "TEST H").

#include "app/preview_zoom.h"
#include "base/reporter.h"
#include "controls/title_strip.h"
#include "pages/print_state.h"

#include <cairo.h>
#include <glibmm/main.h>
#include <gtkmm/box.h>
#include <gtkmm/drawingarea.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/window.h>

#include <functional>

namespace app {

class PreviewWindow : public Gtk::Window {
public:
    static constexpr int kDesignWidth = 594;
    static constexpr int kDesignHeight = 551;

    // The page is owned by the caller and outlives the window.
    PreviewWindow(Gtk::Window& parent, pages::PrintState& state, base::Reporter& reporter, cairo_surface_t* page,
                  const gfx::Rect& display_rect);

    // Shows the window modally; true when it ended with the print button.
    bool RunModal();

    const gfx::Rect& DisplayRect() const { return display_rect_; }
    cairo_surface_t* Page() const { return page_; }
    const gfx::Rect& InitialRect() const { return initial_rect_; }
    void ApplyZoom(Zoom zoom);
    void Print();
    void CloseWithoutPrinting();

    Gtk::Button& PrintButton() { return *print_button_; }
    Gtk::Button& ShrinkButton() { return *shrink_button_; }
    Gtk::Button& GrowButton() { return *grow_button_; }
    Gtk::Button& OriginalButton() { return *original_button_; }
    Gtk::Button& CloseButton() { return *close_button_; }
    Gtk::ScrolledWindow& ScrollBox() { return scroll_; }
    Gtk::DrawingArea& PageArea() { return page_area_; }

    // Called once the window is shown (tests drive the window from here).
    std::function<void(Gtk::Window&)> on_shown;

protected:
    bool on_key_press_event(GdkEventKey* event) override;
    bool on_delete_event(GdkEventAny* event) override;

private:
    bool PaintPage(const Cairo::RefPtr<Cairo::Context>& cr);
    void Finish(bool print);
    bool FrameButtonPress(GdkEventButton* event);

    pages::PrintState& state_;
    base::Reporter& reporter_;
    cairo_surface_t* page_;
    gfx::Rect display_rect_;
    gfx::Rect initial_rect_;
    bool print_ = false;
    bool closed_ = false;
    Glib::RefPtr<Glib::MainLoop> loop_;

    Gtk::EventBox frame_; // the sizeable frame: a press on it resizes the window
    Gtk::Box box_;
    Gtk::ScrolledWindow scroll_;
    Gtk::DrawingArea page_area_;
    controls::TitleStrip strip_;
    Gtk::Button* print_button_ = nullptr;
    Gtk::Button* shrink_button_ = nullptr;
    Gtk::Button* original_button_ = nullptr;
    Gtk::Button* grow_button_ = nullptr;
    Gtk::Button* close_button_ = nullptr;
};

} // namespace app
