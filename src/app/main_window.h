// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// MainWindow: the small fixed main window, read from right to left: the navy
// title strip, the eight format buttons, the year and month boxes with their drop list,
// the settings buttons and the action buttons. It holds the one print state; what it
// computes lives in the layers below.

#include "app/calendar_box.h"
#include "app/drop_list.h"
#include "app/print_controller.h"
#include "controls/accessible_list.h"
#include "controls/title_strip.h"
#include "controls/vertical_label.h"
#include "pages/print_state.h"

#include <gtkmm/button.h>
#include <gtkmm/fixed.h>
#include <gtkmm/frame.h>
#include <gtkmm/progressbar.h>
#include <gtkmm/radiobutton.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/separator.h>
#include <gtkmm/window.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace app {

class PreviewWindow;
struct ButtonPlace; // where a settings or action button stands

// The settings buttons whose dialogs are opened by whoever provides them.
enum class SettingsButton { kConfig, kHoliday, kPictures };

class MainWindow : public Gtk::Window {
public:
    static constexpr int kClientWidth = 638;
    static constexpr int kClientHeight = 372;

    // The state has been filled by the start-up sequence; the reporter shows messages.
    MainWindow(pages::PrintState& state, base::Reporter& reporter, const std::string& default_paper);
    ~MainWindow() override;

    pages::PrintState& state() { return state_; }
    PrintController& print_controller() { return print_; }

    // The dialog behind a settings button; without one the button does nothing.
    void SetDialogOpener(SettingsButton button, std::function<void()> open);
    // The month pictures as a window has just written them to the file: the program's end
    // writes them no more, so that it cannot undo a later change made by another writer.
    void MonthPicturesWritten(const std::array<std::string, 12>& pictures) { given_.month_pictures = pictures; }
    Gtk::Button& SettingsButtonWidget(SettingsButton button);

    // PrintMode from the button group: the first of buttons 1 … 7 that is down, else 8.
    pages::Format SelectedFormat() const;
    void SelectFormat(pages::Format format);

    // The handlers, callable from tests as the buttons call them.
    void Print();
    void ShowPreview();
    void SetUpPage();
    void ShowHelp();
    void Quit();
    void ToggleList(ListKind kind);
    // A press on the drop list at (x, y) of its entries.
    void PressInList(int x, int y);

    // Whether a print or preview run is under way. Meanwhile every control that would change
    // the print state or start a second run is insensitive, a second action is not started,
    // and a request to end the program closes the preview, if one is shown, and ends the
    // program once the run is over.
    bool Busy() const { return busy_runs_ > 0; }

    bool ListOpen() const;
    ListKind OpenList() const { return open_list_; }
    const std::vector<ListEntry>& ListEntriesShown() const { return list_entries_; }
    double ListScrollX() const;
    Gtk::Widget& ListView() { return list_box_; }
    Gtk::Widget& FormatButton(pages::Format format);
    Gtk::Widget& YearButton() { return Slot(ListKind::kYear).button; }
    Gtk::Button& ExitButton() { return exit_button_; }
    Gtk::Button& PrintButton() { return print_button_; }
    Gtk::Button& PreviewButton() { return preview_button_; }
    Gtk::Button& HelpButton() { return help_button_; }
    Gtk::Widget& FromMonthButton() { return Slot(ListKind::kFromMonth).button; }
    Gtk::Widget& ToMonthButton() { return Slot(ListKind::kToMonth).button; }
    Gtk::ProgressBar& ProgressBar() { return progress_; }
    controls::TitleStrip& TitleBar() { return strip_; }
    // The kanji digits of the year on the title strip.
    std::string TitleYear() const;

    // Draws the pictures of the format buttons (done after the first frame).
    void MakeFormatPictures();
    // Runs the preview window modally; set by tests to look at it before it closes.
    std::function<void(Gtk::Window&)> on_preview_shown;
    // Called before a preview or a print run: brings in the default printer's answer if it
    // is on its way (set by the program; empty in tests).
    std::function<void()> settle_printer;

protected:
    void on_show() override;
    bool on_button_press_event(GdkEventButton* event) override;
    bool on_delete_event(GdkEventAny* event) override;
    bool on_key_press_event(GdkEventKey* event) override;

private:
    // The widgets of one of the three lists (year, first month, last month).
    struct ListSlot {
        ListSlot(std::function<std::string()> text, const std::string& face, int font_height)
            : box(std::move(text), face, font_height) {}
        CalendarBox box;    // the value, in the lowered panel
        Gtk::Frame panel;   // the frame round the value
        Gtk::Button button; // opens and closes the list
    };
    ListSlot& Slot(ListKind kind) { return *slots_.at(static_cast<std::size_t>(kind)); }

    // Holds the window busy for its own lifetime: one for each print or preview run.
    class BusyRun;
    void SetBusy(bool busy);

    void SetFocusOrder();
    // An arrow key on the format button of index: the neighbour that way is chosen.
    bool MoveFormatChoice(int index, unsigned keyval);
    Gtk::Button& MakeButton(Gtk::Button& button, const ButtonPlace& place);
    void PlaceFormatButtons();
    // Runs action from an idle callback, once the button's handler has returned.
    void Later(std::function<void()> action);
    void ShowYearOnTitle();
    void CloseList();
    bool ListKeyPress(unsigned keyval);
    void FocusOpenList();
    void NameListButtons();
    // Closes the list and takes its value, when there is one, for the open list.
    void ChooseListValue(std::optional<int> value);
    void Progress(std::string_view what, int percent);
    void Shutdown();

    pages::PrintState& state_;
    // The settings as the window was opened with them, but for the month pictures a window
    // has since written to the file itself: at the end only what differs from these is written.
    config::Settings given_;
    base::Reporter& reporter_;
    PrintController print_;
    std::string paper_;
    bool shut_down_ = false;
    int busy_runs_ = 0;
    bool quit_after_run_ = false;      // the program was asked to end during a run
    PreviewWindow* preview_ = nullptr; // the preview the current run shows
    Gtk::Widget* focus_before_run_ = nullptr;
    bool first_show_ = true;
    sigc::connection pending_action_; // the action of Later not yet run

    Gtk::Frame frame_;
    Gtk::Fixed fixed_;
    controls::TitleStrip strip_;
    std::array<controls::VerticalLabel*, 4> year_digits_{};
    Gtk::RadioButtonGroup format_group_;
    std::array<std::unique_ptr<Gtk::RadioButton>, 8> format_buttons_;
    std::vector<std::unique_ptr<Gtk::Widget>> owned_;
    std::array<std::unique_ptr<ListSlot>, 3> slots_; // by ListKind
    Gtk::Button config_button_, holiday_button_, setup_button_, pictures_button_;
    Gtk::Button print_button_, preview_button_, help_button_, exit_button_;
    Gtk::ProgressBar progress_;
    Gtk::ScrolledWindow list_scroll_;
    controls::AccessibleListBox list_box_;
    ListKind open_list_ = ListKind::kFromMonth;
    int list_cursor_ = 0; // the entry shown as current while the list is open
    std::vector<ListEntry> list_entries_;
    std::array<std::function<void()>, 3> openers_;
};

} // namespace app
