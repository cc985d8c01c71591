// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers as the configuration file holds them.

#include <optional>
#include <string_view>

namespace config {

// A decimal integer: an optional "+" or "-" and one or more digits 0-9, nothing else (no
// blanks, no hexadecimal, no trailing text), within the range of int. Anything else is
// not an integer and gives nullopt.
std::optional<int> ParseInteger(std::string_view text);

// A decimal number with "." as the decimal point: an optional sign, digits with at most
// one ".", at least one digit, nothing else (no exponent, no "inf" or "nan"). The locale
// plays no part.
std::optional<double> ParseDecimal(std::string_view text);

} // namespace config
