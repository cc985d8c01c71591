// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/command_line.h"

#include "base/i18n.h"
#include "base/text_wrap.h"

#include <getopt.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <iostream>

#ifndef QELMARIN_VERSION
#define QELMARIN_VERSION "unknown"
#endif

namespace base {
namespace {

constexpr OptionSyntax kHelpOption{"help", "", N_("show this help and exit")};
constexpr OptionSyntax kVersionOption{"version", "", N_("show the version and exit")};
// getopt_long's code of a long option is its index in the table, offset past the characters.
constexpr int kFirstCode = 256;

std::string Quoted(std::string_view text) {
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "text" + std::string.
    std::string quoted(1, '\'');
    quoted.append(text);
    quoted += '\'';
    return quoted;
}

} // namespace

std::string_view ProgramVersion() {
    return QELMARIN_VERSION;
}

std::vector<std::string> ParsedOptions::values(std::string_view name) const {
    std::vector<std::string> all;
    for (const auto& [option, value] : given_)
        if (option == name) all.push_back(value);
    return all;
}

const std::string* ParsedOptions::value(std::string_view name) const {
    const auto it = values_.find(name);
    return it == values_.end() ? nullptr : &it->second;
}

ParseResult ParseCommandLine(const CommandSyntax& syntax, const std::vector<std::string>& args) {
    std::vector<OptionSyntax> all(syntax.options.begin(), syntax.options.end());
    all.push_back(kHelpOption);
    all.push_back(kVersionOption);

    std::vector<std::string> names; // getopt keeps pointers to the names
    names.reserve(all.size());
    for (const OptionSyntax& o : all)
        names.emplace_back(o.name);
    std::vector<option> table;
    for (std::size_t i = 0; i < all.size(); ++i) {
        table.push_back({names[i].c_str(), all[i].value.empty() ? no_argument : required_argument, nullptr,
                         kFirstCode + static_cast<int>(i)});
    }
    table.push_back({nullptr, 0, nullptr, 0});

    // getopt_long permutes its argv; it gets copies. "-h" is the only short option.
    std::vector<std::string> words;
    words.reserve(args.size() + 1);
    words.emplace_back(syntax.program);
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);

    ParseResult result;
    const std::string short_options = syntax.options_first ? "+:h" : ":h";
    opterr = 0;
    optind = 0; // a fresh scan, as if the process had just begun
    const int argc = static_cast<int>(words.size());
    for (;;) {
        const int previous = optind == 0 ? 1 : optind;
        const int code = getopt_long(argc, argv.data(), short_options.c_str(), table.data(), nullptr);
        if (code == -1) break;
        if (code == 'h') {
            result.outcome = ParseResult::Outcome::kHelp;
            return result;
        }
        if (code == '?' || code == ':') {
            // The word that failed: the one getopt has just stepped over.
            const int at = std::min(std::max(optind - 1, previous), argc - 1);
            std::string word = argv[static_cast<std::size_t>(at)];
            if (code == '?' && optopt != 0 && optopt < kFirstCode) word = std::string("-") + static_cast<char>(optopt);
            result.outcome = ParseResult::Outcome::kUsageError;
            if (code == ':') {
                const std::string name =
                    optopt >= kFirstCode ? "--" + std::string(all[static_cast<std::size_t>(optopt - kFirstCode)].name)
                                         : word;
                result.error = Format(_("option %s needs a value"), name.c_str());
            } else {
                const std::size_t eq = word.find('=');
                if (word.rfind("--", 0) == 0 && eq != std::string::npos && optopt >= kFirstCode) {
                    result.error = Format(_("option %s takes no value"), word.substr(0, eq).c_str());
                } else {
                    result.error = Format(_("unknown or ambiguous option %s"), Quoted(word).c_str());
                }
            }
            return result;
        }
        const OptionSyntax& o = all[static_cast<std::size_t>(code - kFirstCode)];
        if (o.name == kHelpOption.name) {
            result.outcome = ParseResult::Outcome::kHelp;
            return result;
        }
        if (o.name == kVersionOption.name) {
            result.outcome = ParseResult::Outcome::kVersion;
            return result;
        }
        result.options.set(o.name, o.value.empty() ? std::string() : std::string(optarg ? optarg : ""));
    }
    for (int i = optind; i < argc; ++i)
        result.options.add_operand(argv[static_cast<std::size_t>(i)]);
    return result;
}

std::string UsageLine(const CommandSyntax& syntax) {
    std::string words(syntax.program);
    if (!syntax.options.empty()) words += std::string(" ") + _("[OPTION]...");
    if (!syntax.operands.empty()) words.append(" ").append(syntax.operands);
    return Format(_("usage: %s"), words.c_str());
}

// A help text's line ends within a paragraph are where it was once broken by hand: they are
// joined, so that the paragraph is wrapped whole (with a space, but between two wide
// characters). A blank line, a line that begins with a space (a row of a table) and the
// line after one stay where they are.
namespace {
std::string JoinedParagraphs(std::string_view text) {
    std::string out;
    bool row = !text.empty() && text.front() == ' ';
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\n') {
            out += c;
            continue;
        }
        const bool next_row = i + 1 < text.size() && text[i + 1] == ' ';
        const bool soft = !row && !next_row && i > 0 && text[i - 1] != '\n' && i + 1 < text.size() &&
                          text[i + 1] != '\n';
        if (soft) {
            const bool wide = static_cast<unsigned char>(text[i - 1]) >= 0x80 &&
                              static_cast<unsigned char>(text[i + 1]) >= 0x80;
            if (!wide) out += ' ';
        } else {
            out += c;
        }
        row = next_row;
    }
    return out;
}
} // namespace

std::string HelpText(const CommandSyntax& syntax) {
    std::string text = UsageLine(syntax) + "\n";
    if (!syntax.summary.empty()) text += JoinedParagraphs(Translate(syntax.summary)) + "\n";
    text += std::string("\n") + _("options:") + "\n";
    std::vector<OptionSyntax> all(syntax.options.begin(), syntax.options.end());
    all.push_back(kHelpOption);
    all.push_back(kVersionOption);
    for (const OptionSyntax& o : all) {
        std::string head = std::string("  --").append(o.name);
        if (!o.value.empty()) head.append(" ").append(o.value);
        if (o.name == kHelpOption.name) head = "  -h, --help";
        constexpr std::size_t kColumn = 24;
        head += head.size() < kColumn ? std::string(kColumn - head.size(), ' ')
                                      : std::string("\n") + std::string(kColumn, ' ');
        text += head + JoinedParagraphs(Translate(o.help)) + "\n";
    }
    // Fitted to a terminal, each option's lines under its description.
    return WrapText(text, kHelpColumns);
}

std::string VersionText(const CommandSyntax& syntax) {
    return std::string(syntax.program.substr(0, syntax.program.find(' '))) + " " + std::string(ProgramVersion()) + "\n";
}

std::string UsageErrorText(const CommandSyntax& syntax, std::string_view message) {
    const std::string program(syntax.program);
    return program + ": " + std::string(message) + "\n" + UsageLine(syntax) + "\n" +
           Format(_("Try '%s --help' for more information."), program.c_str()) + "\n";
}

int UsageError(const CommandSyntax& syntax, std::string_view message, std::FILE* err) {
    std::fputs(UsageErrorText(syntax, message).c_str(), err);
    return kExitUsage;
}

std::optional<int> AnswerWithoutRunning(const CommandSyntax& syntax, const ParseResult& result) {
    switch (result.outcome) {
    case ParseResult::Outcome::kRun:
        return std::nullopt;
    case ParseResult::Outcome::kHelp:
        std::fputs(HelpText(syntax).c_str(), stdout);
        return kExitOk;
    case ParseResult::Outcome::kVersion:
        std::fputs(VersionText(syntax).c_str(), stdout);
        return kExitOk;
    case ParseResult::Outcome::kUsageError:
        return UsageError(syntax, result.error);
    }
    return kExitUsage;
}

std::optional<int> ParseIntIn(std::string_view text, int min, int max) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

IntOption IntOptionIn(const ParsedOptions& options, std::string_view name, int min, int max) {
    IntOption result;
    const std::string* text = options.value(name);
    if (!text) return result;
    result.value = ParseIntIn(*text, min, max);
    if (!result.value) {
        result.error = Format(_("--%s needs a whole number from %d to %d, not %s"), std::string(name).c_str(), min, max,
                              Quoted(*text).c_str());
    }
    return result;
}

int FinishStandardOutput(std::string_view program, int status) {
    errno = 0;
    std::cout.flush();
    const bool flushed = std::fflush(stdout) == 0;
    const int error = errno;
    if (flushed && !std::ferror(stdout) && std::cout.good()) return status;
    // The reason is known when this flush failed; an earlier failed write left only its mark.
    const std::string message = !flushed && error != 0
                                    ? Format(_("cannot write to standard output: %s"), std::strerror(error))
                                    : std::string(_("not everything could be written to standard output"));
    std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(program.size()), program.data(), message.c_str());
    return status == kExitOk ? kExitFailure : status;
}

} // namespace base
