// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/host_cli.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <exception>
#include <optional>
#include <ostream>

#include "almanac/birth_sign.h"
#include "almanac/gazetteer.h"
#include "almanac/name_tables.h"
#include "base/command_line.h"
#include "base/i18n.h"
#include "base/sjis.h"
#include "config/config_file.h"
#include "config/host_location.h"
#include "config/start_weekday.h"
#include "host/almanac_events.h"
#include "host/civil_date.h"
#include "host/day_calendar.h"
#include "host/day_file.h"
#include "host/event_search.h"
#include "host/holiday_writer.h"
#include "host/host_folder.h"

namespace host {
namespace {

constexpr std::size_t kMaxEraNameBytes = 4;

constexpr base::CommandSyntax kTop{
    "kalvorin-host",
    "COMMAND [ARG]...",
    N_("Stands in for the host application Kalvorin: computes the almanac of 1901-2100 and makes\n"
    "the host folder that the print module reads.\n"
    "\n"
    "commands:\n"
    "  init       make a host folder: Kalvorin.CFG, UNSEI.DAT, ReadMe2.TXT, pictures, holidays\n"
    "  dayfile    write UNSEI.DAT (1901-01-01 ... 2100-12-31)\n"
    "  events     list the solar longitudes and new moons of years in JST\n"
    "  holidays   add the national holidays of years to a host folder's Kalvorin.CFG\n"
    "\n"
    "'kalvorin-host COMMAND --help' describes a command."),
    {},
    true};

constexpr base::CommandSyntax kDayFile{
    "kalvorin-host dayfile",
    "OUT",
    N_("Writes UNSEI.DAT, the almanac of every day 1901-01-01 ... 2100-12-31, to the file OUT\n"
    "(replaced whole), or to standard output when OUT is '-'."),
    {}};

constexpr base::CommandSyntax kEvents{
    "kalvorin-host events",
    "YEAR [LAST]",
    N_("Lists the solar longitudes (every 5 degrees, 土用 and 入梅) and new moons of YEAR ... LAST\n"
    "(1901-2100) in Japan Standard Time, one per line."),
    {}};

constexpr base::CommandSyntax kHolidays{
    "kalvorin-host holidays",
    "DIR FROM TO",
    N_("Adds the national holidays of the years FROM ... TO to the year sections of DIR/Kalvorin.CFG."),
    {}};

constexpr base::OptionSyntax kInitOptions[] = {
    {"eto", "N", N_("the sexagenary number (1-60) of the birth year, e.g. 7 for 1930 (庚午); or --born")},
    {"born", "DATE", N_("the birth date, YYYY-MM-DD (1901-2100): its year's sign, counted from 立春")},
    {"start-weekday", "DAY", N_("the first day of the week: sunday (default) or monday, or 0 or 1")},
    {"place", "LAT,LON,ELEV", N_("where sunrise and sunset are for: decimal degrees and metres, or a prefectural "
                              "capital (sapporo, 札幌, 北海道; default Tokyo)")},
    {"era", "NAME,YEAR", N_("the newest era and its first year (default 令和,2019)")},
    {"force", "", N_("write into an existing folder or Kalvorin.CFG, keeping its other sections")},
};

constexpr base::CommandSyntax kInit{
    "kalvorin-host init", "[DIR] --eto N | --born DATE",
    N_("Makes a host folder: Kalvorin.CFG, UNSEI.DAT, ReadMe2.TXT, sample month pictures, the\n"
       "commentary database and the national holidays of 1948-2100 (the years ahead as the\n"
       "present law makes them). Without DIR the folder is the user's data folder,\n"
       "$XDG_DATA_HOME/kalvorin (~/.local/share/kalvorin), where the programs look when neither\n"
       "--home nor KALVORIN_HOME names one."),
    kInitOptions};

// A command line that cannot be run: the text goes to stderr with the command's usage.
struct UsageError {
    const base::CommandSyntax* syntax;
    std::string text;
};

// The options and operands of a command, or its answer to --help and --version.
struct Parsed {
    base::ParsedOptions options;
    std::optional<int> answer;
};

Parsed Parse(const base::CommandSyntax& syntax, const std::vector<std::string>& args, std::ostream& out) {
    base::ParseResult result = base::ParseCommandLine(syntax, args);
    switch (result.outcome) {
    case base::ParseResult::Outcome::kUsageError:
        throw UsageError{&syntax, result.error};
    case base::ParseResult::Outcome::kHelp:
        out << base::HelpText(syntax);
        return {{}, base::kExitOk};
    case base::ParseResult::Outcome::kVersion:
        out << base::VersionText(syntax);
        return {{}, base::kExitOk};
    case base::ParseResult::Outcome::kRun:
        break;
    }
    return {std::move(result.options), std::nullopt};
}

int IntArgument(const base::CommandSyntax& syntax, std::string_view text, std::string_view what, int min, int max) {
    const std::optional<int> value = base::ParseIntIn(text, min, max);
    if (!value) {
        throw UsageError{&syntax, base::Format(_("%s needs a whole number from %d to %d, not '%s'"),
                                               std::string(what).c_str(), min, max, std::string(text).c_str())};
    }
    return *value;
}

// The sign of the year of a birth date, counted from that year's 立春 as the day file does.
int BirthSignArgument(const std::string& text) {
    const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-';
    const std::optional<int> year = shaped ? base::ParseIntIn(text.substr(0, 4), kDayFileFirstYear, kDayFileLastYear)
                                           : std::nullopt;
    const std::optional<int> month = shaped ? base::ParseIntIn(text.substr(5, 2), 1, 12) : std::nullopt;
    const std::optional<int> day = shaped ? base::ParseIntIn(text.substr(8, 2), 1, 31) : std::nullopt;
    const almanac::DayRecord* record = nullptr;
    std::optional<DayCalendar> calendar;
    if (year && month && day) {
        calendar.emplace(*year, *year);
        record = calendar->Find(*year, *month, *day);
    }
    if (!record) throw UsageError{&kInit, base::Format(_("--born needs a date YYYY-MM-DD from 1901-01-01 to 2100-12-31, not '%s'"),
                                              text.c_str())};
    return record->YearCycle;
}

void ExpectOperands(const base::CommandSyntax& syntax, const base::ParsedOptions& options, std::size_t min,
                    std::size_t max) {
    const std::size_t n = options.operands().size();
    if (n > max) throw UsageError{&syntax, base::Format(_("unexpected argument '%s'"), options.operands()[max].c_str())};
    if (n < min) throw UsageError{&syntax, base::Format(_("missing argument: %s"), std::string(syntax.operands).c_str())};
}

// A decimal number in [min, max] as the module reads "IDO" and "KEIDO": digits, an optional
// sign and "." as the decimal point.
bool IsDecimalIn(std::string_view text, double min, double max) {
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    return ec == std::errc() && end == text.data() + text.size() && value >= min && value <= max;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

// The 24 solar terms by name, the other pentad boundaries by number, and the seasonal days.
std::string EventName(int longitude) {
    constexpr int kNyubai = 80;
    if (longitude % 15 == 0) {
        return std::string(almanac::SolarTermNames[static_cast<std::size_t>(SolarTermOfLongitude(longitude) - 1)]);
    }
    if (longitude % 5 != 0) return "土用入";
    const std::string pentad = "第" + std::to_string(PentadOfLongitude(longitude)) + "候";
    return longitude == kNyubai ? pentad + "・入梅" : pentad;
}

int RunDayFile(const std::vector<std::string>& args, std::ostream& out) {
    const Parsed parsed = Parse(kDayFile, args, out);
    if (parsed.answer) return *parsed.answer;
    ExpectOperands(kDayFile, parsed.options, 1, 1);
    const std::string& target = parsed.options.operands()[0];
    if (target == "-" && ::isatty(STDOUT_FILENO)) {
        throw UsageError{&kDayFile, _("not writing the binary day file to a terminal; redirect standard output")};
    }
    const DayCalendar calendar(kDayFileFirstYear, kDayFileLastYear);
    if (target == "-") {
        const std::string bytes = DayFileBytes(calendar);
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0) {
            throw std::runtime_error(_("cannot write the day file to standard output"));
        }
        return base::kExitOk;
    }
    const std::string failure = WriteDayFile(target, calendar);
    if (!failure.empty()) throw std::runtime_error(failure);
    out << base::Format(_("wrote %d records to %s"), static_cast<int>(kDayFileRecords), target.c_str()) << "\n";
    return base::kExitOk;
}

int RunEvents(const std::vector<std::string>& args, std::ostream& out) {
    const Parsed parsed = Parse(kEvents, args, out);
    if (parsed.answer) return *parsed.answer;
    ExpectOperands(kEvents, parsed.options, 1, 2);
    const std::vector<std::string>& words = parsed.options.operands();
    const int first = IntArgument(kEvents, words[0], "YEAR", kDayFileFirstYear, kDayFileLastYear);
    const int last = words.size() == 2 ? IntArgument(kEvents, words[1], "LAST", first, kDayFileLastYear) : first;
    for (int year = first; year <= last; ++year) {
        for (const std::string& line : EventLines(year)) {
            out << line << "\n";
        }
    }
    return base::kExitOk;
}

int RunHolidays(const std::vector<std::string>& args, std::ostream& out) {
    const Parsed parsed = Parse(kHolidays, args, out);
    if (parsed.answer) return *parsed.answer;
    ExpectOperands(kHolidays, parsed.options, 3, 3);
    const std::vector<std::string>& words = parsed.options.operands();
    const int from = IntArgument(kHolidays, words[1], "FROM", kDayFileFirstYear, kDayFileLastYear);
    const int to = IntArgument(kHolidays, words[2], "TO", kDayFileFirstYear, kDayFileLastYear);
    if (to < from) {
        throw UsageError{&kHolidays,
                         base::Format(_("TO (%d) comes before FROM (%d): give the earlier year first"), to, from)};
    }
    const std::filesystem::path cfg_path = std::filesystem::path(words[0]) / config::kConfigFileName;
    base::RecordingReporter reporter;
    config::ConfigFile cfg(cfg_path, &reporter);
    if (!cfg.exists()) throw std::runtime_error(base::Format(_("%s does not exist (make the folder with init)"), cfg_path.c_str()));
    if (to < kFirstHolidayYear) {
        out << base::Format(_("nothing was changed: national holidays begin in %d, so %d … %d have none to add"),
                            kFirstHolidayYear, from, to)
            << "\n";
        return base::kExitOk;
    }
    bool changed = false;
    const std::string failure = WriteNationalHolidays(cfg, from, to, &changed);
    if (!failure.empty()) {
        throw std::runtime_error(reporter.messages().empty() ? failure
                                                             : failure + ": " + reporter.messages().back().text);
    }
    const int first = std::max(from, kFirstHolidayYear);
    if (changed)
        out << base::Format(_("wrote the national holidays of %d … %d to %s"), first, to, cfg_path.c_str()) << "\n";
    else
        out << base::Format(_("nothing was changed: %s already marks the national holidays of %d … %d"),
                            cfg_path.c_str(), first, to)
            << "\n";
    if (from < kFirstHolidayYear)
        out << base::Format(_("the years before %d have no national holidays"), kFirstHolidayYear) << "\n";
    return base::kExitOk;
}

int RunInit(const std::vector<std::string>& args, std::ostream& out) {
    const Parsed parsed = Parse(kInit, args, out);
    if (parsed.answer) return *parsed.answer;
    const base::ParsedOptions& o = parsed.options;
    ExpectOperands(kInit, o, 0, 1);
    HostFolderOptions options;
    if (!o.has("eto") && !o.has("born"))
        throw UsageError{&kInit, _("--eto N is required: the sexagenary number (1-60) of the birth year (or --born DATE)")};
    if (o.has("eto") && o.has("born")) throw UsageError{&kInit, _("give --eto or --born, not both")};
    if (const std::string* eto = o.value("eto")) {
        // A birth year given for its sign is answered with the sign.
        const std::optional<int> year = base::ParseIntIn(*eto, 1000, 9999);
        if (year) throw UsageError{&kInit, "--eto " + *eto + ": " + almanac::YearGivenForSignHint(*year)};
        options.eto = IntArgument(kInit, *eto, "--eto", 1, 60);
    } else {
        options.eto = BirthSignArgument(*o.value("born"));
    }
    if (const std::string* v = o.value("start-weekday")) {
        const std::optional<int> day = config::ParseStartWeekday(*v);
        if (!day) throw UsageError{&kInit, config::StartWeekdayError(*v)};
        options.start_weekday = *day;
    }
    if (const almanac::GazetteerPlace* capital = o.value("place") ? almanac::FindCapital(*o.value("place")) : nullptr) {
        const almanac::Place place = capital->place();
        char number[32];
        std::snprintf(number, sizeof number, "%.4f", place.latitude);
        options.latitude = number;
        std::snprintf(number, sizeof number, "%.4f", place.longitude);
        options.longitude = number;
        options.elevation = capital->height;
    } else if (const std::string* v = o.value("place")) {
        const std::vector<std::string> parts = Split(*v, ',');
        if (parts.size() != 3 || !IsDecimalIn(parts[0], -90.0, 90.0) || !IsDecimalIn(parts[1], -180.0, 180.0)) {
            throw UsageError{&kInit, base::Format(_("--place takes LAT,LON,ELEV: latitude -90 ... 90, longitude -180 ... 180 "
                                                    "(decimal degrees), elevation in metres, not '%s'"),
                                                  v->c_str())};
        }
        options.latitude = parts[0];
        options.longitude = parts[1];
        options.elevation = IntArgument(kInit, parts[2], "ELEV", -500, 9000);
    }
    if (const std::string* v = o.value("era")) {
        const std::vector<std::string> parts = Split(*v, ',');
        // The module holds the era name in a field of two double-byte characters.
        if (parts.size() != 2 || parts[0].empty() || base::Cp932Length(parts[0]) > kMaxEraNameBytes) {
            throw UsageError{&kInit, base::Format(_("--era takes NAME,YEAR with a name of at most two double-byte "
                                                    "characters, not '%s'"),
                                                  v->c_str())};
        }
        if (!base::Utf8ToCp932(parts[0])) {
            throw UsageError{&kInit, base::Format(_("--era '%s' has a character that Kalvorin.CFG (Shift-JIS) cannot hold"),
                                                  parts[0].c_str())};
        }
        options.era_name = parts[0];
        options.era_year = IntArgument(kInit, parts[1], "era YEAR", 1868, 9999);
    }
    options.force = o.has("force");
    if (o.operands().empty()) {
        options.folder = config::UserHostFolder();
        if (options.folder.empty()) throw std::runtime_error(_("no folder given and no home folder known; name DIR"));
        // The user's data folder may be made with its parents; the folder itself must still
        // be new or empty, as any other.
        std::error_code ec;
        std::filesystem::create_directories(options.folder.parent_path(), ec);
        if (ec) throw std::runtime_error(
                base::Format(_("cannot make %s: %s"), options.folder.parent_path().c_str(), ec.message().c_str()));
    } else {
        options.folder = o.operands()[0];
    }
    const std::string failure = MakeFullHostFolder(options);
    if (!failure.empty()) throw std::runtime_error(failure);
    out << base::Format(_("made the host folder %s"), options.folder.c_str()) << "\n";
    return base::kExitOk;
}

} // namespace

std::vector<std::string> EventLines(int year) {
    const double from = JdnFromCivil({year, 1, 1}) - 0.5 - kJstOffsetDays;
    const double to = JdnFromCivil({year + 1, 1, 1}) - 0.5 - kJstOffsetDays;
    struct Line {
        double jd;
        std::string text;
    };
    std::vector<Line> lines;
    for (const SolarEvent& e : SolarEventsBetween(from, to)) {
        lines.push_back({e.jd_ut, "solar " + std::to_string(e.longitude) + " " + EventName(e.longitude) + " " +
                                      FormatJst(e.jd_ut)});
    }
    for (double jd : NewMoonsBetween(from, to))
        lines.push_back({jd, "moon new moon 朔 " + FormatJst(jd)});
    std::stable_sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) { return a.jd < b.jd; });
    std::vector<std::string> texts;
    for (Line& line : lines)
        texts.push_back(std::move(line.text));
    return texts;
}

int RunHostCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    struct Command {
        std::string_view name;
        int (*run)(const std::vector<std::string>&, std::ostream&);
    };
    static constexpr Command kCommands[] = {
        {"dayfile", RunDayFile}, {"events", RunEvents}, {"holidays", RunHolidays}, {"init", RunInit}};
    // A failure names the command it ended (kalvorin-host init: ...).
    std::string program(kTop.program);
    try {
        const Parsed top = Parse(kTop, args, out);
        if (top.answer) return *top.answer;
        const std::vector<std::string>& words = top.options.operands();
        if (words.empty()) throw UsageError{&kTop, _("no command given")};
        for (const Command& c : kCommands) {
            if (c.name == words[0]) {
                program += " " + words[0];
                return c.run(std::vector<std::string>(words.begin() + 1, words.end()), out);
            }
        }
        throw UsageError{&kTop, base::Format(_("unknown command '%s'"), words[0].c_str())};
    } catch (const UsageError& usage) {
        err << base::UsageErrorText(*usage.syntax, usage.text);
        return base::kExitUsage;
    } catch (const std::exception& failure) {
        err << program << ": " << failure.what() << "\n";
        return base::kExitFailure;
    }
}

} // namespace host
