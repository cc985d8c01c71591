#include "dialogs/print_config_form.h"

#include "base/kanji_numbers.h"
#include "config/config_file.h"
#include "controls/gdk_bitmap.h"
#include "dialogs/glyphs.h"
#include "dialogs/picture_choice.h"
#include "pictures/picture_file.h"

#include <gtkmm/frame.h>
#include <gtkmm/grid.h>
#include <gtkmm/image.h>
#include <gtkmm/messagedialog.h>

#include <stdexcept>

namespace dialogs {
namespace {

namespace fs = std::filesystem;
using config::PageOptions;

constexpr int kLongLabel = 150; // captions of up to ten characters
constexpr int kShortLabel = 45; // 右下, 薄く, …
constexpr int kMarginListWidth = 220;

const std::array<const char*, 6> kTabNames = {"共通", "暦", "一覧", "日めくり", "はり紙", "解説"};
const std::array<const char*, 4> kCornerCaptions = {"右下", "右上", "左下", "左上"};
const std::array<const char*, 3> kLevelCaptions = {"薄く", "中間", "濃く"};
const std::array<const char*, 4> kSideCaptions = {"上", "下", "左", "右"};
constexpr const char* kLongPrintNote = "用紙全体に絵を印刷した場合印刷時間が長くかかります";

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

// The picture part of the calendar, list and daily pages.
struct TPrintConfigForm::PictureControls {
    OptionColumn* under = nullptr;
    OptionColumn* full = nullptr;
    OptionColumn* corner = nullptr;
    std::array<OptionColumn*, 4> corners{};
    std::array<OptionColumn*, 3> levels{};
    std::vector<OptionColumn*> dependents; // enabled exactly when `under` is checked
};

TPrintConfigForm::TPrintConfigForm(Gtk::Window* owner, const config::Settings& settings, fs::path config_path,
                                   base::Reporter& reporter)
    : ModalWindow(owner, "印刷設定"), settings_(settings), config_path_(std::move(config_path)), reporter_(reporter),
      box_(Gtk::ORIENTATION_HORIZONTAL), tab_column_(Gtk::ORIENTATION_VERTICAL),
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
    box_.pack_start(overlay_, true, true);

    BuildCommonPage(NewPage(ConfigPage::kCommon, "common"));

    // Calendar page.
    {
        const ConfigPage p = ConfigPage::kCalendar;
        Gtk::Box& page = NewPage(p, "calendar");
        AddBool(p, page, "日をアラビア数字で印刷", &PageOptions::day_english);
        AddBool(p, page, "休日を反転表示して印刷", &PageOptions::holiday_reverse);
        AddBool(p, page, "旧暦日付を印刷する", &PageOptions::old_day_print);
        AddBool(p, page, "六曜を印刷する", &PageOptions::rokuyou_print);
        AddBool(p, page, "干支を印刷する", &PageOptions::eto_print);
        AddBool(p, page, "雑節を印刷する", &PageOptions::zatsu_print);
        AddBool(p, page, "吉凶を印刷する", &PageOptions::kikkyou1);
        AddBool(p, page, "暦注下段を印刷する", &PageOptions::kikkyou2);
        AddBool(p, page, "運気を印刷する", &PageOptions::unki);
        AddBool(p, page, "節季を印刷する", &PageOptions::sekki);
        BuildPicturePart(p, page);
        BuildMargins(1, page);
        AddNote(page, kLongPrintNote);
    }
    // List page.
    {
        const ConfigPage p = ConfigPage::kList;
        Gtk::Box& page = NewPage(p, "list");
        AddBool(p, page, "左から日付を並べる", &PageOptions::lr_print);
        AddBool(p, page, "暦を併用して印刷", &PageOptions::calendar_print);
        auto group = std::make_unique<OptionGroup>("暦の印刷位置", 90);
        auto grid = std::make_unique<Gtk::Grid>();
        grid->set_row_spacing(2);
        grid->set_column_spacing(2);
        Gtk::RadioButtonGroup positions;
        for (int n = 1; n <= 8; ++n) {
            auto button = std::make_unique<Gtk::RadioButton>(positions);
            button->set_mode(false);
            button->add(*Gtk::manage(new Gtk::Image(ListPositionGlyph(n, 44, 34))));
            button->set_focus_on_click(false);
            // Buttons 1 … 4 in the right column, 5 … 8 in the left, top to bottom.
            grid->attach(*button, n <= 4 ? 1 : 0, (n - 1) % 4);
            list_positions_[static_cast<std::size_t>(n - 1)] = button.get();
            owned_.push_back(std::move(button));
        }
        group->AddColumn(*grid);
        page.pack_end(*group, false, false, 4);
        owned_.push_back(std::move(grid));
        owned_.push_back(std::move(group));
        BuildPicturePart(p, page);
        BuildMargins(2, page);
        AddNote(page, kLongPrintNote);
    }
    // Daily page.
    {
        const ConfigPage p = ConfigPage::kDaily;
        Gtk::Box& page = NewPage(p, "daily");
        AddBool(p, page, "日をアラビア数字で印刷", &PageOptions::day_english);
        AddBool(p, page, "旧暦日付を印刷する", &PageOptions::old_day_print);
        AddBool(p, page, "六曜を印刷する", &PageOptions::rokuyou_print);
        AddBool(p, page, "干支を印刷する", &PageOptions::eto_print);
        AddBool(p, page, "雑節を印刷する", &PageOptions::zatsu_print);
        AddBool(p, page, "吉凶を印刷する", &PageOptions::kikkyou1);
        AddBool(p, page, "暦注下段を印刷する", &PageOptions::kikkyou2);
        AddBool(p, page, "運気を印刷する", &PageOptions::unki);
        AddBool(p, page, "節季を印刷する", &PageOptions::sekki);
        AddBool(p, page, "七十二候の絵を使う", &PageOptions::kou_bmp_use);
        auto group = std::make_unique<OptionGroup>("日の印刷位置", 90);
        Gtk::RadioButtonGroup positions;
        day_positions_[0] = &AddOption(p, *group, "右上", kShortLabel, &positions);
        day_positions_[1] = &AddOption(p, *group, "右下", kShortLabel, &positions);
        page.pack_end(*group, false, false, 4);
        owned_.push_back(std::move(group));
        day_top_ = &AddOption(p, page, "確認画面で月頁を表示する", kLongLabel + 30);
        BuildPicturePart(p, page);
        BuildMargins(3, page);
        AddNote(page, kLongPrintNote);
    }
    // Poster page.
    {
        Gtk::Box& page = NewPage(ConfigPage::kPoster, "poster");
        auto group = std::make_unique<OptionGroup>("暦の印刷位置", 90);
        auto column = std::make_unique<Gtk::Box>(Gtk::ORIENTATION_VERTICAL, 2);
        Gtk::RadioButtonGroup positions;
        for (int n = 1; n <= 4; ++n) {
            auto button = std::make_unique<Gtk::RadioButton>(positions);
            button->set_mode(false);
            button->add(*Gtk::manage(new Gtk::Image(PosterPositionGlyph(n, 44, 56))));
            button->set_focus_on_click(false);
            column->pack_start(*button, false, false);
            poster_positions_[static_cast<std::size_t>(n - 1)] = button.get();
            owned_.push_back(std::move(button));
        }
        group->AddColumn(*column);
        page.pack_end(*group, false, false, 4);
        owned_.push_back(std::move(column));
        owned_.push_back(std::move(group));
        BuildMargins(4, page);
        AddNote(page, "下地の絵は本来の濃さで、印刷されます。");
    }
    // Commentary page.
    {
        Gtk::Box& page = NewPage(ConfigPage::kHelp, "help");
        BuildMargins(5, page);
        AddNote(page, "下地の絵は印刷できません");
    }

    // The margin list drops over the page.
    margin_list_.set_halign(Gtk::ALIGN_START);
    margin_list_.set_valign(Gtk::ALIGN_START);
    margin_list_.set_no_show_all(true);
    margin_list_.on_press = [this](std::optional<int> value) {
        if (!value || !margin_open_) return; // beside every column: nothing happens
        const int set = margin_open_->Tag() / 10, side = margin_open_->Tag() % 10;
        MarginValue(set, side) = *value;
        margin_list_.hide();
        margin_open_->ValueLabel().SetCaption(MarginText(*value));
        margin_open_->ValueLabel().queue_draw();
        margin_open_ = nullptr;
    };
    overlay_.add_overlay(margin_list_);

    // The tab column, OK and Exit below it.
    tab_column_.set_border_width(4);
    tab_column_.set_spacing(2);
    for (std::size_t i = 0; i < kTabNames.size(); ++i) {
        auto tab = std::make_unique<Gtk::EventBox>();
        auto label = std::make_unique<controls::TVLabel>(kTabNames[i], 15, 60);
        label->SetTransparent(true);
        tab->add(*label);
        tab->set_size_request(24, 64);
        tab->add_events(Gdk::BUTTON_PRESS_MASK);
        const auto page = static_cast<ConfigPage>(i);
        tab->signal_button_press_event().connect([this, page](GdkEventButton* event) {
            if (event->type == GDK_BUTTON_PRESS) ChoosePage(page);
            return true;
        });
        tab_column_.pack_start(*tab, false, false);
        tabs_[i] = tab.get();
        owned_.push_back(std::move(label));
        owned_.push_back(std::move(tab));
    }
    auto glyph_button = [](Gtk::Button& button, const std::string& caption, const std::string& hint) {
        button.add(*Gtk::manage(new Gtk::Image(CaptionGlyph(caption, 20, 44))));
        button.set_size_request(24, 52);
        button.get_style_context()->add_class("qelmarin-flat");
        button.set_tooltip_text(hint);
        button.set_focus_on_click(false);
    };
    glyph_button(exit_button_, "終了", "保存せずに閉じる");
    glyph_button(ok_button_, "保存", "設定を保存して閉じる");
    tab_column_.pack_end(exit_button_, false, false);
    tab_column_.pack_end(ok_button_, false, false);
    ok_button_.signal_clicked().connect([this] { OKButtonClick(); });
    exit_button_.signal_clicked().connect([this] { ExitButtonClick(); });
    box_.pack_start(tab_column_, false, false);

    strip_.AddLabel("Kalvorin", 22, 70);
    strip_.AddLabel("印", 96, 16);
    strip_.AddLabel("刷", 112, 16);
    close_button_ = &strip_.AddCloseButton();
    close_button_->signal_clicked().connect([this] { ExitButtonClick(); });
    box_.pack_start(strip_, false, false);
    box_.show_all();
    ChoosePage(ConfigPage::kCommon);
}

TPrintConfigForm::~TPrintConfigForm() = default;

Gtk::Box& TPrintConfigForm::NewPage(ConfigPage page, const std::string& name) {
    auto box = std::make_unique<Gtk::Box>(Gtk::ORIENTATION_HORIZONTAL, 2);
    stack_.add(*box, name);
    Gtk::Box& result = *box;
    owned_.push_back(std::move(box));
    (void)page;
    return result;
}

OptionColumn& TPrintConfigForm::AddOption(ConfigPage page, Gtk::Box& into, const std::string& caption, int height,
                                          Gtk::RadioButtonGroup* group) {
    auto column = std::make_unique<OptionColumn>(caption, height, group);
    if (auto* g = dynamic_cast<OptionGroup*>(&into)) {
        g->AddColumn(*column);
    } else {
        into.pack_end(*column, false, false);
    }
    OptionColumn& result = *column;
    options_[Index(page)].push_back(&result);
    owned_.push_back(std::move(column));
    return result;
}

void TPrintConfigForm::AddBool(ConfigPage page, Gtk::Box& into, const std::string& caption,
                               bool PageOptions::*member) {
    OptionColumn& column = AddOption(page, into, caption, kLongLabel);
    bools_.push_back({&column, static_cast<int>(page), member});
}

void TPrintConfigForm::AddNote(Gtk::Box& into, const std::string& text) {
    auto note = std::make_unique<controls::TVLabel>(text, 32, 230);
    note->SetWordWrap(true);
    note->SetTransparent(true);
    controls::LabelFont font;
    font.color = 0x800000;
    note->SetFont(font);
    into.pack_end(*note, false, false, 6);
    owned_.push_back(std::move(note));
}

void TPrintConfigForm::BuildCommonPage(Gtk::Box& page) {
    const ConfigPage p = ConfigPage::kCommon;
    auto scale = std::make_unique<OptionGroup>("確認画面の縮尺", 120);
    Gtk::RadioButtonGroup scale_group;
    sizes_[0] = &AddOption(p, *scale, "二分の一", 80, &scale_group);
    sizes_[1] = &AddOption(p, *scale, "三分の一", 80, &scale_group);
    sizes_[2] = &AddOption(p, *scale, "四分の一", 80, &scale_group);
    page.pack_end(*scale, false, false, 4);
    owned_.push_back(std::move(scale));

    auto small = std::make_unique<OptionGroup>("絵を隅に小さく印刷する場合の縮小率", 250);
    Gtk::RadioButtonGroup small_group;
    picture_sizes_[0] = &AddOption(p, *small, "絵の大きさのまま", 130, &small_group);
    picture_sizes_[1] = &AddOption(p, *small, "用紙の横幅の二分の一", 130, &small_group);
    picture_sizes_[2] = &AddOption(p, *small, "用紙の横幅の四分の一", 130, &small_group);
    picture_sizes_[3] = &AddOption(p, *small, "用紙の横幅の六分の一", 130, &small_group);
    page.pack_end(*small, false, false, 4);
    owned_.push_back(std::move(small));

    // The month pictures: a row per month, the heads 新規 and 選択 over the buttons.
    auto table = std::make_unique<Gtk::Grid>();
    table->set_row_spacing(1);
    table->set_column_spacing(2);
    auto title = std::make_unique<Gtk::Label>("月別の絵のファイル名");
    table->attach(*title, 0, 0, 3, 1);
    auto head_new = std::make_unique<Gtk::Label>("新規");
    auto head_select = std::make_unique<Gtk::Label>("選択");
    table->attach(*head_new, 0, 1);
    table->attach(*head_select, 1, 1);
    owned_.push_back(std::move(title));
    owned_.push_back(std::move(head_new));
    owned_.push_back(std::move(head_select));
    for (int month = 1; month <= 12; ++month) {
        const auto i = static_cast<std::size_t>(month - 1);
        const std::string caption(base::KanjiNumerals[static_cast<std::size_t>(month)]);
        auto make = std::make_unique<Gtk::Button>(caption);
        auto select = std::make_unique<Gtk::Button>(caption);
        for (Gtk::Button* b : {make.get(), select.get()}) {
            b->get_style_context()->add_class("qelmarin-flat");
            b->set_size_request(40, 20);
            b->set_focus_on_click(false);
        }
        make->signal_clicked().connect([this, month] { NewMonthPicture(month); });
        select->signal_clicked().connect([this, month] { ChooseMonthPicture(month); });
        auto frame = std::make_unique<Gtk::Frame>();
        frame->set_shadow_type(Gtk::SHADOW_IN);
        auto name = std::make_unique<Gtk::Label>();
        name->set_xalign(0);
        name->set_size_request(170, 18);
        name->set_ellipsize(Pango::ELLIPSIZE_MIDDLE);
        name->override_background_color(controls::ToRgba(base::kWhite));
        frame->add(*name);
        frame->override_background_color(controls::ToRgba(base::kWhite));
        table->attach(*make, 0, month + 1);
        table->attach(*select, 1, month + 1);
        table->attach(*frame, 2, month + 1);
        new_buttons_[i] = make.get();
        select_buttons_[i] = select.get();
        month_panels_[i] = name.get();
        owned_.push_back(std::move(make));
        owned_.push_back(std::move(select));
        owned_.push_back(std::move(name));
        owned_.push_back(std::move(frame));
    }
    page.pack_end(*table, false, false, 8);
    owned_.push_back(std::move(table));
}

void TPrintConfigForm::BuildPicturePart(ConfigPage page, Gtk::Box& into) {
    auto controls = std::make_unique<PictureControls>();
    controls->under = &AddOption(page, into, "下地に指定の絵を印刷", kLongLabel);
    auto whole = std::make_unique<OptionGroup>("", 10);
    Gtk::RadioButtonGroup whole_group;
    controls->full = &AddOption(page, *whole, "用紙全体", 70, &whole_group);
    controls->corner = &AddOption(page, *whole, "隅に小さく", 70, &whole_group);
    into.pack_end(*whole, false, false, 2);
    auto corners = std::make_unique<OptionGroup>("隅に印刷する場合の位置", 170);
    Gtk::RadioButtonGroup corner_group;
    for (std::size_t i = 0; i < 4; ++i) {
        controls->corners[i] = &AddOption(page, *corners, kCornerCaptions[i], kShortLabel, &corner_group);
    }
    into.pack_end(*corners, false, false, 2);
    auto levels = std::make_unique<OptionGroup>("", 10);
    Gtk::RadioButtonGroup level_group;
    for (std::size_t i = 0; i < 3; ++i) {
        controls->levels[i] = &AddOption(page, *levels, kLevelCaptions[i], kShortLabel, &level_group);
    }
    into.pack_end(*levels, false, false, 2);
    controls->dependents = {controls->full, controls->corner};
    for (OptionColumn* c : controls->corners) controls->dependents.push_back(c);
    for (OptionColumn* c : controls->levels) controls->dependents.push_back(c);
    owned_.push_back(std::move(whole));
    owned_.push_back(std::move(corners));
    owned_.push_back(std::move(levels));
    const int n = static_cast<int>(page);
    controls->under->Box().signal_toggled().connect([this, n] { ApplyPictureEnabling(n); });
    pictures_[static_cast<std::size_t>(n - 1)] = std::move(controls);
}

void TPrintConfigForm::BuildMargins(int set, Gtk::Box& into) {
    auto group = std::make_unique<OptionGroup>("余白の長さ （ 単位は粍 ）", 180);
    for (int side = 1; side <= 4; ++side) {
        const int tag = 10 * set + side;
        auto item = std::make_unique<MarginItem>(tag, kSideCaptions[static_cast<std::size_t>(side - 1)]);
        item->Button().signal_clicked().connect([this, tag] { MarginButtonClick(tag); });
        group->AddColumn(*item);
        margins_.push_back(item.get());
        owned_.push_back(std::move(item));
    }
    into.pack_end(*group, false, false, 4);
    owned_.push_back(std::move(group));
}

OptionColumn& TPrintConfigForm::Option(ConfigPage page, std::string_view caption, int nth) {
    for (OptionColumn* column : options_[Index(page)]) {
        if (column->Caption() == caption && nth-- == 0) return *column;
    }
    throw std::out_of_range("no option " + std::string(caption));
}

MarginItem& TPrintConfigForm::Margin(int tag) {
    for (MarginItem* item : margins_) {
        if (item->Tag() == tag) return *item;
    }
    throw std::out_of_range("no margin " + std::to_string(tag));
}

std::string TPrintConfigForm::MonthPanelText(int month) const {
    return month_panels_.at(static_cast<std::size_t>(month - 1))->get_text();
}

int& TPrintConfigForm::MarginValue(int set, int side) {
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

void TPrintConfigForm::ApplyPictureEnabling(int page) {
    PictureControls& controls = *pictures_.at(static_cast<std::size_t>(page - 1));
    const bool enabled = controls.under->Active();
    for (OptionColumn* column : controls.dependents) column->Enable(enabled);
}

void TPrintConfigForm::on_show() {
    ShowSettings();
    ModalWindow::on_show();
}

// The controls from the settings; values outside a control's choices show its last choice.
void TPrintConfigForm::ShowSettings() {
    sizes_[settings_.preview_scale == 2 ? 0 : settings_.preview_scale == 3 ? 1 : 2]->SetActive(true);
    const int ps = settings_.picture_size;
    picture_sizes_[ps >= 0 && ps <= 2 ? static_cast<std::size_t>(ps) : 3]->SetActive(true);
    for (int month = 1; month <= 12; ++month) {
        const auto i = static_cast<std::size_t>(month - 1);
        month_panels_[i]->set_text(settings_.month_pictures[i]);
    }
    for (const BoolBinding& b : bools_) b.column->SetActive(settings_.page(b.page).*b.member);
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
        item->ValueLabel().SetCaption(MarginText(MarginValue(item->Tag() / 10, item->Tag() % 10)));
    }
}

void TPrintConfigForm::ReadBack() {
    settings_.preview_scale = sizes_[0]->Active() ? 2 : sizes_[1]->Active() ? 3 : 4;
    settings_.picture_size = FirstActiveColumn(picture_sizes_) - 1;
    for (const BoolBinding& b : bools_) settings_.page(b.page).*b.member = b.column->Active();
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

// OK writes every setting at once; a write that fails has been reported and keeps the
// dialog open with everything the user set.
bool TPrintConfigForm::CanClose(ModalResult result) {
    margin_list_.hide();
    if (result != ModalResult::kOk) return true;
    ReadBack();
    config::ConfigFile file(config_path_, &reporter_);
    return config::SavePrintSettings(file, settings_);
}

void TPrintConfigForm::OKButtonClick() {
    EndModal(ModalResult::kOk);
}

void TPrintConfigForm::ExitButtonClick() {
    EndModal(ModalResult::kCancel);
}

void TPrintConfigForm::ChoosePage(ConfigPage page) {
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

void TPrintConfigForm::ChooseMonthPicture(int month) {
    const auto chosen = choose_file(this, PictureFileType::kCmp, settings_.data_folder);
    if (!chosen) return;
    const ChosenPicture choice = CheckChosenCmp(*chosen, settings_.data_folder);
    if (!choice.error.empty()) {
        reporter_.ShowMessage(choice.error, kErrorCaption);
        return;
    }
    const auto i = static_cast<std::size_t>(month - 1);
    settings_.month_pictures[i] = choice.name;
    month_panels_[i]->set_text(choice.name);
}

// The new .cmp goes into the data folder, where month pictures are looked for; a picture
// of that name already there is replaced only when the user agrees.
void TPrintConfigForm::NewMonthPicture(int month) {
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
    month_panels_[i]->set_text(settings_.month_pictures[i]);
}

void TPrintConfigForm::MarginButtonClick(int tag) {
    if (margin_list_.get_visible()) {
        margin_list_.hide();
        margin_open_ = nullptr;
        return;
    }
    MarginItem& item = Margin(tag);
    margin_open_ = &item;
    const int value = MarginValue(tag / 10, tag % 10);
    // Beside the button, from its top to the bottom of its value label.
    int x = 0, y = 0;
    item.Button().translate_coordinates(overlay_, item.Button().get_allocated_width(), 0, x, y);
    const int height = item.Button().get_allocated_height() + item.ValueLabel().get_allocated_height() + 2;
    const int width = std::min(kMarginListWidth, std::max(60, overlay_.get_allocated_width() - x));
    margin_list_.set_margin_start(std::max(0, x));
    margin_list_.set_margin_top(std::max(0, y));
    margin_list_.set_size_request(width, height + 16); // room for the scroll bar
    std::vector<std::pair<int, std::string>> entries;
    for (int v = 40; v >= 0; --v) entries.emplace_back(v, MarginText(v) + " 粍");
    margin_list_.SetEntries(std::move(entries), value);
    margin_list_.show();
    margin_list_.PaintBox().show();
    margin_list_.ScrollToHighlighted();
}

void TPrintConfigForm::MarginListPress(int x, int y) {
    margin_list_.PressAt(x, y);
}

} // namespace dialogs
