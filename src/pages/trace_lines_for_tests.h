// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test helper: the lines of a drawing trace.

#include <sstream>
#include <string>
#include <vector>

namespace pages::testing {

inline std::vector<std::string> TraceLines(const std::string& trace) {
    std::vector<std::string> lines;
    std::istringstream in(trace);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

} // namespace pages::testing
