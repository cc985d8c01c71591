// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/commentary_names.h"

#include "almanac/commentary_texts.h"
#include "base/sjis.h"

#include <string_view>

namespace almanac {
namespace {

// The character after the opening parenthesis of a commentary line.
std::string NameInParentheses(std::string_view line) {
    const std::size_t open = line.find('(');
    if (open == std::string_view::npos || open + 1 >= line.size()) return {};
    std::size_t utf8_length = 0;
    base::Cp932CharLength(line, open + 1, &utf8_length);
    return std::string(line.substr(open + 1, utf8_length));
}

} // namespace

std::string MansionName(int mansion) {
    if (mansion < 1 || mansion > 28) return {};
    return NameInParentheses(MansionTexts[static_cast<std::size_t>(2 * (mansion - 1))]);
}

std::string OfficerName(int officer) {
    if (officer < 1 || officer > 12) return {};
    return NameInParentheses(OfficerTexts[static_cast<std::size_t>(3 * (officer - 1))]);
}

} // namespace almanac
