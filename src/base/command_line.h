// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command lines of the programs: one table of options per command, parsed by
// getopt_long, with the help text made from the same table. Every command accepts
// `--opt value` and `--opt=value`, `--help` (stdout, exit 0) and `--version`; a usage error
// names the bad argument, shows the command's one-line usage and exits 2.

#include <cstdio>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace base {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// The version of the programs (the CMake project version).
std::string_view ProgramVersion();

struct OptionSyntax {
    std::string_view name;  // long name without the dashes
    std::string_view value; // the value's placeholder ("DIR"); empty for a switch
    std::string_view help;  // one line
};

struct CommandSyntax {
    std::string_view program;  // "qelmarin-cli render"
    std::string_view operands; // what follows the options in the usage line: "FROM [TO]"
    std::string_view summary;  // what the command does, one or more lines
    std::span<const OptionSyntax> options;
    // Options end at the first operand (the words after it belong to a subcommand).
    bool options_first = false;
};

// The options and operands of one command line. A repeated option keeps its last value.
class ParsedOptions {
public:
    bool has(std::string_view name) const { return values_.contains(std::string(name)); }
    const std::string* value(std::string_view name) const;
    const std::vector<std::string>& operands() const { return operands_; }
    // Every value given to a repeatable option, in command-line order.
    std::vector<std::string> values(std::string_view name) const;

    void set(std::string_view name, std::string value) {
        given_.emplace_back(name, value);
        values_[std::string(name)] = std::move(value);
    }
    void add_operand(std::string operand) { operands_.push_back(std::move(operand)); }

private:
    std::map<std::string, std::string, std::less<>> values_;
    std::vector<std::string> operands_;
    std::vector<std::pair<std::string, std::string>> given_;
};

struct ParseResult {
    enum class Outcome { kRun, kHelp, kVersion, kUsageError };
    Outcome outcome = Outcome::kRun;
    ParsedOptions options;
    std::string error; // for kUsageError: what was wrong, naming the argument
};

// Parses the words after the program (or subcommand) name.
ParseResult ParseCommandLine(const CommandSyntax& syntax, const std::vector<std::string>& args);

// "usage: qelmarin-cli render [OPTION]... --out DIR"
std::string UsageLine(const CommandSyntax& syntax);
// The usage line, the summary and one line per option, --help and --version included.
std::string HelpText(const CommandSyntax& syntax);

// "qelmarin-cli 0.1\n": the program's name (without subcommand) and version.
std::string VersionText(const CommandSyntax& syntax);

// "PROGRAM: message", the usage line and where to find more, three lines.
std::string UsageErrorText(const CommandSyntax& syntax, std::string_view message);
// Prints UsageErrorText to `err`; returns kExitUsage.
int UsageError(const CommandSyntax& syntax, std::string_view message, std::FILE* err = stderr);

// Answers --help and --version on stdout and usage errors on stderr. Returns the exit status
// when the command is not to run, nothing when it is.
std::optional<int> AnswerWithoutRunning(const CommandSyntax& syntax, const ParseResult& result);

// A whole number in [min, max]: nothing when the text is not one, or lies outside.
std::optional<int> ParseIntIn(std::string_view text, int min, int max);

// The value of a numeric option: nothing when absent; an error text naming the option and
// its range when the value is not a number in [min, max].
struct IntOption {
    std::optional<int> value;
    std::string error;
};
IntOption IntOptionIn(const ParsedOptions& options, std::string_view name, int min, int max);

// The exit status of a run once standard output is flushed: a run whose output could not all
// be written (a full disk, a closed descriptor, /dev/full) says so on stderr and fails, even
// when it returned success; otherwise status is returned as it is.
int FinishStandardOutput(std::string_view program, int status);

} // namespace base
