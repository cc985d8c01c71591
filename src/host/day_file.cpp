// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/day_file.h"

#include <stdexcept>

#include "base/file_io.h"

namespace host {
namespace {

void Append(std::string& bytes, const almanac::DayRecord& day) {
    const almanac::RawRecord raw = almanac::EncodeRecord(day);
    bytes.append(reinterpret_cast<const char*>(raw.data()), raw.size());
}

} // namespace

std::string DayFileBytes(const DayCalendar& calendar) {
    if (calendar.first_year() > kDayFileFirstYear || calendar.last_year() < kDayFileLastYear) {
        throw std::invalid_argument("the day file needs the calendar of 1901 … 2100");
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(kDayFileRecords) * almanac::kRecordSize);
    for (const almanac::DayRecord& day : calendar.days()) {
        if (day.year() < kDayFileFirstYear || day.year() > kDayFileLastYear) continue;
        Append(bytes, day);
        if (day.Date == 21000228) {
            almanac::DayRecord slot = day;
            slot.Date = 21000229;
            Append(bytes, slot);
        }
    }
    return bytes;
}

std::string WriteDayFile(const std::filesystem::path& path, const DayCalendar& calendar) {
    return base::ReplaceFileAtomically(path, DayFileBytes(calendar));
}

} // namespace host
