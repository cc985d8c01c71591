// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// MonthPicturesWindow: "印刷用 絵の確認と変更", the month pictures window. It shows the picture of
// the current month at its own size (reduced to the screen when larger), chooses the month
// from a list (十二月 at the left … 一月 at the right), gives the month another .cmp from
// the data folder ("絵変更") or a new one made from a .bmp or JPEG file ("新 絵", saved as
// the first free BP13.cmp, BP14.cmp …).
// Its result is OK once a picture changed; the names then go back to the caller. It
// remembers its place ("BMP X", "BMP Y", "BMP W", "BMP H").

#include "base/reporter.h"
#include "config/settings.h"
#include "controls/picture_fit.h"
#include "controls/title_strip.h"
#include "dialogs/column_list.h"
#include "dialogs/modal_window.h"
#include "dialogs/picture_open_dialog.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/overlay.h>
#include <gtkmm/scrolledwindow.h>

#include <array>
#include <filesystem>
#include <string>

namespace dialogs {

class MonthPicturesWindow : public ModalWindow {
public:
    static constexpr int kDesignWidth = 506;
    static constexpr int kDesignHeight = 442;

    // Takes a copy of the month pictures of settings; writes the window's place into
    // settings (and the file at config_path) on every close.
    MonthPicturesWindow(Gtk::Window* owner, config::Settings& settings, std::filesystem::path config_path,
                        base::Reporter& reporter, std::string face, int font_height);

    // The twelve names, changed or not; the caller takes them on OK.
    const std::array<std::string, 12>& MonthPictures() const { return pictures_; }
    int CurrentMonth() const { return month_; }
    std::string MonthLabelText() const { return month_label_.Caption(); }
    Gtk::Widget& MonthNamePanel() { return month_name_panel_; }
    bool HasPicture() const { return !display_.empty(); }
    const pictures::Bitmap& DisplayBitmap() const { return display_; }
    // The size the picture is shown at (0 × 0 without one).
    controls::ShownSize ShownPictureSize() const {
        if (!display_pixbuf_) return {};
        return {display_pixbuf_->get_width(), display_pixbuf_->get_height()};
    }
    // The picture as shown (empty without one).
    Glib::RefPtr<Gdk::Pixbuf> ShownPicture() const { return display_pixbuf_; }
    ModalResult ResultToGive() const { return result_to_give_; }

    // The handlers, callable from tests as the controls call them.
    void Finish();
    void ToggleMonthList();
    void ChooseMonth(int month);
    void ChoosePicture();
    void ImportPicture();

    bool MonthListVisible() const { return month_list_.get_visible(); }
    ColumnListBox& MonthList() { return month_list_; }
    Gtk::ScrolledWindow& ScrollBox() { return scroll_; }
    Gtk::Button& ExitButton() { return exit_button_; }
    Gtk::Button& MonthChangeButton() { return month_button_; }
    Gtk::Button& PictureChangeButton() { return change_button_; }
    Gtk::Button& NewPictureButton() { return new_button_; }
    Gtk::Button& CloseButton() { return *close_button_; }

    // How files are chosen (tests put a stand-in here).
    ChooseFileFn choose_file = RealFileChooser();

protected:
    void on_show() override;
    bool CanClose(ModalResult result) override;

private:
    void LoadMonthPicture();
    bool PaintPicture(const Cairo::RefPtr<Cairo::Context>& cr);
    void PlaceMonthList();
    int MonthListRoom() const;

    config::Settings& settings_;
    std::filesystem::path config_path_;
    base::Reporter& reporter_;
    std::array<std::string, 12> pictures_;
    int month_ = 1;
    ModalResult result_to_give_ = ModalResult::kCancel;
    pictures::Bitmap display_;
    Glib::RefPtr<Gdk::Pixbuf> display_pixbuf_;

    Gtk::Box box_;
    Gtk::Overlay overlay_;
    Gtk::ScrolledWindow scroll_;
    Gtk::DrawingArea picture_area_;
    Gtk::Box tools_;
    Gtk::Button exit_button_, month_button_, change_button_, new_button_;
    controls::VerticalLabel exit_label_, month_change_label_, month_label_, change_label_, new_label_;
    Gtk::Frame month_name_panel_;
    ColumnListBox month_list_;
    controls::TitleStrip strip_;
    Gtk::Button* close_button_ = nullptr;
};

} // namespace dialogs
