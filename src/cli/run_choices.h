// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The per-run choices the commands share, which stand in for the host's keys of
// Kalvorin.CFG for one run and are never written: the birth sign (--eto N or --born DATE),
// the place (--place NAME or LAT,LON[,HEIGHT]), the first weekday and print settings.

#include "almanac/calendar_notes.h"
#include "base/command_line.h"
#include "base/i18n.h"
#include "config/settings.h"
#include "print/notes_run.h"

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace cli {

inline constexpr base::OptionSyntax kEtoOption{
    "eto", "N", N_("the sexagenary number (1-60) of the birth year, instead of Kalvorin.CFG's")};
inline constexpr base::OptionSyntax kBornOption{
    "born", "DATE", N_("the birth date, YYYY-MM-DD: its year's sign, counted from 立春, instead of --eto")};
inline constexpr base::OptionSyntax kPlaceOption{
    "place", "WHERE",
    N_("a prefectural capital (tokyo, 札幌, 大阪府...) or LAT,LON[,HEIGHT] anywhere, south negative, for "
       "sunrise and sunset in Japan Standard Time")};
inline constexpr base::OptionSyntax kStartWeekdayOption{
    "start-weekday", "DAY", N_("the first day of the week: sunday or monday, or 0 or 1 (default Kalvorin.CFG's)")};
inline constexpr base::OptionSyntax kSetOption{
    "set", "SECTION.KEY=VALUE", N_("a print setting of Kalvorin.CFG for this run only, never written (repeatable)")};

struct RunChoices {
    std::optional<int> birth_eto;
    std::optional<print::CivilDay> born; // its sign goes into birth_eto by ResolveBirthSign
    std::optional<almanac::Place> place;
    std::optional<int> start_weekday;  // 0 Sunday, 1 Monday
    std::vector<std::string> settings; // SECTION.KEY=VALUE, checked
};

// Reads whichever of the options above the command has, before any file is read. The text
// of a usage error when one is wrong.
std::variant<RunChoices, std::string> ReadRunChoices(const base::ParsedOptions& options);

class Outcome;

// The sign of --born from the host folder's day file into birth_eto. False after telling
// the failure when the day file cannot give it.
bool ResolveBirthSign(RunChoices& choices, const std::filesystem::path& host_folder, Outcome& outcome);

// A place given on the command line: a capital's name or LAT,LON[,HEIGHT].
std::variant<almanac::Place, std::string> ParsePlace(const std::string& text);

// Puts the choices into the settings of the run.
void ApplyRunChoices(const RunChoices& choices, config::Settings& settings);

// What a command that reads the host folder starts from: the choices of its options, the
// host folder (--home, else where config/host_location.h looks) and --born's sign.
struct HostRun {
    RunChoices choices;
    std::filesystem::path folder;
};

// The run, or the exit status to end with: a usage error's after a wrong choice, a
// failure's after saying why the folder or the sign could not be had.
std::variant<HostRun, int> StartHostRun(const base::CommandSyntax& syntax, const base::ParsedOptions& options,
                                       Outcome& outcome);

} // namespace cli
