// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/profile_document.h"

#include <gtest/gtest.h>

namespace config {
namespace {

std::string ValueOf(const ProfileDocument& doc, std::string_view section, std::string_view key) {
    auto value = doc.Find(section, key);
    return value ? std::string(*value) : std::string("<missing>");
}

std::string AfterSet(std::string bytes, std::string_view section, std::string_view key, std::string_view value) {
    ProfileDocument doc(std::move(bytes));
    doc.Set(section, key, value);
    return doc.bytes();
}

TEST(ProfileDocumentRead, TrimsBlanksAndOnePairOfQuotes) {
    ProfileDocument doc("[S]\n  a  =  x y  \t\nb=\" padded \"\nc='single'\nd=\"\"quoted\"\"\ne=\"unbalanced\nf=\n");
    EXPECT_EQ(ValueOf(doc, "S", "a"), "x y");
    EXPECT_EQ(ValueOf(doc, "S", "b"), " padded ");
    EXPECT_EQ(ValueOf(doc, "S", "c"), "single");
    EXPECT_EQ(ValueOf(doc, "S", "d"), "\"quoted\"");
    EXPECT_EQ(ValueOf(doc, "S", "e"), "\"unbalanced");
    EXPECT_EQ(ValueOf(doc, "S", "f"), "");
}

TEST(ProfileDocumentRead, NamesMatchWithoutAsciiCaseAndBlanks) {
    ProfileDocument doc("[ print 1 ]\r\nUP SPACE=7\r\n");
    EXPECT_EQ(ValueOf(doc, "PRINT 1", "Up Space"), "7");
    EXPECT_EQ(ValueOf(doc, "Print 1", "up space"), "7");
    EXPECT_EQ(ValueOf(doc, "PRINT1", "Up Space"), "<missing>");
}

TEST(ProfileDocumentRead, SecondBytesOfDoubleByteCharactersAreNotFolded) {
    // ア is 83 41 and ヂ is 83 61: their second bytes are "A" and "a".
    ProfileDocument doc("[\x83\x41]\n\x83\x41=1\n");
    EXPECT_EQ(ValueOf(doc, "\x83\x41", "\x83\x41"), "1");
    EXPECT_EQ(ValueOf(doc, "\x83\x61", "\x83\x41"), "<missing>");
    EXPECT_EQ(ValueOf(doc, "\x83\x41", "\x83\x61"), "<missing>");
}

TEST(ProfileDocumentRead, BracketInsideADoubleByteCharacterDoesNotCloseASection) {
    // ゾ is 83 5D, its second byte a "]".
    ProfileDocument doc("[\x83\x5D\nk=1\n[\x83\x5D]\nk=2\n");
    EXPECT_EQ(ValueOf(doc, "\x83", "k"), "<missing>");
    EXPECT_EQ(ValueOf(doc, "\x83\x5D", "k"), "2");
}

TEST(ProfileDocumentRead, FirstOfDuplicatesWinsAndOnlyTheFirstSectionCounts) {
    ProfileDocument doc("[A]\nk=1\nk=2\n[a]\nk=3\nonly=4\n");
    EXPECT_EQ(ValueOf(doc, "A", "k"), "1");
    EXPECT_EQ(ValueOf(doc, "A", "only"), "<missing>");
    ASSERT_EQ(doc.SectionNames().size(), 1u);
    EXPECT_EQ(doc.SectionNames()[0], "A");
}

TEST(ProfileDocumentRead, CommentsStrayLinesAndOverlongLinesNeverMatch) {
    std::string overlong = "long=" + std::string(ProfileDocument::kMaxLineBytes, 'x') + "\n";
    ProfileDocument doc("k=0\n[S]\n;k=1\n  ; j=2\nno equals\n=3\n" + overlong + "[x\nm=5\n");
    EXPECT_EQ(ValueOf(doc, "S", "k"), "<missing>");
    EXPECT_EQ(ValueOf(doc, "S", ";k"), "<missing>");
    EXPECT_EQ(ValueOf(doc, "S", "j"), "<missing>");
    EXPECT_EQ(ValueOf(doc, "S", "long"), "<missing>");
    // "[x" is not a section line, so m still belongs to S.
    EXPECT_EQ(ValueOf(doc, "S", "m"), "5");
}

TEST(ProfileDocumentWrite, ReplacesOnlyTheValueOfItsLine) {
    EXPECT_EQ(AfterSet("[S]\r\n Key = old ; x  \r\nz=1", "s", "KEY", "new"), "[S]\r\n Key = new  \r\nz=1");
    EXPECT_EQ(AfterSet("[S]\nk=\n", "S", "k", "v"), "[S]\nk=v\n");
    EXPECT_EQ(AfterSet("[S]\nk=v\n", "S", "k", ""), "[S]\nk=\n");
}

TEST(ProfileDocumentWrite, NewKeyGoesAfterTheLastKeyOfItsSection) {
    EXPECT_EQ(AfterSet("[S]\r\na=1\r\n; note\r\n\r\n[T]\r\n", "S", "b", "2"),
              "[S]\r\na=1\r\nb=2\r\n; note\r\n\r\n[T]\r\n");
    EXPECT_EQ(AfterSet("[S]\n\n[T]\n", "S", "b", "2"), "[S]\nb=2\n\n[T]\n");
    EXPECT_EQ(AfterSet("[S]\na=1", "S", "b", "2"), "[S]\na=1\nb=2");
}

TEST(ProfileDocumentWrite, NewSectionGoesAtTheEnd) {
    EXPECT_EQ(AfterSet("", "S", "k", "v"), "[S]\r\nk=v\r\n");
    EXPECT_EQ(AfterSet("[A]\na=1\n", "S", "k", "v"), "[A]\na=1\n\n[S]\nk=v\n");
    EXPECT_EQ(AfterSet("[A]\na=1\n\n", "S", "k", "v"), "[A]\na=1\n\n[S]\nk=v\n");
    // No final line end before: none after.
    EXPECT_EQ(AfterSet("[A]\r\na=1", "S", "k", "v"), "[A]\r\na=1\r\n\r\n[S]\r\nk=v");
}

TEST(ProfileDocumentWrite, ValuesThatWouldLoseBlanksOrQuotesAreQuoted) {
    for (std::string_view value : {" lead", "trail ", "\"both\"", "'both'", "a\"b", "\""}) {
        ProfileDocument doc("[S]\n");
        doc.Set("S", "k", value);
        EXPECT_EQ(ValueOf(doc, "S", "k"), value) << doc.bytes();
    }
    EXPECT_EQ(QuoteProfileValue("plain value"), "plain value");
    EXPECT_EQ(QuoteProfileValue(" x"), "\" x\"");
}

TEST(ProfileDocumentWrite, NamesMayPointIntoTheDocument) {
    ProfileDocument doc("[Alpha]\na=1\n");
    std::string_view section = doc.SectionNames()[0];
    doc.Set(section, "b", "2");
    EXPECT_EQ(doc.bytes(), "[Alpha]\na=1\nb=2\n");
}

// The line table is brought up to date around each edit only: after any run of edits the
// document reads as the same text parsed afresh does, and bytes outside the edited lines
// are the bytes that were there.
TEST(ProfileDocumentWrite, EditsInPlaceReadAsTheTextParsedAfresh) {
    const std::string blanks(20000, '\n');
    const std::string start = "junk\r\n" + blanks + "[A]\r\na=1\r\n; c\r\n" + blanks + "[b]\r\nx\r\n" + blanks + "[a]\r\na=2";
    ProfileDocument doc(start);
    struct Edit {
        const char *section, *key, *value;
    };
    const Edit edits[] = {{"A", "a", "a much longer value than before"}, {"B", "new", "1"}, {"A", "z", "9"},
                          {"C", "k", " padded "},  {"a", "A", ""},        {"c", "K", "x"},
                          {"b", "new", "22"},        {"D", "q", "1"}};
    for (const Edit& edit : edits) {
        ASSERT_TRUE(doc.Set(edit.section, edit.key, edit.value));
        const ProfileDocument fresh(doc.bytes());
        for (const Edit& probe : edits) {
            EXPECT_EQ(ValueOf(doc, probe.section, probe.key), ValueOf(fresh, probe.section, probe.key))
                << "after [" << edit.section << "] " << edit.key;
        }
        EXPECT_EQ(doc.SectionNames(), fresh.SectionNames());
    }
    EXPECT_EQ(doc.bytes(), "junk\r\n" + blanks + "[A]\r\na=\r\nz=9\r\n; c\r\n" + blanks + "[b]\r\nnew=22\r\nx\r\n" +
                               blanks + "[a]\r\na=2\r\n\r\n[C]\r\nk=x\r\n\r\n[D]\r\nq=1");
}

// Random texts of awkward lines (no final line end, lone "\r", "[" without "]", keys in
// odd case, comments, blank lines) and random edits: the document edited in place always
// reads as its text parsed afresh.
TEST(ProfileDocumentWrite, RandomEditsReadAsTheTextParsedAfresh) {
    const char* const pieces[] = {"[A]", "[a]", " [ B ] x", "[", "k=1", "K = 2 ", "=", ";k=3", "x", "", "\r", "[C]"};
    const char* const ends[] = {"\n", "\r\n", "\r\n", "\n"};
    const char* const sections[] = {"A", "b", "C", "D"};
    const char* const keys[] = {"k", "K", "j"};
    std::uint32_t seed = 1;
    auto next = [&seed](std::uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int lines = static_cast<int>(next(12));
        for (int i = 0; i < lines; ++i)
            text.append(pieces[next(12)]).append(i + 1 < lines || next(2) ? ends[next(4)] : "");
        ProfileDocument doc(text);
        for (int edit = 0; edit < 6; ++edit) {
            const std::string value = next(3) == 0 ? "" : std::to_string(next(1000));
            ASSERT_TRUE(doc.Set(sections[next(4)], keys[next(3)], value));
            const ProfileDocument fresh(doc.bytes());
            for (const char* section : sections)
                for (const char* key : keys)
                    ASSERT_EQ(ValueOf(doc, section, key), ValueOf(fresh, section, key))
                        << "round " << round << " edit " << edit << " text: " << doc.bytes();
            ASSERT_EQ(doc.SectionNames(), fresh.SectionNames()) << doc.bytes();
        }
    }
}

TEST(ProfileDocumentWrite, AFileOfShortLinesKeepsEveryOtherByte) {
    // Millions of blank or one-character lines (no sections or keys among them).
    std::string text;
    for (int i = 0; i < 1000000; ++i)
        text += i % 3 == 0 ? "\n" : i % 3 == 1 ? "x\n" : "\r\n";
    const std::string tail = "[S]\nk=1\n";
    ProfileDocument doc(text + tail);
    ASSERT_TRUE(doc.Set("S", "k", "2"));
    ASSERT_TRUE(doc.Set("T", "k", "3"));
    EXPECT_EQ(doc.bytes(), text + "[S]\nk=2\n\n[T]\nk=3\n");
    EXPECT_EQ(ValueOf(doc, "T", "k"), "3");
    const std::vector<std::string_view> names = doc.SectionNames();
    EXPECT_EQ(names, (std::vector<std::string_view>{"S", "T"}));
}

TEST(ProfileDocumentRead, ManyDistinctSectionsAreListedOnceEachInFileOrder) {
    std::string text;
    for (int i = 0; i < 50000; ++i)
        text += "[s" + std::to_string(i) + "]\n[S" + std::to_string(i) + "]\n";
    const ProfileDocument doc(text);
    const std::vector<std::string_view> names = doc.SectionNames();
    ASSERT_EQ(names.size(), 50000u);
    EXPECT_EQ(names.front(), "s0");
    EXPECT_EQ(names.back(), "s49999");
}

} // namespace
} // namespace config
