// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/month_pictures_window.h"

#include "config/config_file.h"
#include "config/edit_set.h"
#include "controls/accessible_names.h"
#include "controls/gdk_bitmap.h"
#include "controls/picture_fit.h"
#include "controls/window_place.h"
#include "dialogs/picture_choice.h"
#include "pictures/picture_file.h"

#include <gdkmm/general.h>

namespace dialogs {
namespace {

constexpr int kToolWidth = 34;
// What the window needs around the picture on the screen: its tools, title band and frame.
constexpr int kFrameWidth = 120;
constexpr int kFrameHeight = 80;

// The busy cursor over the window while a picture loads; the default again at the end of
// the scope, however it ends.
class BusyCursor {
public:
    explicit BusyCursor(Gtk::Window& window) : window_(window.get_window()) {
        if (window_) window_->set_cursor(Gdk::Cursor::create(window_->get_display(), Gdk::WATCH));
    }
    ~BusyCursor() {
        if (window_) window_->set_cursor();
    }

private:
    Glib::RefPtr<Gdk::Window> window_;
};

void SetUpToolButton(Gtk::Button& button, controls::VerticalLabel& label, int height) {
    label.set_size_request(15, height - 8);
    label.SetTransparent(true);
    label.SetLayout(controls::LabelLayout::kCenter);
    button.add(label);
    button.set_size_request(kToolWidth - 4, height);
    button.set_focus_on_click(false);
}

} // namespace

MonthPicturesWindow::MonthPicturesWindow(Gtk::Window* owner, config::Settings& settings,
                                         std::filesystem::path config_path, base::Reporter& reporter, std::string face,
                                         int font_height)
    : ModalWindow(owner, "印刷用 絵の確認と変更"), settings_(settings), config_path_(std::move(config_path)),
      reporter_(reporter), pictures_(settings.month_pictures), box_(Gtk::ORIENTATION_HORIZONTAL),
      tools_(Gtk::ORIENTATION_VERTICAL), exit_label_("終 了"), month_change_label_("月選択"),
      month_label_(MonthName(1), 15, 50), change_label_("絵変更"), new_label_("新 絵"),
      month_list_(std::move(face), font_height) {
    set_name("qelmarin-month-pictures");
    set_decorated(true);
    set_resizable(true);

    // Where it was closed last, or centred at its designed size; always inside the work
    // area of the monitor its owner is on (a stored place off the screen would leave a
    // window that blocks the program where nobody sees it).
    const config::DialogPlace& place = settings_.picture_dialog;
    const controls::WindowPlace fitted =
        controls::FitIntoArea(place.x, place.y, std::max(place.width.value_or(kDesignWidth), 120),
                              std::max(place.height.value_or(kDesignHeight), 200), controls::WorkAreaOf(owner));
    set_default_size(fitted.width, fitted.height);
    move(fitted.x, fitted.y);

    add(box_);
    // Beside a picture smaller than the area the window's own grey shows (painted by the
    // picture's area itself), not a white band that reads as part of the picture. No colour
    // is forced on the scroll box: a forced colour reaches the toolkit's edge shadows too,
    // which then cover 40 pixels of the picture at each edge it continues past.
    // The picture stands at its own size from the top-left corner; where it is larger than
    // the area, scroll bars that are always drawn say that there is more of it.
    scroll_.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    scroll_.set_overlay_scrolling(false);
    scroll_.add(picture_area_);
    picture_area_.signal_draw().connect(sigc::mem_fun(*this, &MonthPicturesWindow::PaintPicture));
    overlay_.add(scroll_);
    box_.pack_start(overlay_, true, true);

    SetUpToolButton(exit_button_, exit_label_, 56);
    SetUpToolButton(month_button_, month_change_label_, 56);
    SetUpToolButton(change_button_, change_label_, 56);
    SetUpToolButton(new_button_, new_label_, 56);
    controls::LabelFont blue;
    blue.color = base::kBlue;
    blue.bold = true;
    blue.height = -14;
    month_label_.SetFont(blue);
    month_label_.SetTransparent(true);
    // The month's name stands in the middle of its box, as the buttons' captions do.
    month_label_.SetLayout(controls::LabelLayout::kCenter);
    month_label_.set_halign(Gtk::ALIGN_CENTER);
    month_name_panel_.set_shadow_type(Gtk::SHADOW_IN);
    month_name_panel_.add(month_label_);
    month_name_panel_.set_size_request(kToolWidth - 4, 54);
    tools_.set_spacing(4);
    tools_.set_border_width(2);
    tools_.pack_start(exit_button_, false, false);
    tools_.pack_start(month_button_, false, false);
    tools_.pack_start(month_name_panel_, false, false);
    tools_.pack_start(change_button_, false, false);
    tools_.pack_start(new_button_, false, false);
    box_.pack_start(tools_, false, false);
    exit_button_.signal_clicked().connect([this] { Finish(); });
    month_button_.signal_clicked().connect([this] { ToggleMonthList(); });
    change_button_.signal_clicked().connect([this] { ChoosePicture(); });
    new_button_.signal_clicked().connect([this] { ImportPicture(); });

    strip_.AddLabel("Kalvorin 絵 確 認", 22, 200);
    close_button_ = &strip_.AddCloseButton();
    close_button_->signal_clicked().connect([this] { Finish(); });
    box_.pack_start(strip_, false, false);

    // The month list drops beside the button column at the height of the month name.
    month_list_.set_halign(Gtk::ALIGN_END);
    month_list_.set_valign(Gtk::ALIGN_START);
    month_list_.set_no_show_all(true);
    overlay_.add_overlay(month_list_);
    controls::SetAccessibleName(month_list_.EntryArea(), "月の一覧", Atk::ROLE_LIST);
    controls::SetAccessibleName(picture_area_, "月の絵", Atk::ROLE_IMAGE);
    controls::SetAccessibleName(scroll_, "月の絵");
    month_list_.on_press = [this](std::optional<int> month) {
        if (month) ChooseMonth(*month);
        month_list_.hide();
    };
    box_.show_all();
}

void MonthPicturesWindow::on_show() {
    ModalWindow::on_show();
    LoadMonthPicture();
}

bool MonthPicturesWindow::CanClose(ModalResult result) {
    month_list_.hide();
    // The pictures chosen are written as this window closes with them, merged into the file
    // as it is now: only the months changed here. A failed write keeps the window open.
    if (result == ModalResult::kOk && pictures_ != settings_.month_pictures) {
        config::Settings chosen = settings_;
        chosen.month_pictures = pictures_;
        config::ConfigFile file(config_path_, &reporter_);
        if (!config::MonthPictureEdits(settings_, chosen).WriteTo(file)) return false;
    }
    int x = 0, y = 0, w = 0, h = 0;
    get_position(x, y);
    get_size(w, h);
    settings_.picture_dialog = config::DialogPlace{x, y, w, h};
    // A place that cannot be written has been reported; the window closes all the same,
    // since nothing the user chose is lost with it.
    config::ConfigFile file(config_path_, &reporter_);
    config::SavePictureDialogPlace(file, settings_);
    return true;
}

void MonthPicturesWindow::Finish() {
    EndModal(result_to_give_);
}

// A picture that cannot be had has been reported once by the loader; the area stays empty.
// The picture is shown at its own size, or reduced to the screen when it is larger; one
// that cannot be shown even so is reported like one that does not load.
void MonthPicturesWindow::LoadMonthPicture() {
    BusyCursor busy(*this);
    const std::string& name = pictures_.at(static_cast<std::size_t>(month_ - 1));
    std::optional<pictures::Bitmap> picture = pictures::LoadPictureFile(settings_.data_folder, name, reporter_);
    display_ = picture ? std::move(*picture) : pictures::Bitmap{};
    display_pixbuf_.reset();
    if (!display_.empty()) {
        const controls::ShownSize room = controls::ScreenRoom(kFrameWidth, kFrameHeight);
        display_pixbuf_ = controls::FitPicture(display_, room.width, room.height);
        if (!display_pixbuf_) {
            reporter_.ShowMessage(std::string(pictures::kReadErrorText) + "\r" + name, pictures::kReadErrorCaption);
            display_ = {};
        }
    }
    picture_area_.set_size_request(display_pixbuf_ ? display_pixbuf_->get_width() : 0,
                                   display_pixbuf_ ? display_pixbuf_->get_height() : 0);
    picture_area_.queue_draw();
}

bool MonthPicturesWindow::PaintPicture(const Cairo::RefPtr<Cairo::Context>& cr) {
    Gdk::Cairo::set_source_rgba(cr, controls::ToRgba(controls::SystemColor(controls::SystemColorRole::kButtonFace)));
    cr->paint();
    if (display_pixbuf_) {
        Gdk::Cairo::set_source_pixbuf(cr, display_pixbuf_, 0, 0);
        cr->paint();
    }
    return true;
}

void MonthPicturesWindow::PlaceMonthList() {
    const Gtk::Allocation tools = tools_.get_allocation();
    const Gtk::Allocation name = month_name_panel_.get_allocation();
    const Gtk::Allocation overlay = overlay_.get_allocation();
    month_list_.set_margin_end(std::max(0, overlay.get_x() + overlay.get_width() - tools.get_x()));
    month_list_.set_margin_top(std::max(0, name.get_y() - overlay.get_y()));
}

// The list may take the room left of the tool column: all twelve months when they fit.
int MonthPicturesWindow::MonthListRoom() const {
    const Gtk::Allocation tools = tools_.get_allocation();
    const Gtk::Allocation overlay = overlay_.get_allocation();
    return std::max(60, tools.get_x() - overlay.get_x() - 4);
}

void MonthPicturesWindow::ToggleMonthList() {
    if (month_list_.get_visible()) {
        month_list_.hide();
        return;
    }
    std::vector<std::pair<int, std::string>> entries;
    for (int m = 12; m >= 1; --m)
        entries.emplace_back(m, MonthName(m));
    PlaceMonthList();
    month_list_.SetEntries(std::move(entries), month_, MonthListRoom());
    month_list_.FitHeightToEntries();
    month_list_.show();
    month_list_.EntryArea().show();
    month_list_.ScrollToHighlighted();
}

void MonthPicturesWindow::ChooseMonth(int month) {
    month_list_.Highlight(month);
    month_ = month;
    month_label_.SetCaption(MonthName(month));
    LoadMonthPicture();
}

void MonthPicturesWindow::ChoosePicture() {
    month_list_.hide();
    const std::optional<std::string> name =
        ChooseMonthPictureFile(choose_file, this, settings_.data_folder, reporter_);
    if (!name) return;
    pictures_.at(static_cast<std::size_t>(month_ - 1)) = *name;
    LoadMonthPicture();
    result_to_give_ = ModalResult::kOk;
}

// The picture is read by its content (a JPEG named .JPG or .jpeg is a JPEG) and saved as
// the first free BP<n>.cmp of the data folder; a picture imported before is not saved
// again: the BP<n>.cmp that holds the same bytes is taken.
void MonthPicturesWindow::ImportPicture() {
    month_list_.hide();
    const auto chosen = choose_file(this, PictureFileType::kBmpOrJpeg, settings_.data_folder);
    if (!chosen) return;
    std::filesystem::path target;
    {
        BusyCursor busy(*this);
        const std::optional<std::vector<std::uint8_t>> cmp = pictures::MakeCmpImageOfFile(*chosen, reporter_);
        if (!cmp) return;
        target = SameNewPicture(settings_.data_folder, *cmp);
        if (target.empty()) {
            target = NextNewPicturePath(settings_.data_folder);
            if (target.empty()) {
                reporter_.ShowMessage("ファイル書込みエラー\r" + settings_.data_folder +
                                          ": no free name BP13.cmp … for a new picture",
                                      pictures::kReadErrorCaption);
                return;
            }
            if (!pictures::WriteCmpFile(target, *cmp, reporter_)) return;
        }
    }
    pictures_.at(static_cast<std::size_t>(month_ - 1)) = target.filename().string();
    month_label_.SetCaption(MonthName(month_));
    LoadMonthPicture();
    result_to_give_ = ModalResult::kOk;
}

} // namespace dialogs
