#include "cli/host_folder.h"

#include "base/reporter.h"

#include <cstdlib>
#include <system_error>

namespace cli {

std::filesystem::path FindHostFolder(const std::optional<std::string>& home_option) {
    if (home_option && !home_option->empty()) return *home_option;
    if (const char* env = std::getenv("KALVORIN_HOME"); env && *env) return env;
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : exe.parent_path();
}

bool CheckHostFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(folder / kConfigFileName, ec)) return true;
    base::StderrReporter reporter;
    reporter.ShowMessage("Kalvorinから起動してください。この処理は異常終了させます", "ｴﾗｰ");
    reporter.ShowMessage((folder / kConfigFileName).string() + " がありません", "qelmarin-cli");
    return false;
}

} // namespace cli
