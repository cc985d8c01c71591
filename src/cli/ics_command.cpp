// SPDX-License-Identifier: GPL-3.0-or-later
// qelmarin-cli ics: the notes of days as an iCalendar file, for any calendar program.

#include "base/command_line.h"
#include "base/file_io.h"
#include "base/i18n.h"
#include "base/reporter.h"
#include "cli/command.h"
#include "cli/date_text.h"
#include "cli/outcome.h"
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
constexpr const char* kBadName = N_("--name needs a text of UTF-8 characters without control characters");
constexpr const char* kEmptyOut = N_("--out needs a file name, or - for standard output");

constexpr base::OptionSyntax kOptions[] = {
    {"home", "DIR", N_("the host folder (else KALVORIN_HOME, the program's folder, ~/.local/share/kalvorin)")},
    {"notes", "LIST",
     N_("the notes, comma-separated: rokuyo, terms, seasonal, named, holidays, lunar, fortune, sun, or all "
        "(default terms,seasonal,named,holidays)")},
    {"from", "DATE",
     N_("the first day, YYYY-MM-DD, today or tomorrow (default the 1st of January of --to's year, else this "
        "year)")},
    {"to", "DATE", N_("the last day, YYYY-MM-DD, today or tomorrow (default the 31st of December of --from's year)")},
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

// Whether a calendar's name is text a calendar file can hold: well-formed UTF-8 (no
// overlong forms, no surrogates) without control characters, C0, DEL or C1.
bool IsNameText(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) return false;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) return false;
            c = (c << 6) | (next & 0x3F);
        }
        constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < kLeast[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return false;
        i += static_cast<std::size_t>(length);
    }
    return true;
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
    const std::string* out_name = o.value("out");
    if (out_name && out_name->empty()) return base::UsageError(kSyntax, _(kEmptyOut));
    const std::string* given_name = o.value("name");
    if (given_name && (given_name->empty() || !IsNameText(*given_name)))
        return base::UsageError(kSyntax, _(kBadName));
    const int year = to ? to->year : from ? from->year : Today().year;
    if (!from) from = print::CivilDay{to ? to->year : year, 1, 1};
    if (!to) to = print::CivilDay{from->year, 12, 31};
    if (to->key() < from->key()) return base::UsageError(kSyntax, _(kReversed));

    // The calendar is still written after a settings file that could not be read, but the
    // run then ends with a failure.
    Outcome outcome(kSyntax.program);
    auto started = StartHostRun(kSyntax, o, outcome);
    if (const int* status = std::get_if<int>(&started)) return *status;
    const HostRun& run = std::get<HostRun>(started);

    print::NotesRequest request{run.folder, *from, *to, notes, run.choices.birth_eto.value_or(0), run.choices.place};

    // "-" and "none" are standard output, as --help says.
    const bool to_stdout = !out_name || *out_name == "-" || *out_name == "none";
    std::unique_ptr<base::AtomicFile> file;
    if (!to_stdout) {
        file = std::make_unique<base::AtomicFile>(*out_name);
        if (!file->ok()) return outcome.Fail(base::NamingFile(*out_name, file->error()));
    }
    print::IcalStream::Writer write = [&](std::string_view bytes) {
        if (file) return file->Write(bytes);
        return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    };
    std::string name = "暦注 " + std::to_string(from->year);
    if (to->year != from->year) name += "–" + std::to_string(to->year);
    if (given_name) name = *given_name;

    print::IcalStream stream(write, name, std::time(nullptr));
    // The calendar begins with its first day's notes, once the settings and the day file's
    // first month have been read: a day file that cannot be read leaves nothing written,
    // not an empty calendar on standard output.
    bool writing = false;
    bool ok = print::ForEachDayNotes(request, outcome,
                                     [&](const print::CivilDay& d, const std::vector<almanac::DayNote>& day) {
                                         if (!writing) {
                                             writing = true;
                                             if (!stream.Begin()) return false;
                                         }
                                         for (const almanac::DayNote& note : day)
                                             if (!stream.Add(d.year, d.month, d.day, note)) return false;
                                         return true;
                                     });
    if (!writing) return base::kExitFailure; // nothing written; the day file's reader has said why
    ok = stream.End() && ok;
    if (file) {
        if (!ok) return outcome.Fail(std::string(_(kNotWritten)) + (file->error().empty() ? "" : ": " + file->error()));
        const std::string error = file->Commit();
        if (!error.empty()) return outcome.Fail(base::NamingFile(*out_name, error));
    } else if (!ok) {
        return base::kExitFailure; // a failed write is told as the program ends, when stdout is checked
    }
    return outcome.status();
}

} // namespace cli
