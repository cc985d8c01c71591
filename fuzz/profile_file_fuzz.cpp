// Kalvorin.CFG as any bytes: every read and the settings loader must cope, and a write must
// change only its own key: the written value reads back, and the other keys read as before.

#include "config/config_file.h"
#include "config/holidays.h"
#include "config/settings.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// Every successful write flushes the file to disk; on a memory file system (/dev/shm) that
// costs nothing, so the runs exercise the parser rather than the disk.
const std::filesystem::path& FuzzFile() {
    static const std::filesystem::path path = [] {
        std::error_code ec;
        std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
        static std::string folder = (base / "profile-fuzz-XXXXXX").string();
        if (!::mkdtemp(folder.data())) std::abort();
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(folder, ignored);
        });
        return std::filesystem::path(folder) / "Kalvorin.CFG";
    }();
    return path;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& path = FuzzFile();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    config::ConfigFile file(path);
    std::vector<std::string> sections = file.SectionNames();
    config::Settings before = config::LoadSettings(file, "/module");
    config::HolidayTable holidays;
    config::LoadHolidays(file, 2026, holidays);
    for (std::size_t i = 0; i < sections.size() && i < 8; ++i)
        file.ReadString(sections[i], "HOLIDAY1", "");

    // One write; when it succeeds the value reads back and nothing else changed.
    if (file.WriteInteger("PRINT 1", "Up Space", 12)) {
        Check(file.ReadInteger("PRINT 1", "Up Space", 0) == 12);
        config::Settings after = config::LoadSettings(file, "/module");
        after.page(1).up_space = before.page(1).up_space;
        Check(after == before);
        config::HolidayTable holidays_after;
        config::LoadHolidays(file, 2026, holidays_after);
        Check(holidays_after == holidays);
    }
    return 0;
}
