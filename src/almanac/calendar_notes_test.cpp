// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/calendar_notes.h"

#include "almanac/named_days.h"
#include "almanac/note_commentary.h"

#include <gtest/gtest.h>

namespace almanac {
namespace {

TEST(NoteCommentary, EveryNamedDayHasItsExplanation) {
    for (const NamedDay& row : NamedDays) {
        const std::string text = NamedDayCommentary(row.text);
        EXPECT_FALSE(text.empty()) << row.text;
        EXPECT_NE(' ', text.front()) << row.text; // the page's indentation is taken off
    }
    EXPECT_EQ("一粒の籾が万倍に実る日。開店、仕事始め、金銭の出資に吉。借金は苦労が増えて凶。",
              NamedDayCommentary("一粒万倍日"));
    // 大犯土 and 小犯土 share the heading 犯土; the ● of the three bad days is no part of a name.
    EXPECT_EQ(NamedDayCommentary("大犯土"), NamedDayCommentary("小犯土"));
    EXPECT_EQ("物事が乱れる日。婚礼、移転、種蒔きは凶。", NamedDayCommentary("浪藉日"));
    // A section title or an unknown name has none.
    EXPECT_EQ("", NamedDayCommentary("一般の吉凶"));
    EXPECT_EQ("", NamedDayCommentary("日"));
}

TEST(NoteCommentary, PentadNameAndReading) {
    EXPECT_EQ("東風解氷", PentadOf(1).name);
    EXPECT_EQ("ハルカゼ コオリヲトク", PentadOf(1).reading);
    EXPECT_EQ("黄鶯鳴", PentadOf(2).name); // the spacing of a three-kanji name goes
    EXPECT_EQ("ウグイス ナク", PentadOf(2).reading);
    for (int p = 1; p <= 72; ++p) {
        EXPECT_FALSE(PentadOf(p).name.empty()) << p;
        EXPECT_FALSE(PentadOf(p).reading.empty()) << p;
    }
    EXPECT_EQ("", PentadOf(0).name);
    EXPECT_EQ("", PentadOf(73).reading);
}

TEST(CalendarNotes, NoteLists) {
    std::string bad;
    EXPECT_EQ(DefaultNotes(), ParseNoteList("terms,seasonal,named,holidays", &bad));
    EXPECT_EQ(NoteSet().set(), ParseNoteList("all", &bad));
    EXPECT_EQ(NoteSet().set(), ParseNoteList("all,rokuyo", &bad));
    EXPECT_EQ(NoteSet(1), ParseNoteList("rokuyo", &bad));
    EXPECT_FALSE(ParseNoteList("rokuyo,moon", &bad));
    EXPECT_EQ("moon", bad);
    EXPECT_FALSE(ParseNoteList("", &bad));
    EXPECT_FALSE(ParseNoteList("terms,", &bad));
    EXPECT_EQ("rokuyo, terms, seasonal, named, holidays, lunar, fortune, sun", NoteKindNames());
}

DayRecord Day(int date) {
    DayRecord d;
    d.Date = date;
    d.YearCycle = 44;
    d.Weekday = 4;
    d.DayCycle = 15;
    d.Rokuyo = 5;
    d.SolarTerm = 1;
    d.SolarMonth = 1;
    d.Mansion = 1;
    d.Officer = 1;
    d.Pentad = 1;
    d.LunarMonth = 12;
    d.LunarDay = 28;
    return d;
}

TEST(CalendarNotes, OneNotePerKindAndDay) {
    DayRecord before = Day(20270203);
    before.SolarTerm = 24;
    DayRecord day = Day(20270204);
    day.DayFlagsA = flag_a::kIchiryuManbai | flag_a::kTensha;
    day.SeasonFlags = season::kDoyou | season::kSetsubun;
    NoteDay in{&day, &before, 44, 7, "休日", Place{35.6894, 139.6917, 40}};

    const std::vector<DayNote> notes = NotesOfDay(in, NoteSet().set());
    ASSERT_EQ(8u, notes.size());
    for (int k = 0; k < kNoteKindCount; ++k)
        EXPECT_EQ(static_cast<NoteKind>(k), notes[static_cast<std::size_t>(k)].kind);
    EXPECT_EQ("大安", notes[0].summary);
    EXPECT_EQ("立春", notes[1].summary);
    EXPECT_EQ("春　正月節\n初候 東風解氷 (ハルカゼ コオリヲトク)", notes[1].description);
    EXPECT_EQ("土用・節分", notes[2].summary);
    // Two named days make one note; each brings its explanation.
    EXPECT_NE(std::string::npos, notes[3].summary.find("一粒万倍日・天赦日"));
    EXPECT_NE(std::string::npos, notes[3].description.find(NamedDayCommentary("天赦日")));
    EXPECT_TRUE(notes[3].lucky);
    EXPECT_EQ("休日", notes[4].summary);
    EXPECT_EQ("旧暦 十二月廿八日", notes[5].summary);
    EXPECT_EQ(0u, notes[6].summary.find("運勢 "));
    EXPECT_EQ(0u, notes[7].summary.find("日の出 6:"));
    EXPECT_NE(std::string::npos, notes[7].description.find("北緯 35.6894°"));

    // Only what is asked for; a kind without a note that day gives none. Without a birth
    // sign (none registered, or a value that is not one) there is no fortune.
    for (int no_sign : {0, 61, -7, 256})
        EXPECT_TRUE(
            NotesOfDay(NoteDay{&day, &before, 44, no_sign, {}, {}}, *ParseNoteList("fortune", nullptr)).empty())
            << no_sign;
    before.SolarTerm = 1;
    day.SeasonFlags = 0;
    day.LeapMonth = true;
    in.holiday = {};
    in.place.reset();
    const std::vector<DayNote> few = NotesOfDay(in, *ParseNoteList("terms,seasonal,holidays,lunar,sun", nullptr));
    ASSERT_EQ(1u, few.size());
    EXPECT_EQ("旧暦 閏十二月廿八日", few[0].summary);
    // The first day of the file has no day before it: no term begins there.
    DayRecord none;
    in.before = &none;
    EXPECT_TRUE(NotesOfDay(in, *ParseNoteList("terms", nullptr)).empty());
}

} // namespace
} // namespace almanac
