// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/help_text.h"

#include "app/launch_error.h"
#include "base/file_io.h"
#include "base/sjis.h"
#include "controls/window_place.h"

#include <gdk/gdkkeysyms.h>
#include <giomm/appinfo.h>
#include <giomm/file.h>
#include <glibmm/miscutils.h>
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/textview.h>

namespace app {

namespace {

// The launch message: the path stays the caption, and stands in the body too, below the
// message and with the platform's reason when there is one.
void ShowLaunchError(base::Reporter& reporter, int code, const std::filesystem::path& path,
                     const std::string& reason = {}) {
    std::string text = std::string(LaunchErrorText(code)) + "\r" + path.string();
    if (!reason.empty()) text += "\r" + reason;
    reporter.ShowMessage(text, path.string());
}

// The program's own help window: the text, read only, with a close button; Escape closes
// it. One for the program, shown again with the newest text.
class HelpWindow : public Gtk::Window {
public:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 520;

    HelpWindow() : box_(Gtk::ORIENTATION_VERTICAL, 6), close_("閉じる") {
        set_name("qelmarin-help");
        set_default_size(kWidth, kHeight);
        view_.set_editable(false);
        view_.set_cursor_visible(false);
        view_.set_wrap_mode(Gtk::WRAP_WORD_CHAR);
        view_.set_left_margin(8);
        view_.set_right_margin(8);
        scroll_.add(view_);
        scroll_.set_vexpand(true);
        box_.set_border_width(6);
        box_.pack_start(scroll_, true, true);
        close_.set_halign(Gtk::ALIGN_END);
        close_.signal_clicked().connect([this] { hide(); });
        box_.pack_start(close_, false, false);
        add(box_);
        box_.show_all();
    }
    void Show(Gtk::Window& parent, const std::string& title, const std::string& text) {
        set_title(title);
        set_transient_for(parent);
        // As designed, or as large as the work area of the owner's monitor when that is smaller.
        const Gdk::Rectangle area = controls::WorkAreaOf(&parent);
        const controls::WindowPlace place = controls::FitIntoArea(std::nullopt, std::nullopt, kWidth, kHeight, area);
        if (!get_visible()) {
            set_default_size(place.width, place.height);
            move(place.x, place.y);
        }
        view_.get_buffer()->set_text(text);
        view_.get_buffer()->place_cursor(view_.get_buffer()->begin());
        present();
        close_.grab_focus();
    }

protected:
    bool on_key_press_event(GdkEventKey* event) override {
        if (event->keyval == GDK_KEY_Escape) {
            hide();
            return true;
        }
        return Gtk::Window::on_key_press_event(event);
    }

private:
    Gtk::Box box_;
    Gtk::ScrolledWindow scroll_;
    Gtk::TextView view_;
    Gtk::Button close_;
};

} // namespace

std::optional<std::string> HelpTextUtf8(std::string_view cp932) {
    std::optional<std::string> text = base::Cp932ToUtf8(cp932);
    if (!text) return std::nullopt;
    std::string out;
    out.reserve(text->size());
    for (std::size_t i = 0; i < text->size(); ++i) {
        const char c = (*text)[i];
        if (c == '\r') {
            out += '\n';
            if (i + 1 < text->size() && (*text)[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::filesystem::path HelpCopyPath(const std::filesystem::path& cache_folder) {
    return cache_folder / "qelmarin" / "ReadMe2.txt";
}

bool LaunchWithDefaultApplication(const std::filesystem::path& file, std::string& reason) {
    Glib::RefPtr<Gio::AppInfo> app = Gio::AppInfo::get_default_for_type("text/plain", false);
    if (!app) {
        reason = "no application is registered for text/plain";
        return false;
    }
    try {
        if (app->launch(Gio::File::create_for_path(file.string()))) return true;
        reason = app->get_name() + " did not start";
    } catch (const Glib::Error& e) {
        reason = e.what().raw();
    }
    return false;
}

Gtk::Window* OpenHelpText(const std::filesystem::path& host_folder, Gtk::Window& parent, base::Reporter& reporter,
                          const HelpLauncher& launch, const std::filesystem::path& cache_folder) {
    const std::filesystem::path path = host_folder / kHelpFileName;
    const base::FileRead read = base::ReadFileBounded(path, kHelpMaxBytes);
    switch (read.status) {
    case base::FileRead::Status::Ok: break;
    case base::FileRead::Status::Missing: ShowLaunchError(reporter, kLaunchFileNotFound, path); return nullptr;
    case base::FileRead::Status::TooLarge:
        ShowLaunchError(reporter, kLaunchFileNotFound, path, "larger than 4 MiB: not a help text");
        return nullptr;
    case base::FileRead::Status::Failed: ShowLaunchError(reporter, kLaunchFileNotFound, path, read.error); return nullptr;
    }
    const std::optional<std::string> text = HelpTextUtf8(read.bytes);
    if (!text) {
        ShowLaunchError(reporter, kLaunchFileNotFound, path, "not a Shift_JIS (CP932) text");
        return nullptr;
    }
    const std::filesystem::path copy =
        HelpCopyPath(cache_folder.empty() ? std::filesystem::path(Glib::get_user_cache_dir()) : cache_folder);
    std::error_code ec;
    std::filesystem::create_directories(copy.parent_path(), ec);
    std::string reason = base::ReplaceFileAtomically(copy, *text);
    if (reason.empty() && launch(copy, reason)) return nullptr;
    // No application (or no cache folder to give it a copy from): the program's own window.
    static HelpWindow* window = new HelpWindow(); // one for the program's life
    // Titled as the button that opens it.
    window->Show(parent, "説明", *text);
    return window;
}

} // namespace app
