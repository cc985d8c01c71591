// SPDX-License-Identifier: GPL-3.0-or-later
// qelmarin-cli: the page routines and the almanac without a display.

#include "base/command_line.h"
#include "base/i18n.h"
#include "cli/command.h"

#include <cstdio>
#include <string_view>

namespace {

struct Command {
    std::string_view name;
    int (*run)(const cli::Args&);
};

constexpr Command kCommands[] = {
    {"day", cli::RunDay},
    {"render", cli::RunRender},
    {"cmp", cli::RunCmp},
    {"ics", cli::RunIcs},
    {"month", cli::RunMonth},
    {"print", cli::RunPrint},
};

constexpr base::CommandSyntax kTop{"qelmarin-cli",
                                   "COMMAND [ARG]...",
                                   N_("Prints Japanese almanac pages and the notes of days without a display.\n"
                                   "\n"
                                   "commands:\n"
                                   "  day      the notes of days, one tab-separated line per day\n"
                                   "  render   pages of a format to PDF, a PNG preview or a drawing trace\n"
                                   "  cmp      encode and decode compressed pictures (.cmp)\n"
                                   "  ics      the notes of days as an iCalendar file for calendar programs\n"
                                   "  month    a month in the terminal, with each day's rokuyo and marks\n"
                                   "  print    pages of a format to a CUPS printer\n"
                                   "\n"
                                   "'qelmarin-cli COMMAND --help' describes a command."),
                                   {},
                                   true};

int Run(int argc, char** argv) {
    const base::ParseResult parsed = base::ParseCommandLine(kTop, cli::Args(argv + 1, argv + argc));
    if (const auto status = base::AnswerWithoutRunning(kTop, parsed)) return *status;
    const std::vector<std::string>& words = parsed.options.operands();
    if (words.empty()) return base::UsageError(kTop, _("no command given"));
    for (const Command& c : kCommands) {
        if (c.name == words[0]) return c.run(cli::Args(words.begin() + 1, words.end()));
    }
    return base::UsageError(kTop, base::Format(_("unknown command '%s'"), words[0].c_str()));
}

} // namespace

int main(int argc, char** argv) {
    base::InitMessages();
    return base::FinishStandardOutput(kTop.program, Run(argc, argv));
}
