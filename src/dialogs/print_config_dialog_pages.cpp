// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/print_config_dialog.h"

#include "base/kanji_numbers.h"
#include "controls/accessible_names.h"
#include "controls/gdk_bitmap.h"
#include "dialogs/glyphs.h"

#include <gtkmm/frame.h>
#include <gtkmm/grid.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>

#include <tuple>

// The six pages of the print configuration dialog and their controls.

namespace dialogs {
namespace {

using config::PageOptions;

constexpr int kLongLabel = 150; // captions of up to ten characters
constexpr int kShortLabel = 45; // 右下, 薄く, …

const std::array<const char*, 4> kCornerCaptions = {"右下", "右上", "左下", "左上"};
const std::array<const char*, 3> kLevelCaptions = {"薄く", "中間", "濃く"};
const std::array<const char*, 4> kSideCaptions = {"上", "下", "左", "右"};
constexpr const char* kLongPrintNote = "用紙全体に絵を印刷した場合印刷時間が長くかかります";

} // namespace

void PrintConfigDialog::BuildPages() {
    BuildCommonPage(NewPage("common"));

    // Calendar page.
    {
        const ConfigPage p = ConfigPage::kCalendar;
        Gtk::Box& page = NewPage("calendar");
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
        Gtk::Box& page = NewPage("list");
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
            static constexpr const char* kListPlaces[] = {"上の左", "上の右", "下の左", "下の右",
                                                          "左の上", "左の下", "右の上", "右の下"};
            button->set_tooltip_text(std::string("暦の印刷位置: ") + kListPlaces[n - 1]);
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
        Gtk::Box& page = NewPage("daily");
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
        Gtk::Box& page = NewPage("poster");
        auto group = std::make_unique<OptionGroup>("暦の印刷位置", 90);
        auto column = std::make_unique<Gtk::Box>(Gtk::ORIENTATION_VERTICAL, 2);
        Gtk::RadioButtonGroup positions;
        for (int n = 1; n <= 4; ++n) {
            auto button = std::make_unique<Gtk::RadioButton>(positions);
            button->set_mode(false);
            button->add(*Gtk::manage(new Gtk::Image(PosterPositionGlyph(n, 44, 56))));
            static constexpr const char* kPosterPlaces[] = {"左上", "右上", "左下", "右下"};
            button->set_tooltip_text(std::string("暦の印刷位置: ") + kPosterPlaces[n - 1]);
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
        Gtk::Box& page = NewPage("help");
        BuildMargins(5, page);
        AddNote(page, "下地の絵は印刷できません");
    }
}

Gtk::Box& PrintConfigDialog::NewPage(const std::string& name) {
    auto box = std::make_unique<Gtk::Box>(Gtk::ORIENTATION_HORIZONTAL, 2);
    stack_.add(*box, name);
    Gtk::Box& result = *box;
    owned_.push_back(std::move(box));
    return result;
}

OptionColumn& PrintConfigDialog::AddOption(ConfigPage page, Gtk::Box& into, const std::string& caption, int height,
                                           Gtk::RadioButtonGroup* group) {
    auto column = std::make_unique<OptionColumn>(caption, height, group);
    if (auto* g = dynamic_cast<OptionGroup*>(&into)) {
        g->AddColumn(*column);
    } else {
        into.pack_end(*column, false, false);
    }
    OptionColumn& result = *column;
    options_[static_cast<std::size_t>(page)].push_back(&result);
    owned_.push_back(std::move(column));
    return result;
}

void PrintConfigDialog::AddBool(ConfigPage page, Gtk::Box& into, const std::string& caption,
                                bool PageOptions::*member) {
    OptionColumn& column = AddOption(page, into, caption, kLongLabel);
    bools_.push_back({&column, static_cast<int>(page), member});
}

void PrintConfigDialog::AddNote(Gtk::Box& into, const std::string& text) {
    auto note = std::make_unique<controls::VerticalLabel>(text, 32, 230);
    note->SetWordWrap(true);
    note->SetTransparent(true);
    controls::LabelFont font;
    font.color = 0x800000;
    note->SetFont(font);
    into.pack_end(*note, false, false, 6);
    owned_.push_back(std::move(note));
}

void PrintConfigDialog::BuildCommonPage(Gtk::Box& page) {
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

    // The month pictures, read as the rest of the page is, from the right: the caption,
    // the heads 新規 and 選択 beside their rows of buttons, then a column per month from
    // 一 at the right to 十二 at the left, each with its 新規 and 選択 buttons over a
    // white panel that writes the picture file's name downward.
    constexpr int kButtonHeight = 36, kNameHeight = 170;
    auto table = std::make_unique<Gtk::Box>(Gtk::ORIENTATION_HORIZONTAL, 2);
    auto title = std::make_unique<controls::VerticalLabel>("月別の絵のファイル名", 15, kNameHeight);
    title->SetTransparent(true);
    table->pack_end(*title, false, false, 4);
    auto heads = std::make_unique<Gtk::Box>(Gtk::ORIENTATION_VERTICAL, 2);
    for (const char* head : {"新規", "選択"}) {
        auto label = std::make_unique<controls::VerticalLabel>(head, 15, kButtonHeight);
        label->SetTransparent(true);
        heads->pack_start(*label, false, false);
        owned_.push_back(std::move(label));
    }
    table->pack_end(*heads, false, false, 2);
    owned_.push_back(std::move(title));
    owned_.push_back(std::move(heads));
    for (int month = 1; month <= 12; ++month) {
        const auto i = static_cast<std::size_t>(month - 1);
        const std::string caption(base::KanjiNumerals[static_cast<std::size_t>(month)]);
        auto column = std::make_unique<Gtk::Box>(Gtk::ORIENTATION_VERTICAL, 2);
        auto make = std::make_unique<Gtk::Button>();
        auto select = std::make_unique<Gtk::Button>();
        // Each read as what it does for its month: "一月の絵を新しく作る", "一月の絵を選ぶ".
        for (const auto& [b, head, deed] : {std::tuple{make.get(), "新規", "月の絵を新しく作る"},
                                            std::tuple{select.get(), "選択", "月の絵を選ぶ"}}) {
            b->add(*Gtk::manage(new Gtk::Image(CaptionGlyph(caption, 18, kButtonHeight - 6))));
            b->get_style_context()->add_class("qelmarin-flat");
            b->set_size_request(22, kButtonHeight);
            b->set_focus_on_click(false);
            controls::SetAccessibleName(*b, caption + deed);
            b->get_accessible()->set_description(std::string(head) + " " + caption + "月");
        }
        make->signal_clicked().connect([this, month] { NewMonthPicture(month); });
        select->signal_clicked().connect([this, month] { ChooseMonthPicture(month); });
        auto frame = std::make_unique<Gtk::Frame>();
        frame->set_shadow_type(Gtk::SHADOW_IN);
        auto name = std::make_unique<controls::VerticalLabel>("", 15, kNameHeight);
        name->SetColor(base::kWhite);
        name->set_margin_start(2);
        name->set_margin_end(2);
        frame->add(*name);
        frame->override_background_color(controls::ToRgba(base::kWhite));
        column->pack_start(*make, false, false);
        column->pack_start(*select, false, false);
        column->pack_start(*frame, false, false);
        table->pack_end(*column, false, false);
        new_buttons_[i] = make.get();
        select_buttons_[i] = select.get();
        month_panels_[i] = name.get();
        owned_.push_back(std::move(make));
        owned_.push_back(std::move(select));
        owned_.push_back(std::move(name));
        owned_.push_back(std::move(frame));
        owned_.push_back(std::move(column));
    }
    page.pack_end(*table, false, false, 8);
    owned_.push_back(std::move(table));
}

void PrintConfigDialog::BuildPicturePart(ConfigPage page, Gtk::Box& into) {
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
    controls->corner_group = corners.get();
    controls->dependents = {controls->full, controls->corner};
    for (OptionColumn* c : controls->corners)
        controls->dependents.push_back(c);
    for (OptionColumn* c : controls->levels)
        controls->dependents.push_back(c);
    owned_.push_back(std::move(whole));
    owned_.push_back(std::move(corners));
    owned_.push_back(std::move(levels));
    const int n = static_cast<int>(page);
    controls->under->Box().signal_toggled().connect([this, n] { ApplyPictureEnabling(n); });
    pictures_[static_cast<std::size_t>(n - 1)] = std::move(controls);
}

void PrintConfigDialog::BuildMargins(int set, Gtk::Box& into) {
    auto group = std::make_unique<OptionGroup>("余白の長さ （ 単位は粍 ）", 180);
    for (int side = 1; side <= 4; ++side) {
        const int tag = 10 * set + side;
        auto item = std::make_unique<MarginItem>(tag, kSideCaptions[static_cast<std::size_t>(side - 1)]);
        item->Button().signal_clicked().connect([this, tag] { ToggleMarginList(tag); });
        group->AddColumn(*item);
        margins_.push_back(item.get());
        owned_.push_back(std::move(item));
    }
    into.pack_end(*group, false, false, 4);
    owned_.push_back(std::move(group));
}

} // namespace dialogs
