// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A white box of the main window that shows one value in the vertical calendar font: the
// year, the first month or the last month. The column is centred across the box.

#include <gtkmm/drawingarea.h>

#include <functional>
#include <string>

namespace app {

class CalendarBox : public Gtk::DrawingArea {
public:
    // text gives the value to show each time the box is painted.
    CalendarBox(std::function<std::string()> text, const std::string& face, int font_height);

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;

private:
    std::function<std::string()> text_;
    std::string face_;
    int font_height_;
};

// The arrow of the buttons that open the year and month lists: a solid triangle pointing
// right, as large as the box allows.
class ArrowBox : public Gtk::DrawingArea {
public:
    ArrowBox() = default;

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
};

// A horizontal caption centred in its box, in the window's font.
class CaptionBox : public Gtk::DrawingArea {
public:
    CaptionBox(std::string text, int font_height);

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;

private:
    std::string text_;
    int font_height_;
};

} // namespace app
