#include "app/help_text.h"

#include "app/launch_error.h"

#include <giomm/appinfo.h>
#include <giomm/file.h>

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

} // namespace

void OpenHelpText(const std::filesystem::path& host_folder, Gtk::Window&, base::Reporter& reporter) {
    const std::filesystem::path path = host_folder / kHelpFileName;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        ShowLaunchError(reporter, kLaunchFileNotFound, path);
        return;
    }
    Glib::RefPtr<Gio::AppInfo> app = Gio::AppInfo::get_default_for_type("text/plain", false);
    if (!app) {
        ShowLaunchError(reporter, kLaunchNoAssociation, path, "no application is registered for text/plain");
        return;
    }
    try {
        if (!app->launch(Gio::File::create_for_path(path.string())))
            ShowLaunchError(reporter, kLaunchNoAssociation, path, app->get_name() + " did not start");
    } catch (const Glib::Error& e) {
        ShowLaunchError(reporter, kLaunchNoAssociation, path, e.what().raw());
    }
}

} // namespace app
