// SPDX-License-Identifier: GPL-3.0-or-later
// The edits a window writes back (EditSet, ConfigFile::WriteEdits, HolidayEdits), applied to
// any Kalvorin.CFG content after another writer changed it, all in memory. The holiday
// editor's toggled days must land on the file's current marks and leave every other day as
// the other writer left it; a batch of edits is written whole or not at all; a set key reads
// back its value, a rewritten key what its rewrite made of the value before it, and every
// key no edit names reads as before.
//
// Input: two bytes (little-endian) the length of the file's content, the content, then the
// script: a year byte, holiday toggles up to a 0xFF byte, the other writer's changes up to
// a 0xFF byte, then the window's edits.

#include "config/config_file.h"
#include "config/cp932_scan.h"
#include "config/edit_set.h"
#include "config/holidays.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// Names that differ after trimming and without regard to case, so that each names its own
// key; the years are the holiday sections.
constexpr std::array<const char*, 5> kSections = {"PRINT 1", "2026", "2027", "UNSEI", "新しい"};
constexpr std::array<const char*, 6> kKeys = {"Up Space", "HOLIDAY1", "HOLIDAY6", "BMP1", "名前", " Pad "};
constexpr std::size_t kMaxEdits = 16;
constexpr const char* kAbsent = "\n"; // no value can hold a line break

class Script {
public:
    Script(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool done() const { return pos_ >= size_; }
    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0xFF; }
    // Up to 0xFF (consumed) or the end.
    std::optional<std::uint8_t> Until() {
        const std::uint8_t b = Byte();
        if (b == 0xFF) return std::nullopt;
        return b;
    }
    std::string Text() {
        std::string text;
        for (std::size_t n = Byte() % 24; n > 0 && !done(); --n)
            text.push_back(static_cast<char>(Byte()));
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

using Name = std::pair<std::size_t, std::size_t>; // section, key

std::string Read(const config::ConfigFile& file, const Name& name) {
    return file.ReadString(kSections[name.first], kKeys[name.second], kAbsent);
}

// What a value reads back as after it was written.
std::string Stored(const std::string& value) {
    return config::Cp932ToUtf8Replacing(config::EncodeCp932(value).value_or(""));
}

std::map<Name, std::string> ReadAll(const config::ConfigFile& file) {
    std::map<Name, std::string> values;
    const config::ConfigFile::ReadScope scope(file);
    for (std::size_t s = 0; s < kSections.size(); ++s) {
        for (std::size_t k = 0; k < kKeys.size(); ++k)
            values[{s, k}] = Read(file, {s, k});
    }
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t content_size = std::min<std::size_t>(data[0] | data[1] << 8, size - 2);
    config::ConfigFile file =
        config::ConfigFile::InMemory(std::string(reinterpret_cast<const char*>(data + 2), content_size));
    Script script(data + 2 + content_size, size - 2 - content_size);

    // The holiday editor opens on a year and toggles days.
    const int year = script.Byte() % 2 == 0 ? 2026 : 2027;
    config::HolidayTable given;
    config::LoadHolidays(file, year, given);
    config::HolidayTable edited = given;
    while (auto b = script.Until())
        edited.Toggle(*b % 12 + 1, script.Byte() % 32 + 1);

    // Meanwhile another writer changes the file (one batch, as the host writes).
    std::vector<config::ConfigFile::Entry> outside;
    while (auto b = script.Until()) {
        const std::size_t s = *b % kSections.size(), k = *b / kSections.size() % kKeys.size();
        outside.push_back({kSections[s], kKeys[k], script.Text()});
    }
    if (!outside.empty()) file.WriteStrings(outside);
    config::HolidayTable current;
    config::LoadHolidays(file, year, current);
    const int other_year = year == 2026 ? 2027 : 2026;
    config::HolidayTable other_before;
    config::LoadHolidays(file, other_year, other_before);

    // The editor saves: its toggled days on the file's current marks, nothing else.
    const std::string before_holidays = file.memory_bytes();
    const config::EditSet holiday_edits = config::HolidayEdits(year, given, edited);
    Check(holiday_edits.WriteTo(file));
    config::HolidayTable merged = current;
    for (std::size_t m = 0; m < 12; ++m) {
        for (std::size_t d = 0; d < 31; ++d) {
            if (given.flags[m][d] != edited.flags[m][d]) merged.flags[m][d] = edited.flags[m][d];
        }
    }
    config::HolidayTable after;
    config::LoadHolidays(file, year, after);
    Check(after == merged);
    config::LoadHolidays(file, other_year, after);
    Check(after == other_before);
    if (holiday_edits.empty()) Check(file.memory_bytes() == before_holidays);

    // A window's edits: values set and values rewritten (a suffix added to the current one).
    config::EditSet edits;
    std::map<Name, std::optional<std::string>> expected; // nullopt: not writable
    bool all_writable = true;                            // else the whole batch must fail
    const std::map<Name, std::string> before = ReadAll(file);
    while (!script.done() && edits.size() < kMaxEdits) {
        const std::uint8_t op = script.Byte();
        const Name name{op % kSections.size(), op / kSections.size() % kKeys.size()};
        const std::string text = script.Text();
        auto now = expected.find(name);
        std::optional<std::string> value =
            now != expected.end() ? now->second : std::optional<std::string>(before.at(name));
        if (op & 0x80) {
            edits.Rewrite(kSections[name.first], kKeys[name.second],
                          [text](const std::optional<std::string>& current) { return current.value_or("") + text; });
            if (value) value = *value == kAbsent ? text : *value + text;
        } else {
            edits.Set(kSections[name.first], kKeys[name.second], text);
            value = text;
        }
        // A value that does not round-trip through CP932, or holds a line break, fails the batch.
        const bool writable = value && value->find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos &&
                              config::EncodeCp932(*value).has_value();
        expected[name] = writable ? std::optional<std::string>(Stored(*value)) : std::nullopt;
        all_writable = all_writable && writable;
    }
    const std::string before_edits = file.memory_bytes();
    const std::vector<std::string> sections_before = file.SectionNames();
    const bool written = edits.WriteTo(file);
    Check(written == all_writable);
    if (!written) {
        Check(file.memory_bytes() == before_edits);
        return 0;
    }
    const std::map<Name, std::string> now = ReadAll(file);
    for (const auto& [name, value] : now) {
        auto edit = expected.find(name);
        Check(edit == expected.end() ? value == before.at(name) : value == *edit->second);
    }
    // Sections are kept in order; a new one is added at the end.
    const std::vector<std::string> sections_after = file.SectionNames();
    Check(sections_after.size() >= sections_before.size() &&
          std::equal(sections_before.begin(), sections_before.end(), sections_after.begin()));
    return 0;
}
