// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The navy title strip at the right edge of every window of the program: the icon at the
// top, captions written downward, buttons stacked at the bottom (the close button with the
// "SYSCLOSE" picture lowest, 2 pixels above the bottom). A press on the strip drags the
// window.

#include "controls/gdk_bitmap.h"
#include "controls/scaled_image.h"
#include "controls/vertical_label.h"

#include <gtkmm/button.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>

#include <memory>
#include <vector>

namespace controls {

// Tops of buttons stacked upward from the bottom of a strip of the given height: the
// first button's bottom is gaps[0] above the strip's bottom, each next button's bottom is
// gaps[i] above the top of the one before.
std::vector<int> BottomStackTops(int strip_height, const std::vector<int>& heights, const std::vector<int>& gaps);

// The small picture of the program: 暦 on a red square, drawn by the program's canvas
// (size × size pixels; for a screen of scale 2, ask for twice the size).
Glib::RefPtr<Gdk::Pixbuf> ProgramIcon(int size);

// Starts dragging the widget's window from a button press (the window follows the mouse).
void BeginWindowMove(Gtk::Widget& widget, GdkEventButton* event);

class TitleStrip : public Gtk::EventBox {
public:
    explicit TitleStrip(int width = 20);

    // A white label at (2, top) of the given height; bold when asked. Owned by the strip.
    VerticalLabel& AddLabel(const std::string& caption, int top, int height, bool bold = true, int font_height = -12);
    // A button stacked at the bottom: the first added is lowest, `gap` pixels above the
    // strip's bottom or the button below it. Owned by the strip.
    // The picture is a bitmap: on a screen of scale 2 each of its pixels shows as 2 × 2.
    Gtk::Button& AddBottomButton(int width, int height, int gap, Glib::RefPtr<Gdk::Pixbuf> picture = {},
                                 const std::string& tooltip = {});
    // A button whose caption is written downward in the middle of it, in a font of the
    // given height.
    Gtk::Button& AddCaptionButton(int width, int height, int gap, const std::string& caption, int font_height,
                                  const std::string& tooltip = {});
    // The close button with the "SYSCLOSE" picture, size × size (16 as designed).
    Gtk::Button& AddCloseButton(int size = 16) {
        return AddBottomButton(size, size, 2, BuiltinPixbuf("SYSCLOSE"), "閉じる");
    }

    void SetColor(base::Color color);
    base::Color Color() const { return color_; }
    Gtk::Fixed& Area() { return fixed_; }

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
    bool on_button_press_event(GdkEventButton* event) override;
    void on_size_allocate(Gtk::Allocation& allocation) override;

private:
    struct Stacked {
        std::unique_ptr<Gtk::Button> button;
        int width;
        int height;
        int gap;
    };

    int width_;
    base::Color color_;
    Gtk::Fixed fixed_;
    ScaledImage icon_;
    std::vector<std::unique_ptr<VerticalLabel>> labels_;
    std::vector<Stacked> buttons_;
};

} // namespace controls
