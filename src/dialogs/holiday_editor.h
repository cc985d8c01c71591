// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// HolidayEditor: the holiday editor of one year. Twelve month boxes (read right to left,
// top to bottom: the rightmost column holds January to March) whose days are toggled by a
// click, buttons that invert every Sunday or Saturday of the year, OK that stores the days
// the user toggled (into the year's marks as the file holds them then) and Exit that leaves
// the table as it was when the editor opened (after asking, when days were toggled).

#include "base/reporter.h"
#include "config/holidays.h"
#include "controls/accessible_items.h"
#include "controls/title_strip.h"
#include "dialogs/modal_window.h"
#include "gfx/canvas.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/drawingarea.h>
#include <gtkmm/fixed.h>
#include <gtkmm/frame.h>
#include <gtkmm/scrolledwindow.h>

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace dialogs {

// Where the days of a month stand in a box of the given size: cells of width / 7 ×
// height / 7, the weekday heads in the first row, day 1 in the column of its weekday
// counted from the first weekday (Sunday when start_weekday is 0, else Monday). Entry
// d − 1 is the cell of day d; as many entries as the month has days (Gregorian).
std::vector<gfx::Rect> HolidayDayCells(int year, int month, int start_weekday, int width, int height);

class HolidayEditor : public ModalWindow {
public:
    static constexpr int kWidth = 713;
    static constexpr int kHeight = 457;
    static constexpr int kBoxWidth = 154;
    static constexpr int kBoxHeight = 136;

    // Edits table, the holidays of year, in place; reads and writes the configuration
    // file at config_path. face is the calendar font's face.
    HolidayEditor(Gtk::Window* owner, int year, int start_weekday, config::HolidayTable& table,
                  std::filesystem::path config_path, base::Reporter& reporter, std::string face);

    // The handlers, callable from tests as the controls call them.
    void Save();
    void Cancel();
    // Inverts the mark of every day of the year on the weekday (0 Sunday, 6 Saturday).
    void InvertWeekday(int weekday);
    // A press at (x, y) of a month's box.
    void PressInBox(int month, int x, int y);
    // The day the keyboard is on in a month's box (1 at first).
    int CursorDay(int month) const { return cursor_.at(static_cast<std::size_t>(month - 1)); }

    Gtk::DrawingArea& MonthBox(int month) { return boxes_.at(static_cast<std::size_t>(month - 1)); }
    Gtk::Button& OKButton() { return ok_button_; }
    Gtk::Button& ExitButton() { return exit_button_; }
    Gtk::Button& SundayButton() { return sunday_button_; }
    Gtk::Button& SaturdayButton() { return saturday_button_; }
    Gtk::Button& CloseButton() { return *close_button_; }
    // Asked when the editor is closed without saving while days toggled here are unsaved:
    // true closes it (the toggles are dropped), false keeps it open. Tests put a stand-in
    // here; by default a question box asks.
    std::function<bool()> confirm_discard;
    // The kanji digits of the year on the title strip.
    std::string TitleYear() const;
    // The cells of the month's days as last laid out.
    const std::vector<gfx::Rect>& DayCells(int month) const { return cells_.at(static_cast<std::size_t>(month - 1)); }

protected:
    void on_show() override;
    bool CanClose(ModalResult result) override;

private:
    bool PaintMonth(int month, const Cairo::RefPtr<Cairo::Context>& cr);
    bool BoxKeyPress(int month, unsigned keyval);
    void ToggleDay(int month, int day);
    // The month's days as a screen reader reads them: a toggle per day named by its date,
    // checked when marked.
    controls::AccessibleItem DayItem(int month, int day) const;
    void DescribeDays(int month);

    int year_;
    int start_weekday_;
    config::HolidayTable& table_;
    config::HolidayTable before_; // the table as it was when the editor opened
    config::HolidayTable shown_;  // the marks read from the file when it was shown
    std::filesystem::path config_path_;
    base::Reporter& reporter_;
    std::string face_;
    std::array<std::vector<gfx::Rect>, 12> cells_;
    std::array<int, 12> cursor_{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

    // The months scroll where the screen is narrower than the editor; the buttons and the
    // title band beside them stay in view.
    Gtk::Box row_;
    Gtk::ScrolledWindow months_scroll_;
    Gtk::Fixed fixed_, buttons_;
    std::array<Gtk::Frame, 12> frames_;
    std::array<controls::AccessibleItemsBox, 12> boxes_;
    Gtk::Button ok_button_, exit_button_, sunday_button_, saturday_button_;
    controls::TitleStrip strip_;
    std::array<controls::VerticalLabel*, 4> year_digits_{};
    Gtk::Button* close_button_ = nullptr;
};

} // namespace dialogs
