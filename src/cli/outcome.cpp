// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/outcome.h"

#include "base/command_line.h"
#include "base/i18n.h"

#include <cstdio>

namespace cli {

void Outcome::Note(std::string_view text) {
    std::fprintf(stderr, "%s: %s\n", program_.c_str(), base::Format(_("note: %s"), std::string(text).c_str()).c_str());
}

int Outcome::Fail(std::string_view text) {
    failed_ = true;
    std::fprintf(stderr, "%s: %.*s\n", program_.c_str(), static_cast<int>(text.size()), text.data());
    return base::kExitFailure;
}

void Outcome::ShowMessage(std::string_view text, std::string_view caption) {
    if (caption != base::kNoteCaption) {
        failed_ = true;
        ++reported_failures_;
    }
    if (!shown_.emplace(std::string(text), std::string(caption)).second) return;
    std::fputs(base::TerminalMessage(text, caption).c_str(), stderr);
}

int Outcome::status() const {
    return failed_ ? base::kExitFailure : base::kExitOk;
}

} // namespace cli
