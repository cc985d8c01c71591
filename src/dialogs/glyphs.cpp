// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/glyphs.h"

#include "gfx/cairo_canvas.h"

#include <cairomm/context.h>
#include <cairomm/surface.h>

#include <algorithm>

namespace dialogs {
namespace {

// A picture drawn on a transparent ground: laid on a button it shows the button's own face
// around its drawing, so the button reads as one control rather than a frame in a frame.
class Picture {
public:
    Picture(int width, int height)
        : width_(width), height_(height), surface_(Cairo::ImageSurface::create(Cairo::FORMAT_ARGB32, width, height)),
          cr_(Cairo::Context::create(surface_)), canvas_(cr_->cobj(), gfx::Device{width, height, 96, 96, 256}) {}

    gfx::CairoCanvas& canvas() { return canvas_; }

    Glib::RefPtr<Gdk::Pixbuf> ToPixbuf() {
        surface_->flush();
        return Gdk::Pixbuf::create(surface_, 0, 0, width_, height_);
    }

private:
    int width_, height_;
    Cairo::RefPtr<Cairo::ImageSurface> surface_;
    Cairo::RefPtr<Cairo::Context> cr_;
    gfx::CairoCanvas canvas_;
};

// The calendar block: a framed little grid, red top row.
void CalendarBlock(gfx::Canvas& canvas, const gfx::Rect& r) {
    canvas.SetPen(base::kBlack);
    canvas.SetBrush(base::kWhite);
    canvas.Rectangle(r);
    canvas.SetBrush(0x3030D0);
    canvas.FillRect(gfx::Rect{r.left + 1, r.top + 1, r.right - 1, r.top + 3});
    canvas.SetBrush(0x808080);
    for (int y = r.top + 5; y + 1 < r.bottom; y += 3) {
        for (int x = r.left + 2; x + 1 < r.right; x += 3)
            canvas.FillRect(gfx::Rect{x, y, x + 2, y + 2});
    }
}

// The list grid: rows of lines.
void ListGrid(gfx::Canvas& canvas, const gfx::Rect& r) {
    canvas.SetPen(base::kBlack);
    canvas.SetBrush(base::kWhite);
    canvas.Rectangle(r);
    canvas.SetBrush(0x404040);
    for (int x = r.left + 3; x + 1 < r.right; x += 4)
        canvas.FillRect(gfx::Rect{x, r.top + 2, x + 1, r.bottom - 2});
}

} // namespace

Glib::RefPtr<Gdk::Pixbuf> CaptionGlyph(const std::string& text, int width, int height, base::Color color,
                                       int font_height) {
    Picture picture(width, height);
    gfx::CairoCanvas* canvas = &picture.canvas();
    canvas->SetBrush(0, gfx::BrushStyle::kClear);
    canvas->SetTextColor(color);
    canvas->SelectFont("@ＭＳ Ｐゴシック", font_height, gfx::kVerticalEscapement, true);
    const gfx::TextSize size = canvas->TextExtent(text);
    const int column = -font_height;
    canvas->TextOut(width - (width - column) / 2, std::max(0, (height - size.cx) / 2), text);
    return picture.ToPixbuf();
}

Glib::RefPtr<Gdk::Pixbuf> ListPositionGlyph(int position, int width, int height) {
    Picture picture(width, height);
    gfx::CairoCanvas* canvas = &picture.canvas();
    const int m = 3, w = width - 2 * m, h = height - 2 * m;
    const int cw = w * 2 / 5, ch = h * 2 / 5;
    gfx::Rect block, list;
    if (position <= 4) { // above or below the list
        const bool below = position >= 3, right = position % 2 == 0;
        const int left = right ? m + w - cw : m;
        block = below ? gfx::Rect{left, m + h - ch, left + cw, m + h} : gfx::Rect{left, m, left + cw, m + ch};
        list = below ? gfx::Rect{m, m, m + w, m + h - ch - 2} : gfx::Rect{m, m + ch + 2, m + w, m + h};
    } else { // beside the list
        const bool right = position >= 7, bottom = position % 2 == 0;
        const int top = bottom ? m + h - ch : m;
        block = right ? gfx::Rect{m + w - cw, top, m + w, top + ch} : gfx::Rect{m, top, m + cw, top + ch};
        list = right ? gfx::Rect{m, m, m + w - cw - 2, m + h} : gfx::Rect{m + cw + 2, m, m + w, m + h};
    }
    ListGrid(*canvas, list);
    CalendarBlock(*canvas, block);
    return picture.ToPixbuf();
}

Glib::RefPtr<Gdk::Pixbuf> PosterPositionGlyph(int position, int width, int height) {
    Picture picture(width, height);
    gfx::CairoCanvas* canvas = &picture.canvas();
    const int m = 3, w = width - 2 * m, h = height - 2 * m;
    // The poster picture: a sky and a hill.
    canvas->SetPen(base::kBlack);
    canvas->SetBrush(0xF0D8A0);
    canvas->Rectangle(gfx::Rect{m, m, m + w, m + h});
    canvas->SetBrush(0x60A060);
    canvas->FillRect(gfx::Rect{m + 1, m + h * 2 / 3, m + w - 1, m + h - 1});
    const int cw = w * 2 / 5, ch = h * 2 / 5;
    const bool right = position % 2 == 0, bottom = position >= 3;
    const int left = right ? m + w - cw - 2 : m + 2;
    const int top = bottom ? m + h - ch - 2 : m + 2;
    CalendarBlock(*canvas, gfx::Rect{left, top, left + cw, top + ch});
    return picture.ToPixbuf();
}

} // namespace dialogs
