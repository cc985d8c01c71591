// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/column_list.h"

#include "controls/wheel_step.h"

#include "gfx/cairo_canvas.h"

#include <gdk/gdkkeysyms.h>
#include <glibmm/main.h>
#include <gtkmm/window.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

namespace dialogs {

std::vector<ListColumn> LayOutColumns(std::vector<std::pair<int, std::string>> entries, int h, int box_height) {
    std::vector<ListColumn> columns;
    columns.reserve(entries.size());
    int right = h + 5;
    for (auto& [value, text] : entries) {
        columns.push_back({gfx::Rect{right - h, 2, right, box_height}, value, std::move(text)});
        right += ColumnPitch(h);
    }
    return columns;
}

int WholeColumnsInView(int count, int h, int max_width) {
    const int fit = (max_width - ViewWidthForColumns(0, h)) / ColumnPitch(h);
    return std::clamp(fit, 1, std::max(count, 1));
}

// 5 before the first column, the columns and their gaps, 5 after the last column.
int ViewWidthForColumns(int columns, int h) {
    return 5 + columns * ColumnPitch(h) - kColumnGap + 5;
}

double ColumnScrollStop(double value, int h, double last) {
    const int pitch = ColumnPitch(h);
    return std::clamp(std::round(value / pitch) * pitch, 0.0, std::max(0.0, last));
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
    // The border is drawn by on_draw, one dark pixel all round.
    set_shadow_type(Gtk::SHADOW_NONE);
    box_.property_margin() = 1;
    entry_area_.add_events(Gdk::BUTTON_PRESS_MASK | Gdk::SCROLL_MASK | Gdk::SMOOTH_SCROLL_MASK);
    entry_area_.signal_draw().connect(sigc::mem_fun(*this, &ColumnListBox::Paint));
    entry_area_.signal_button_press_event().connect([this](GdkEventButton* event) {
        PressAt(static_cast<int>(event->x + ScrollX()), static_cast<int>(event->y));
        return true;
    });
    entry_area_.signal_scroll_event().connect(sigc::mem_fun(*this, &ColumnListBox::Scroll));
    entry_area_.set_can_focus(true);
    entry_area_.add_events(Gdk::KEY_PRESS_MASK);
    entry_area_.signal_key_press_event().connect(sigc::mem_fun(*this, &ColumnListBox::KeyPress), false);
    entry_area_.signal_size_allocate().connect([this](Gtk::Allocation&) {
        Relayout();
        UpdateRange();
        ApplyPendingScroll();
    });
    adjustment_->signal_value_changed().connect([this] {
        SnapToColumn();
        DescribeState();
        entry_area_.queue_draw();
    });
    entry_area_.on_item_action = [this](int index) {
        if (on_press && index >= 0 && index < static_cast<int>(columns_.size()))
            on_press(columns_[static_cast<std::size_t>(index)].value);
    };
    box_.pack_start(entry_area_, true, true);
    box_.pack_start(scrollbar_, false, false);
    add(box_);
    box_.show_all();
}

int ColumnListBox::Pitch() const {
    return ColumnPitch(std::abs(font_height_));
}

void ColumnListBox::SetEntries(std::vector<std::pair<int, std::string>> entries, int highlighted, int max_width) {
    entries_ = std::move(entries);
    highlighted_ = highlighted;
    const int h = std::abs(font_height_);
    // The border's two pixels are outside the view.
    in_view_ = WholeColumnsInView(static_cast<int>(entries_.size()), h, max_width - 2);
    entry_area_.set_size_request(ViewWidthForColumns(in_view_, h), -1);
    // A scroll bar only when there is something to scroll.
    scrollbar_.set_visible(in_view_ < static_cast<int>(entries_.size()));
    Relayout();
    UpdateRange();
    entry_area_.queue_draw();
}

void ColumnListBox::FitHeightToEntries() {
    std::string error;
    const std::unique_ptr<gfx::CairoCanvas> canvas = gfx::CairoCanvas::CreateImage(gfx::Device{1, 1, 96, 96, 256}, &error);
    if (!canvas) return;
    canvas->SelectFont(face_.starts_with("@") ? face_ : "@" + face_, font_height_, gfx::kVerticalEscapement);
    // Along a vertical font's writing direction the extent's cx is the column's length.
    int longest = 0;
    for (const auto& entry : entries_)
        longest = std::max(longest, canvas->TextExtent(entry.second).cx);
    set_size_request(-1, -1);
    int width = -1, height = -1;
    entry_area_.get_size_request(width, height);
    entry_area_.set_size_request(width, 2 + longest + 4);
}

void ColumnListBox::Relayout() {
    const int height = std::max(entry_area_.get_allocated_height(), 1);
    columns_ = LayOutColumns(entries_, std::abs(font_height_), height);
    DescribeEntries();
}

// An entry as it is now: where it is in the view (nowhere when scrolled out of it), and
// whether it is the marked one.
controls::AccessibleItem ColumnListBox::EntryItem(std::size_t i) const {
    const ListColumn& column = columns_.at(i);
    controls::AccessibleItem item;
    item.name = spoken_name ? spoken_name(column.value, column.text) : column.text;
    item.role = ATK_ROLE_LIST_ITEM;
    item.selectable = true;
    item.focusable = true;
    item.selected = column.value == highlighted_;
    const int scroll = static_cast<int>(ScrollX());
    const int left = column.rect.left - scroll, right = column.rect.right - scroll;
    if (right > 0 && left < entry_area_.get_allocated_width())
        item.area = Gdk::Rectangle(left, column.rect.top, column.rect.width(), column.rect.height());
    return item;
}

void ColumnListBox::DescribeEntries() {
    std::vector<controls::AccessibleItem> items;
    for (std::size_t i = 0; i < columns_.size(); ++i)
        items.push_back(EntryItem(i));
    entry_area_.SetItems(items);
    DescribeState();
}

void ColumnListBox::DescribeState() {
    int marked = -1;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        const controls::AccessibleItem item = EntryItem(i);
        if (item.selected) marked = static_cast<int>(i);
        entry_area_.UpdateItem(static_cast<int>(i), item);
    }
    entry_area_.SetCursorItem(marked);
}

// The range runs to the position that shows the last columns whole; the page is the view.
void ColumnListBox::UpdateRange() {
    const double page = std::max(1, entry_area_.get_allocated_width());
    const int hidden = std::max(0, static_cast<int>(columns_.size()) - in_view_);
    const double upper = hidden * Pitch() + page;
    adjustment_->configure(std::clamp(adjustment_->get_value(), 0.0, upper - page), 0, upper, Pitch(),
                           std::max(1, in_view_) * Pitch(), page);
}

// Every position the list rests at starts a column: a drag of the scroll bar lands on the
// nearest.
void ColumnListBox::SnapToColumn() {
    const double value = adjustment_->get_value();
    const double target = ColumnScrollStop(value, std::abs(font_height_),
                                           adjustment_->get_upper() - adjustment_->get_page_size());
    if (target != value) adjustment_->set_value(target);
}

void ColumnListBox::ScrollToHighlighted() {
    scroll_pending_ = true;
    ApplyPendingScroll();
}

// The page is known only once the list has its size: a scroll asked for before is made
// when the list is laid out.
void ColumnListBox::ApplyPendingScroll() {
    if (!scroll_pending_ || entry_area_.get_allocated_width() <= 1) return;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (columns_[i].value != highlighted_) continue;
        const double last = adjustment_->get_upper() - adjustment_->get_page_size();
        adjustment_->set_value(std::min<double>(static_cast<double>(i) * Pitch(), last));
    }
    scroll_pending_ = false;
}

bool ColumnListBox::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
    Gtk::Frame::on_draw(cr);
    // A dark border sets the list off from the page under it.
    cr->set_source_rgb(0.25, 0.25, 0.25);
    cr->set_line_width(1);
    cr->rectangle(0.5, 0.5, get_allocated_width() - 1, get_allocated_height() - 1);
    cr->stroke();
    return true;
}

double ColumnListBox::ScrollX() const {
    return adjustment_->get_value();
}

// The keyboard moves into the list once it is shown.
void ColumnListBox::on_show() {
    Gtk::Frame::on_show();
    auto* window = dynamic_cast<Gtk::Window*>(get_toplevel());
    return_focus_ = window ? window->get_focus() : nullptr;
    focus_idle_.disconnect();
    focus_idle_ = Glib::signal_idle().connect([this] {
        if (get_visible()) entry_area_.grab_focus();
        return false;
    });
}

// GTK takes the focus away from a list being hidden before the list hears of it: the
// keyboard goes back where it was when nothing else has it.
void ColumnListBox::on_hide() {
    scroll_pending_ = false;
    focus_idle_.disconnect();
    Gtk::Frame::on_hide();
    auto* window = dynamic_cast<Gtk::Window*>(get_toplevel());
    if (window && window->get_focus() == nullptr && return_focus_ && return_focus_->get_mapped())
        return_focus_->grab_focus();
    return_focus_ = nullptr;
}

void ColumnListBox::MoveHighlight(int delta) {
    if (entries_.empty()) return;
    int at = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].first == highlighted_) at = static_cast<int>(i);
    at = std::clamp(at + delta, 0, static_cast<int>(entries_.size()) - 1);
    highlighted_ = entries_[static_cast<std::size_t>(at)].first;
    // Scrolled by whole columns so that the marked one is in view.
    const int first = static_cast<int>(std::lround(ScrollX() / Pitch()));
    if (at < first) {
        adjustment_->set_value(at * Pitch());
    } else if (at >= first + in_view_) {
        adjustment_->set_value((at - in_view_ + 1) * Pitch());
    }
    DescribeState();
    entry_area_.queue_draw();
}

bool ColumnListBox::KeyPress(GdkEventKey* event) {
    switch (event->keyval) {
    case GDK_KEY_Left:
    case GDK_KEY_KP_Left:
    case GDK_KEY_Up:
        MoveHighlight(-1);
        return true;
    case GDK_KEY_Right:
    case GDK_KEY_KP_Right:
    case GDK_KEY_Down:
        MoveHighlight(1);
        return true;
    case GDK_KEY_Home:
    case GDK_KEY_KP_Home:
        MoveHighlight(-static_cast<int>(entries_.size()));
        return true;
    case GDK_KEY_End:
    case GDK_KEY_KP_End:
        MoveHighlight(static_cast<int>(entries_.size()));
        return true;
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
    case GDK_KEY_space:
        if (on_press) on_press(highlighted_);
        return true;
    case GDK_KEY_Escape:
        hide();
        return true;
    default:
        return false;
    }
}

void ColumnListBox::Highlight(int value) {
    highlighted_ = value;
    DescribeState();
    entry_area_.queue_draw();
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
    const int width = entry_area_.get_allocated_width(), height = entry_area_.get_allocated_height();
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
