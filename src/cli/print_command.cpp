// SPDX-License-Identifier: GPL-3.0-or-later
// qelmarin-cli print: the pages of a run sent to a CUPS printer, one job per month as the
// desktop program sends them (or one job with --one-file), at the printer's resolution and
// in its colours.

#include "base/command_line.h"
#include "base/i18n.h"
#include "cli/command.h"
#include "cli/outcome.h"
#include "cli/render_elsewhere.h"
#include "pages/page_routines.h"
#include "print/cups_queue.h"
#include "print/print_run.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace cli {
namespace {

// The texts of the command, in one place.
constexpr const char* kProgram = "qelmarin-cli print";
constexpr const char* kNoScheduler = N_("cannot print: %s");
constexpr const char* kJobLine = "%s-%d\t%s\n"; // queue-job and the document, as lp names a request

constexpr int kMaxCopies = 999;

// render's options but those of its output (the pages go to the printer), and the printer's.
const std::vector<base::OptionSyntax>& Options() {
    static const std::vector<base::OptionSyntax> options = [] {
        std::vector<base::OptionSyntax> all;
        for (const base::OptionSyntax& o : RenderOptionTable())
            if (o.name != "out" && o.name != "preview" && o.name != "trace") all.push_back(o);
        all.push_back({"printer", "NAME", N_("the CUPS queue (default the default printer)")});
        all.push_back({"copies", "N", N_("copies of each job, 1-999 (default 1)")});
        all.push_back({"deadline", "S", N_("seconds the scheduler has to find the printer, and for each job from the "
                                           "connection to its answer to the document, 1-3600 (default 30; a job's "
                                           "grows by one second per megabyte of its document)")});
        return all;
    }();
    return options;
}

const base::CommandSyntax& Syntax() {
    static const base::CommandSyntax syntax{
        kProgram, "",
        N_("Sends the pages of a format for a month range to a CUPS printer: one job per month, titled\n"
           "as the desktop program titles its jobs, or one job with --one-file; at the printer's\n"
           "resolution, and as for a black-and-white printer when it prints no colour. Takes the\n"
           "options of render (but --out, --preview and --trace) and these:"),
        Options()};
    return syntax;
}

// The title of the job of one rendered file, "2027-01-1-calendar.pdf" → "Kalvorin 2027-01 暦":
// the file names its months before "-<format>-<routine name>".
std::string TitleOfFile(const std::filesystem::path& file, int format) {
    std::string months = file.stem().string();
    if (const pages::PageRoutineEntry* routine = pages::FindPageRoutine(format)) {
        const std::string suffix = std::string("-").append(std::to_string(format)).append("-").append(routine->name);
        if (months.ends_with(suffix)) months.resize(months.size() - suffix.size());
    }
    return print::JobTitle(months, format);
}

int Fail(const std::string& message) {
    return Outcome(kProgram).Fail(message);
}

} // namespace

int RunPrint(const Args& args) {
    const base::CommandSyntax& syntax = Syntax();
    const base::ParseResult parsed = base::ParseCommandLine(syntax, args);
    if (const auto status = base::AnswerWithoutRunning(syntax, parsed)) return *status;
    const base::ParsedOptions& o = parsed.options;
    if (!o.operands().empty())
        return base::UsageError(syntax, base::Format(_("unexpected argument '%s'"), o.operands()[0].c_str()));
    const base::IntOption copies = base::IntOptionIn(o, "copies", 1, kMaxCopies);
    if (!copies.error.empty()) return base::UsageError(syntax, copies.error);
    const base::IntOption deadline = base::IntOptionIn(o, "deadline", 1, print::CupsQueue::kMaxDeadlineSeconds);
    if (!deadline.error.empty()) return base::UsageError(syntax, deadline.error);

    // render's options as given, checked before the scheduler is asked anything.
    Args render_args;
    for (const base::OptionSyntax& option : RenderOptionTable()) {
        if (option.name == "set") {
            for (const std::string& value : o.values("set"))
                render_args.push_back("--set=" + value);
        } else if (const std::string* value = o.value(option.name)) {
            render_args.push_back("--" + std::string(option.name) + (option.value.empty() ? "" : "=" + *value));
        }
    }
    Args checked = render_args;
    checked.push_back("--out=-");
    checked.push_back("--one-file");
    if (const std::string problem = RenderUsageError(checked); !problem.empty())
        return base::UsageError(syntax, problem);

    // The printer next: without one nothing is drawn.
    std::string error;
    print::CupsQueue queue(deadline.value.value_or(print::CupsQueue::kDefaultDeadlineSeconds));
    const std::optional<std::string> name =
        o.value("printer") ? std::optional<std::string>(*o.value("printer")) : std::nullopt;
    const std::optional<print::CupsPrinter> printer = queue.FindPrinter(name, &error);
    if (!printer) return Fail(base::Format(_(kNoScheduler), error.c_str()));
    // The printer's resolution and colours where the command line gives none.
    if (!o.has("dpi")) render_args.push_back("--dpi=" + std::to_string(printer->dpi));
    if (!printer->colour && !o.has("mono")) render_args.push_back("--mono");

    // Checked with render's options above.
    const int format = base::IntOptionIn(o, "format", 1, pages::kFormatCount).value.value_or(1);
    return RenderElsewhere(
        render_args, kProgram,
        [&](const std::vector<std::filesystem::path>& files) {
            for (const std::filesystem::path& file : files) {
                const int job = queue.Submit(file, TitleOfFile(file, format), copies.value.value_or(1), &error);
                if (job == 0) return Fail(base::Format(_(kNoScheduler), error.c_str()));
                std::printf(kJobLine, printer->name.c_str(), job, file.filename().c_str());
                std::fflush(stdout);
            }
            return std::fflush(stdout) == 0 ? base::kExitOk : base::kExitFailure;
        },
        [&queue] { queue.Interrupt(); });
}

} // namespace cli
