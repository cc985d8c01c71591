// SPDX-License-Identifier: GPL-3.0-or-later
// qelmarin-cli ics: the notes of days as an iCalendar file, for any calendar program.

#include "base/command_line.h"
#include "base/file_io.h"
#include "base/i18n.h"
#include "base/reporter.h"
#include "cli/command.h"
#include "cli/date_text.h"
#include "cli/run_choices.h"
#include "print/ical_stream.h"
#include "print/notes_run.h"

#include <cstdio>
#include <ctime>
#include <memory>

namespace cli {
namespace {

// The messages of the command, in one place.
constexpr const char* kBadNote = N_("--notes '%s' is not one of all, %s");
constexpr const char* kNotADate = N_("not a date (YYYY-MM-DD): '%s'");
constexpr const char* kOutsideRange = N_("--%s %s is outside 1901-01-01 ... 2100-12-31");
constexpr const char* kReversed = N_("--from is after --to");
constexpr const char* kNotWritten = N_("not everything could be written");

constexpr base::OptionSyntax kOptions[] = {
    {"home", "DIR", N_("the host folder (else KALVORIN_HOME, the program's folder, ~/.local/share/kalvorin)")},
    {"notes", "LIST",
     N_("the notes, comma-separated: rokuyo, terms, seasonal, named, holidays, lunar, fortune, sun, or all\n"
        "                      (default terms,seasonal,named,holidays)")},
    {"from", "DATE", N_("the first day, YYYY-MM-DD (default the 1st of January of --to's year, else this year)")},
    {"to", "DATE", N_("the last day, YYYY-MM-DD (default the 31st of December of --from's year)")},
    {"out", "FILE", N_("the file to write, replaced whole when done; - or none for standard output")},
    {"name", "TEXT", N_("the calendar's name (X-WR-CALNAME; default 暦注 and the years)")},
    kEtoOption,
    kBornOption,
    kPlaceOption,
};

constexpr base::CommandSyntax kSyntax{
    "qelmarin-cli ics", "",
    N_("Writes the notes of days as an iCalendar file (RFC 5545) for calendar programs: one\n"
       "all-day event per kind of note and day, whose UID is made from the date and the kind,\n"
       "so that importing a newer file updates the events of an older one."),
    kOptions};

bool Fail(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", std::string(kSyntax.program).c_str(), message.c_str());
    return false;
}

} // namespace

int RunIcs(const Args& args) {
    const base::ParseResult parsed = base::ParseCommandLine(kSyntax, args);
    if (const auto status = base::AnswerWithoutRunning(kSyntax, parsed)) return *status;
    const base::ParsedOptions& o = parsed.options;
    if (!o.operands().empty())
        return base::UsageError(kSyntax, base::Format(_("unexpected argument '%s'"), o.operands()[0].c_str()));

    almanac::NoteSet notes = almanac::DefaultNotes();
    if (const std::string* list = o.value("notes")) {
        std::string bad;
        const auto set = almanac::ParseNoteList(*list, &bad);
        if (!set)
            return base::UsageError(kSyntax, base::Format(_(kBadNote), bad.c_str(), almanac::NoteKindNames().c_str()));
        notes = *set;
    }
    std::optional<print::CivilDay> from, to;
    for (auto [name, target] : {std::pair{"from", &from}, std::pair{"to", &to}}) {
        const std::string* text = o.value(name);
        if (!text) continue;
        *target = ParseDate(*text);
        if (!*target) return base::UsageError(kSyntax, base::Format(_(kNotADate), text->c_str()));
        if (!InDayFileRange(**target))
            return base::UsageError(kSyntax, base::Format(_(kOutsideRange), name, text->c_str()));
    }
    const int year = to ? to->year : from ? from->year : Today().year;
    if (!from) from = print::CivilDay{to ? to->year : year, 1, 1};
    if (!to) to = print::CivilDay{from->year, 12, 31};
    if (to->key() < from->key()) return base::UsageError(kSyntax, _(kReversed));

    auto started = StartHostRun(kSyntax, o);
    if (const int* status = std::get_if<int>(&started)) return *status;
    const HostRun& run = std::get<HostRun>(started);

    print::NotesRequest request{run.folder, *from, *to, notes, run.choices.birth_eto.value_or(0), run.choices.place};

    const std::string* out_name = o.value("out");
    const bool to_stdout = !out_name || *out_name == "-";
    std::unique_ptr<base::AtomicFile> file;
    if (!to_stdout) {
        file = std::make_unique<base::AtomicFile>(*out_name);
        if (!file->ok()) return Fail(base::NamingFile(*out_name, file->error())), base::kExitFailure;
    }
    print::IcalStream::Writer write = [&](std::string_view bytes) {
        if (file) return file->Write(bytes);
        return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    };
    std::string name = "暦注 " + std::to_string(from->year);
    if (to->year != from->year) name += "–" + std::to_string(to->year);
    if (const std::string* v = o.value("name")) name = *v;

    print::IcalStream stream(write, name, std::time(nullptr));
    // Counted: the calendar is still written after a settings file that could not be read,
    // but the run then ends with a failure.
    base::StderrReporter terminal;
    base::OnceReporter reporter(terminal);
    // The calendar begins with its first day's notes, once the settings and the day file's
    // first month have been read: a day file that cannot be read leaves nothing written,
    // not an empty calendar on standard output.
    bool writing = false;
    bool ok = print::ForEachDayNotes(request, reporter,
                                     [&](const print::CivilDay& d, const std::vector<almanac::DayNote>& day) {
                                         if (!writing) {
                                             writing = true;
                                             if (!stream.Begin()) return false;
                                         }
                                         for (const almanac::DayNote& note : day)
                                             if (!stream.Add(d.year, d.month, d.day, note)) return false;
                                         return true;
                                     });
    if (!writing) return base::kExitFailure; // nothing written; the reporter has said why
    ok = stream.End() && ok;
    if (file) {
        if (!ok)
            return Fail(std::string(_(kNotWritten)) + (file->error().empty() ? "" : ": " + file->error())),
                   base::kExitFailure;
        const std::string error = file->Commit();
        if (!error.empty()) return Fail(base::NamingFile(*out_name, error)), base::kExitFailure;
    } else if (!ok) {
        return base::kExitFailure; // a failed write is told as the program ends, when stdout is checked
    }
    if (reporter.count() > 0) return base::kExitFailure;
    return base::kExitOk;
}

} // namespace cli
