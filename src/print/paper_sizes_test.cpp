// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/paper_sizes.h"

#include "pictures/picture_limits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>
#include <cstdio>
#include <string>

namespace print {
namespace {

TEST(PaperSizes, NamesAndPixels) {
    ASSERT_TRUE(FindPaperSize("a4"));
    EXPECT_EQ(210, FindPaperSize("A4")->width_mm);
    EXPECT_EQ(364, FindPaperSize("B4")->height_mm);
    EXPECT_DOUBLE_EQ(215.9, FindPaperSize("letter")->width_mm);
    EXPECT_EQ(105, FindPaperSize("a6")->width_mm);
    EXPECT_EQ(100, FindPaperSize("Postcard")->width_mm);
    EXPECT_EQ(148, FindPaperSize("postcard")->height_mm);
    EXPECT_FALSE(FindPaperSize("A7"));
    EXPECT_FALSE(FindPaperSize(""));
    // Every name of the message text is found.
    const std::string names = PaperSizeNames();
    for (std::size_t start = 0; start <= names.size();) {
        std::size_t end = names.find('|', start);
        if (end == std::string::npos) end = names.size();
        EXPECT_TRUE(FindPaperSize(names.substr(start, end - start))) << names.substr(start, end - start);
        start = end + 1;
    }
    EXPECT_EQ(4960, PaperPixels(210, 600));
    EXPECT_EQ(7015, PaperPixels(297, 600));
    EXPECT_EQ(1650, PaperPixels(279.4, 150)); // 11 inches

    // Pictures are imported at no more pixels than the largest paper prints at 600 dpi.
    int longest = 0, widest = 0;
    for (const PaperSize& paper : PaperSizes()) {
        longest = std::max(longest, PaperPixels(paper.height_mm, 600));
        widest = std::max(widest, PaperPixels(paper.width_mm, 600));
    }
    EXPECT_EQ(longest, pictures::kImportLongSide);
    EXPECT_EQ(widest, pictures::kImportShortSide);
}

TEST(PaperSizes, OptionNamesKeepTheJapaneseBSizesAndTakeLibpapersNames) {
    // --paper B4 and B5 are the JIS sizes the pages have always meant.
    EXPECT_EQ(182, FindPaperSize("b5")->width_mm);
    EXPECT_EQ(257, FindPaperSize("B4")->width_mm);
    // libpaper's names for the JIS sizes, the ISO ones under names of their own.
    for (const char* name : {"b5j", "JISB5"}) EXPECT_EQ("B5", FindPaperSize(name)->name) << name;
    EXPECT_EQ("B4", FindPaperSize("b4j")->name);
    EXPECT_EQ(176, FindPaperSize("iso-b5")->width_mm);
    // The American papers under libpaper's names; ledger is tabloid paper.
    EXPECT_DOUBLE_EQ(355.6, FindPaperSize("legal")->height_mm);
    EXPECT_DOUBLE_EQ(184.15, FindPaperSize("Executive")->width_mm);
    for (const char* name : {"tabloid", "ledger", "11x17"}) EXPECT_EQ("Tabloid", FindPaperSize(name)->name) << name;
    // Envelopes, papers larger than A3 and smaller than the postcard are not offered.
    for (const char* name : {"a2", "b3", "a7", "c5", "DL", "Comm10", "archB", "csheet"})
        EXPECT_FALSE(FindPaperSize(name)) << name;
}

TEST(PaperSizes, SystemNamesMeanWhatLibpaperMeans) {
    EXPECT_EQ("ISO-B5", FindSystemPaperSize("b5")->name);
    EXPECT_EQ(176, FindSystemPaperSize("B5")->width_mm);
    EXPECT_EQ(250, FindSystemPaperSize("b4")->width_mm);
    EXPECT_EQ(125, FindSystemPaperSize("b6")->width_mm);
    for (const char* name : {"b5j", "jisb5"}) EXPECT_EQ(182, FindSystemPaperSize(name)->width_mm) << name;
    for (const char* name : {"b4j", "jisb4"}) EXPECT_EQ(257, FindSystemPaperSize(name)->width_mm) << name;
    EXPECT_EQ("Letter", FindSystemPaperSize("letter")->name);
    EXPECT_EQ("Statement", FindSystemPaperSize("halfletter")->name);
    // Our own names still count where libpaper has none.
    EXPECT_EQ("Postcard", FindSystemPaperSize("postcard")->name);
    EXPECT_EQ("ISO-B6", FindSystemPaperSize("ISO-B6")->name);
    EXPECT_FALSE(FindSystemPaperSize("a2"));
}

TEST(PaperSizes, EveryPaperIsPortraitWithinTheLaidOutRangeAndListedWithItsSize) {
    const std::string list = PaperSizeList();
    for (const PaperSize& p : PaperSizes()) {
        EXPECT_LE(p.width_mm, p.height_mm) << p.name;
        EXPECT_GE(p.width_mm, 100) << p.name;  // the Japanese postcard
        EXPECT_LE(p.width_mm, 297) << p.name;  // A3
        EXPECT_LE(p.height_mm, 432) << p.name; // tabloid
        EXPECT_EQ(p.name, FindPaperSize(p.name)->name);
        char size[48];
        std::snprintf(size, sizeof size, "  %g x %g mm", p.width_mm, p.height_mm);
        EXPECT_NE(std::string::npos, list.find("  " + std::string(p.name) + " ")) << p.name;
        EXPECT_NE(std::string::npos, list.find(size)) << p.name;
    }
    EXPECT_EQ(PaperSizes().size(), static_cast<std::size_t>(std::count(list.begin(), list.end(), '\n')));
    // Each of libpaper's names finds its own paper, so none stands for two.
    for (const PaperSize& p : PaperSizes()) {
        std::string_view names = p.libpaper_names;
        while (!names.empty()) {
            const std::size_t space = names.find(' ');
            const std::string name(names.substr(0, space));
            EXPECT_EQ(p.name, FindSystemPaperSize(name)->name) << name;
            names = space == std::string_view::npos ? std::string_view() : names.substr(space + 1);
        }
    }
}

// The man page and both READMEs (the one of the tree and the installed one) list every
// paper with its size.
TEST(PaperSizes, TheManPageAndTheReadmesListEveryPaperWithItsSize) {
    for (const char* doc : {"data/man/qelmarin-cli.1", "README.md", "data/README.md"}) {
        std::ifstream in(std::filesystem::path(QELMARIN_SOURCE_DIR) / doc);
        ASSERT_TRUE(in) << doc;
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            std::erase(line, '\\'); // roff's "\-"
            lines.push_back(" " + line + " ");
        }
        for (const PaperSize& p : PaperSizes()) {
            char size[48];
            std::snprintf(size, sizeof size, "%g x %g mm", p.width_mm, p.height_mm);
            const bool listed = std::ranges::any_of(lines, [&](const std::string& line) {
                const std::size_t at = line.find(std::string(p.name) + " ");
                return at != std::string::npos && (line[at - 1] == ' ' || line[at - 1] == '|') &&
                       line.find(size) != std::string::npos;
            });
            EXPECT_TRUE(listed) << doc << " does not list " << p.name << " (" << size << ")";
        }
    }
}

} // namespace
} // namespace print
