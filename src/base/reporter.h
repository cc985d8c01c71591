#pragma once
// The "message box" of the lower layers: a text and a caption shown to the user. The
// windows show a dialog, the command line prints to stderr, tests record what was shown.

#include <string>
#include <string_view>
#include <vector>

namespace base {

class Reporter {
public:
    virtual ~Reporter() = default;
    virtual void ShowMessage(std::string_view text, std::string_view caption) = 0;
};

// Writes "caption: text" to stderr, the carriage returns of multi-line texts as newlines.
class StderrReporter : public Reporter {
public:
    void ShowMessage(std::string_view text, std::string_view caption) override;
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
