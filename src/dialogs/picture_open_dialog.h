// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PictureOpenDialog: the file-open dialog for pictures, with a preview pane beside the
// file list that shows the selected picture (our .cmp pictures included) scaled into the
// pane, its size, and a button that shows it at its own size in a window of its own.

#include "base/reporter.h"
#include "controls/picture_fit.h"
#include "controls/picture_loader.h"
#include "dialogs/picture_file_types.h"
#include "gfx/canvas.h"
#include "pictures/bitmap.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/drawingarea.h>
#include <gtkmm/filechooserdialog.h>
#include <gtkmm/frame.h>
#include <gtkmm/label.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace dialogs {

// Where a picture of pw × ph is drawn in an area of aw × ah: unscaled and centred when it
// fits, else scaled down keeping its proportions from the area's top left corner.
gfx::Rect PreviewRect(int pw, int ph, int aw, int ah);

// The preview pane: the label "画像: (640x480)", the preview button, the picture.
class PicturePreviewPane : public Gtk::Box {
public:
    PicturePreviewPane();

    // The selection moved to path (empty: nothing selected). A file that is not there, a
    // folder or an unreadable name empties the pane; a picture of a known kind is shown;
    // a picture that does not load and a file of another kind leave the pane as it was
    // (a .cmp that does not decode empties it). Pictures load off the window's thread:
    // the pane changes when the picture is there, and a newer selection cancels the load
    // of an older one.
    void SelectionChanged(const std::filesystem::path& path);
    // Whether a selected picture is still loading.
    bool Loading() const { return loader_.Busy(); }

    const std::optional<pictures::Bitmap>& Picture() const { return picture_; }
    std::string LabelText() const { return label_.get_text(); }
    Gtk::Button& PreviewButton() { return preview_button_; }
    Gtk::DrawingArea& PictureArea() { return picture_area_; }

    // Shows the picture at its own size in a modal window (reduced to the screen when it is
    // larger); Esc or a double-click closes it.
    void ShowPreviewWindow();
    // Called with the preview window once it is shown (tests close it from here).
    std::function<void(Gtk::Window&)> on_preview_shown;

private:
    bool Paint(const Cairo::RefPtr<Cairo::Context>& cr);
    void SetPicture(std::optional<pictures::Bitmap> picture);
    void Loaded(const std::filesystem::path& path, std::optional<pictures::Bitmap> loaded);

    controls::PictureLoader loader_;
    std::optional<pictures::Bitmap> picture_;
    Glib::RefPtr<Gdk::Pixbuf> pixbuf_; // the picture as last fitted into the drawing area
    controls::ShownSize pixbuf_room_;  // the room it was fitted into
    Gtk::Box label_row_;
    Gtk::Label label_;
    Gtk::Button preview_button_;
    Gtk::Frame paint_frame_;
    Gtk::DrawingArea picture_area_;
    Gtk::Box bottom_space_;
};

class PictureOpenDialog : public Gtk::FileChooserDialog {
public:
    PictureOpenDialog(Gtk::Window* owner, PictureFileType type, const std::filesystem::path& initial_folder);
    ~PictureOpenDialog() override;

    // Runs the dialog; the chosen file, or nullopt when the user cancelled.
    std::optional<std::filesystem::path> Execute();

    PicturePreviewPane& Pane() { return pane_; }

private:
    PicturePreviewPane pane_;
};

// How the dialogs ask for a picture file: the real dialog, or a test's stand-in.
using ChooseFileFn = std::function<std::optional<std::filesystem::path>(Gtk::Window* owner, PictureFileType type,
                                                                        const std::filesystem::path& initial_folder)>;
ChooseFileFn RealFileChooser();

// Asks for a .cmp picture of the data folder and checks it (CheckChosenCmp): its name as a
// month picture, or nothing when the user cancelled or the file was refused (the reason then
// told through the reporter, with the file's path).
std::optional<std::string> ChooseMonthPictureFile(const ChooseFileFn& choose, Gtk::Window* owner,
                                                  const std::string& data_folder, base::Reporter& reporter);

} // namespace dialogs
