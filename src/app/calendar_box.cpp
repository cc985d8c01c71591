// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/calendar_box.h"

#include "controls/accessible_names.h"
#include "gfx/cairo_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace app {

CalendarBox::CalendarBox(std::function<std::string()> text, const std::string& face, int font_height)
    : text_(std::move(text)), face_(face), font_height_(font_height) {}

bool CalendarBox::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
    const int w = get_allocated_width(), h = get_allocated_height();
    gfx::CairoCanvas canvas(cr->cobj(), gfx::Device{w, h, 96, 96, 256});
    canvas.SetBrush(base::kWhite);
    canvas.FillRect(gfx::Rect{0, 0, w, h});
    canvas.SetBrush(base::kWhite, gfx::BrushStyle::kClear);
    canvas.SetTextColor(base::kBlack);
    canvas.SelectFont(face_, -std::abs(font_height_), gfx::kVerticalEscapement);
    const std::string text = text_();
    canvas.TextOut(w - (w - std::abs(font_height_)) / 2, 2, text);
    // What is shown is what a screen reader reads.
    controls::SetAccessibleName(*this, text, Atk::ROLE_LABEL);
    return true;
}

bool ArrowBox::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
    const double w = get_allocated_width(), h = get_allocated_height();
    // Tip at the right, base at the left; the base as tall as the box, the depth half of it.
    const double depth = std::min(w, h / 2 + 1);
    const double left = std::floor((w - depth) / 2);
    cr->set_source_rgb(0, 0, 0);
    cr->move_to(left, 0);
    cr->line_to(left + depth, h / 2);
    cr->line_to(left, h);
    cr->close_path();
    cr->fill();
    return true;
}

CaptionBox::CaptionBox(std::string text, int font_height) : text_(std::move(text)), font_height_(font_height) {
    controls::SetAccessibleName(*this, text_, Atk::ROLE_LABEL);
}

bool CaptionBox::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
    const int w = get_allocated_width(), h = get_allocated_height();
    gfx::CairoCanvas canvas(cr->cobj(), gfx::Device{w, h, 96, 96, 256});
    canvas.SetBrush(0, gfx::BrushStyle::kClear);
    canvas.SetTextColor(base::kBlack);
    canvas.SelectFont("ＭＳ Ｐゴシック", font_height_);
    canvas.DrawText(gfx::Rect{0, 0, w, h}, gfx::dt::kCenter | gfx::dt::kVCenter | gfx::dt::kSingleLine, text_);
    return true;
}

} // namespace app
