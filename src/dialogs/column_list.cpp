// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/column_list.h"

#include "controls/wheel_step.h"

#include "gfx/cairo_canvas.h"

#include <algorithm>
#include <cstdlib>

namespace dialogs {

std::vector<ListColumn> LayOutColumns(std::vector<std::pair<int, std::string>> entries, int h, int box_height) {
    std::vector<ListColumn> columns;
    columns.reserve(entries.size());
    int right = h + 5;
    for (auto& [value, text] : entries) {
        columns.push_back({gfx::Rect{right - h, 2, right, box_height}, value, std::move(text)});
        right += h + 2;
    }
    return columns;
}

std::optional<int> HitColumn(const std::vector<ListColumn>& columns, int x, int y) {
    for (const ListColumn& column : columns) {
        const gfx::Rect& r = column.rect;
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return column.value;
    }
    return std::nullopt;
}

int ColumnsWidth(const std::vector<ListColumn>& columns) {
    return columns.empty() ? 0 : columns.back().rect.right + 2;
}

ColumnListBox::ColumnListBox(std::string face, int font_height)
    : face_(std::move(face)), font_height_(font_height), adjustment_(Gtk::Adjustment::create(0, 0, 1, 18, 18, 1)),
      box_(Gtk::ORIENTATION_VERTICAL), scrollbar_(adjustment_, Gtk::ORIENTATION_HORIZONTAL) {
    set_shadow_type(Gtk::SHADOW_IN);
    paint_box_.add_events(Gdk::BUTTON_PRESS_MASK | Gdk::SCROLL_MASK | Gdk::SMOOTH_SCROLL_MASK);
    paint_box_.signal_draw().connect(sigc::mem_fun(*this, &ColumnListBox::Paint));
    paint_box_.signal_button_press_event().connect([this](GdkEventButton* event) {
        PressAt(static_cast<int>(event->x + ScrollX()), static_cast<int>(event->y));
        return true;
    });
    paint_box_.signal_scroll_event().connect(sigc::mem_fun(*this, &ColumnListBox::Scroll));
    paint_box_.signal_size_allocate().connect([this](Gtk::Allocation&) {
        Relayout();
        UpdateRange();
        ApplyPendingScroll();
    });
    adjustment_->signal_value_changed().connect([this] { paint_box_.queue_draw(); });
    box_.pack_start(paint_box_, true, true);
    box_.pack_start(scrollbar_, false, false);
    add(box_);
    box_.show_all();
}

void ColumnListBox::SetEntries(std::vector<std::pair<int, std::string>> entries, int highlighted) {
    entries_ = std::move(entries);
    highlighted_ = highlighted;
    Relayout();
    UpdateRange();
    paint_box_.queue_draw();
}

void ColumnListBox::Relayout() {
    const int height = std::max(paint_box_.get_allocated_height(), 1);
    columns_ = LayOutColumns(entries_, std::abs(font_height_), height);
}

// The range is the list's width, the page the paint box's.
void ColumnListBox::UpdateRange() {
    const double page = std::max(1, paint_box_.get_allocated_width());
    const double upper = std::max<double>(ColumnsWidth(columns_), page);
    adjustment_->configure(std::clamp(adjustment_->get_value(), 0.0, upper - page), 0, upper, 18, page, page);
}

void ColumnListBox::ScrollToHighlighted() {
    scroll_pending_ = true;
    ApplyPendingScroll();
}

// The page is known only once the list has its size: a scroll asked for before is made
// when the list is laid out.
void ColumnListBox::ApplyPendingScroll() {
    if (!scroll_pending_ || paint_box_.get_allocated_width() <= 1) return;
    for (const ListColumn& column : columns_) {
        if (column.value != highlighted_) continue;
        const double last = adjustment_->get_upper() - adjustment_->get_page_size();
        adjustment_->set_value(std::min<double>(column.rect.left, last));
    }
    scroll_pending_ = false;
}

double ColumnListBox::ScrollX() const {
    return adjustment_->get_value();
}

void ColumnListBox::on_hide() {
    scroll_pending_ = false;
    Gtk::Frame::on_hide();
}

void ColumnListBox::Highlight(int value) {
    highlighted_ = value;
    paint_box_.queue_draw();
}

void ColumnListBox::PressAt(int x, int y) {
    const std::optional<int> value = HitColumn(columns_, x, y);
    if (on_press) on_press(value);
}

// The wheel moves the list sideways, either way it turns.
bool ColumnListBox::Scroll(GdkEventScroll* event) {
    const double delta = controls::SidewaysWheelSteps(event);
    const double value = adjustment_->get_value() + delta * adjustment_->get_step_increment();
    adjustment_->set_value(std::clamp(value, 0.0, adjustment_->get_upper() - adjustment_->get_page_size()));
    return true;
}

bool ColumnListBox::Paint(const Cairo::RefPtr<Cairo::Context>& cr) {
    const int width = paint_box_.get_allocated_width(), height = paint_box_.get_allocated_height();
    const int scroll = static_cast<int>(ScrollX());
    cr->set_source_rgb(1, 1, 1);
    cr->paint();
    // The columns in list coordinates, shifted by the scroll position.
    cr->translate(-scroll, 0);
    gfx::CairoCanvas canvas(cr->cobj(), gfx::Device{scroll + width, height, 96, 96, 256});
    canvas.SelectFont(face_.starts_with("@") ? face_ : "@" + face_, font_height_, gfx::kVerticalEscapement);
    for (const ListColumn& column : columns_) {
        if (column.rect.right < scroll || column.rect.left > scroll + width) continue;
        const bool marked = column.value == highlighted_;
        canvas.SetBrush(marked ? base::kBlack : base::kWhite);
        canvas.FillRect(column.rect);
        canvas.SetTextColor(marked ? base::kWhite : base::kBlack);
        canvas.SetBrush(0, gfx::BrushStyle::kClear);
        canvas.TextOut(column.rect.right, 2, column.text);
    }
    return true;
}

} // namespace dialogs
