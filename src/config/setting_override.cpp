// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/setting_override.h"

#include "config/setting_keys.h"

#include <algorithm>
#include <cctype>

namespace config {
namespace {

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsPrintSetting(const SettingKey& row) {
    return row.writer == Writer::PrintDialog || row.writer == Writer::Shutdown;
}

} // namespace

std::string ApplySettingOverride(std::string_view assignment, Settings& settings) {
    const std::string quoted = "'" + std::string(assignment) + "'";
    const std::size_t equals = assignment.find('=');
    const std::size_t dot = assignment.substr(0, equals).find('.');
    if (equals == std::string_view::npos || dot == std::string_view::npos) return quoted + " is not SECTION.KEY=VALUE";
    const std::string_view section = assignment.substr(0, dot);
    const std::string_view key = assignment.substr(dot + 1, equals - dot - 1);
    const std::string_view value = assignment.substr(equals + 1);
    for (const SettingKey& row : SettingKeys()) {
        if (!SameLetters(row.section, section) || !SameLetters(row.key, key)) continue;
        if (!IsPrintSetting(row))
            return quoted + ": " + std::string(row.section) + "." + std::string(row.key) + " is not a print setting";
        const std::string error = ApplySettingText(row, value, settings);
        return error.empty() ? error
                             : quoted + ": " + std::string(row.section) + "." + std::string(row.key) + " " + error;
    }
    return quoted + ": no print setting " + std::string(section) + "." + std::string(key) +
           " (the sections are PRINT and PRINT 1 ... PRINT 5)";
}

} // namespace config
