// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/number_text.h"

#include <charconv>
#include <limits>

namespace config {
namespace {

// Splits off an optional sign; returns whether it was "-".
bool TakeSign(std::string_view& text) {
    if (text.empty() || (text.front() != '+' && text.front() != '-')) return false;
    bool negative = text.front() == '-';
    text.remove_prefix(1);
    return negative;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<int> ParseInteger(std::string_view text) {
    bool negative = TakeSign(text);
    if (text.empty() || !IsDigit(text.front())) return std::nullopt;
    long long value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
    if (negative) value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) return std::nullopt;
    return static_cast<int>(value);
}

std::optional<double> ParseDecimal(std::string_view text) {
    bool negative = TakeSign(text);
    bool digit_seen = false;
    bool point_seen = false;
    for (char c : text) {
        if (IsDigit(c)) {
            digit_seen = true;
        } else if (c == '.' && !point_seen) {
            point_seen = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digit_seen) return std::nullopt;
    double value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
    return negative ? -value : value;
}

} // namespace config
