// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/run_choices.h"
#include "base/i18n.h"

#include "almanac/birth_sign.h"
#include "almanac/gazetteer.h"
#include "base/reporter.h"
#include "cli/date_text.h"
#include "cli/host_folder.h"
#include "cli/outcome.h"
#include "config/number_text.h"
#include "config/setting_override.h"
#include "config/start_weekday.h"

#include <cstdio>

namespace cli {
namespace {

// The messages of the shared options.
constexpr const char* kEtoRange = N_("--eto needs a whole number from 1 to 60, not '%s'");
constexpr const char* kEtoAndBorn = N_("give --eto or --born, not both");
constexpr const char* kBornNotADate = N_("--born needs a date YYYY-MM-DD, not '%s'");
constexpr const char* kBornOutside =
    N_("--born needs a date from 1901-01-01 to 2100-12-31 (else give --eto N), not '%s'");
constexpr const char* kPlaceUnknown =
    N_("--place '%s' is neither a prefectural capital (tokyo, 札幌, 大阪府 ...) nor LAT,LON[,HEIGHT]");
constexpr const char* kPlaceRange =
    N_("--place '%s' lies outside latitude -90 ... 90, longitude -180 ... 180, height -500 ... 9000 m");
constexpr const char* kBornUnread = N_("the day file gives no sign for the birth date");

// The years taken for a year given to --eto rather than for a wrong sign.
constexpr int kFirstBirthYear = 1000;
constexpr int kLastBirthYear = 9999;
constexpr double kMinHeight = -500;
constexpr double kMaxHeight = 9000;

} // namespace

std::variant<almanac::Place, std::string> ParsePlace(const std::string& text) {
    if (const almanac::GazetteerPlace* capital = almanac::FindCapital(text)) return capital->place();
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (parts.size() < 2 || parts.size() > 3) return base::Format(_(kPlaceUnknown), text.c_str());
    std::optional<double> values[3] = {config::ParseDecimal(parts[0]), config::ParseDecimal(parts[1]),
                                       parts.size() > 2 ? config::ParseDecimal(parts[2]) : std::optional<double>(0.0)};
    for (const auto& v : values)
        if (!v) return base::Format(_(kPlaceUnknown), text.c_str());
    if (*values[0] < -90 || *values[0] > 90 || *values[1] < -180 || *values[1] > 180 || *values[2] < kMinHeight ||
        *values[2] > kMaxHeight)
        return base::Format(_(kPlaceRange), text.c_str());
    return almanac::Place{*values[0], *values[1], *values[2]};
}

std::variant<RunChoices, std::string> ReadRunChoices(const base::ParsedOptions& options) {
    RunChoices c;
    if (const std::string* eto = options.value("eto")) {
        c.birth_eto = base::ParseIntIn(*eto, 1, 60);
        if (!c.birth_eto) {
            // A year where a sign belongs is a common slip: say what its sign is.
            const std::optional<int> year = base::ParseIntIn(*eto, kFirstBirthYear, kLastBirthYear);
            return year ? std::string("--eto ") + *eto + ": " + almanac::YearGivenForSignHint(*year)
                        : base::Format(_(kEtoRange), eto->c_str());
        }
    }
    if (const std::string* born = options.value("born")) {
        if (c.birth_eto) return std::string(_(kEtoAndBorn));
        const std::optional<print::CivilDay> date = ParseDate(*born);
        if (!date) return base::Format(_(kBornNotADate), born->c_str());
        if (!InDayFileRange(*date)) return base::Format(_(kBornOutside), born->c_str());
        c.born = date;
    }
    if (const std::string* place = options.value("place")) {
        auto parsed = ParsePlace(*place);
        if (const std::string* error = std::get_if<std::string>(&parsed)) return *error;
        c.place = std::get<almanac::Place>(parsed);
    }
    if (const std::string* day = options.value("start-weekday")) {
        c.start_weekday = config::ParseStartWeekday(*day);
        if (!c.start_weekday) return config::StartWeekdayError(*day);
    }
    config::Settings scratch;
    for (const std::string& assignment : options.values("set")) {
        const std::string error = config::ApplySettingOverride(assignment, scratch);
        if (!error.empty()) return "--set " + error;
        c.settings.push_back(assignment);
    }
    return c;
}

bool ResolveBirthSign(RunChoices& choices, const std::filesystem::path& host_folder, Outcome& outcome) {
    if (!choices.born) return true;
    const almanac::DayFile file(host_folder / almanac::kDayFileName);
    choices.birth_eto = almanac::BirthSignOn(file, choices.born->year, choices.born->month, choices.born->day, outcome);
    if (choices.birth_eto) return true;
    outcome.Fail(std::string(_(kBornUnread)) + ": " + DateText(*choices.born));
    return false;
}

void ApplyRunChoices(const RunChoices& choices, config::Settings& settings) {
    if (choices.birth_eto) settings.birth_eto = *choices.birth_eto;
    if (choices.place) {
        settings.latitude = choices.place->latitude;
        settings.longitude = choices.place->longitude;
        settings.elevation = static_cast<int>(choices.place->elevation);
    }
    if (choices.start_weekday) settings.start_weekday = *choices.start_weekday;
    for (const std::string& assignment : choices.settings)
        config::ApplySettingOverride(assignment, settings);
}

std::variant<HostRun, int> StartHostRun(const base::CommandSyntax& syntax, const base::ParsedOptions& options,
                                       Outcome& outcome) {
    auto choices = ReadRunChoices(options);
    if (const std::string* error = std::get_if<std::string>(&choices)) return base::UsageError(syntax, *error);
    HostRun run{std::get<RunChoices>(std::move(choices)), {}};
    std::optional<std::string> home;
    if (const std::string* v = options.value("home")) home = *v;
    const std::optional<std::filesystem::path> folder = OpenHostFolder(home, outcome);
    if (!folder) return base::kExitFailure;
    run.folder = *folder;
    if (!ResolveBirthSign(run.choices, run.folder, outcome)) return base::kExitFailure;
    return run;
}

} // namespace cli
