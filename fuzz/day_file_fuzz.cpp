// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as UNSEI.DAT: the month loader must never read out of bounds or crash,
// whatever the file holds or however short it is.

#include "almanac/day_file.h"
#include "almanac/named_days.h"
#include "almanac/fortune.h"
#include "almanac/day_notes.h"
#include "base/reporter.h"

#include <cstdint>
#include <sys/mman.h>
#include <filesystem>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The file lives in memory (a memfd): writing a real file per run is slow on a disk
    // that discards on truncation.
    static const int fd = memfd_create("UNSEI.DAT", 0);
    static const std::filesystem::path path = "/proc/self/fd/" + std::to_string(fd);
    if (size < 2 || fd < 0) return 0;
    // The first two bytes choose the month; the rest is the file.
    const int month_index = data[0] % 144; // January 1901 … December 1912, within 64 KiB files
    const int day_count = data[1] % 40;
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data + 2, size - 2, 0) != static_cast<ssize_t>(size - 2)) return 0;
    almanac::DayFile file(path);
    base::RecordingReporter reporter;
    almanac::MonthDays days{};
    const int year = 1901 + month_index / 12, month = month_index % 12 + 1;
    if (file.LoadMonth(days, year, month, day_count, reporter)) {
        almanac::FortuneWork work;
        for (int d = 1; d <= 31; ++d) {
            const almanac::DayRecord& day = days[static_cast<std::size_t>(d)];
            const almanac::DayKeys keys = almanac::MakeDayKeys(day, data[1], days[1].YearCycle);
            for (int row : almanac::NamedDaysOf(day, keys)) (void)almanac::NamedDayText(row, keys);
            (void)almanac::EvaluateDayFortune(day, data[1], day.YearCycle, work);
            (void)almanac::CycleName(day.DayCycle);
            (void)almanac::SolarTermBegins(day, days[static_cast<std::size_t>(d - 1)]);
        }
    }
    return 0;
}
