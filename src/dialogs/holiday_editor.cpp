// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/holiday_editor.h"

#include "almanac/calendar_math.h"
#include "almanac/name_tables.h"
#include "base/i18n.h"
#include "base/kanji_numbers.h"
#include "config/config_file.h"
#include "controls/accessible_names.h"
#include "controls/gdk_bitmap.h"
#include "controls/window_place.h"
#include "dialogs/glyphs.h"
#include "gfx/cairo_canvas.h"

#include <gdk/gdkkeysyms.h>
#include <gtkmm/messagedialog.h>

#include <cstdio>

namespace dialogs {
namespace {

constexpr int kStripWidth = 20;
constexpr int kMargin = 8;
constexpr int kFrameBorder = 2; // the lowered panel around each box
// Four framed boxes, the button column and the title band share the designed width: the
// columns stand 4 pixels apart, the buttons between the last column and the band.
constexpr int kLeft = 6;
constexpr int kColumnStep = HolidayEditor::kBoxWidth + 2 * kFrameBorder + 4;
constexpr int kRowStep = HolidayEditor::kBoxHeight + 2 * kFrameBorder + 8;
constexpr int kButtonWidth = 32;
constexpr int kButtonsLeft = kLeft + 4 * kColumnStep + 2;
static_assert(kButtonsLeft + kButtonWidth + 2 <= HolidayEditor::kWidth - kStripWidth,
              "the buttons stand clear of the title band");

// The column (0 = first weekday of the header) of a weekday.
int ColumnOf(int weekday, int start_weekday) {
    return start_weekday == 0 ? weekday : (weekday + 6) % 7;
}

// The face of the calendar font without its vertical mark: the large numeral is upright.
std::string UprightFace(const std::string& face) {
    return face.starts_with("@") ? face.substr(1) : face;
}

// The colour of the large month numeral: the button face halfway to white.
base::Color NumeralTint() {
    const base::Color face = controls::SystemColor(controls::SystemColorRole::kButtonFace);
    base::Color tint = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const unsigned channel = (face >> shift) & 0xFF;
        tint |= ((channel + 255 + 1) / 2) << shift;
    }
    return tint;
}

// Whether the days toggled and not saved may be dropped.
bool AskDiscard(Gtk::Window& owner) {
    Gtk::MessageDialog ask(owner, _("The holidays changed here are not saved. Close without saving them?"), false,
                           Gtk::MESSAGE_QUESTION, Gtk::BUTTONS_YES_NO, true);
    ask.set_title("確認");
    ask.set_default_response(Gtk::RESPONSE_NO);
    return ask.run() == Gtk::RESPONSE_YES;
}

} // namespace

std::vector<gfx::Rect> HolidayDayCells(int year, int month, int start_weekday, int width, int height) {
    const int cw = width / 7, ch = height / 7;
    std::vector<gfx::Rect> cells;
    int column = ColumnOf(almanac::Weekday(year, month, 1), start_weekday);
    int row = 1;
    const int days = almanac::DaysInMonth(year, month);
    for (int d = 1; d <= days; ++d) {
        cells.push_back(gfx::Rect{column * cw, row * ch, (column + 1) * cw, (row + 1) * ch});
        if (++column == 7) {
            column = 0;
            ++row;
        }
    }
    return cells;
}

HolidayEditor::HolidayEditor(Gtk::Window* owner, int year, int start_weekday, config::HolidayTable& table,
                             std::filesystem::path config_path, base::Reporter& reporter, std::string face)
    : ModalWindow(owner, "休日"), year_(year), start_weekday_(start_weekday), table_(table), before_(table),
      shown_(table), config_path_(std::move(config_path)), reporter_(reporter), face_(std::move(face)),
      strip_(kStripWidth) {
    set_name("qelmarin-holidays");
    set_position(Gtk::WIN_POS_CENTER);
    add(row_);
    fixed_.set_size_request(kButtonsLeft, kHeight);
    months_scroll_.add(fixed_);
    controls::SetAccessibleName(months_scroll_, "月の一覧");
    const Gdk::Rectangle area = controls::WorkAreaOf(owner);
    controls::ScrollWhenLarger(months_scroll_, area.get_width() - (kWidth - kButtonsLeft), area.get_height(), true);
    buttons_.set_size_request(kWidth - kStripWidth - kButtonsLeft, kHeight);
    row_.pack_start(months_scroll_, true, true);
    row_.pack_start(buttons_, false, false);
    row_.pack_start(strip_, false, false);
    add_events(Gdk::BUTTON_PRESS_MASK);
    // A press on the window's background (not on a control) drags the window.
    signal_button_press_event().connect([this](GdkEventButton* event) {
        if (event->window != get_window()->gobj()) return false;
        controls::BeginWindowMove(*this, event);
        return true;
    });

    for (int month = 1; month <= 12; ++month) {
        const auto i = static_cast<std::size_t>(month - 1);
        // Right to left by column, top to bottom in a column.
        const int column = 3 - (month - 1) / 3, row = (month - 1) % 3;
        Gtk::Frame& frame = frames_[i];
        frame.set_shadow_type(Gtk::SHADOW_IN);
        frame.add(boxes_[i]);
        boxes_[i].set_size_request(kBoxWidth, kBoxHeight);
        controls::SetAccessibleName(boxes_[i], std::string(base::KanjiNumerals[static_cast<std::size_t>(month)]) + "月",
                                    Atk::ROLE_CALENDAR);
        boxes_[i].add_events(Gdk::BUTTON_PRESS_MASK);
        boxes_[i].signal_draw().connect(
            [this, month](const Cairo::RefPtr<Cairo::Context>& cr) { return PaintMonth(month, cr); });
        boxes_[i].signal_button_press_event().connect([this, month](GdkEventButton* event) {
            if (event->type == GDK_BUTTON_PRESS)
                PressInBox(month, static_cast<int>(event->x), static_cast<int>(event->y));
            return true;
        });
        // From the keyboard: a Tab stop with a day cursor; the arrows move it, Space or Enter
        // invert its day.
        boxes_[i].set_can_focus(true);
        boxes_[i].add_events(Gdk::KEY_PRESS_MASK | Gdk::FOCUS_CHANGE_MASK);
        boxes_[i].signal_key_press_event().connect(
            [this, month](GdkEventKey* event) { return BoxKeyPress(month, event->keyval); }, false);
        boxes_[i].signal_focus_in_event().connect([this, i](GdkEventFocus*) {
            boxes_[i].queue_draw();
            return false;
        });
        boxes_[i].signal_focus_out_event().connect([this, i](GdkEventFocus*) {
            boxes_[i].queue_draw();
            return false;
        });
        fixed_.put(frame, kLeft + column * kColumnStep, kMargin + row * kRowStep);
        cells_[i] = HolidayDayCells(year_, month, start_weekday_, kBoxWidth, kBoxHeight);
        boxes_[i].action_name = "toggle";
        boxes_[i].on_item_action = [this, month](int index) { ToggleDay(month, index + 1); };
        DescribeDays(month);
        boxes_[i].SetCursorItem(0);
    }

    // The button column between the boxes and the title band.
    // Read by a screen reader as the caption it shows, with the tooltip as its description.
    auto place = [&](Gtk::Button& button, const std::string& caption, Glib::RefPtr<Gdk::Pixbuf> glyph,
                     const std::string& hint, int top) {
        controls::SetAccessibleName(button, caption);
        button.get_accessible()->set_description(hint);
        button.set_size_request(kButtonWidth, 64);
        button.set_focus_on_click(false);
        button.get_style_context()->add_class("qelmarin-flat");
        button.add(*Gtk::manage(new Gtk::Image(glyph)));
        button.set_tooltip_text(hint);
        buttons_.put(button, 0, top);
    };
    place(sunday_button_, "日", CaptionGlyph("日", 24, 52, base::kRed, -16), "日曜日をすべて反転", kMargin);
    place(saturday_button_, "土", CaptionGlyph("土", 24, 52, base::kBlue, -16), "土曜日をすべて反転", kMargin + 72);
    place(ok_button_, "保存", CaptionGlyph("保存", 24, 52), "保存して閉じる", kHeight - kMargin - 64 - 72);
    place(exit_button_, "終了", CaptionGlyph("終了", 24, 52), "保存せずに閉じる", kHeight - kMargin - 64);
    sunday_button_.signal_clicked().connect([this] { InvertWeekday(0); });
    saturday_button_.signal_clicked().connect([this] { InvertWeekday(6); });
    ok_button_.signal_clicked().connect([this] { Save(); });
    exit_button_.signal_clicked().connect([this] { Cancel(); });

    // The navy title band: Kalvorin, the year in kanji digits, 年, 休日.
    strip_.set_size_request(kStripWidth, kHeight);
    strip_.AddLabel("Kalvorin", 22, 70);
    const std::string digits = base::FormatYearKanji(year_);
    const auto characters = controls::CaptionCharacters(digits);
    for (std::size_t i = 0; i < 4; ++i) {
        year_digits_[i] = &strip_.AddLabel(i < characters.size() ? std::string(characters[i]) : "",
                                           100 + 14 * static_cast<int>(i), 14);
    }
    strip_.AddLabel("年", 100 + 14 * 4, 16);
    strip_.AddLabel("休", 100 + 14 * 4 + 24, 16);
    strip_.AddLabel("日", 100 + 14 * 4 + 40, 16);
    close_button_ = &strip_.AddCloseButton();
    close_button_->signal_clicked().connect([this] { Cancel(); });
    row_.show_all();
}

std::string HolidayEditor::TitleYear() const {
    std::string digits;
    for (const controls::VerticalLabel* label : year_digits_)
        digits += label->Caption();
    return digits;
}

// The table is read afresh for the year; Exit puts back what it held before the editor opened.
void HolidayEditor::on_show() {
    config::ConfigFile file(config_path_, &reporter_);
    config::LoadHolidays(file, year_, table_);
    shown_ = table_;
    for (int month = 1; month <= 12; ++month)
        DescribeDays(month);
    ModalWindow::on_show();
}

// OK writes the days toggled here into the marks as the file holds them now, so that days
// marked meanwhile by the host or another program stay; the table then holds the file's
// marks.
bool HolidayEditor::CanClose(ModalResult result) {
    if (result == ModalResult::kOk) {
        config::ConfigFile file(config_path_, &reporter_);
        // A failed write has been reported by the file; the editor stays open with the marks.
        if (!config::HolidayEdits(year_, shown_, table_).WriteTo(file)) return false;
        config::LoadHolidays(file, year_, table_);
        return true;
    }
    if (table_ != shown_ && !(confirm_discard ? confirm_discard() : AskDiscard(*this))) return false;
    table_ = before_;
    return true;
}

void HolidayEditor::Save() {
    EndModal(ModalResult::kOk);
}

void HolidayEditor::Cancel() {
    EndModal(ModalResult::kCancel);
}

void HolidayEditor::InvertWeekday(int weekday) {
    for (int month = 1; month <= 12; ++month) {
        const int days = almanac::DaysInMonth(year_, month);
        for (int day = 1; day <= days; ++day) {
            if (almanac::Weekday(year_, month, day) == weekday) table_.Toggle(month, day);
        }
    }
    for (int month = 1; month <= 12; ++month) {
        DescribeDays(month);
        MonthBox(month).queue_draw();
    }
}

controls::AccessibleItem HolidayEditor::DayItem(int month, int day) const {
    const gfx::Rect& r = DayCells(month).at(static_cast<std::size_t>(day - 1));
    controls::AccessibleItem item;
    item.name = std::to_string(month) + "月" + std::to_string(day) + "日";
    item.role = ATK_ROLE_TOGGLE_BUTTON;
    item.area = Gdk::Rectangle(r.left, r.top, r.width(), r.height());
    item.checkable = true;
    item.checked = table_.IsMarked(month, day);
    item.focusable = true;
    return item;
}

void HolidayEditor::DescribeDays(int month) {
    std::vector<controls::AccessibleItem> items;
    const int days = static_cast<int>(DayCells(month).size());
    for (int day = 1; day <= days; ++day)
        items.push_back(DayItem(month, day));
    boxes_.at(static_cast<std::size_t>(month - 1)).SetItems(items);
}

void HolidayEditor::PressInBox(int month, int x, int y) {
    const std::vector<gfx::Rect>& cells = DayCells(month);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const gfx::Rect& r = cells[i];
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
            ToggleDay(month, static_cast<int>(i) + 1);
            return;
        }
    }
}

void HolidayEditor::ToggleDay(int month, int day) {
    table_.Toggle(month, day);
    boxes_.at(static_cast<std::size_t>(month - 1)).UpdateItem(day - 1, DayItem(month, day));
    const gfx::Rect& r = DayCells(month).at(static_cast<std::size_t>(day - 1));
    MonthBox(month).queue_draw_area(r.left, r.top, r.width(), r.height());
}

// Left and right move a day, up and down a week, within the month.
bool HolidayEditor::BoxKeyPress(int month, unsigned keyval) {
    const auto i = static_cast<std::size_t>(month - 1);
    int step = 0;
    switch (keyval) {
    case GDK_KEY_Left:
    case GDK_KEY_KP_Left:
        step = -1;
        break;
    case GDK_KEY_Right:
    case GDK_KEY_KP_Right:
        step = 1;
        break;
    case GDK_KEY_Up:
    case GDK_KEY_KP_Up:
        step = -7;
        break;
    case GDK_KEY_Down:
    case GDK_KEY_KP_Down:
        step = 7;
        break;
    case GDK_KEY_space:
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
        ToggleDay(month, cursor_[i]);
        return true;
    default:
        return false;
    }
    const int days = static_cast<int>(DayCells(month).size());
    if (cursor_[i] + step >= 1 && cursor_[i] + step <= days) cursor_[i] += step;
    boxes_[i].SetCursorItem(cursor_[i] - 1);
    boxes_[i].queue_draw();
    return true;
}

bool HolidayEditor::PaintMonth(int month, const Cairo::RefPtr<Cairo::Context>& cr) {
    const int w = kBoxWidth, h = kBoxHeight;
    const int cw = w / 7, ch = h / 7;
    gfx::CairoCanvas canvas(cr->cobj(), gfx::Device{w, h, 96, 96, 256});
    canvas.SetBrush(base::kWhite);
    canvas.FillRect(gfx::Rect{0, 0, w, h});
    canvas.SetBrush(0, gfx::BrushStyle::kClear);

    // The large faint numeral behind the days, drawn first: the button face grey lightened
    // halfway to white, so that it stays a watermark and every day numeral in front of it
    // keeps its contrast.
    canvas.SelectFont(UprightFace(face_), -(h / 2), 0, true);
    canvas.SetTextColor(NumeralTint());
    canvas.DrawText(gfx::Rect{0, 0, w, h}, gfx::dt::kCenter | gfx::dt::kVCenter | gfx::dt::kSingleLine,
                    base::KanjiNumerals[static_cast<std::size_t>(month)]);

    // The weekday heads.
    canvas.SelectFont("ＭＳ ゴシック", -12);
    for (int column = 0; column < 7; ++column) {
        const int weekday = start_weekday_ == 0 ? column : (column + 1) % 7;
        canvas.SetTextColor(weekday == 0 ? base::kRed : weekday == 6 ? base::kBlue : base::kBlack);
        canvas.DrawText(gfx::Rect{column * cw, 0, (column + 1) * cw, ch},
                        gfx::dt::kCenter | gfx::dt::kVCenter | gfx::dt::kSingleLine,
                        almanac::WeekdayNames[static_cast<std::size_t>(weekday)]);
    }

    // The days, marked ones white on red.
    const std::vector<gfx::Rect>& cells = DayCells(month);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int day = static_cast<int>(i) + 1;
        const bool marked = table_.IsMarked(month, day);
        if (marked) {
            canvas.SetBrush(base::kRed);
            canvas.FillRect(cells[i]);
            canvas.SetBrush(0, gfx::BrushStyle::kClear);
        }
        canvas.SetTextColor(marked ? base::kWhite : base::kBlack);
        char text[16];
        std::snprintf(text, sizeof text, "%2d", day);
        canvas.DrawText(cells[i], gfx::dt::kCenter | gfx::dt::kVCenter | gfx::dt::kSingleLine, text);
    }

    // The keyboard's day: a navy ring round its cell while the box has the focus.
    const auto index = static_cast<std::size_t>(month - 1);
    if (boxes_[index].has_focus() && get_focus_visible()) {
        const gfx::Rect& r = cells.at(static_cast<std::size_t>(cursor_[index] - 1));
        cr->set_source_rgb(0, 0, 0.5);
        cr->set_line_width(2);
        cr->rectangle(r.left + 1, r.top + 1, r.width() - 2, r.height() - 2);
        cr->stroke();
    }
    return true;
}

} // namespace dialogs
