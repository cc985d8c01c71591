// SPDX-License-Identifier: GPL-3.0-or-later
// Kalvorin.CFG as any bytes: every read and the settings loader must cope, and a write must
// change only its own key: the written value reads back, and the other keys read as before.
// The file is held in memory (ConfigFile::InMemory): the same reading and editing rules as
// on disk, without a file written and flushed for each input.

#include "config/config_file.h"
#include "config/holidays.h"
#include "config/settings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    config::ConfigFile file = config::ConfigFile::InMemory(std::string(reinterpret_cast<const char*>(data), size));
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
