// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a command tells on stderr what happened, and the exit status that follows from what
// it told: a note ("PROGRAM: note: TEXT") leaves the status as it is, a failure
// ("PROGRAM: TEXT") makes it 1. Every command of qelmarin-cli tells through one Outcome, so
// that what it says and how it ends cannot disagree.

#include "base/reporter.h"

#include <set>
#include <string>
#include <string_view>
#include <utility>

namespace cli {

class Outcome : public base::Reporter {
public:
    explicit Outcome(std::string_view program) : program_(program) {}

    // Something the user should know that is not wrong: the run still succeeds.
    void Note(std::string_view text);
    // Something that went wrong: the run fails. Returns the failure's exit status, for
    // `return outcome.Fail(...)`.
    int Fail(std::string_view text);

    // The messages of the layers below (a file that cannot be read, a damaged picture),
    // each told once however often it is given; one with base::kNoteCaption is a note,
    // every other a failure.
    void ShowMessage(std::string_view text, std::string_view caption) override;

    bool failed() const { return failed_; }
    // How many failures the layers below gave (through ShowMessage), repeats included.
    int reported_failures() const { return reported_failures_; }
    // base::kExitFailure after a failure, else base::kExitOk.
    int status() const;

private:
    std::string program_;
    std::set<std::pair<std::string, std::string>> shown_;
    bool failed_ = false;
    int reported_failures_ = 0;
};

} // namespace cli
