// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/month_range.h"

#include "almanac/calendar_math.h"
#include "base/command_line.h"
#include "base/i18n.h"

#include <cstdio>
#include <tuple>

namespace cli {

MonthRange ChooseMonths(bool year_given, std::optional<int> from, std::optional<int> to, int current_month) {
    MonthRange range;
    range.from = from ? *from : (year_given || to) ? 1 : current_month;
    range.to = to ? *to : from ? *from : year_given ? 12 : current_month;
    return range;
}

namespace {

// "YYYY-MM" or a month number of `year`; nothing when it is neither.
std::optional<YearMonth> ParseMonth(std::string_view text, int year) {
    if (text.size() == 7 && text[4] == '-') {
        const std::optional<int> y = base::ParseIntIn(text.substr(0, 4), almanac::kFirstYear, almanac::kLastYear);
        const std::optional<int> m = base::ParseIntIn(text.substr(5, 2), 1, 12);
        if (y && m && text[5] >= '0' && text[5] <= '9') return YearMonth{*y, *m};
        return std::nullopt;
    }
    if (const std::optional<int> m = base::ParseIntIn(text, 1, 12)) return YearMonth{year, *m};
    return std::nullopt;
}

} // namespace

std::variant<RunMonths, std::string> ChooseRunMonths(std::optional<int> year, const std::string* from,
                                                     const std::string* to, YearMonth today) {
    const int default_year = year.value_or(today.year);
    std::optional<YearMonth> first, last;
    // Whether --year counts for anything: a month number takes its year, and a YYYY-MM month
    // may agree with it.
    bool year_counts = false;
    std::string given;
    for (auto [name, text, target] : {std::tuple{"--from", from, &first}, std::tuple{"--to", to, &last}}) {
        if (!text) continue;
        *target = ParseMonth(*text, default_year);
        if (!*target)
            return base::Format(_("%s needs a month: YYYY-MM (1901-01 ... 2100-12) or 1-12, not '%s'"), name,
                                text->c_str());
        year_counts = year_counts || (*target)->year == default_year;
        given.append(given.empty() ? "" : " ").append(name).append(" ").append(*text);
    }
    if (year && !given.empty() && !year_counts)
        return base::Format(_("--year %d is not the year of %s: give --year with month numbers (1-12), or YYYY-MM "
                              "months without --year"),
                            *year, given.c_str());
    // The months by the rules of ChooseMonths; a default month lies in the year of the month
    // given with it, else in the default year.
    auto month_of = [](const std::optional<YearMonth>& m) { return m ? std::optional<int>(m->month) : std::nullopt; };
    const MonthRange months = ChooseMonths(year.has_value(), month_of(first), month_of(last), today.month);
    RunMonths run;
    run.first = first ? *first : YearMonth{last ? last->year : default_year, months.from};
    run.last = last ? *last : first ? *first : YearMonth{default_year, months.to};
    if (run.first.year < almanac::kFirstYear || run.last.year > almanac::kLastYear)
        return _("the months lie outside 1901 ... 2100, the years of the day file");
    if (run.first.key() > run.last.key()) {
        const std::string first_text =
            from ? *from : std::to_string(run.first.year) + "-" + std::to_string(run.first.month);
        const std::string last_text = to ? *to : std::to_string(run.last.year) + "-" + std::to_string(run.last.month);
        return base::Format(_("--from %s is after --to %s"), first_text.c_str(), last_text.c_str());
    }
    return run;
}

std::vector<YearMonths> SplitByYear(const RunMonths& run) {
    std::vector<YearMonths> years;
    for (int y = run.first.year; y <= run.last.year; ++y) {
        MonthRange months{y == run.first.year ? run.first.month : 1, y == run.last.year ? run.last.month : 12};
        years.push_back({y, months});
    }
    return years;
}

std::string RunMonthsText(const RunMonths& run) {
    char text[32];
    if (run.first == run.last) {
        std::snprintf(text, sizeof text, "%04d-%02d", run.first.year, run.first.month);
    } else if (run.first.year == run.last.year) {
        std::snprintf(text, sizeof text, "%04d-%02d-to-%02d", run.first.year, run.first.month, run.last.month);
    } else {
        std::snprintf(text, sizeof text, "%04d-%02d-to-%04d-%02d", run.first.year, run.first.month, run.last.year,
                      run.last.month);
    }
    return text;
}

} // namespace cli
