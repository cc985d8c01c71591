// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/test_calendar.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <type_traits>
#include <unistd.h>

namespace host::testing {
namespace {

namespace fs = std::filesystem;

// ctest runs every test in a process of its own. The events of the 200 years take seconds
// to compute, so the first process that needs them keeps them in a file beside the test
// binary, stamped with the binary's size and time of change; the others read them back, and a
// rebuilt binary computes them anew.
struct EventCache {
    fs::path path;
    std::string stamp;
};

EventCache EventCacheOfThisBinary() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) return {};
    const auto size = fs::file_size(self, error);
    const auto changed = fs::last_write_time(self, error);
    if (error) return {};
    return {self.parent_path() / (self.filename().string() + ".events"),
            std::to_string(size) + "/" + std::to_string(changed.time_since_epoch().count())};
}

template <typename T> void Put(std::ostream& out, const std::vector<T>& values) {
    static_assert(std::is_trivially_copyable_v<T>);
    const std::uint64_t count = values.size();
    out.write(reinterpret_cast<const char*>(&count), sizeof count);
    out.write(reinterpret_cast<const char*>(values.data()), static_cast<std::streamsize>(count * sizeof(T)));
}

template <typename T> bool Get(std::istream& in, std::vector<T>& values) {
    std::uint64_t count = 0;
    if (!in.read(reinterpret_cast<char*>(&count), sizeof count) || count > 1000000) return false;
    values.resize(count);
    return static_cast<bool>(
        in.read(reinterpret_cast<char*>(values.data()), static_cast<std::streamsize>(count * sizeof(T))));
}

bool LoadEvents(const EventCache& cache, AlmanacEvents& events) {
    std::ifstream in(cache.path, std::ios::binary);
    std::string stamp;
    return in && std::getline(in, stamp) && stamp == cache.stamp && Get(in, events.solar) &&
           Get(in, events.new_moons) && Get(in, events.new_moon_jdns) && in.peek() == std::char_traits<char>::eof();
}

void SaveEvents(const EventCache& cache, const AlmanacEvents& events) {
    const fs::path temporary = cache.path.string() + "." + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary);
        out << cache.stamp << "\n";
        Put(out, events.solar);
        Put(out, events.new_moons);
        Put(out, events.new_moon_jdns);
        if (!out) return;
    }
    std::error_code error;
    fs::rename(temporary, cache.path, error); // a whole file or none, whichever process comes first
    if (error) fs::remove(temporary, error);
}

DayCalendar MakeFullCalendar() {
    const EventCache cache = EventCacheOfThisBinary();
    AlmanacEvents events;
    if (cache.path.empty() || !LoadEvents(cache, events)) {
        events = ComputeAlmanacEvents(1901, 2100);
        if (!cache.path.empty()) SaveEvents(cache, events);
    }
    return DayCalendar(1901, 2100, std::move(events));
}

} // namespace

const DayCalendar& FullCalendar() {
    static const DayCalendar calendar = MakeFullCalendar();
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
