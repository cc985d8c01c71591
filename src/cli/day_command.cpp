// SPDX-License-Identifier: GPL-3.0-or-later
// qelmarin-cli day: the decoded notes of days, one tab-separated line per day, from the
// host folder's UNSEI.DAT and Kalvorin.CFG.

#include "almanac/birth_sign.h"
#include "almanac/commentary_names.h"
#include "almanac/day_file.h"
#include "almanac/day_notes.h"
#include "almanac/fortune.h"
#include "almanac/name_tables.h"
#include "almanac/named_days.h"
#include "almanac/sun_times.h"
#include "base/command_line.h"
#include "base/i18n.h"
#include "base/reporter.h"
#include "cli/command.h"
#include "cli/date_text.h"
#include "cli/host_folder.h"
#include "cli/outcome.h"
#include "cli/run_choices.h"
#include "config/host_location.h"
#include "config/settings.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace cli {
namespace {

using Date = print::CivilDay;

std::string Join(const std::string& s) {
    return s.empty() ? "-" : s;
}

// The pages centre a one-character rank in four columns (" 吉 "); a table wants it bare.
std::string RankColumn(std::string_view rank) {
    const std::size_t first = rank.find_first_not_of(' ');
    if (first == std::string_view::npos) return "-";
    return std::string(rank.substr(first, rank.find_last_not_of(' ') + 1 - first));
}

// "5:44-17:52"; near the poles "白夜" or "極夜" for a day without a crossing, "なし" for the
// one crossing a day lacks; "-" without a place.
std::string SunColumn(const config::Settings& settings, bool place_given, const Date& date) {
    if (!place_given && !settings.names_place()) return "-";
    almanac::SunTimes t =
        almanac::SunriseSunset(date.year, date.month, date.day, settings.latitude, settings.longitude);
    almanac::ApplyElevation(t, settings.elevation, settings.latitude);
    if (t.rise < 0 && t.set < 0) return t.up_all_day ? "白夜" : "極夜";
    auto clock = [](double time) {
        if (time < 0) return std::string("なし");
        const almanac::ClockTime c = almanac::SplitSunTime(time);
        char buf[16];
        std::snprintf(buf, sizeof buf, "%d:%02d", c.hour, c.minute);
        return std::string(buf);
    };
    return clock(t.rise) + "-" + clock(t.set);
}

std::string DayLine(const Date& date, const almanac::MonthDays& days, const config::Settings& settings,
                    bool place_given, int birth_eto) {
    using namespace almanac;
    const DayRecord& day = days[static_cast<std::size_t>(date.day)];
    const DayRecord& before = days[static_cast<std::size_t>(date.day - 1)];

    std::string term = "-";
    if (SolarTermBegins(day, before)) term = std::string(TableText(SolarTermNames, day.SolarTerm - 1));

    std::string lunar = day.LeapMonth ? "閏" : "";
    lunar += std::to_string(day.LunarMonth) + "/" + std::to_string(day.LunarDay);

    const DayKeys page_keys = MakeDayKeys(day, birth_eto, days[1].YearCycle);
    std::string named;
    for (int row : NamedDaysOf(day, page_keys)) {
        if (!named.empty()) named += "・";
        named += NamedDayText(row, page_keys);
    }

    // Without a birth sign there is no fortune: its four columns are "-".
    std::string fortune[4] = {"-", "-", "-", "-"};
    if (IsBirthSign(birth_eto)) {
        FortuneWork work;
        EvaluateDayFortune(day, static_cast<std::uint8_t>(birth_eto), day.YearCycle, work);
        fortune[0] = RankColumn(FortuneRank(work.good, work.bad));
        fortune[1] = std::to_string(work.net);
        fortune[2] = std::to_string(work.good);
        fortune[3] = std::to_string(work.bad);
    }

    char date_text[16];
    std::snprintf(date_text, sizeof date_text, "%04d-%02d-%02d", date.year, date.month, date.day);
    std::string columns[] = {
        date_text,
        Join(std::string(TableText(WeekdayNames, day.Weekday))),
        Join(CycleName(day.DayCycle)),
        Join(std::string(TableText(RokuyoNames, day.Rokuyo - 1))),
        term,
        lunar,
        Join(MansionName(day.Mansion)),
        Join(OfficerName(day.Officer)),
        std::to_string(day.Pentad),
        Join(SeasonDayText(day.SeasonFlags, "・")),
        Join(named),
        fortune[0],
        fortune[1],
        fortune[2],
        fortune[3],
        SunColumn(settings, place_given, date),
    };
    std::string line;
    for (const std::string& c : columns) {
        if (!line.empty()) line += '\t';
        line += c;
    }
    return line;
}

// The sixteen columns of a line, as --header names them.
constexpr const char* kColumnNames[] = {
    "date",   "weekday",  "day_sign", "rokuyo",  "solar_term", "lunar_date", "mansion", "officer",
    "pentad", "seasonal", "named",    "fortune", "net",        "good",       "bad",     "sun",
};

constexpr base::OptionSyntax kOptions[] = {
    {"home", "DIR", N_("the host folder (else KALVORIN_HOME, the program's folder, ~/.local/share/kalvorin)")},
    kEtoOption,
    kBornOption,
    kPlaceOption,
    {"header", "", N_("begin with a line naming the columns (always on a terminal)")},
};

constexpr base::CommandSyntax kSyntax{
    "qelmarin-cli day", "[FROM [TO]]",
    N_("Prints the notes of the days FROM ... TO (YYYY-MM-DD, today, tomorrow or yesterday;\n"
       "1901-01-01 ... 2100-12-31; default today), one tab-separated line per day: date,\n"
       "weekday, day sign, rokuyo, solar term, lunar date, mansion, officer, pentad, seasonal\n"
       "days, named days, fortune rank, net, good, bad, sun."),
    kOptions};

} // namespace

int RunDay(const Args& args) {
    const base::ParseResult parsed = base::ParseCommandLine(kSyntax, args);
    if (const auto status = base::AnswerWithoutRunning(kSyntax, parsed)) return *status;
    const base::ParsedOptions& options = parsed.options;
    auto choices = ReadRunChoices(options);
    if (const std::string* error = std::get_if<std::string>(&choices)) return base::UsageError(kSyntax, *error);
    RunChoices& run = std::get<RunChoices>(choices);
    // No date is today, as cal and remind take it.
    const std::vector<std::string> dates = options.operands().empty() ? std::vector<std::string>{"today"}
                                                                       : options.operands();
    if (dates.size() > 2) return base::UsageError(kSyntax, base::Format(_("too many dates: '%s'"), dates[2].c_str()));
    std::optional<Date> from = ParseDate(dates[0]);
    std::optional<Date> to = dates.size() > 1 ? ParseDate(dates[1]) : from;
    if (!from || !to)
        return base::UsageError(
            kSyntax, base::Format(_("not a date (YYYY-MM-DD): '%s'"), (!from ? dates[0] : dates[1]).c_str()));
    for (const Date& d : {*from, *to}) {
        if (d.year < almanac::kFirstYear || d.year > almanac::kLastYear) {
            return base::UsageError(kSyntax, base::Format(_("%04d-%02d-%02d is outside 1901-01-01 ... 2100-12-31"),
                                                          d.year, d.month, d.day));
        }
    }
    if (to->key() < from->key()) return base::UsageError(kSyntax, _("the last date is before the first"));

    const std::optional<std::string> home =
        options.value("home") ? std::optional<std::string>(*options.value("home")) : std::nullopt;
    // Counted: the days are still listed after a settings file that could not be read, but
    // the run then ends with a failure.
    Outcome outcome(kSyntax.program);
    const std::optional<std::filesystem::path> found = OpenHostFolder(home, outcome);
    if (!found) return outcome.status();
    const std::filesystem::path& folder = *found;
    const std::filesystem::path day_path = folder / almanac::kDayFileName;
    // Something else at the name (a named pipe, a device) is refused by the day file's reader,
    // which says what it is.
    std::error_code ec;
    if (!std::filesystem::exists(day_path, ec))
        return outcome.Fail(base::Format(_("%s not found"), day_path.c_str()));

    const config::ConfigFile cfg(folder / config::kConfigFileName, &outcome);
    config::Settings settings = config::LoadSettings(cfg, folder);
    if (!ResolveBirthSign(run, folder, outcome)) return outcome.status();
    ApplyRunChoices(run, settings);
    const int birth_eto = settings.birth_eto;
    almanac::HasBirthSign(birth_eto, outcome);

    if (options.has("header") || ::isatty(STDOUT_FILENO)) {
        std::string header;
        for (const char* name : kColumnNames)
            header.append(header.empty() ? "" : "\t").append(name);
        std::printf("%s\n", header.c_str());
    }

    almanac::DayFile file(day_path);
    almanac::MonthDays days{};
    int loaded_month = 0;
    for (Date d = *from; d.key() <= to->key(); d = print::NextDay(d)) {
        if (d.year * 100 + d.month != loaded_month) {
            if (!file.LoadMonth(days, d.year, d.month, almanac::DaysInMonth(d.year, d.month), outcome))
                return base::kExitFailure; // told by the day file's reader
            loaded_month = d.year * 100 + d.month;
        }
        if (days[static_cast<std::size_t>(d.day)].Date != d.key())
            return outcome.Fail(
                base::Format(_("%s holds no record of %04d-%02d-%02d"), day_path.c_str(), d.year, d.month, d.day));
        std::printf("%s\n", DayLine(d, days, settings, run.place.has_value(), birth_eto).c_str());
    }
    return outcome.status();
}

} // namespace cli
