#include "dialogs/column_list.h"

#include "gfx/cairo_canvas.h"

#include <gtkmm/adjustment.h>

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

ColumnListBox::ColumnListBox(std::string face, int font_height) : face_(std::move(face)), font_height_(font_height) {
    set_policy(Gtk::POLICY_ALWAYS, Gtk::POLICY_NEVER);
    set_shadow_type(Gtk::SHADOW_IN);
    override_background_color(Gdk::RGBA("white"));
    paint_box_.add_events(Gdk::BUTTON_PRESS_MASK);
    paint_box_.signal_draw().connect(sigc::mem_fun(*this, &ColumnListBox::Paint));
    paint_box_.signal_button_press_event().connect([this](GdkEventButton* event) {
        PressAt(static_cast<int>(event->x), static_cast<int>(event->y));
        return true;
    });
    paint_box_.signal_size_allocate().connect([this](Gtk::Allocation&) { Relayout(); });
    add(paint_box_);
    paint_box_.show();
    get_hadjustment()->signal_changed().connect([this] { ApplyPendingScroll(); });
}

void ColumnListBox::SetEntries(std::vector<std::pair<int, std::string>> entries, int highlighted) {
    entries_ = std::move(entries);
    highlighted_ = highlighted;
    Relayout();
    paint_box_.queue_draw();
}

void ColumnListBox::Relayout() {
    const int height = std::max(paint_box_.get_allocated_height(), 1);
    columns_ = LayOutColumns(entries_, std::abs(font_height_), height);
    int w = 0, h = 0;
    paint_box_.get_size_request(w, h);
    if (w != ColumnsWidth(columns_)) paint_box_.set_size_request(ColumnsWidth(columns_), -1);
}

void ColumnListBox::ScrollToHighlighted() {
    scroll_pending_ = true;
    ApplyPendingScroll();
}

// The scroll range is known only once the list has its size: a scroll asked for before
// is made when the range changes.
void ColumnListBox::ApplyPendingScroll() {
    if (!scroll_pending_) return;
    auto adjustment = get_hadjustment();
    for (const ListColumn& column : columns_) {
        if (column.value != highlighted_) continue;
        adjustment->set_value(column.rect.left);
        if (adjustment->get_upper() - adjustment->get_page_size() > 0 || column.rect.left == 0) scroll_pending_ = false;
    }
}

double ColumnListBox::ScrollX() const {
    return const_cast<ColumnListBox*>(this)->get_hadjustment()->get_value();
}

void ColumnListBox::on_hide() {
    scroll_pending_ = false;
    Gtk::ScrolledWindow::on_hide();
}

void ColumnListBox::Highlight(int value) {
    highlighted_ = value;
    paint_box_.queue_draw();
}

void ColumnListBox::PressAt(int x, int y) {
    const std::optional<int> value = HitColumn(columns_, x, y);
    if (on_press) on_press(value);
}

bool ColumnListBox::Paint(const Cairo::RefPtr<Cairo::Context>& cr) {
    const int width = paint_box_.get_allocated_width(), height = paint_box_.get_allocated_height();
    gfx::CairoCanvas canvas(cr->cobj(), gfx::Device{width, height, 96, 96, 256});
    canvas.SetBrush(base::kWhite);
    canvas.FillRect(gfx::Rect{0, 0, width, height});
    canvas.SelectFont(face_.starts_with("@") ? face_ : "@" + face_, font_height_, gfx::kVerticalEscapement);
    for (const ListColumn& column : columns_) {
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
