// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/print_config_dialog.h"

#include "base/kanji_numbers.h"
#include "config/config_file.h"
#include "controls/accessible_names.h"
#include "controls/gdk_bitmap.h"
#include "controls/window_place.h"
#include "dialogs/glyphs.h"
#include "dialogs/picture_choice.h"
#include "pictures/picture_file.h"

#include <gdk/gdkkeysyms.h>
#include <gtkmm/frame.h>
#include <gtkmm/image.h>
#include <gtkmm/messagedialog.h>

#include <stdexcept>

namespace dialogs {
namespace {

namespace fs = std::filesystem;
using config::PageOptions;

constexpr int kMarginListWidth = 220;

const std::array<const char*, 6> kTabNames = {"共通", "暦", "一覧", "日めくり", "はり紙", "解説"};

std::size_t Index(ConfigPage page) {
    return static_cast<std::size_t>(page);
}

// The value shown for a stored number: 1 … count − 1 pick their button, anything else
// the last one.
std::size_t Pick(int value, int count) {
    return value >= 1 && value < count ? static_cast<std::size_t>(value - 1) : static_cast<std::size_t>(count - 1);
}

// The number of the first active button (1 based), else the count.
template <class Buttons> int FirstActive(const Buttons& buttons) {
    for (std::size_t i = 0; i + 1 < buttons.size(); ++i) {
        if (buttons[i]->get_active()) return static_cast<int>(i) + 1;
    }
    return static_cast<int>(buttons.size());
}

template <class Columns> int FirstActiveColumn(const Columns& columns) {
    for (std::size_t i = 0; i + 1 < columns.size(); ++i) {
        if (columns[i]->Active()) return static_cast<int>(i) + 1;
    }
    return static_cast<int>(columns.size());
}

bool AskOverwrite(Gtk::Window& owner, const fs::path& path) {
    Gtk::MessageDialog ask(owner, path.filename().string() + " は既にあります。置き換えますか？", false,
                           Gtk::MESSAGE_QUESTION, Gtk::BUTTONS_YES_NO, true);
    ask.set_title("確認");
    const int answer = ask.run();
    return answer == Gtk::RESPONSE_YES;
}

} // namespace

PrintConfigDialog::PrintConfigDialog(Gtk::Window* owner, const config::Settings& settings, fs::path config_path,
                                     base::Reporter& reporter)
    : ModalWindow(owner, "印刷設定"), settings_(settings), given_(settings), config_path_(std::move(config_path)),
      reporter_(reporter), box_(Gtk::ORIENTATION_HORIZONTAL), tab_column_(Gtk::ORIENTATION_VERTICAL),
      tab_box_(Gtk::ORIENTATION_VERTICAL),
      margin_list_("ＭＳ Ｐゴシック", -12) {
    set_name("qelmarin-print-config");
    set_position(Gtk::WIN_POS_CENTER);
    add(box_);
    add_events(Gdk::BUTTON_PRESS_MASK);
    // A press on the window's background (not on a control) drags the window.
    signal_button_press_event().connect([this](GdkEventButton* event) {
        if (event->window != get_window()->gobj()) return false;
        controls::BeginWindowMove(*this, event);
        return true;
    });

    stack_.set_transition_type(Gtk::STACK_TRANSITION_TYPE_NONE);
    stack_.set_border_width(8);
    overlay_.add(stack_);
    pages_scroll_.add(overlay_);
    controls::SetAccessibleName(pages_scroll_, "設定のページ");
    box_.pack_start(pages_scroll_, true, true);

    BuildPages();

    // The margin list drops over the page.
    margin_list_.set_halign(Gtk::ALIGN_START);
    margin_list_.set_valign(Gtk::ALIGN_START);
    margin_list_.set_no_show_all(true);
    margin_list_.on_press = [this](std::optional<int> value) {
        if (!value || !margin_open_) return; // beside every column: nothing happens
        const int set = margin_open_->Tag() / 10, side = margin_open_->Tag() % 10;
        MarginValue(set, side) = *value;
        margin_list_.hide();
        ShowMargin(*margin_open_, *value);
        margin_open_ = nullptr;
    };
    overlay_.add_overlay(margin_list_);
    controls::SetAccessibleName(margin_list_.EntryArea(), "余白の一覧", Atk::ROLE_LIST);

    // The tab column, OK and Exit below it.
    tab_column_.set_border_width(4);
    tab_column_.set_spacing(2);
    for (std::size_t i = 0; i < kTabNames.size(); ++i) {
        auto tab = std::make_unique<Gtk::EventBox>();
        auto label = std::make_unique<controls::VerticalLabel>(kTabNames[i], 15, 60);
        label->SetTransparent(true);
        label->set_halign(Gtk::ALIGN_CENTER);
        label->set_margin_top(4);
        tab->add(*label);
        tab->set_size_request(24, 68);
        tab->add_events(Gdk::BUTTON_PRESS_MASK);
        const auto page = static_cast<ConfigPage>(i);
        tab->signal_button_press_event().connect([this, page](GdkEventButton* event) {
            if (event->type == GDK_BUTTON_PRESS) ChoosePage(page);
            return true;
        });
        // From the keyboard: a Tab stop; Enter or Space choose its page, the arrows the
        // tab above or below.
        tab->set_can_focus(true);
        tab->add_events(Gdk::KEY_PRESS_MASK | Gdk::FOCUS_CHANGE_MASK);
        tab->signal_key_press_event().connect(
            [this, page](GdkEventKey* event) { return TabKeyPress(page, event->keyval); }, false);
        Gtk::EventBox* shown = tab.get();
        tab->signal_draw().connect(
            [this, shown](const Cairo::RefPtr<Cairo::Context>& cr) {
                // The keyboard's place: a navy ring inside the focused tab.
                if (shown->has_focus() && get_focus_visible()) {
                    cr->set_source_rgb(0, 0, 0.5);
                    cr->set_line_width(2);
                    cr->rectangle(2, 2, shown->get_allocated_width() - 4, shown->get_allocated_height() - 4);
                    cr->stroke();
                }
                return false;
            },
            true);
        tab->signal_focus_in_event().connect([shown](GdkEventFocus*) {
            shown->queue_draw();
            return false;
        });
        tab->signal_focus_out_event().connect([shown](GdkEventFocus*) {
            shown->queue_draw();
            return false;
        });
        // Each tab a raised panel.
        auto frame = std::make_unique<Gtk::Frame>();
        frame->set_shadow_type(Gtk::SHADOW_OUT);
        frame->add(*tab);
        tab_box_.pack_start(*frame, false, false);
        controls::SetAccessibleName(*tab, kTabNames[i], Atk::ROLE_PAGE_TAB);
        tabs_[i] = tab.get();
        owned_.push_back(std::move(label));
        owned_.push_back(std::move(tab));
        owned_.push_back(std::move(frame));
    }
    auto glyph_button = [](Gtk::Button& button, const std::string& caption, const std::string& hint) {
        button.add(*Gtk::manage(new Gtk::Image(CaptionGlyph(caption, 20, 44))));
        button.set_size_request(24, 52);
        button.get_style_context()->add_class("qelmarin-flat");
        button.set_tooltip_text(hint);
        button.set_focus_on_click(false);
        // Read by a screen reader as the caption it shows, with the tooltip as its description.
        controls::SetAccessibleName(button, caption);
        button.get_accessible()->set_description(hint);
    };
    glyph_button(exit_button_, "終了", "保存せずに閉じる");
    glyph_button(ok_button_, "保存", "設定を保存して閉じる");
    tab_box_.set_spacing(2);
    tabs_scroll_.add(tab_box_);
    controls::SetAccessibleName(tabs_scroll_, "ページの見出し");
    tab_column_.pack_start(tabs_scroll_, false, false);
    tab_column_.pack_end(exit_button_, false, false);
    tab_column_.pack_end(ok_button_, false, false);
    ok_button_.signal_clicked().connect([this] { Save(); });
    exit_button_.signal_clicked().connect([this] { Cancel(); });
    box_.pack_start(tab_column_, false, false);

    strip_.AddLabel("Kalvorin", 22, 70);
    strip_.AddLabel("印", 96, 16);
    strip_.AddLabel("刷", 112, 16);
    close_button_ = &strip_.AddCloseButton();
    close_button_->signal_clicked().connect([this] { Cancel(); });
    box_.pack_start(strip_, false, false);
    // The work area less 保存, 終了 and the column's border and spacing for the tabs; less the
    // tab column and the strip for the pages.
    const Gdk::Rectangle area = controls::WorkAreaOf(owner);
    int least = 0, tabs = 0, strip = 0, buttons = 0;
    ok_button_.get_preferred_height(least, buttons);
    controls::ScrollWhenLarger(tabs_scroll_, area.get_width(), area.get_height() - 2 * buttons - 4 * 2 - 2 * 2);
    tab_column_.get_preferred_width(least, tabs);
    strip_.get_preferred_width(least, strip);
    controls::ScrollWhenLarger(pages_scroll_, area.get_width() - tabs - strip, area.get_height(), true);
    box_.show_all();
    ChoosePage(ConfigPage::kCommon);
}

PrintConfigDialog::~PrintConfigDialog() = default;

OptionColumn& PrintConfigDialog::Option(ConfigPage page, std::string_view caption, int nth) {
    for (OptionColumn* column : options_[Index(page)]) {
        if (column->Caption() == caption && nth-- == 0) return *column;
    }
    throw std::out_of_range("no option " + std::string(caption));
}

MarginItem& PrintConfigDialog::Margin(int tag) {
    for (MarginItem* item : margins_) {
        if (item->Tag() == tag) return *item;
    }
    throw std::out_of_range("no margin " + std::to_string(tag));
}

std::string PrintConfigDialog::MonthPanelText(int month) const {
    return month_panels_.at(static_cast<std::size_t>(month - 1))->Caption();
}

int& PrintConfigDialog::MarginValue(int set, int side) {
    PageOptions& page = settings_.page(set);
    switch (side) {
    case 1:
        return page.up_space;
    case 2:
        return page.down_space;
    case 3:
        return page.left_space;
    default:
        return page.right_space;
    }
}

void PrintConfigDialog::ApplyPictureEnabling(int page) {
    PictureControls& controls = *pictures_.at(static_cast<std::size_t>(page - 1));
    const bool enabled = controls.under->Active();
    for (OptionColumn* column : controls.dependents)
        column->Enable(enabled);
    // The group's heading greys with its buttons, so the navy does not call for a choice
    // that cannot be made.
    controls.corner_group->CaptionLabel().set_sensitive(enabled);
    controls.corner_group->CaptionLabel().queue_draw();
}

controls::VerticalLabel& PrintConfigDialog::CornerGroupCaption(ConfigPage page) {
    return pictures_.at(static_cast<std::size_t>(static_cast<int>(page) - 1))->corner_group->CaptionLabel();
}

void PrintConfigDialog::on_show() {
    ShowSettings();
    ModalWindow::on_show();
}

// The controls from the settings; values outside a control's choices show its last choice.
void PrintConfigDialog::ShowSettings() {
    sizes_[settings_.preview_scale == 2 ? 0 : settings_.preview_scale == 3 ? 1 : 2]->SetActive(true);
    const int ps = settings_.picture_size;
    picture_sizes_[ps >= 0 && ps <= 2 ? static_cast<std::size_t>(ps) : 3]->SetActive(true);
    for (int month = 1; month <= 12; ++month)
        ShowMonthPicture(month);
    for (const BoolBinding& b : bools_)
        b.column->SetActive(settings_.page(b.page).*b.member);
    for (int n = 1; n <= 3; ++n) {
        PictureControls& c = *pictures_[static_cast<std::size_t>(n - 1)];
        const PageOptions& page = settings_.page(n);
        c.under->SetActive(page.under_bitmap);
        (page.full_bmp ? c.full : c.corner)->SetActive(true);
        c.corners[Pick(page.corner_bmp, 4)]->SetActive(true);
        c.levels[Pick(page.color_level, 3)]->SetActive(true);
        ApplyPictureEnabling(n);
    }
    list_positions_[Pick(settings_.page(2).c_print_pos, 8)]->set_active(true);
    poster_positions_[Pick(settings_.page(4).c_print_pos, 4)]->set_active(true);
    day_positions_[settings_.page(3).day_print_pos == 1 ? 0 : 1]->SetActive(true);
    day_top_->SetActive(false);
    for (MarginItem* item : margins_) {
        ShowMargin(*item, MarginValue(item->Tag() / 10, item->Tag() % 10));
    }
}

// The value drawn as the page shows it ("一○"), read by a screen reader as "10ミリ".
void PrintConfigDialog::ShowMargin(MarginItem& item, int millimetres) {
    item.ValueLabel().SetCaption(MarginText(millimetres));
    controls::SetAccessibleName(item.ValueLabel(), MarginSpoken(millimetres));
    item.ValueLabel().queue_draw();
}

void PrintConfigDialog::ReadBack() {
    settings_.preview_scale = sizes_[0]->Active() ? 2 : sizes_[1]->Active() ? 3 : 4;
    settings_.picture_size = FirstActiveColumn(picture_sizes_) - 1;
    for (const BoolBinding& b : bools_)
        settings_.page(b.page).*b.member = b.column->Active();
    for (int n = 1; n <= 3; ++n) {
        PictureControls& c = *pictures_[static_cast<std::size_t>(n - 1)];
        PageOptions& page = settings_.page(n);
        page.under_bitmap = c.under->Active();
        page.full_bmp = c.full->Active();
        page.corner_bmp = FirstActiveColumn(c.corners);
        page.color_level = FirstActiveColumn(c.levels);
    }
    settings_.page(2).c_print_pos = FirstActive(list_positions_);
    settings_.page(4).c_print_pos = FirstActive(poster_positions_);
    settings_.page(3).day_print_pos = day_positions_[0]->Active() ? 1 : 2;
    month_page_preview_ = day_top_->Active();
}

// OK writes the settings that differ from those the dialog was given (a stored value that no
// control can show is written as the choice shown for it), at once, into the file as it is
// now: a setting left alone keeps whatever the host or another program wrote meanwhile. A write that fails
// has been reported and keeps the dialog open with everything the user set.
bool PrintConfigDialog::CanClose(ModalResult result) {
    margin_list_.hide();
    if (result != ModalResult::kOk) return true;
    ReadBack();
    config::ConfigFile file(config_path_, &reporter_);
    if (!config::PrintSettingEdits(given_, settings_).WriteTo(file)) return false;
    config::ReadPrintSettings(file, settings_);
    return true;
}

void PrintConfigDialog::Save() {
    EndModal(ModalResult::kOk);
}

void PrintConfigDialog::Cancel() {
    EndModal(ModalResult::kCancel);
}

void PrintConfigDialog::ChoosePage(ConfigPage page) {
    margin_list_.hide();
    margin_open_ = nullptr;
    current_page_ = page;
    stack_.set_visible_child(*stack_.get_children().at(Index(page)));
    for (std::size_t i = 0; i < tabs_.size(); ++i) {
        const base::Color color =
            i == Index(page) ? base::kWhite : controls::SystemColor(controls::SystemColorRole::kButtonFace);
        tabs_[i]->override_background_color(controls::ToRgba(color));
    }
}

bool PrintConfigDialog::TabKeyPress(ConfigPage page, unsigned keyval) {
    switch (keyval) {
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
    case GDK_KEY_space:
        ChoosePage(page);
        return true;
    case GDK_KEY_Up:
    case GDK_KEY_KP_Up:
        StepPage(-1);
        return true;
    case GDK_KEY_Down:
    case GDK_KEY_KP_Down:
        StepPage(1);
        return true;
    default:
        return false;
    }
}

// The page above (−1) or below (1) in the tab column, round from the last to the first; the
// keyboard goes to its tab.
void PrintConfigDialog::StepPage(int direction) {
    const int count = static_cast<int>(kTabNames.size());
    const int next = (static_cast<int>(Index(current_page_)) + direction + count) % count;
    ChoosePage(static_cast<ConfigPage>(next));
    tabs_[static_cast<std::size_t>(next)]->grab_focus();
}

// Ctrl+Page Up and Ctrl+Page Down turn the pages from anywhere in the dialog.
bool PrintConfigDialog::on_key_press_event(GdkEventKey* event) {
    if ((event->state & GDK_CONTROL_MASK) != 0) {
        if (event->keyval == GDK_KEY_Page_Up || event->keyval == GDK_KEY_KP_Page_Up) {
            StepPage(-1);
            return true;
        }
        if (event->keyval == GDK_KEY_Page_Down || event->keyval == GDK_KEY_KP_Page_Down) {
            StepPage(1);
            return true;
        }
    }
    return ModalWindow::on_key_press_event(event);
}

// The month's panel writes the file's name downward; a name longer than the panel shows
// whole in the panel's tooltip.
void PrintConfigDialog::ShowMonthPicture(int month) {
    const auto i = static_cast<std::size_t>(month - 1);
    controls::VerticalLabel& panel = *month_panels_[i];
    panel.SetCaption(settings_.month_pictures[i]);
    panel.set_tooltip_text(settings_.month_pictures[i]);
    // Read by a screen reader as the file's name; a month without a picture by its month.
    const std::string month_name = std::string(base::KanjiNumerals[static_cast<std::size_t>(month)]) + "月";
    controls::SetAccessibleName(panel, settings_.month_pictures[i].empty() ? month_name : settings_.month_pictures[i],
                                Atk::ROLE_LABEL);
    panel.queue_draw();
}

void PrintConfigDialog::ChooseMonthPicture(int month) {
    const std::optional<std::string> name =
        ChooseMonthPictureFile(choose_file, this, settings_.data_folder, reporter_);
    if (!name) return;
    const auto i = static_cast<std::size_t>(month - 1);
    settings_.month_pictures[i] = *name;
    ShowMonthPicture(month);
}

// The new .cmp goes into the data folder, where month pictures are looked for; a picture
// of that name already there is replaced only when the user agrees.
void PrintConfigDialog::NewMonthPicture(int month) {
    const auto chosen = choose_file(this, PictureFileType::kBmpOrJpeg, settings_.data_folder);
    if (!chosen) return;
    const fs::path target = NewCmpPathFor(*chosen, settings_.data_folder);
    std::error_code ec;
    if (fs::exists(target, ec)) {
        const bool replace = confirm_overwrite ? confirm_overwrite(target) : AskOverwrite(*this, target);
        if (!replace) return;
    }
    if (!pictures::MakeCmpFile(*chosen, target, reporter_)) return;
    const auto i = static_cast<std::size_t>(month - 1);
    settings_.month_pictures[i] = target.filename().string();
    ShowMonthPicture(month);
}

void PrintConfigDialog::ToggleMarginList(int tag) {
    if (margin_list_.get_visible()) {
        margin_list_.hide();
        margin_open_ = nullptr;
        return;
    }
    MarginItem& item = Margin(tag);
    margin_open_ = &item;
    const int value = MarginValue(tag / 10, tag % 10);
    // Beside the button, from its top to the bottom of its value label: to its right when
    // the list fits there, else to its left (the margins of the 解説 page stand at the
    // page's right edge), never reaching out of the page.
    int x = 0, y = 0;
    item.Button().translate_coordinates(overlay_, item.Button().get_allocated_width(), 0, x, y);
    const int height = item.Button().get_allocated_height() + item.ValueLabel().get_allocated_height() + 2;
    const int page_width = overlay_.get_allocated_width();
    const int width = std::min(kMarginListWidth, page_width);
    if (x + width > page_width) x = std::max(0, x - item.Button().get_allocated_width() - width);
    margin_list_.set_margin_start(std::max(0, x));
    margin_list_.set_margin_top(std::max(0, y));
    margin_list_.set_size_request(-1, height + 18); // room for the scroll bar and the border
    std::vector<std::pair<int, std::string>> entries;
    for (int v = 40; v >= 0; --v)
        entries.emplace_back(v, MarginText(v) + " 粍");
    margin_list_.spoken_name = [](int v, const std::string&) { return MarginSpoken(v); };
    margin_list_.SetEntries(std::move(entries), value, width);
    margin_list_.show();
    margin_list_.EntryArea().show();
    margin_list_.ScrollToHighlighted();
}

void PrintConfigDialog::MarginListPress(int x, int y) {
    margin_list_.PressAt(x, y);
}

} // namespace dialogs
