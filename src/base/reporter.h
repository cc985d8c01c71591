// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "message box" of the lower layers: a text and a caption shown to the user. The
// windows show a dialog, the command line prints to stderr, tests record what was shown.

#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace base {

class Reporter {
public:
    virtual ~Reporter() = default;
    virtual void ShowMessage(std::string_view text, std::string_view caption) = 0;
};

// The caption of a message that tells something without anything having gone wrong (sun
// times asked for where no place is known): it does not make a run fail.
inline constexpr std::string_view kNoteCaption = "Note";

// "caption: text" as a terminal shows it: the carriage returns of multi-line texts as
// newlines, and a first line that only repeats the caption (a message box's body begins
// with it, "Error\rPATH: reason") left out.
std::string TerminalMessage(std::string_view text, std::string_view caption);

// Writes TerminalMessage to stderr.
class StderrReporter : public Reporter {
public:
    void ShowMessage(std::string_view text, std::string_view caption) override;
};

// Passes each distinct message (text and caption) on once and counts what it was given: a
// run that draws hundreds of pages from one broken file says so once, and the caller can
// still tell that something went wrong.
class OnceReporter : public Reporter {
public:
    explicit OnceReporter(Reporter& out) : out_(out) {}
    void ShowMessage(std::string_view text, std::string_view caption) override;
    // How many messages were given, repeats included; notes (kNoteCaption) do not count.
    int count() const { return count_; }

private:
    Reporter& out_;
    std::set<std::pair<std::string, std::string>> shown_;
    int count_ = 0;
};

// Passes each message on with a line naming what it is about (a file) at the end of its
// body, for messages of lower layers that do not name it; the caption stays.
class NamingReporter : public Reporter {
public:
    NamingReporter(std::string_view what, Reporter& out) : what_(what), out_(out) {}
    void ShowMessage(std::string_view text, std::string_view caption) override;

private:
    std::string what_;
    Reporter& out_;
};

// Keeps every message, for tests and for callers that show them later.
class RecordingReporter : public Reporter {
public:
    struct Message {
        std::string text;
        std::string caption;
    };
    void ShowMessage(std::string_view text, std::string_view caption) override;
    const std::vector<Message>& messages() const { return messages_; }
    void clear() { messages_.clear(); }

private:
    std::vector<Message> messages_;
};

} // namespace base
