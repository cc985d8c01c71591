#include "host/host_cli.h"

#include <algorithm>
#include <charconv>
#include <ctime>
#include <exception>
#include <optional>
#include <ostream>

#include "almanac/name_tables.h"
#include "base/sjis.h"
#include "config/config_file.h"
#include "host/almanac_events.h"
#include "host/civil_date.h"
#include "host/day_calendar.h"
#include "host/day_file.h"
#include "host/event_search.h"
#include "host/holiday_writer.h"
#include "host/host_folder.h"

namespace host {
namespace {

constexpr int kStatusFailed = 1;
constexpr int kStatusUsage = 2;
constexpr std::size_t kMaxEraNameBytes = 4;

const char* const kUsage =
    "usage:\n"
    "  kalvorin-host dayfile OUT\n"
    "      writes UNSEI.DAT (1901-01-01 … 2100-12-31) to OUT\n"
    "  kalvorin-host events YEAR [LAST]\n"
    "      lists the solar longitudes (every 5°, 土用 and 入梅) and new moons of YEAR … LAST in JST\n"
    "  kalvorin-host holidays DIR FROM TO\n"
    "      adds the national holidays of FROM … TO to the year sections of DIR/Kalvorin.CFG\n"
    "  kalvorin-host init DIR --eto N [--start-weekday 0|1] [--place LAT,LON,ELEV]\n"
    "                     [--era NAME,YEAR] [--force]\n"
    "      makes a host folder: Kalvorin.CFG, UNSEI.DAT, ReadMe2.TXT and the national holidays\n"
    "      of this year and the next two. --eto is the sexagenary number (1 … 60) of the birth\n"
    "      year and is required: without it the print module refuses its fortune notes.\n";

struct UsageError {
    std::string text;
};

std::optional<int> ParseInt(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

int IntArgument(std::string_view text, std::string_view what, int min, int max) {
    const std::optional<int> value = ParseInt(text);
    if (!value || *value < min || *value > max) {
        throw UsageError{std::string(what) + " must be a number " + std::to_string(min) + " … " + std::to_string(max) +
                         ", not \"" + std::string(text) + "\""};
    }
    return *value;
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

int CurrentYear() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
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
    if (args.size() != 2) throw UsageError{"dayfile takes one argument, the file to write"};
    const DayCalendar calendar(kDayFileFirstYear, kDayFileLastYear);
    const std::string failure = WriteDayFile(args[1], calendar);
    if (!failure.empty()) throw std::runtime_error(failure);
    out << "wrote " << kDayFileRecords << " records to " << args[1] << "\n";
    return 0;
}

int RunEvents(const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() != 2 && args.size() != 3) throw UsageError{"events takes the year, or the first and last year"};
    const int first = IntArgument(args[1], "YEAR", kDayFileFirstYear, kDayFileLastYear);
    const int last = args.size() == 3 ? IntArgument(args[2], "LAST", first, kDayFileLastYear) : first;
    for (int year = first; year <= last; ++year) {
        for (const std::string& line : EventLines(year)) {
            out << line << "\n";
        }
    }
    return 0;
}

int RunHolidays(const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() != 4) throw UsageError{"holidays takes three arguments: DIR FROM TO"};
    const int from = IntArgument(args[2], "FROM", kDayFileFirstYear, kDayFileLastYear);
    const int to = IntArgument(args[3], "TO", from, kDayFileLastYear);
    const std::filesystem::path cfg_path = std::filesystem::path(args[1]) / "Kalvorin.CFG";
    base::StderrReporter reporter;
    config::ConfigFile cfg(cfg_path, &reporter);
    if (!cfg.exists()) throw std::runtime_error(cfg_path.string() + " does not exist (make the folder with init)");
    const std::string failure = WriteNationalHolidays(cfg, from, to);
    if (!failure.empty()) throw std::runtime_error(failure);
    out << "wrote the national holidays of " << from << " … " << to << " to " << cfg_path.string() << "\n";
    return 0;
}

int RunInit(const std::vector<std::string>& args, std::ostream& out) {
    HostFolderOptions options;
    bool has_eto = false;
    bool has_folder = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageError{arg + " needs a value"};
            return args[++i];
        };
        if (arg == "--eto") {
            options.eto = IntArgument(value(), "--eto", 1, 60);
            has_eto = true;
        } else if (arg == "--start-weekday") {
            options.start_weekday = IntArgument(value(), "--start-weekday", 0, 1);
        } else if (arg == "--place") {
            const std::vector<std::string> parts = Split(value(), ',');
            if (parts.size() != 3 || !IsDecimalIn(parts[0], -90.0, 90.0) || !IsDecimalIn(parts[1], -180.0, 180.0)) {
                throw UsageError{"--place takes LAT,LON,ELEV: latitude −90 … 90, longitude −180 … 180 (decimal "
                                 "degrees), elevation in metres"};
            }
            options.latitude = parts[0];
            options.longitude = parts[1];
            options.elevation = IntArgument(parts[2], "ELEV", -500, 9000);
        } else if (arg == "--era") {
            const std::vector<std::string> parts = Split(value(), ',');
            // The module holds the era name in a field of two double-byte characters.
            if (parts.size() != 2 || parts[0].empty() || base::Cp932Length(parts[0]) > kMaxEraNameBytes) {
                throw UsageError{"--era takes NAME,YEAR with a name of at most two double-byte characters"};
            }
            options.era_name = parts[0];
            options.era_year = IntArgument(parts[1], "era YEAR", 1868, 9999);
        } else if (arg == "--force") {
            options.force = true;
        } else if (!arg.empty() && arg[0] == '-') {
            throw UsageError{"unknown option " + arg};
        } else if (!has_folder) {
            options.folder = arg;
            has_folder = true;
        } else {
            throw UsageError{"init takes one folder"};
        }
    }
    if (!has_folder) throw UsageError{"init needs the folder to make"};
    if (!has_eto) throw UsageError{"init needs --eto N, the sexagenary number (1 … 60) of the birth year"};
    options.holidays_from = std::clamp(CurrentYear(), kDayFileFirstYear, kDayFileLastYear);
    options.holidays_to = std::min(options.holidays_from + 2, kDayFileLastYear);

    if (std::string refusal = HostFolderRefusal(options); !refusal.empty()) throw std::runtime_error(refusal);
    const DayCalendar calendar(kDayFileFirstYear, kDayFileLastYear);
    const std::string failure = MakeHostFolder(options, calendar);
    if (!failure.empty()) throw std::runtime_error(failure);
    out << "made the host folder " << options.folder.string() << "\n";
    return 0;
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
    try {
        if (args.empty()) throw UsageError{"no command"};
        const std::string& command = args[0];
        if (command == "dayfile") return RunDayFile(args, out);
        if (command == "events") return RunEvents(args, out);
        if (command == "holidays") return RunHolidays(args, out);
        if (command == "init") return RunInit(args, out);
        if (command == "--help" || command == "-h") {
            out << kUsage;
            return 0;
        }
        throw UsageError{"unknown command " + command};
    } catch (const UsageError& usage) {
        err << "kalvorin-host: " << usage.text << "\n" << kUsage;
        return kStatusUsage;
    } catch (const std::exception& failure) {
        err << "kalvorin-host: " << failure.what() << "\n";
        return kStatusFailed;
    }
}

} // namespace host
