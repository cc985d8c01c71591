// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PrintConfigDialog: the print configuration dialog. Six pages chosen by tabs (共通, 暦,
// 一覧, 日めくり, はり紙, 解説), one per settings section; OK writes the settings the user
// changed in one replacement of Kalvorin.CFG and hands the file's values back, Exit and the
// close button write nothing. The month pictures are chosen or made here too ("選択", "新規").

#include "base/reporter.h"
#include "config/settings.h"
#include "controls/title_strip.h"
#include "dialogs/column_list.h"
#include "dialogs/modal_window.h"
#include "dialogs/option_column.h"
#include "dialogs/picture_open_dialog.h"

#include <gtkmm/eventbox.h>
#include <gtkmm/label.h>
#include <gtkmm/overlay.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/stack.h>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dialogs {

enum class ConfigPage { kCommon = 0, kCalendar = 1, kList = 2, kDaily = 3, kPoster = 4, kHelp = 5 };

class PrintConfigDialog : public ModalWindow {
public:
    // Shows settings; writes the file at config_path on OK.
    PrintConfigDialog(Gtk::Window* owner, const config::Settings& settings, std::filesystem::path config_path,
                      base::Reporter& reporter);
    ~PrintConfigDialog() override;

    // After OK: the print settings as the file holds them once the user's changes are in
    // (changes made meanwhile by others included), the month pictures as chosen. Before
    // OK: as given, the month pictures as chosen.
    const config::Settings& Result() const { return settings_; }
    // "確認画面で月頁を表示する" as it was at OK; unchecked at every opening.
    bool MonthPagePreview() const { return month_page_preview_; }

    void Save();
    void Cancel();
    void ChoosePage(ConfigPage page);
    ConfigPage CurrentPage() const { return current_page_; }
    // The month's "選択" and "新規" buttons.
    void ChooseMonthPicture(int month);
    void NewMonthPicture(int month);
    // A margin button (tag 10 × set + side) and a press in the margin list.
    void ToggleMarginList(int tag);
    void MarginListPress(int x, int y);

    // The control of a caption on a page: the nth (0 first) of that caption, right to left.
    OptionColumn& Option(ConfigPage page, std::string_view caption, int nth = 0);
    // The picture buttons of the list page (1 … 8) and the poster page (1 … 4).
    Gtk::RadioButton& ListPositionButton(int n) { return *list_positions_.at(static_cast<std::size_t>(n - 1)); }
    Gtk::RadioButton& PosterPositionButton(int n) { return *poster_positions_.at(static_cast<std::size_t>(n - 1)); }
    MarginItem& Margin(int tag);
    // The heading of the corner-position group of the calendar, list or daily page.
    controls::VerticalLabel& CornerGroupCaption(ConfigPage page);
    ColumnListBox& MarginList() { return margin_list_; }
    bool MarginListVisible() const { return margin_list_.get_visible(); }
    Gtk::EventBox& Tab(ConfigPage page) { return *tabs_.at(static_cast<std::size_t>(page)); }
    std::string MonthPanelText(int month) const;
    controls::VerticalLabel& MonthPanel(int month) { return *month_panels_.at(static_cast<std::size_t>(month - 1)); }
    Gtk::Button& SelectButton(int month) { return *select_buttons_.at(static_cast<std::size_t>(month - 1)); }
    Gtk::Button& NewButton(int month) { return *new_buttons_.at(static_cast<std::size_t>(month - 1)); }
    Gtk::Button& OKButton() { return ok_button_; }
    Gtk::Button& ExitButton() { return exit_button_; }
    Gtk::Button& CloseButton() { return *close_button_; }

    // How files are chosen and an overwrite confirmed (tests put stand-ins here).
    ChooseFileFn choose_file = RealFileChooser();
    std::function<bool(const std::filesystem::path&)> confirm_overwrite;

protected:
    void on_show() override;
    bool CanClose(ModalResult result) override;
    bool on_key_press_event(GdkEventKey* event) override;

private:
    // The picture part of the calendar, list and daily pages.
    struct PictureControls {
        OptionColumn* under = nullptr;
        OptionColumn* full = nullptr;
        OptionColumn* corner = nullptr;
        std::array<OptionColumn*, 4> corners{};
        std::array<OptionColumn*, 3> levels{};
        std::vector<OptionColumn*> dependents; // enabled exactly when `under` is checked
        OptionGroup* corner_group = nullptr;   // its heading is drawn enabled with them
    };
    struct BoolBinding {
        OptionColumn* column;
        int page;
        bool config::PageOptions::*member;
    };

    void BuildPages();
    bool TabKeyPress(ConfigPage page, unsigned keyval);
    void StepPage(int direction);
    void ShowMonthPicture(int month);
    OptionColumn& AddOption(ConfigPage page, Gtk::Box& into, const std::string& caption, int height,
                            Gtk::RadioButtonGroup* group = nullptr);
    void AddBool(ConfigPage page, Gtk::Box& into, const std::string& caption, bool config::PageOptions::*member);
    void BuildCommonPage(Gtk::Box& page);
    void BuildPicturePart(ConfigPage page, Gtk::Box& into);
    void BuildMargins(int set, Gtk::Box& into);
    void AddNote(Gtk::Box& into, const std::string& text);
    void ShowMargin(MarginItem& item, int millimetres);
    Gtk::Box& NewPage(const std::string& name);
    void ApplyPictureEnabling(int page);
    void ShowSettings();
    void ReadBack();
    int& MarginValue(int set, int side);

    config::Settings settings_;
    const config::Settings given_; // the settings as the dialog was given them
    std::filesystem::path config_path_;
    base::Reporter& reporter_;
    bool month_page_preview_ = false;
    ConfigPage current_page_ = ConfigPage::kCommon;

    std::vector<std::unique_ptr<Gtk::Widget>> owned_;
    std::array<std::vector<OptionColumn*>, 6> options_;
    std::vector<BoolBinding> bools_;
    std::array<std::unique_ptr<PictureControls>, 3> pictures_; // pages 1 … 3
    std::array<OptionColumn*, 3> sizes_{};                     // 二分の一 … 四分の一
    std::array<OptionColumn*, 4> picture_sizes_{};             // 絵の大きさのまま …
    std::array<OptionColumn*, 2> day_positions_{};
    OptionColumn* day_top_ = nullptr;
    std::array<Gtk::RadioButton*, 8> list_positions_{};
    std::array<Gtk::RadioButton*, 4> poster_positions_{};
    std::array<controls::VerticalLabel*, 12> month_panels_{};
    std::array<Gtk::Button*, 12> select_buttons_{};
    std::array<Gtk::Button*, 12> new_buttons_{};
    std::vector<MarginItem*> margins_;
    MarginItem* margin_open_ = nullptr;

    Gtk::Box box_;
    Gtk::Overlay overlay_;
    // The pages scroll where the screen is smaller than the dialog; the tabs, 保存, 終了
    // and the title strip beside them stay in view.
    Gtk::ScrolledWindow pages_scroll_;
    Gtk::Stack stack_;
    Gtk::Box tab_column_;
    // The tabs scroll where the screen is lower than the tab column; 保存 and 終了 below
    // them stay in view.
    Gtk::ScrolledWindow tabs_scroll_;
    Gtk::Box tab_box_;
    std::array<Gtk::EventBox*, 6> tabs_{};
    Gtk::Button ok_button_, exit_button_;
    ColumnListBox margin_list_;
    controls::TitleStrip strip_;
    Gtk::Button* close_button_ = nullptr;
};

} // namespace dialogs
