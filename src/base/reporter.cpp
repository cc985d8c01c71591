#include "base/reporter.h"

#include <cstdio>

namespace base {

void StderrReporter::ShowMessage(std::string_view text, std::string_view caption) {
    std::string line(caption);
    line += ": ";
    for (char c : text) line += (c == '\r') ? '\n' : c;
    line += '\n';
    std::fputs(line.c_str(), stderr);
}

void OnceReporter::ShowMessage(std::string_view text, std::string_view caption) {
    ++count_;
    if (shown_.emplace(std::string(text), std::string(caption)).second) out_.ShowMessage(text, caption);
}

void RecordingReporter::ShowMessage(std::string_view text, std::string_view caption) {
    messages_.push_back({std::string(text), std::string(caption)});
}

} // namespace base
