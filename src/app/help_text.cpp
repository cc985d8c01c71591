#include "app/help_text.h"

#include "app/launch_error.h"

#include <giomm/appinfo.h>
#include <giomm/file.h>

namespace app {

void OpenHelpText(const std::filesystem::path& host_folder, Gtk::Window&, base::Reporter& reporter) {
    const std::filesystem::path path = host_folder / kHelpFileName;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        reporter.ShowMessage(LaunchErrorText(kLaunchFileNotFound), path.string());
        return;
    }
    Glib::RefPtr<Gio::AppInfo> app = Gio::AppInfo::get_default_for_type("text/plain", false);
    if (!app) {
        reporter.ShowMessage(LaunchErrorText(kLaunchNoAssociation), path.string());
        return;
    }
    try {
        if (!app->launch(Gio::File::create_for_path(path.string())))
            reporter.ShowMessage(LaunchErrorText(kLaunchNoAssociation), path.string());
    } catch (const Glib::Error&) {
        reporter.ShowMessage(LaunchErrorText(kLaunchNoAssociation), path.string());
    }
}

} // namespace app
