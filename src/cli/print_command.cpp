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

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <mutex>
#include <thread>
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

// Bounds the questions to the scheduler: libcups waits on connections of its own (for a
// named printer it also asks the default server), which a server that accepts and never
// answers holds for ever. Past the bound the command says so and ends.
class SchedulerDeadline {
public:
    explicit SchedulerDeadline(std::string server) {
        watcher_ = std::thread([this, server = std::move(server)] {
            std::unique_lock lock(mutex_);
            if (done_.wait_for(lock, kBound, [this] { return finished_; })) return;
            std::fputs(base::Format(_("qelmarin-cli print: cannot print: the print scheduler at %s did not answer "
                                      "within %d s\n"),
                                    server.c_str(), static_cast<int>(kBound.count()))
                           .c_str(),
                       stderr);
            std::fflush(stderr);
            std::_Exit(base::kExitFailure);
        });
    }
    SchedulerDeadline(const SchedulerDeadline&) = delete;
    SchedulerDeadline& operator=(const SchedulerDeadline&) = delete;
    ~SchedulerDeadline() {
        {
            const std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_one();
        watcher_.join();
    }

private:
    static constexpr std::chrono::seconds kBound{20};
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread watcher_;
};

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
    std::unique_ptr<print::CupsQueue> queue;
    std::optional<print::CupsPrinter> printer;
    {
        const SchedulerDeadline deadline(print::CupsQueue::ServerName());
        queue = print::CupsQueue::Connect(&error);
        if (!queue) return Fail(base::Format(_(kNoScheduler), error.c_str()));
        const std::optional<std::string> name =
            o.value("printer") ? std::optional<std::string>(*o.value("printer")) : std::nullopt;
        printer = queue->FindPrinter(name, &error);
    }
    if (!printer) return Fail(base::Format(_(kNoScheduler), error.c_str()));
    // The printer's resolution and colours where the command line gives none.
    if (!o.has("dpi")) render_args.push_back("--dpi=" + std::to_string(printer->dpi));
    if (!printer->colour && !o.has("mono")) render_args.push_back("--mono");

    // Checked with render's options above.
    const int format = base::IntOptionIn(o, "format", 1, pages::kFormatCount).value.value_or(1);
    return RenderElsewhere(render_args, kProgram, [&](const std::vector<std::filesystem::path>& files) {
        for (const std::filesystem::path& file : files) {
            const int job = queue->Submit(file, TitleOfFile(file, format), copies.value.value_or(1), &error);
            if (job == 0) return Fail(error);
            std::printf(kJobLine, printer->name.c_str(), job, file.filename().c_str());
        }
        return std::fflush(stdout) == 0 ? base::kExitOk : base::kExitFailure;
    });
}

} // namespace cli
