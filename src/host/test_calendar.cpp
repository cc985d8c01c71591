#include "host/test_calendar.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace host::testing {

const DayCalendar& FullCalendar() {
    static const DayCalendar calendar(1901, 2100);
    return calendar;
}

std::filesystem::path TestDataPath(const std::string& name) {
    return std::filesystem::path(QELMARIN_SOURCE_DIR) / "src" / "host" / "testdata" / name;
}

std::string ReadTestData(const std::string& name) {
    std::ifstream in(TestDataPath(name), std::ios::binary);
    EXPECT_TRUE(in) << "missing test data " << name;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

almanac::DayRecord DayOf(int year, int month, int day) {
    const almanac::DayRecord* record = FullCalendar().Find(year, month, day);
    EXPECT_NE(record, nullptr) << year << "-" << month << "-" << day;
    return record ? *record : almanac::DayRecord{};
}

} // namespace host::testing
