// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/setting_override.h"

#include "base/i18n.h"
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
    const std::string text(assignment);
    const std::size_t equals = assignment.find('=');
    const std::size_t dot = assignment.substr(0, equals).find('.');
    if (equals == std::string_view::npos || dot == std::string_view::npos)
        return base::Format(_("'%s' is not SECTION.KEY=VALUE"), text.c_str());
    const std::string_view section = assignment.substr(0, dot);
    const std::string_view key = assignment.substr(dot + 1, equals - dot - 1);
    const std::string_view value = assignment.substr(equals + 1);
    for (const SettingKey& row : SettingKeys()) {
        if (!SameLetters(row.section, section) || !SameLetters(row.key, key)) continue;
        if (!IsPrintSetting(row))
            return base::Format(_("'%s': %s.%s is not a print setting"), text.c_str(), std::string(row.section).c_str(),
                                std::string(row.key).c_str());
        const std::string error = ApplySettingText(row, value, settings);
        // error: "needs ..."
        return error.empty() ? error
                             : base::Format(_("'%s': %s.%s %s"), text.c_str(), std::string(row.section).c_str(),
                                            std::string(row.key).c_str(), error.c_str());
    }
    return base::Format(_("'%s': no print setting %s.%s (the sections are PRINT and PRINT 1 ... PRINT 5)"),
                        text.c_str(), std::string(section).c_str(), std::string(key).c_str());
}

} // namespace config
