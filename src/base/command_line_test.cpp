// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/command_line.h"

#include <gtest/gtest.h>

namespace base {
namespace {

constexpr OptionSyntax kOptions[] = {
    {"home", "DIR", "the host folder"},
    {"eto", "N", "the birth-year sign"},
    {"mono", "", "black and white"},
};
constexpr CommandSyntax kCommand{"prog sub", "FROM [TO]", "Does a thing.", kOptions};

ParseResult Parse(std::vector<std::string> args, const CommandSyntax& syntax = kCommand) {
    return ParseCommandLine(syntax, args);
}

TEST(CommandLine, ValuesInBothSpellingsSwitchesAndOperandsInAnyOrder) {
    const ParseResult r = Parse({"2027-01-01", "--home", "/h", "--eto=7", "--mono", "2027-01-31"});
    ASSERT_EQ(ParseResult::Outcome::kRun, r.outcome) << r.error;
    EXPECT_EQ("/h", *r.options.value("home"));
    EXPECT_EQ("7", *r.options.value("eto"));
    EXPECT_TRUE(r.options.has("mono"));
    EXPECT_EQ("", *r.options.value("mono"));
    EXPECT_EQ((std::vector<std::string>{"2027-01-01", "2027-01-31"}), r.options.operands());
    // "--" ends the options; "-" is an operand; the last of a repeated option wins.
    const ParseResult rest = Parse({"--eto", "1", "--eto", "2", "--", "--help", "-"});
    ASSERT_EQ(ParseResult::Outcome::kRun, rest.outcome);
    EXPECT_EQ("2", *rest.options.value("eto"));
    // A repeatable option keeps every value, in order.
    EXPECT_EQ((std::vector<std::string>{"1", "2"}), rest.options.values("eto"));
    EXPECT_TRUE(rest.options.values("home").empty());
    EXPECT_EQ((std::vector<std::string>{"--help", "-"}), rest.options.operands());
    // A value may begin with a dash when it is separate.
    EXPECT_EQ("-x", *Parse({"--home", "-x"}).options.value("home"));
}

TEST(CommandLine, HelpAndVersionWinWherever) {
    EXPECT_EQ(ParseResult::Outcome::kHelp, Parse({"a", "--help"}).outcome);
    EXPECT_EQ(ParseResult::Outcome::kHelp, Parse({"-h"}).outcome);
    EXPECT_EQ(ParseResult::Outcome::kVersion, Parse({"--version", "x"}).outcome);
    const std::string help = HelpText(kCommand);
    EXPECT_EQ(0u, help.find("usage: prog sub [OPTION]... FROM [TO]\nDoes a thing.\n"));
    for (const char* line : {"  --home DIR", "  --mono", "  -h, --help", "  --version"})
        EXPECT_NE(std::string::npos, help.find(line)) << line;
    EXPECT_FALSE(ProgramVersion().empty());
}

// A paragraph broken by hand is wrapped whole; a table's rows keep their lines.
TEST(CommandLine, HelpWrapsParagraphsWholeAndKeepsTables) {
    constexpr CommandSyntax syntax{"prog", "", "A summary that was broken\nby hand once.\nPapers:\n  A4  210 x 297\n  B5  182 x 257",
                                   kOptions};
    const std::string help = HelpText(syntax);
    EXPECT_NE(std::string::npos, help.find("A summary that was broken by hand once. Papers:\n  A4  210 x 297\n  B5")) << help;
}

TEST(CommandLine, UsageErrorsNameTheArgument) {
    const ParseResult unknown = Parse({"--colour"});
    EXPECT_EQ(ParseResult::Outcome::kUsageError, unknown.outcome);
    EXPECT_EQ("unknown or ambiguous option '--colour'", unknown.error);
    EXPECT_EQ("unknown or ambiguous option '-x'", Parse({"-x"}).error);
    EXPECT_EQ("option --home needs a value", Parse({"a", "--home"}).error);
    EXPECT_EQ("option --mono takes no value", Parse({"--mono=yes"}).error);
    // The parser starts afresh on every call.
    EXPECT_EQ(ParseResult::Outcome::kRun, Parse({"--home", "h"}).outcome);
}

TEST(CommandLine, OptionsFirstLeavesASubcommandsWordsAlone) {
    constexpr CommandSyntax top{"prog", "COMMAND [ARG]...", "", {}, true};
    const ParseResult r = Parse({"sub", "--eto", "3", "--help"}, top);
    ASSERT_EQ(ParseResult::Outcome::kRun, r.outcome);
    EXPECT_EQ((std::vector<std::string>{"sub", "--eto", "3", "--help"}), r.options.operands());
    EXPECT_EQ(ParseResult::Outcome::kVersion, Parse({"--version"}, top).outcome);
}

TEST(CommandLine, NumbersInARange) {
    EXPECT_EQ(60, ParseIntIn("60", 1, 60));
    for (const char* bad : {"0", "61", "", "7x", " 7", "+7", "1e1"})
        EXPECT_FALSE(ParseIntIn(bad, 1, 60)) << bad;
    ParsedOptions options;
    options.set("eto", "99");
    const IntOption eto = IntOptionIn(options, "eto", 1, 60);
    EXPECT_FALSE(eto.value);
    EXPECT_EQ("--eto needs a whole number from 1 to 60, not '99'", eto.error);
    const IntOption absent = IntOptionIn(options, "year", 1901, 2100);
    EXPECT_FALSE(absent.value);
    EXPECT_TRUE(absent.error.empty());
}

} // namespace
} // namespace base
