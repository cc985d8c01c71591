// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/title_strip.h"

#include "controls/accessible_names.h"
#include "controls/gdk_bitmap.h"
#include "gfx/cairo_canvas.h"

#include <gtkmm/window.h>

#include <algorithm>
#include <cstdlib>

namespace controls {

std::vector<int> BottomStackTops(int strip_height, const std::vector<int>& heights, const std::vector<int>& gaps) {
    std::vector<int> tops;
    int bottom = strip_height;
    for (std::size_t i = 0; i < heights.size(); ++i) {
        const int top = bottom - (i < gaps.size() ? gaps[i] : 0) - heights[i];
        tops.push_back(top);
        bottom = top;
    }
    return tops;
}

Glib::RefPtr<Gdk::Pixbuf> ProgramIcon(int size) {
    std::string error;
    auto canvas = gfx::CairoCanvas::CreateImage(gfx::Device{size, size, 96, 96, 256}, &error);
    if (!canvas) return {};
    canvas->SetPen(0x1C1CB0);
    canvas->SetBrush(0x2828D0);
    canvas->RoundRect(gfx::Rect{0, 0, size, size}, size / 4, size / 4);
    canvas->SetTextColor(base::kWhite);
    canvas->SetBrush(base::kWhite, gfx::BrushStyle::kClear);
    canvas->SelectFont("ＭＳ ゴシック", -(size * 7 / 8), 0, true);
    canvas->DrawText(gfx::Rect{0, 0, size, size}, gfx::dt::kCenter | gfx::dt::kVCenter | gfx::dt::kSingleLine, "暦");
    cairo_surface_t* surface = canvas->surface();
    cairo_surface_flush(surface);
    return Gdk::Pixbuf::create(Cairo::RefPtr<Cairo::Surface>(new Cairo::Surface(surface, false)), 0, 0, size, size);
}

void BeginWindowMove(Gtk::Widget& widget, GdkEventButton* event) {
    auto* window = dynamic_cast<Gtk::Window*>(widget.get_toplevel());
    if (!window || event->type != GDK_BUTTON_PRESS) return;
    window->begin_move_drag(static_cast<int>(event->button), static_cast<int>(event->x_root),
                            static_cast<int>(event->y_root), event->time);
}

TitleStrip::TitleStrip(int width) : width_(width), color_(SystemColor(SystemColorRole::kNavy)) {
    set_visible_window(true);
    set_size_request(width, -1);
    add(fixed_);
    icon_.SetRender([](int scale) { return ProgramIcon(16 * scale); });
    SetAccessibleName(icon_, "Kalvorin", Atk::ROLE_ICON);
    SetAccessibleName(*this, "Kalvorin", Atk::ROLE_PANEL);
    fixed_.put(icon_, (width - 16) / 2, 2);
    add_events(Gdk::BUTTON_PRESS_MASK);
}

VerticalLabel& TitleStrip::AddLabel(const std::string& caption, int top, int height, bool bold, int font_height) {
    // The column hangs from the label's right edge: in a strip wider than the designed 20
    // pixels the label is narrowed by half the extra width, so the column stays near the middle.
    auto label = std::make_unique<VerticalLabel>(caption, width_ - 2 - std::max(0, width_ - 20) / 2, height);
    LabelFont font;
    font.bold = bold;
    font.height = font_height;
    font.color = base::kWhite;
    label->SetFont(font);
    label->SetTransparent(true);
    fixed_.put(*label, 0, top);
    labels_.push_back(std::move(label));
    return *labels_.back();
}

Gtk::Button& TitleStrip::AddBottomButton(int width, int height, int gap, Glib::RefPtr<Gdk::Pixbuf> picture,
                                         const std::string& tooltip) {
    auto button = std::make_unique<Gtk::Button>();
    button->set_size_request(width, height);
    button->set_relief(Gtk::RELIEF_NORMAL);
    button->set_focus_on_click(false);
    button->get_style_context()->add_class("qelmarin-strip-button");
    if (picture) {
        auto* image = Gtk::manage(new ScaledImage([picture](int scale) { return BitmapAtScale(picture, scale); }));
        button->add(*image);
    }
    if (!tooltip.empty()) button->set_tooltip_text(tooltip);
    fixed_.put(*button, (width_ - width) / 2, 0);
    buttons_.push_back(Stacked{std::move(button), width, height, gap});
    return *buttons_.back().button;
}

Gtk::Button& TitleStrip::AddCaptionButton(int width, int height, int gap, const std::string& caption,
                                          int font_height, const std::string& tooltip) {
    Gtk::Button& button = AddBottomButton(width, height, gap, {}, tooltip);
    auto* label = Gtk::manage(new VerticalLabel(caption, std::abs(font_height) + 2, height - 4));
    LabelFont font;
    font.height = font_height;
    label->SetFont(font);
    label->SetTransparent(true);
    label->SetLayout(LabelLayout::kCenter);
    label->set_halign(Gtk::ALIGN_CENTER);
    label->set_valign(Gtk::ALIGN_CENTER);
    button.add(*label);
    return button;
}

void TitleStrip::SetColor(base::Color color) {
    if (color == color_) return;
    color_ = color;
    queue_draw();
}

// Navy with a lowered bevel: shadow at the top and left, highlight at the bottom and right.
bool TitleStrip::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
    const int w = get_allocated_width();
    const int h = get_allocated_height();
    gfx::CairoCanvas canvas(cr->cobj(), gfx::Device{w, h, 96, 96, 256});
    canvas.SetBrush(color_);
    canvas.FillRect(gfx::Rect{0, 0, w, h});
    canvas.SetBrush(SystemColor(SystemColorRole::kButtonShadow));
    canvas.FillRect(gfx::Rect{0, 0, w, 1});
    canvas.FillRect(gfx::Rect{0, 0, 1, h});
    canvas.SetBrush(SystemColor(SystemColorRole::kButtonHighlight));
    canvas.FillRect(gfx::Rect{0, h - 1, w, h});
    canvas.FillRect(gfx::Rect{w - 1, 0, w, h});
    return Gtk::EventBox::on_draw(cr);
}

bool TitleStrip::on_button_press_event(GdkEventButton* event) {
    BeginWindowMove(*this, event);
    return true;
}

void TitleStrip::on_size_allocate(Gtk::Allocation& allocation) {
    std::vector<int> heights, gaps;
    for (const Stacked& s : buttons_) {
        heights.push_back(s.height);
        gaps.push_back(s.gap);
    }
    const std::vector<int> tops = BottomStackTops(allocation.get_height(), heights, gaps);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const int x = (width_ - buttons_[i].width) / 2;
        fixed_.move(*buttons_[i].button, x, tops[i]);
    }
    Gtk::EventBox::on_size_allocate(allocation);
}

} // namespace controls
