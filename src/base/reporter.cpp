// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/reporter.h"

#include <cstdio>

namespace base {

std::string TerminalMessage(std::string_view text, std::string_view caption) {
    const std::size_t first_end = text.find('\r');
    if (first_end != std::string_view::npos && text.substr(0, first_end) == caption) text.remove_prefix(first_end + 1);
    std::string line(caption);
    line += ": ";
    for (char c : text) line += (c == '\r') ? '\n' : c;
    line += '\n';
    return line;
}

void StderrReporter::ShowMessage(std::string_view text, std::string_view caption) {
    std::fputs(TerminalMessage(text, caption).c_str(), stderr);
}

void OnceReporter::ShowMessage(std::string_view text, std::string_view caption) {
    if (caption != kNoteCaption) ++count_;
    if (shown_.emplace(std::string(text), std::string(caption)).second) out_.ShowMessage(text, caption);
}

void RecordingReporter::ShowMessage(std::string_view text, std::string_view caption) {
    messages_.push_back({std::string(text), std::string(caption)});
}

void NamingReporter::ShowMessage(std::string_view text, std::string_view caption) {
    out_.ShowMessage(what_.empty() ? std::string(text) : std::string(text) + "\r" + what_, caption);
}

} // namespace base
