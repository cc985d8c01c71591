// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/picture_open_dialog.h"

#include "base/reporter.h"
#include "controls/gdk_bitmap.h"
#include "controls/window_place.h"
#include "dialogs/picture_choice.h"
#include "pictures/picture_file.h"

#include <gdk/gdkkeysyms.h>
#include <gdkmm/general.h>
#include <glibmm/main.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/filefilter.h>
#include <gtkmm/image.h>
#include <gtkmm/window.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>

namespace dialogs {
namespace {

namespace fs = std::filesystem;

constexpr int kPaneWidth = 200;
constexpr int kPaneHeight = 220;
// Around the picture in the preview window: its frame, margins and the window's border.
constexpr int kPreviewFrame = 80;

std::string LowerExtension(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

// "*.cmp" matching any letter case: "*.[cC][mM][pP]".
std::string AnyCasePattern(const std::string& extension) {
    std::string pattern = "*.";
    for (char c : extension) {
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        pattern += lower == upper ? std::string(1, c) : std::string{'[', lower, upper, ']'};
    }
    return pattern;
}

void AddFilter(Gtk::FileChooser& chooser, const std::string& name, std::initializer_list<const char*> extensions) {
    auto filter = Gtk::FileFilter::create();
    filter->set_name(name);
    for (const char* ext : extensions)
        filter->add_pattern(AnyCasePattern(ext));
    chooser.add_filter(filter);
}

} // namespace

gfx::Rect PreviewRect(int pw, int ph, int aw, int ah) {
    const controls::ShownSize shown = controls::FittedSize(pw, ph, aw, ah);
    if (shown.width <= 0) return {};
    if (pw <= aw && ph <= ah) {
        const int left = (aw - pw) / 2, top = (ah - ph) / 2;
        return gfx::Rect{left, top, left + pw, top + ph};
    }
    return gfx::Rect{0, 0, shown.width, shown.height};
}

PicturePreviewPane::PicturePreviewPane()
    : Gtk::Box(Gtk::ORIENTATION_VERTICAL), label_row_(Gtk::ORIENTATION_HORIZONTAL), label_("画像:"),
      bottom_space_(Gtk::ORIENTATION_HORIZONTAL) {
    set_name("qelmarin-picture-preview");
    set_border_width(6);
    set_size_request(kPaneWidth, kPaneHeight);
    label_.set_xalign(0);
    label_row_.set_size_request(-1, 23);
    label_row_.pack_start(label_, true, true);
    if (auto glyph = controls::BuiltinPixbuf("PREVIEWGLYPH")) preview_button_.add(*Gtk::manage(new Gtk::Image(glyph)));
    preview_button_.set_size_request(23, 22);
    preview_button_.set_tooltip_text("プレビュー");
    preview_button_.set_sensitive(false);
    preview_button_.signal_clicked().connect([this] { ShowPreviewWindow(); });
    label_row_.pack_end(preview_button_, false, false, 2);
    pack_start(label_row_, false, false);
    paint_frame_.set_shadow_type(Gtk::SHADOW_IN);
    paint_frame_.add(picture_area_);
    picture_area_.add_events(Gdk::BUTTON_PRESS_MASK);
    picture_area_.signal_draw().connect(sigc::mem_fun(*this, &PicturePreviewPane::Paint));
    picture_area_.signal_button_press_event().connect([this](GdkEventButton* event) {
        if (event->type == GDK_2BUTTON_PRESS && picture_) {
            // After the press has been handled: the preview window runs its own loop.
            Glib::signal_idle().connect_once([this] { ShowPreviewWindow(); });
        }
        return true;
    });
    pack_start(paint_frame_, true, true);
    bottom_space_.set_size_request(-1, 12);
    pack_start(bottom_space_, false, false);
    show_all();
}

void PicturePreviewPane::SetPicture(std::optional<pictures::Bitmap> picture) {
    picture_ = std::move(picture);
    if (picture_ && picture_->empty()) picture_.reset();
    pixbuf_.reset(); // fitted at the next paint
    if (picture_) {
        char size[48];
        std::snprintf(size, sizeof size, " (%dx%d)", picture_->width, picture_->height);
        label_.set_text(std::string("画像:") + size);
    } else {
        label_.set_text("画像:");
    }
    preview_button_.set_sensitive(static_cast<bool>(picture_));
}

void PicturePreviewPane::SelectionChanged(const fs::path& path) {
    std::error_code ec;
    const bool usable = !path.empty() && fs::is_regular_file(path, ec);
    auto window = get_toplevel() ? get_toplevel()->get_window() : Glib::RefPtr<Gdk::Window>();
    if (!usable) {
        loader_.Cancel();
        SetPicture(std::nullopt);
    } else if (pictures::IsPictureExtension(path)) {
        // The busy cursor until the picture is there; the window goes on answering.
        if (window) window->set_cursor(Gdk::Cursor::create(get_display(), Gdk::WATCH));
        loader_.Load(path, [this, path](std::optional<pictures::Bitmap> loaded) { Loaded(path, std::move(loaded)); });
        return;
    } else {
        loader_.Cancel();
    }
    if (window) window->set_cursor();
    picture_area_.queue_draw();
}

void PicturePreviewPane::Loaded(const fs::path& path, std::optional<pictures::Bitmap> loaded) {
    if (loaded && !loaded->empty()) {
        SetPicture(std::move(loaded));
    } else if (LowerExtension(path) == ".cmp") {
        SetPicture(std::nullopt);
    }
    auto window = get_toplevel() ? get_toplevel()->get_window() : Glib::RefPtr<Gdk::Window>();
    if (window) window->set_cursor();
    picture_area_.queue_draw();
}

bool PicturePreviewPane::Paint(const Cairo::RefPtr<Cairo::Context>& cr) {
    const int aw = picture_area_.get_allocated_width(), ah = picture_area_.get_allocated_height();
    cr->set_source_rgb(1, 1, 1);
    cr->paint();
    if (picture_ && (!pixbuf_ || pixbuf_room_ != controls::ShownSize{aw, ah})) {
        pixbuf_ = controls::FitPicture(*picture_, aw, ah);
        pixbuf_room_ = {aw, ah};
    }
    if (!pixbuf_) {
        auto layout = picture_area_.create_pango_layout("(なし)");
        int tw = 0, th = 0;
        layout->get_pixel_size(tw, th);
        cr->set_source_rgb(0, 0, 0);
        cr->move_to((aw - tw) / 2, (ah - th) / 2);
        layout->show_in_cairo_context(cr);
        return true;
    }
    // Fitted already: drawn as it is, where PreviewRect puts the picture.
    const gfx::Rect r = PreviewRect(picture_->width, picture_->height, aw, ah);
    Gdk::Cairo::set_source_pixbuf(cr, pixbuf_, r.left, r.top);
    cr->paint();
    return true;
}

void PicturePreviewPane::ShowPreviewWindow() {
    if (!picture_) return;
    const controls::ShownSize room = controls::ScreenRoom(kPreviewFrame, kPreviewFrame);
    Glib::RefPtr<Gdk::Pixbuf> shown = controls::FitPicture(*picture_, room.width, room.height);
    if (!shown) return;
    Gtk::Window window;
    window.set_name("qelmarin-picture-full-size");
    window.set_title("プレビュー");
    window.set_type_hint(Gdk::WINDOW_TYPE_HINT_UTILITY);
    window.set_position(Gtk::WIN_POS_CENTER);
    window.set_modal(true);
    if (auto* owner = dynamic_cast<Gtk::Window*>(get_toplevel())) window.set_transient_for(*owner);
    Gtk::Frame panel;
    panel.set_shadow_type(Gtk::SHADOW_IN);
    panel.set_border_width(5);
    Gtk::Image image(shown);
    image.set_margin_start(5);
    image.set_margin_end(5);
    image.set_margin_top(5);
    image.set_margin_bottom(5);
    Gtk::EventBox events;
    events.add(image);
    panel.add(events);
    window.add(panel);
    auto loop = Glib::MainLoop::create();
    auto close = [&] {
        window.hide();
        if (loop->is_running()) loop->quit();
    };
    window.signal_key_press_event().connect([&](GdkEventKey* event) {
        if (event->keyval == GDK_KEY_Escape) close();
        return event->keyval == GDK_KEY_Escape;
    });
    events.signal_button_press_event().connect([&](GdkEventButton* event) {
        if (event->type == GDK_2BUTTON_PRESS) close();
        return true;
    });
    window.signal_delete_event().connect([&](GdkEventAny*) {
        close();
        return true;
    });
    window.show_all();
    if (on_preview_shown) Glib::signal_idle().connect_once([&] { on_preview_shown(window); });
    if (window.get_visible()) loop->run();
}

PictureOpenDialog::PictureOpenDialog(Gtk::Window* owner, PictureFileType type, const fs::path& initial_folder)
    : Gtk::FileChooserDialog("ファイルを開く", Gtk::FILE_CHOOSER_ACTION_OPEN) {
    if (owner) set_transient_for(*owner);
    set_modal(true);
    add_button("キャンセル", Gtk::RESPONSE_CANCEL);
    add_button("開く", Gtk::RESPONSE_ACCEPT);
    set_default_response(Gtk::RESPONSE_ACCEPT);
    // The first filter is the one the chooser opens on: every picture the button takes.
    if (type == PictureFileType::kCmp) {
        AddFilter(*this, "月の絵 (*.cmp)", {"cmp"});
    } else {
        AddFilter(*this, "すべての絵 (*.bmp, *.jpg, *.jpeg)", {"bmp", "jpg", "jpeg"});
        AddFilter(*this, "BMP の絵 (*.bmp)", {"bmp"});
        AddFilter(*this, "JPEG の絵 (*.jpg, *.jpeg)", {"jpg", "jpeg"});
    }
    // The chooser's own size, but never more than the monitor its owner is on holds.
    const Gdk::Rectangle area = controls::WorkAreaOf(owner);
    set_default_size(std::min(900, area.get_width()), std::min(560, area.get_height()));
    // On a narrow screen the preview gives up width, so that the chooser's lists and its
    // buttons fit beside it.
    if (area.get_width() < 4 * kPaneWidth) pane_.set_size_request(std::max(120, area.get_width() / 4), kPaneHeight);
    signal_map().connect([this] { Glib::signal_idle().connect_once([this] { controls::KeepInsideWorkArea(*this); }); });
    if (!initial_folder.empty()) set_current_folder(initial_folder.string());
    set_preview_widget(pane_);
    set_use_preview_label(false);
    set_preview_widget_active(true);
    signal_update_preview().connect([this] {
        pane_.SelectionChanged(get_preview_filename());
        // The pane stays visible when a folder is selected: it then says "(なし)".
        set_preview_widget_active(true);
    });
}

// The pane goes before the dialog: the chooser must not keep a pointer to it.
PictureOpenDialog::~PictureOpenDialog() {
    gtk_file_chooser_set_preview_widget(GTK_FILE_CHOOSER(gobj()), nullptr);
}

std::optional<fs::path> PictureOpenDialog::Execute() {
    const int response = run();
    hide();
    if (response != Gtk::RESPONSE_ACCEPT) return std::nullopt;
    const std::string file = get_filename();
    if (file.empty()) return std::nullopt;
    return fs::path(file);
}

std::optional<std::string> ChooseMonthPictureFile(const ChooseFileFn& choose, Gtk::Window* owner,
                                                  const std::string& data_folder, base::Reporter& reporter) {
    const auto chosen = choose(owner, PictureFileType::kCmp, data_folder);
    if (!chosen) return std::nullopt;
    const ChosenPicture choice = CheckChosenCmp(*chosen, data_folder);
    if (!choice.error.empty()) {
        reporter.ShowMessage(std::string(choice.error) + "\r" + chosen->string(), kErrorCaption);
        return std::nullopt;
    }
    return choice.name;
}

ChooseFileFn RealFileChooser() {
    return [](Gtk::Window* owner, PictureFileType type, const fs::path& folder) {
        PictureOpenDialog dialog(owner, type, folder);
        return dialog.Execute();
    };
}

} // namespace dialogs
