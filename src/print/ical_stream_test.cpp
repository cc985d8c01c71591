// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/ical_stream.h"

#include "almanac/day_file.h"
#include "almanac/test_day_file.h"
#include "config/test_folder.h"
#include "print/notes_run.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <map>
#include <sstream>

namespace print {
namespace {

using almanac::DayNote;
using almanac::NoteKind;

std::string Write(const std::vector<std::pair<CivilDay, DayNote>>& notes) {
    std::string out;
    IcalStream stream([&](std::string_view bytes) { return out.append(bytes), true; }, "暦注 2027", 1800000000);
    EXPECT_TRUE(stream.Begin());
    for (const auto& [d, note] : notes)
        EXPECT_TRUE(stream.Add(d.year, d.month, d.day, note));
    EXPECT_TRUE(stream.End());
    EXPECT_EQ(static_cast<long>(notes.size()), stream.events());
    return out;
}

struct Parsed {
    icalcomponent* calendar;
    explicit Parsed(const std::string& text) : calendar(icalparser_parse_string(text.c_str())) {}
    ~Parsed() {
        if (calendar) icalcomponent_free(calendar);
    }
};

TEST(IcalStream, LibicalReadsBackWhatItWrote) {
    const std::string long_text(200, 'x');
    const std::string text = Write({
        {{2027, 2, 4}, {NoteKind::kTerms, "立春", "春　正月節\n初候 東風解氷 (ハルカゼ コオリヲトク)"}},
        {{2027, 2, 4}, {NoteKind::kNamed, "一粒万倍日・天赦日", "commas, semicolons; and " + long_text}},
        {{2027, 12, 31}, {NoteKind::kRokuyo, "大安", ""}},
    });
    // Lines end in CRLF and are folded at 75 octets.
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        ASSERT_FALSE(line.empty());
        EXPECT_EQ('\r', line.back());
        EXPECT_LE(line.size(), 76u) << line;
    }
    EXPECT_NE(std::string::npos, text.find("DTSTART;VALUE=DATE:20270204\r\n"));
    EXPECT_NE(std::string::npos, text.find("DTEND;VALUE=DATE:20280101\r\n")); // the next day, across a year's end
    EXPECT_NE(std::string::npos, text.find("X-WR-CALNAME:暦注 2027\r\n"));

    Parsed parsed(text);
    ASSERT_NE(nullptr, parsed.calendar);
    EXPECT_EQ(ICAL_VCALENDAR_COMPONENT, icalcomponent_isa(parsed.calendar));
    EXPECT_EQ(1, icalrestriction_check(parsed.calendar));
    EXPECT_EQ(3, icalcomponent_count_components(parsed.calendar, ICAL_VEVENT_COMPONENT));
    EXPECT_NE(nullptr, icalcomponent_get_first_property(parsed.calendar, ICAL_PRODID_PROPERTY));

    std::map<std::string, icalcomponent*> by_uid;
    for (icalcomponent* e = icalcomponent_get_first_component(parsed.calendar, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(parsed.calendar, ICAL_VEVENT_COMPONENT))
        by_uid[icalcomponent_get_uid(e)] = e;
    ASSERT_EQ(3u, by_uid.size()); // a note's UID is its date and kind: unique, stable
    icalcomponent* named = by_uid.at("20270204-named@qelmarin");
    EXPECT_STREQ("一粒万倍日・天赦日", icalcomponent_get_summary(named));
    EXPECT_EQ("commas, semicolons; and " + long_text, icalcomponent_get_description(named));
    EXPECT_TRUE(icalcomponent_get_dtstart(named).is_date);
    icalproperty* transp = icalcomponent_get_first_property(named, ICAL_TRANSP_PROPERTY);
    ASSERT_NE(nullptr, transp);
    EXPECT_EQ(ICAL_TRANSP_TRANSPARENT, icalproperty_get_transp(transp));
    icalproperty* category = icalcomponent_get_first_property(named, ICAL_CATEGORIES_PROPERTY);
    ASSERT_NE(nullptr, category);
    EXPECT_STREQ("吉凶", icalproperty_get_categories(category));
    EXPECT_EQ(nullptr,
              icalcomponent_get_first_property(by_uid.at("20271231-rokuyo@qelmarin"), ICAL_DESCRIPTION_PROPERTY));
}

// A whole year of every note from a day file, as the command writes it, passes libical's
// parser and its property rules, one event per note.
TEST(IcalStream, AYearOfEveryNotePassesLibicalsRules) {
    config::testing::TestFolder folder;
    almanac::testing::WriteSyntheticDayFile(folder / almanac::kDayFileName);
    config::testing::WriteBytes(folder / "Kalvorin.CFG", "[UNSEI]\r\nETO=7\r\nIDO=35.68\r\nKEIDO=139.69\r\n"
                                                         "[2027]\r\nHOLIDAY1=01\r\n");
    NotesRequest request;
    request.host_folder = folder.path();
    request.from = {2027, 1, 1};
    request.to = {2027, 12, 31};
    request.notes = almanac::NoteSet().set();
    std::string out;
    IcalStream stream([&](std::string_view bytes) { return out.append(bytes), true; }, "all", 0);
    base::RecordingReporter reporter;
    long notes = 0;
    ASSERT_TRUE(stream.Begin());
    ASSERT_TRUE(ForEachDayNotes(request, reporter, [&](const CivilDay& d, const std::vector<DayNote>& day) {
        for (const DayNote& n : day)
            if (!stream.Add(d.year, d.month, d.day, n)) return false;
        notes += static_cast<long>(day.size());
        return true;
    }));
    ASSERT_TRUE(stream.End());
    EXPECT_GT(notes, 365 * 3); // rokuyo, lunar and sun every day, and more

    Parsed parsed(out);
    ASSERT_NE(nullptr, parsed.calendar);
    EXPECT_EQ(1, icalrestriction_check(parsed.calendar));
    EXPECT_EQ(notes, icalcomponent_count_components(parsed.calendar, ICAL_VEVENT_COMPONENT));
    int rokuyo = 0;
    for (icalcomponent* e = icalcomponent_get_first_component(parsed.calendar, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(parsed.calendar, ICAL_VEVENT_COMPONENT))
        rokuyo += std::string(icalcomponent_get_uid(e)).ends_with("-rokuyo@qelmarin");
    EXPECT_EQ(365, rokuyo);
}

TEST(IcalStream, TheCalendarsNameIsEscapedAndFolded) {
    std::string name = "a,b;c\\d\n" + std::string(40, 'x');
    for (int i = 0; i < 20; ++i)
        name += "暦";
    std::string out;
    IcalStream stream([&](std::string_view bytes) { return out.append(bytes), true; }, name, 0);
    ASSERT_TRUE(stream.Begin());
    // Folded at 75 octets, never inside a character; unfolded, the escaped name.
    for (std::size_t at = 0, end; (end = out.find("\r\n", at)) != std::string::npos; at = end + 2) {
        EXPECT_LE(end - at, 75u);
        EXPECT_NE(0x80, static_cast<unsigned char>(out[end + 2 < out.size() && out[end + 2] == ' ' ? end + 3 : end]) & 0xC0);
    }
    std::string unfolded = out;
    for (std::size_t fold; (fold = unfolded.find("\r\n ")) != std::string::npos;)
        unfolded.erase(fold, 3);
    std::string escaped = "X-WR-CALNAME:a\\,b\\;c\\\\d\\n" + std::string(40, 'x');
    for (int i = 0; i < 20; ++i)
        escaped += "暦";
    EXPECT_NE(std::string::npos, unfolded.find(escaped + "\r\n")) << unfolded;
}

TEST(IcalStream, AFailedWriteFailsTheStream) {
    int writes = 0;
    IcalStream stream([&](std::string_view) { return ++writes < 2; }, "x", 0);
    EXPECT_TRUE(stream.Begin());
    EXPECT_FALSE(stream.Add(2027, 1, 1, {NoteKind::kRokuyo, "先勝", ""}));
    EXPECT_FALSE(stream.End());
    EXPECT_EQ(2, writes); // nothing more is written after a failure
}

TEST(NotesRun, DaysAcrossAYearsEndWithTheYearsHolidays) {
    config::testing::TestFolder folder;
    almanac::testing::WriteSyntheticDayFile(folder / almanac::kDayFileName);
    config::testing::WriteBytes(folder / "Kalvorin.CFG",
                                "[UNSEI]\r\nETO=7\r\n[2027]\r\nHOLIDAY12=31\r\n[2028]\r\nHOLIDAY1=0102\r\n");
    NotesRequest request;
    request.host_folder = folder.path();
    request.from = {2027, 12, 30};
    request.to = {2028, 1, 2};
    request.notes = *almanac::ParseNoteList("holidays,rokuyo", nullptr);
    base::RecordingReporter reporter;
    std::vector<std::string> seen;
    ASSERT_TRUE(ForEachDayNotes(request, reporter, [&](const CivilDay& d, const std::vector<DayNote>& notes) {
        std::string line = std::to_string(d.key());
        for (const DayNote& n : notes)
            line += " " + n.summary;
        seen.push_back(line);
        return true;
    }));
    ASSERT_EQ(4u, seen.size());
    EXPECT_EQ(std::string::npos, seen[0].find("休日"));
    EXPECT_EQ("20271231", seen[1].substr(0, 8));
    // A national holiday by the law's name, a day the user marked as 休日.
    EXPECT_NE(std::string::npos, seen[1].find("休日"));
    EXPECT_NE(std::string::npos, seen[2].find("元日"));
    EXPECT_NE(std::string::npos, seen[3].find("休日"));
    EXPECT_TRUE(reporter.messages().empty());

    // Sunrise and sunset asked for without a place: said once, and no sun notes.
    request.notes = *almanac::ParseNoteList("sun", nullptr);
    int sun_notes = 0;
    ASSERT_TRUE(ForEachDayNotes(request, reporter, [&](const CivilDay&, const std::vector<DayNote>& notes) {
        return sun_notes += static_cast<int>(notes.size()), true;
    }));
    EXPECT_EQ(0, sun_notes);
    ASSERT_EQ(1u, reporter.messages().size());
    EXPECT_NE(std::string::npos, reporter.messages()[0].text.find("names no place"));
    reporter.clear();

    // A day file that ends early (on 10 April 1901) stops the run with a message; no day of
    // the month it ends in is given, as no page of it is drawn.
    almanac::testing::WriteSyntheticDayFile(folder / almanac::kDayFileName, 100);
    request.from = {1901, 1, 1};
    request.to = {1901, 12, 31};
    int days = 0;
    EXPECT_FALSE(
        ForEachDayNotes(request, reporter, [&](const CivilDay&, const std::vector<DayNote>&) { return ++days, true; }));
    EXPECT_EQ(31 + 28 + 31, days);
    EXPECT_FALSE(reporter.messages().empty());
}

} // namespace
} // namespace print
