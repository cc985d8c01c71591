// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/calendar_notes.h"

#include "almanac/birth_sign.h"
#include "almanac/day_notes.h"
#include "almanac/fortune.h"
#include "almanac/name_tables.h"
#include "almanac/named_days.h"
#include "almanac/note_commentary.h"
#include "almanac/sun_times.h"

#include <cstdio>

namespace almanac {

const std::array<NoteKindInfo, kNoteKindCount> NoteKinds = {{
    {NoteKind::kRokuyo, "rokuyo", "六曜", "the six-day cycle (六曜)"},
    {NoteKind::kTerms, "terms", "二十四節気", "the day a solar term (節気) begins, with its first pentad"},
    {NoteKind::kSeasonal, "seasonal", "雑節", "the seasonal days (雑節)"},
    {NoteKind::kNamed, "named", "吉凶", "the named lucky and unlucky days, with their commentary"},
    {NoteKind::kHolidays, "holidays", "休日", "the holidays of Kalvorin.CFG (national and the user's)"},
    {NoteKind::kLunar, "lunar", "旧暦", "the lunar date (旧暦)"},
    {NoteKind::kFortune, "fortune", "運勢", "the fortune rank for the birth-year sign"},
    {NoteKind::kSun, "sun", "日の出・日の入", "sunrise and sunset at the configured place"},
}};

const NoteKindInfo& InfoOf(NoteKind kind) {
    return NoteKinds[static_cast<std::size_t>(kind)];
}

NoteSet DefaultNotes() {
    NoteSet set;
    for (NoteKind k : {NoteKind::kTerms, NoteKind::kSeasonal, NoteKind::kNamed, NoteKind::kHolidays})
        set.set(static_cast<std::size_t>(k));
    return set;
}

std::optional<NoteSet> ParseNoteList(std::string_view list, std::string* bad) {
    NoteSet set;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t comma = list.find(',', start);
        if (comma == std::string_view::npos) comma = list.size();
        const std::string_view name = list.substr(start, comma - start);
        // "all" may stand among names too ("all,rokuyo" is all).
        bool found = name == "all";
        if (found) set.set();
        for (const NoteKindInfo& info : NoteKinds) {
            if (info.name == name) {
                set.set(static_cast<std::size_t>(info.kind));
                found = true;
            }
        }
        if (!found) {
            if (bad) *bad = std::string(name);
            return std::nullopt;
        }
        start = comma + 1;
    }
    return set;
}

std::string NoteKindNames() {
    std::string names;
    for (const NoteKindInfo& info : NoteKinds) {
        if (!names.empty()) names += ", ";
        names += info.name;
    }
    return names;
}

namespace {

void Join(std::string& to, std::string_view text, std::string_view separator) {
    if (!to.empty()) to += separator;
    to += text;
}

std::string SunText(const DayRecord& day, const Place& place) {
    SunTimes t = SunriseSunset(day.year(), day.month(), day.day(), place.latitude, place.longitude);
    ApplyElevation(t, place.elevation, place.latitude);
    // Near the poles the sun may not cross the horizon all day, or cross it only once.
    if (t.rise < 0 && t.set < 0) return t.up_all_day ? "白夜（日の入なし）" : "極夜（日の出なし）";
    auto part = [](const char* name, double time) {
        if (time < 0) return std::string(name) + "なし";
        const ClockTime clock = SplitSunTime(time);
        char text[32];
        std::snprintf(text, sizeof text, "%s %d:%02d", name, clock.hour, clock.minute);
        return std::string(text);
    };
    return part("日の出", t.rise) + " " + part("日の入", t.set);
}

std::string PlaceText(const Place& place) {
    char text[96];
    std::snprintf(text, sizeof text, "%s %.4f° %s %.4f° 標高 %.0f m", place.latitude < 0 ? "南緯" : "北緯",
                  place.latitude < 0 ? -place.latitude : place.latitude, place.longitude < 0 ? "西経" : "東経",
                  place.longitude < 0 ? -place.longitude : place.longitude, place.elevation);
    return text;
}

} // namespace

std::vector<DayNote> NotesOfDay(const NoteDay& in, NoteSet wanted) {
    std::vector<DayNote> notes;
    const DayRecord& day = *in.day;
    auto want = [&](NoteKind k) { return wanted.test(static_cast<std::size_t>(k)); };
    auto add = [&](NoteKind k, std::string summary, std::string description = {}) {
        if (!summary.empty()) notes.push_back({k, std::move(summary), std::move(description)});
    };

    if (want(NoteKind::kRokuyo)) add(NoteKind::kRokuyo, std::string(TableText(RokuyoNames, day.Rokuyo - 1)));
    if (want(NoteKind::kTerms) && in.before && SolarTermBegins(day, *in.before)) {
        std::string description(TableText(SolarTermSeasons, day.SolarTerm - 1));
        while (description.ends_with("　"))
            description.resize(description.size() - std::string_view("　").size());
        const PentadText pentad = PentadOf(day.Pentad);
        if (!pentad.name.empty()) Join(description, "初候 " + pentad.name + " (" + pentad.reading + ")", "\n");
        add(NoteKind::kTerms, std::string(TableText(SolarTermNames, day.SolarTerm - 1)), description);
    }
    if (want(NoteKind::kSeasonal)) add(NoteKind::kSeasonal, SeasonDayText(day.SeasonFlags, "・"));
    if (want(NoteKind::kNamed)) {
        const DayKeys keys = MakeDayKeys(day, in.birth_eto, in.month_year_cycle);
        std::string summary, description;
        bool lucky = false, unlucky = false;
        for (int row : NamedDaysOf(day, keys)) {
            const NamedDay& named = NamedDays[static_cast<std::size_t>(row)];
            lucky |= !named.from_rule && named.kind == NamedDayClass::Good;
            unlucky |= !named.from_rule && named.kind == NamedDayClass::Bad;
            const std::string name = NamedDayText(row, keys);
            Join(summary, name, "・");
            const std::string commentary = NamedDayCommentary(NamedDays[static_cast<std::size_t>(row)].text);
            Join(description, commentary.empty() ? name : name + "\n" + commentary, "\n\n");
        }
        add(NoteKind::kNamed, summary, description);
        if (!summary.empty()) {
            notes.back().lucky = lucky;
            notes.back().unlucky = unlucky;
        }
    }
    if (want(NoteKind::kHolidays)) add(NoteKind::kHolidays, std::string(in.holiday));
    if (want(NoteKind::kLunar) && day.LunarMonth >= 1 && day.LunarDay >= 1) {
        std::string summary = "旧暦 ";
        if (day.LeapMonth) summary += "閏";
        summary += TableText(LunarMonthNames, day.LunarMonth - 1);
        summary += TableText(KanjiNumerals, day.LunarDay);
        summary += "日";
        add(NoteKind::kLunar, summary);
    }
    if (want(NoteKind::kFortune) && IsBirthSign(in.birth_eto)) {
        FortuneWork work;
        EvaluateDayFortune(day, static_cast<std::uint8_t>(in.birth_eto & 0xFF), day.YearCycle, work);
        std::string rank(FortuneRank(work.good, work.bad));
        rank.erase(0, rank.find_first_not_of(' '));
        rank.erase(rank.find_last_not_of(' ') + 1);
        if (!rank.empty()) {
            char points[96];
            std::snprintf(points, sizeof points, "点 %+d (吉 %d, 凶 %d)", work.net, work.good, work.bad);
            add(NoteKind::kFortune, "運勢 " + rank, points);
        }
    }
    if (want(NoteKind::kSun) && in.place) add(NoteKind::kSun, SunText(day, *in.place), PlaceText(*in.place));
    return notes;
}

} // namespace almanac
