// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"

#include "app/format_thumbnails.h"
#include "app/help_text.h"
#include "app/preview_sink.h"
#include "app/preview_window.h"
#include "app/startup.h"
#include "base/kanji_numbers.h"
#include "controls/accessible_names.h"
#include "controls/gdk_bitmap.h"
#include "controls/scaled_image.h"
#include "controls/wheel_step.h"
#include "gfx/cairo_canvas.h"
#include "pages/page_routines.h"
#include "print/paper_sizes.h"
#include "print/print_run.h"
#include "print/print_setup.h"

#include <glibmm/main.h>
#include <gtkmm/adjustment.h>
#include <gtkmm/cssprovider.h>
#include <gtkmm/image.h>
#include <gtkmm/scrollbar.h>

#include <algorithm>
#include <limits>
#include <cstdlib>
#include <gdk/gdkkeysyms.h>

namespace app {
namespace {

using controls::VerticalLabel;

struct FormatPlace {
    pages::Format format;
    int left;
    int top;
};
// Top row 1 2 3 4 from the left, bottom row 7 8 6 5.
constexpr FormatPlace kFormatPlaces[] = {
    {pages::Format::kCalendar, 176, 32},     {pages::Format::kList, 280, 32},
    {pages::Format::kDaily, 384, 32},        {pages::Format::kPoster, 488, 32},
    {pages::Format::kMansionNotes, 176, 176}, {pages::Format::kOfficerNotes, 280, 176},
    {pages::Format::kPentadNotes, 384, 176}, {pages::Format::kKikkyouNotes, 488, 176},
};
// The three lists, in the order of ListKind: where the panel showing the value stands and
// its height, where the button that opens the list stands, the names a screen reader gives
// the button and the list, and the value of the print state the list chooses.
struct ListPlace {
    ListKind kind;
    int top;
    int height;
    int button_top;
    const char* button_name;
    const char* list_name;
    int pages::PrintState::*value;
};
constexpr ListPlace kListPlaces[] = {
    {ListKind::kFromMonth, 136, 57, 192, "始めの月", "最初の月の一覧", &pages::PrintState::from_month},
    {ListKind::kToMonth, 240, 57, 296, "終わりの月", "最後の月の一覧", &pages::PrintState::to_month},
    {ListKind::kYear, 16, 97, 112, "年", "年の一覧", &pages::PrintState::year},
};
static_assert([] {
    for (std::size_t i = 0; i < std::size(kListPlaces); ++i)
        if (static_cast<std::size_t>(kListPlaces[i].kind) != i) return false;
    return true;
}());
const ListPlace& PlaceOf(ListKind kind) {
    return kListPlaces[static_cast<std::size_t>(kind)];
}
constexpr int kListLeft = 120;
constexpr int kFormatWidth = 97;
constexpr int kFormatHeight = 129;
constexpr int kListWidth = 129;

// The commentary formats are explained by their names on the button's tooltip.
std::string FormatTooltip(pages::Format format) {
    switch (format) {
    case pages::Format::kKikkyouNotes: return "吉凶解説";
    case pages::Format::kPentadNotes: return "七十二候解説";
    case pages::Format::kMansionNotes: return "二十八宿解説";
    case pages::Format::kOfficerNotes: return "十二直解説";
    default: return std::string(pages::FindPageRoutine(static_cast<int>(format))->label);
    }
}

} // namespace

// A settings button (second column) or action button (left column): its caption, place and
// size, and the height of the caption's font.
struct ButtonPlace {
    const char* caption;
    int x, y, width, height;
    int font_height = -12;
};

namespace {

constexpr ButtonPlace kConfigPlace{"印刷設定", 72, 8, 32, 80};
constexpr ButtonPlace kHolidayPlace{"休日設定", 72, 96, 32, 80};
constexpr ButtonPlace kSetUpPlace{"プリンタ設定", 72, 184, 32, 96};
constexpr ButtonPlace kPicturesPlace{"月の絵", 72, 288, 32, 76};
constexpr ButtonPlace kPrintPlace{"印刷", 7, 8, 41, 136, -15};
constexpr ButtonPlace kPreviewPlace{"確認", 7, 152, 41, 88, -15};
constexpr ButtonPlace kHelpPlace{"説明", 7, 249, 41, 48};
constexpr ButtonPlace kExitPlace{"終了", 7, 304, 41, 60};

} // namespace

class MainWindow::BusyRun {
public:
    explicit BusyRun(MainWindow& window) : window_(window) {
        if (window_.busy_runs_++ == 0) window_.SetBusy(true);
    }
    ~BusyRun() {
        if (--window_.busy_runs_ == 0) window_.SetBusy(false);
    }
    BusyRun(const BusyRun&) = delete;
    BusyRun& operator=(const BusyRun&) = delete;

private:
    MainWindow& window_;
};

MainWindow::MainWindow(pages::PrintState& state, base::Reporter& reporter, const std::string& default_paper)
    : state_(state), given_(state.settings), reporter_(reporter), print_(reporter, default_paper),
      paper_(default_paper) {
    set_title("Qelmarin");
    set_name("qelmarin-main");
    set_decorated(false);
    set_resizable(false);
    set_position(Gtk::WIN_POS_CENTER);
    add_events(Gdk::BUTTON_PRESS_MASK);
    frame_.set_shadow_type(Gtk::SHADOW_OUT);
    add(frame_);
    frame_.add(fixed_);
    fixed_.set_size_request(kClientWidth, kClientHeight);

    // The title strip at the right edge: 印刷 and the year downward, the close button low.
    strip_.set_size_request(20, kClientHeight);
    fixed_.put(strip_, kClientWidth - 20, 0);
    strip_.AddLabel("Kalvorin", 22, 70);
    strip_.AddLabel("印", 96, 16);
    strip_.AddLabel("刷", 112, 16);
    for (int i = 0; i < 4; ++i) year_digits_[static_cast<std::size_t>(i)] = &strip_.AddLabel("", 140 + 14 * i, 14);
    strip_.AddLabel("年", 140 + 14 * 4, 16);
    strip_.AddCloseButton().signal_clicked().connect([this] { Quit(); });
    ShowYearOnTitle();

    PlaceFormatButtons();

    // Year and month boxes with the buttons that open their lists.
    for (const ListPlace& place : kListPlaces) {
        const ListKind kind = place.kind;
        const auto value = place.value;
        auto& slot = slots_[static_cast<std::size_t>(kind)];
        slot = std::make_unique<ListSlot>([this, kind, value] { return ListEntryText(kind, state_.*value); },
                                          state.face_name, state.font_height);
        slot->panel.set_shadow_type(Gtk::SHADOW_IN);
        slot->panel.set_size_request(30, place.height);
        slot->panel.add(slot->box);
        fixed_.put(slot->panel, kListLeft, place.top);
        auto* arrow = Gtk::manage(new ArrowBox());
        arrow->set_size_request(10, 10);
        slot->button.add(*arrow);
        slot->button.set_size_request(30, 16);
        slot->button.get_style_context()->add_class("qelmarin-flat");
        // Also the buttons' names for screen readers: the two month buttons told apart.
        slot->button.set_tooltip_text(place.button_name);
        slot->button.signal_clicked().connect([this, kind] { ToggleList(kind); });
        fixed_.put(slot->button, kListLeft, place.button_top);
    }
    NameListButtons();
    auto* between = Gtk::manage(new VerticalLabel("〜", 16, 20));
    between->SetTransparent(true);
    fixed_.put(*between, 127, 213);
    auto* until = Gtk::manage(new VerticalLabel("まで", 16, 36));
    until->SetTransparent(true);
    fixed_.put(*until, 127, 316);

    // Settings buttons (second column) and action buttons (left column).
    // Buttons that open a window act after their handler has returned (see Later): pressed
    // through an accessibility action, the window's modal loop would otherwise run inside
    // the bus call and the program would stop answering the bus until the window closed.
    MakeButton(config_button_, kConfigPlace).signal_clicked().connect([this] {
        Later([this] { if (openers_[0]) openers_[0](); });
    });
    MakeButton(holiday_button_, kHolidayPlace).signal_clicked().connect([this] {
        Later([this] { if (openers_[1]) openers_[1](); });
    });
    MakeButton(setup_button_, kSetUpPlace).signal_clicked().connect([this] { Later([this] { SetUpPage(); }); });
    MakeButton(pictures_button_, kPicturesPlace).signal_clicked().connect([this] {
        Later([this] { if (openers_[2]) openers_[2](); });
    });
    MakeButton(print_button_, kPrintPlace).signal_clicked().connect([this] { Later([this] { Print(); }); });
    MakeButton(preview_button_, kPreviewPlace).signal_clicked().connect([this] { Later([this] { ShowPreview(); }); });
    MakeButton(help_button_, kHelpPlace).signal_clicked().connect([this] { Later([this] { ShowHelp(); }); });
    MakeButton(exit_button_, kExitPlace).signal_clicked().connect([this] { Quit(); });
    for (int x : {56, 112, 164}) {
        auto* bevel = Gtk::manage(new Gtk::Separator(Gtk::ORIENTATION_VERTICAL));
        bevel->set_size_request(2, kClientHeight - 16);
        fixed_.put(*bevel, x, 8);
    }

    progress_.set_size_request(433, 16);
    progress_.set_no_show_all(true);
    fixed_.put(progress_, 176, 344);

    // The drop list: hidden until a year or month button opens it; drawn above the rest.
    list_scroll_.set_policy(Gtk::POLICY_ALWAYS, Gtk::POLICY_NEVER);
    list_scroll_.set_kinetic_scrolling(false);
    list_scroll_.set_overlay_scrolling(false);
    list_scroll_.add(list_box_);
    list_scroll_.set_no_show_all(true);
    // A dark border round the list; it rests only where whole entries are in view.
    list_scroll_.set_shadow_type(Gtk::SHADOW_IN);
    {
        auto border = Gtk::CssProvider::create();
        border->load_from_data("scrolledwindow.frame { border: 1px solid #404040; }");
        list_scroll_.get_style_context()->add_provider(border, GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    }
    list_scroll_.get_hadjustment()->signal_value_changed().connect([this] {
        auto adjustment = list_scroll_.get_hadjustment();
        const double value = adjustment->get_value();
        const double snapped =
            SnapListScroll(value, state_.font_height, adjustment->get_upper() - adjustment->get_page_size());
        if (snapped != value) adjustment->set_value(snapped);
    });
    list_box_.add_events(Gdk::BUTTON_PRESS_MASK | Gdk::SCROLL_MASK);
    // The wheel moves the list sideways, whichever way it turns: the list has no height to
    // scroll.
    list_box_.signal_scroll_event().connect(
        [this](GdkEventScroll* event) {
            const double delta = controls::SidewaysWheelSteps(event);
            auto adjustment = list_scroll_.get_hadjustment();
            const double step = ListPitch(state_.font_height);
            adjustment->set_value(std::clamp(adjustment->get_value() + delta * step, adjustment->get_lower(),
                                             adjustment->get_upper() - adjustment->get_page_size()));
            return true;
        },
        false);
    list_box_.signal_draw().connect([this](const Cairo::RefPtr<Cairo::Context>& cr) {
        const int w = list_box_.get_allocated_width(), h = list_box_.get_allocated_height();
        gfx::CairoCanvas canvas(cr->cobj(), gfx::Device{w, h, 96, 96, 256});
        canvas.SetBrush(base::kWhite);
        canvas.FillRect(gfx::Rect{0, 0, w, h});
        DrawList(canvas, open_list_, list_entries_, list_cursor_, state_.face_name, state_.font_height);
        return true;
    });
    list_box_.set_can_focus(true);
    list_box_.add_events(Gdk::KEY_PRESS_MASK);
    list_box_.signal_key_press_event().connect([this](GdkEventKey* event) { return ListKeyPress(event->keyval); },
                                               false);
    list_box_.signal_button_press_event().connect([this](GdkEventButton* event) {
        PressInList(static_cast<int>(event->x), static_cast<int>(event->y));
        return true;
    });
    fixed_.put(list_scroll_, 0, 0);

    SetFocusOrder();
    state_.progress = [this](std::string_view what, int percent) { Progress(what, percent); };
    frame_.show_all();
}

MainWindow::~MainWindow() {
    pending_action_.disconnect();
    state_.progress = {};
}

Gtk::Button& MainWindow::MakeButton(Gtk::Button& button, const ButtonPlace& place) {
    const int w = place.width, h = place.height, font_height = place.font_height;
    auto* label = Gtk::manage(new VerticalLabel(place.caption, w - 8, h - 8));
    controls::LabelFont font;
    font.height = font_height;
    label->SetFont(font);
    label->SetTransparent(true);
    // The column stands in the middle of the button, across and along it.
    label->SetLayout(controls::LabelLayout::kCenter);
    label->set_halign(Gtk::ALIGN_CENTER);
    label->set_size_request(std::abs(font_height) + 2, h - 8);
    button.add(*label);
    button.set_size_request(w, h);
    button.get_style_context()->add_class("qelmarin-flat");
    button.set_focus_on_click(false);
    fixed_.put(button, place.x, place.y);
    return button;
}

void MainWindow::PlaceFormatButtons() {
    for (std::size_t i = 0; i < std::size(kFormatPlaces); ++i) {
        const FormatPlace& place = kFormatPlaces[i];
        const auto index = static_cast<std::size_t>(static_cast<int>(place.format) - 1);
        auto button = std::make_unique<Gtk::RadioButton>(format_group_);
        button->set_mode(false);
        button->set_size_request(kFormatWidth, kFormatHeight);
        button->set_tooltip_text(FormatTooltip(place.format));
        button->get_style_context()->add_class("qelmarin-format");
        button->set_focus_on_click(false);
        button->add(*Gtk::manage(new controls::ScaledImage()));
        fixed_.put(*button, place.left, place.top);
        format_buttons_[index] = std::move(button);
    }
    format_buttons_[0]->set_active(true);
    // The group is one stop for Tab (the chosen button alone takes the focus) and the arrows
    // move the choice within it by the buttons' places; GTK does this only for radio
    // buttons drawn with their indicator.
    for (std::size_t i = 0; i < format_buttons_.size(); ++i) {
        Gtk::RadioButton& button = *format_buttons_[i];
        button.set_can_focus(button.get_active());
        button.signal_toggled().connect([&button] { button.set_can_focus(button.get_active()); });
        button.signal_key_press_event().connect(
            [this, i](GdkEventKey* event) { return MoveFormatChoice(static_cast<int>(i), event->keyval); }, false);
    }
    // The labels over the top row, and the vertical labels beside each row.
    const struct {
        const char* text;
        int left;
    } captions[] = {{"暦", 176}, {"一覧", 280}, {"日めくり", 384}, {"はり紙", 488}};
    for (const auto& c : captions) {
        auto caption = std::make_unique<CaptionBox>(c.text, -15);
        caption->set_size_request(kFormatWidth, 22);
        fixed_.put(*caption, c.left, 8);
        owned_.push_back(std::move(caption));
    }
    for (const auto& [text, top] : {std::pair{"暦形式選択", 40}, std::pair{"解説文選択", 192}}) {
        auto label = std::make_unique<VerticalLabel>(text, 17, 90);
        controls::LabelFont font;
        font.height = -15;
        label->SetFont(font);
        label->SetTransparent(true);
        fixed_.put(*label, 592, top);
        owned_.push_back(std::move(label));
    }
}

bool MainWindow::MoveFormatChoice(int index, unsigned keyval) {
    int dx = 0, dy = 0;
    switch (keyval) {
    case GDK_KEY_Left: case GDK_KEY_KP_Left: dx = -1; break;
    case GDK_KEY_Right: case GDK_KEY_KP_Right: dx = 1; break;
    case GDK_KEY_Up: case GDK_KEY_KP_Up: dy = -1; break;
    case GDK_KEY_Down: case GDK_KEY_KP_Down: dy = 1; break;
    default: return false;
    }
    const FormatPlace* from = nullptr;
    for (const FormatPlace& place : kFormatPlaces)
        if (static_cast<int>(place.format) - 1 == index) from = &place;
    if (!from) return false;
    // The nearest button that way in the same row or column; none at the edge.
    const FormatPlace* to = nullptr;
    for (const FormatPlace& place : kFormatPlaces) {
        const int along = dx != 0 ? (place.left - from->left) * dx : (place.top - from->top) * dy;
        const bool in_line = dx != 0 ? place.top == from->top : place.left == from->left;
        if (!in_line || along <= 0) continue;
        const int best = !to ? 0 : dx != 0 ? (to->left - from->left) * dx : (to->top - from->top) * dy;
        if (!to || along < best) to = &place;
    }
    if (!to) return true;
    Gtk::RadioButton& next = *format_buttons_[static_cast<std::size_t>(static_cast<int>(to->format) - 1)];
    next.set_active(true);
    next.grab_focus();
    return true;
}

// Tab follows the reading order, right to left column by column and down each column: the
// title strip's close button, the format group (one stop; the arrows move within it), the
// year and month buttons, the settings buttons, the action buttons. GTK's own order would
// run left to right across the columns.
void MainWindow::SetFocusOrder() {
    std::vector<Gtk::Widget*> order{&strip_};
    // The format columns from the right; the top row before the bottom one.
    std::vector<const FormatPlace*> places;
    for (const FormatPlace& place : kFormatPlaces) places.push_back(&place);
    std::sort(places.begin(), places.end(), [](const FormatPlace* a, const FormatPlace* b) {
        return a->left != b->left ? a->left > b->left : a->top < b->top;
    });
    for (const FormatPlace* place : places)
        order.push_back(format_buttons_[static_cast<std::size_t>(static_cast<int>(place->format) - 1)].get());
    for (Gtk::Widget* w : std::initializer_list<Gtk::Widget*>{
             &Slot(ListKind::kYear).button, &Slot(ListKind::kFromMonth).button, &Slot(ListKind::kToMonth).button,
             &list_scroll_, &config_button_, &holiday_button_, &setup_button_, &pictures_button_, &print_button_,
             &preview_button_, &help_button_, &exit_button_})
        order.push_back(w);
    GList* chain = nullptr;
    for (Gtk::Widget* w : order) chain = g_list_append(chain, w->gobj());
    // The focus chain is the one way GTK 3 offers to order a fixed container's children.
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_container_set_focus_chain(GTK_CONTAINER(fixed_.gobj()), chain);
    G_GNUC_END_IGNORE_DEPRECATIONS
    g_list_free(chain);
}

bool MainWindow::on_key_press_event(GdkEventKey* event) {
    // Escape closes an open drop list, as a click beside it would.
    if (event->keyval == GDK_KEY_Escape && ListOpen()) {
        CloseList();
        return true;
    }
    return Gtk::Window::on_key_press_event(event);
}

void MainWindow::MakeFormatPictures() {
    const print::PaperSize paper = print::FindPaperSize(paper_).value_or(*print::FindPaperSize("A4"));
    for (const FormatPlace& place : kFormatPlaces) {
        auto& button = *format_buttons_[static_cast<std::size_t>(static_cast<int>(place.format) - 1)];
        auto* image = dynamic_cast<controls::ScaledImage*>(button.get_child());
        if (!image) continue;
        // Drawn at the screen's scale: on a screen of scale 2 the page is drawn at twice the
        // size, not the small picture enlarged.
        image->SetRender([this, format = place.format, paper](int scale) {
            return FormatThumbnail(state_, format, paper.width_mm, paper.height_mm, (kFormatWidth - 12) * scale,
                                   (kFormatHeight - 12) * scale);
        });
    }
}

// One action at a time: a second press before the first has started, or while a print or
// preview runs, is dropped, as a press on a window hidden behind a modal one would be.
void MainWindow::Later(std::function<void()> action) {
    if (pending_action_.connected() || Busy()) return;
    pending_action_ = Glib::signal_idle().connect([this, action = std::move(action)] {
        const std::function<void()> run = action; // the slot goes with its connection
        pending_action_.disconnect();
        if (!shut_down_ && !Busy()) run();
        return false;
    });
}

// The controls that would change the print state or start another run rest while one runs;
// the keyboard comes back to where it was. A request to end the program made meanwhile is
// carried out as the run ends, before control goes back to the main loop.
void MainWindow::SetBusy(bool busy) {
    std::vector<Gtk::Widget*> resting{&config_button_, &holiday_button_, &setup_button_, &pictures_button_,
                                      &print_button_,  &preview_button_, &help_button_};
    for (const auto& slot : slots_)
        resting.push_back(&slot->button);
    for (const auto& button : format_buttons_)
        resting.push_back(button.get());
    if (busy) {
        CloseList();
        Gtk::Widget* focus = get_focus();
        focus_before_run_ = std::find(resting.begin(), resting.end(), focus) != resting.end() ? focus : nullptr;
    }
    for (Gtk::Widget* widget : resting)
        widget->set_sensitive(!busy);
    if (busy) return;
    if (focus_before_run_ && !get_focus()) focus_before_run_->grab_focus();
    focus_before_run_ = nullptr;
    if (quit_after_run_) Quit();
}

void MainWindow::SetDialogOpener(SettingsButton button, std::function<void()> open) {
    openers_[static_cast<std::size_t>(button)] = std::move(open);
}

Gtk::Button& MainWindow::SettingsButtonWidget(SettingsButton button) {
    return button == SettingsButton::kConfig ? config_button_
           : button == SettingsButton::kHoliday ? holiday_button_
                                                : pictures_button_;
}

pages::Format MainWindow::SelectedFormat() const {
    for (int i = 0; i < 7; ++i)
        if (format_buttons_[static_cast<std::size_t>(i)]->get_active()) return static_cast<pages::Format>(i + 1);
    return pages::Format::kOfficerNotes;
}

void MainWindow::SelectFormat(pages::Format format) {
    format_buttons_[static_cast<std::size_t>(static_cast<int>(format) - 1)]->set_active(true);
}

Gtk::Widget& MainWindow::FormatButton(pages::Format format) {
    return *format_buttons_[static_cast<std::size_t>(static_cast<int>(format) - 1)];
}

std::string MainWindow::TitleYear() const {
    std::string digits;
    for (const VerticalLabel* label : year_digits_)
        digits += label->Caption();
    return digits;
}

void MainWindow::ShowYearOnTitle() {
    int divisor = 1000;
    for (VerticalLabel* label : year_digits_) {
        label->SetCaption(std::string(base::KanjiNumerals[static_cast<std::size_t>(state_.year / divisor % 10)]));
        divisor /= 10;
    }
}

void MainWindow::on_show() {
    controls::NameUnnamedControls(*this);
    // The keyboard starts on the chosen format, not on the first stop of the Tab order (the
    // title strip's close button), where an Enter or a Space straight after start-up would
    // end the program.
    if (first_show_ && !get_focus()) FormatButton(SelectedFormat()).grab_focus();
    Gtk::Window::on_show();
    if (!first_show_) return;
    first_show_ = false;
    // After the first frame: the window's icon (drawn with a font, which is slow to load
    // the first time), the birth-year check, then the format pictures.
    Glib::signal_idle().connect_once([this] {
        set_icon(controls::ProgramIcon(48));
        if (NeedsBirthYearMessage(state_)) reporter_.ShowMessage(kNoBirthYearText, kNoBirthYearCaption);
    });
    Glib::signal_timeout().connect_once([this] { MakeFormatPictures(); }, 50);
}

bool MainWindow::on_button_press_event(GdkEventButton* event) {
    controls::BeginWindowMove(*this, event);
    return true;
}

bool MainWindow::on_delete_event(GdkEventAny*) {
    Quit();
    return true;
}

void MainWindow::Shutdown() {
    if (shut_down_) return;
    shut_down_ = true;
    ShutDown(state_, given_, reporter_);
}

// Ending the program also ends a wait for a printer: the program always ends when asked.
// During a run it closes the preview, if one is shown, and ends once the run is over, so
// that nothing the run uses goes away under it.
void MainWindow::Quit() {
    print_.Abort();
    if (Busy()) {
        quit_after_run_ = true;
        if (preview_) preview_->CloseWithoutPrinting();
        return;
    }
    Shutdown();
    hide();
}

// Opening, moving or closing the drop list.
void MainWindow::ToggleList(ListKind kind) {
    if (ListOpen() && open_list_ == kind) {
        CloseList();
        return;
    }
    open_list_ = kind;
    const ListPlace& place = PlaceOf(kind);
    const Gtk::Frame& panel = Slot(kind).panel;
    const Gtk::Button& button = Slot(kind).button;
    const int panel_top = place.top;
    int button_top = 0, button_height = 0;
    {
        const Gtk::Allocation a = button.get_allocation();
        button_top = a.get_y() - fixed_.get_allocation().get_y();
        button_height = a.get_height();
    }
    const int height = button_top + button_height - panel_top;
    // As many whole entries as fit, and the border round them.
    list_scroll_.set_size_request(ListViewWidth(kind, state_.font_height, kListWidth - 2) + 2, height);
    fixed_.move(list_scroll_, kListLeft + panel.get_width(), panel_top);
    // The drawing area fills the list above its scroll bar.
    int scrollbar = 0;
    if (Gtk::Scrollbar* bar = list_scroll_.get_hscrollbar()) {
        int minimum = 0, natural = 0;
        bar->get_preferred_height(minimum, natural);
        scrollbar = natural;
    }
    const int paint_height = std::max(1, height - scrollbar);
    list_entries_ = ListEntries(kind, state_.font_height, paint_height);
    list_box_.set_size_request(ListScrollRange(kind, state_.font_height), paint_height);
    controls::SetAccessibleName(list_box_, place.list_name, Atk::ROLE_LIST);
    const int current = state_.*place.value;
    {
        std::vector<std::string> names;
        int current_index = -1;
        for (const ListEntry& entry : list_entries_) {
            if (entry.value == current) current_index = static_cast<int>(names.size());
            names.push_back(ListEntryText(kind, entry.value));
        }
        list_box_.SetAccessibleEntries(names, current_index);
    }
    list_scroll_.show();
    list_box_.show();
    list_cursor_ = current;
    // The keyboard moves into the list once it is laid out (and the opening key released).
    Glib::signal_idle().connect_once(sigc::mem_fun(*this, &MainWindow::FocusOpenList));
    const double position = ListScrollPosition(list_entries_, current);
    auto adjustment = list_scroll_.get_hadjustment();
    adjustment->set_upper(ListScrollRange(kind, state_.font_height));
    adjustment->set_value(position);
    // The range is known only after the new size is laid out: set the position again then.
    Glib::signal_idle().connect_once([this, position] { list_scroll_.get_hadjustment()->set_value(position); },
                                     Glib::PRIORITY_HIGH_IDLE + 20);
    list_box_.queue_draw();
}

// A screen reader reads each list's button with the value it shows ("始めの月 十二月"),
// which a sighted person reads in the panel above it.
void MainWindow::NameListButtons() {
    for (const ListPlace& place : kListPlaces)
        controls::SetAccessibleName(Slot(place.kind).button, std::string(place.button_name) + " " +
                                                                 ListEntryText(place.kind, state_.*place.value));
}

void MainWindow::FocusOpenList() {
    if (!ListOpen()) return;
    // The scroll box would bring the focused drawing area's start into view: the list stays
    // where it opened.
    auto adjustment = list_scroll_.get_hadjustment();
    const double position = adjustment->get_value();
    list_box_.grab_focus();
    adjustment->set_value(position);
}

bool MainWindow::ListOpen() const {
    return list_scroll_.get_visible();
}

double MainWindow::ListScrollX() const {
    return const_cast<Gtk::ScrolledWindow&>(list_scroll_).get_hadjustment()->get_value();
}

void MainWindow::CloseList() {
    // The keyboard goes back to the button that opened the list.
    const bool had_focus = list_box_.has_focus();
    list_scroll_.hide();
    if (had_focus) Slot(open_list_).button.grab_focus();
}

void MainWindow::PressInList(int x, int y) {
    ChooseListValue(ListHitTest(list_entries_, x, y));
}

// From the keyboard the list has a cursor, drawn as the current entry: the arrows move it
// along the reading order (left and down to the next entry, right and up back), Enter or
// Space choose it, Escape closes the list without a choice.
bool MainWindow::ListKeyPress(unsigned keyval) {
    int step = 0;
    switch (keyval) {
    case GDK_KEY_Left: case GDK_KEY_KP_Left: case GDK_KEY_Down: case GDK_KEY_KP_Down: step = 1; break;
    case GDK_KEY_Right: case GDK_KEY_KP_Right: case GDK_KEY_Up: case GDK_KEY_KP_Up: step = -1; break;
    // Home and End: the first and the last entry.
    case GDK_KEY_Home: case GDK_KEY_KP_Home: step = std::numeric_limits<int>::min() / 2; break;
    case GDK_KEY_End: case GDK_KEY_KP_End: step = std::numeric_limits<int>::max() / 2; break;
    case GDK_KEY_Return: case GDK_KEY_KP_Enter: case GDK_KEY_space: ChooseListValue(list_cursor_); return true;
    default: return false;
    }
    const auto [lowest, highest] = std::minmax_element(
        list_entries_.begin(), list_entries_.end(), [](const ListEntry& a, const ListEntry& b) { return a.value < b.value; });
    if (lowest == list_entries_.end()) return true;
    list_cursor_ = std::clamp(list_cursor_ + step, lowest->value, highest->value);
    // Keep the cursor's entry in view.
    for (const ListEntry& e : list_entries_) {
        if (e.value != list_cursor_) continue;
        auto adjustment = list_scroll_.get_hadjustment();
        const double page = adjustment->get_page_size();
        if (e.rect.left < adjustment->get_value()) adjustment->set_value(e.rect.left);
        else if (e.rect.right > adjustment->get_value() + page) adjustment->set_value(e.rect.right - page);
    }
    list_box_.queue_draw();
    return true;
}

void MainWindow::ChooseListValue(std::optional<int> value) {
    CloseList();
    const int year = state_.year, from_month = state_.from_month;
    if (value) state_.*PlaceOf(open_list_).value = *value;
    if (open_list_ == ListKind::kYear) {
        ShowYearOnTitle();
        print::LoadYearHolidays(state_);
    }
    for (const auto& slot : slots_)
        slot->box.queue_draw();
    NameListButtons();
    // The format pictures show the chosen year's first month: drawn anew after this frame.
    if (state_.year != year || state_.from_month != from_month)
        Glib::signal_idle().connect_once(sigc::mem_fun(*this, &MainWindow::MakeFormatPictures), Glib::PRIORITY_LOW);
}

// Drawing a full-page picture reports its progress here; the window repaints meanwhile.
void MainWindow::Progress(std::string_view, int percent) {
    progress_.set_fraction(std::clamp(percent, 0, 100) / 100.0);
    if (percent >= 100)
        progress_.hide();
    else
        progress_.show();
    auto context = Glib::MainContext::get_default();
    while (context->pending()) context->iteration(false);
}

void MainWindow::Print() {
    BusyRun busy(*this);
    CloseList();
    if (settle_printer) settle_printer();
    state_.format = SelectedFormat();
    print_.Print(*this, state_);
    progress_.hide();
}

void MainWindow::ShowPreview() {
    CloseList();
    if (!print::CheckMonthRange(state_)) return;
    if (settle_printer) settle_printer();
    state_.format = SelectedFormat();
    bool print = false;
    {
        BusyRun busy(*this);
        PreviewImageSink sink;
        if (!print::Preview(state_, print_.CurrentPrinter(), sink) || !sink.surface()) return;
        progress_.hide();
        if (quit_after_run_) return;
        PreviewWindow preview(*this, state_, reporter_, sink.surface(), gfx::Rect{0, 0, sink.width(), sink.height()});
        if (on_preview_shown) preview.on_shown = on_preview_shown;
        preview_ = &preview;
        print = preview.RunModal();
        preview_ = nullptr;
    }
    if (print) Print();
}

void MainWindow::SetUpPage() {
    CloseList();
    print_.PageSetup(*this);
}

void MainWindow::ShowHelp() {
    CloseList();
    OpenHelpText(state_.host_folder, *this, reporter_);
}

} // namespace app
