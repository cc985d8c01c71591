// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/paper_sizes.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace print {
namespace {

class PaperChoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("paper_choice_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
        // Never the machine's own /etc/papersize: a file that names nothing unless a test writes it.
        env_["PAPERCONF"] = (folder_ / "papersize").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    void WriteConf(const std::string& text) { std::ofstream(folder_ / "papersize") << text; }
    PaperChoice Choose(const std::optional<std::string>& option = std::nullopt) {
        return ChoosePaperSize(option, [this](const char* name) -> const char* {
            const auto it = env_.find(name);
            return it == env_.end() ? nullptr : it->second.c_str();
        });
    }

    std::filesystem::path folder_;
    std::map<std::string, std::string> env_;
};

TEST_F(PaperChoiceTest, OptionThenEnvironmentThenSystemFileThenA4) {
    EXPECT_EQ("A4", Choose().paper->name);
    WriteConf("# the system's paper\n\n  letter  \n");
    EXPECT_EQ("Letter", Choose().paper->name);
    env_["PAPERSIZE"] = "a3";
    EXPECT_EQ("A3", Choose().paper->name);
    EXPECT_EQ("B5", Choose("b5").paper->name);
    EXPECT_TRUE(Choose().notes.empty());
}

TEST_F(PaperChoiceTest, UnknownNamesArePassedOverWithANoteButAnUnknownOptionIsNot) {
    env_["PAPERSIZE"] = "a2";
    WriteConf("DL\n");
    const PaperChoice fallen = Choose();
    EXPECT_EQ("A4", fallen.paper->name);
    ASSERT_EQ(2u, fallen.notes.size());
    EXPECT_NE(std::string::npos, fallen.notes[0].find("PAPERSIZE names the paper 'a2'"));
    EXPECT_NE(std::string::npos, fallen.notes[1].find("'DL'"));

    EXPECT_FALSE(Choose("c5").paper);
    // An empty PAPERSIZE counts as unset, and so does one of blanks alone.
    env_["PAPERSIZE"] = "";
    WriteConf("a5 # comment after the name\n");
    EXPECT_EQ("A5", Choose().paper->name);
    env_["PAPERSIZE"] = " \n";
    EXPECT_EQ("A5", Choose().paper->name);
    EXPECT_TRUE(Choose().notes.empty());
}

// Blanks around PAPERSIZE's name, as PAPERSIZE=$(cat file) or $'a4\n' leave them, are
// trimmed as libpaper trims them.
TEST_F(PaperChoiceTest, BlanksAroundTheEnvironmentsNameAreTrimmed) {
    for (const char* value : {"a3\n", " a3", "\ta3 \r\n"}) {
        env_["PAPERSIZE"] = value;
        const PaperChoice choice = Choose();
        EXPECT_EQ("A3", choice.paper->name) << value;
        EXPECT_TRUE(choice.notes.empty()) << value;
    }
}

TEST_F(PaperChoiceTest, TheEnvironmentAndTheSystemFileMeanWhatLibpaperMeans) {
    // b5 from the system is ISO B5, as paperconf says; --paper b5 stays the JIS size.
    env_["PAPERSIZE"] = "b5";
    EXPECT_EQ(176, Choose().paper->width_mm);
    EXPECT_EQ(182, Choose("b5").paper->width_mm);
    env_["PAPERSIZE"] = "B5J";
    EXPECT_EQ(182, Choose().paper->width_mm);
    // The names that once fell back to A4 are papers of their own, without a note.
    for (const char* name : {"legal", "tabloid", "ledger", "executive", "b5j", "jisb5", "b4"}) {
        env_["PAPERSIZE"] = name;
        const PaperChoice choice = Choose();
        EXPECT_NE("A4", choice.paper->name) << name;
        EXPECT_TRUE(choice.notes.empty()) << name;
    }
    env_.erase("PAPERSIZE");
    WriteConf("b4\n");
    EXPECT_EQ("ISO-B4", Choose().paper->name);
    WriteConf("jisb4\n");
    EXPECT_EQ("B4", Choose().paper->name);
}

TEST_F(PaperChoiceTest, MissingOrEmptySystemFileNamesNothing) {
    EXPECT_EQ("", PaperNameInFile(folder_ / "absent"));
    WriteConf("# only a comment\n   \n");
    EXPECT_EQ("", PaperNameInFile(folder_ / "papersize"));
    // A named pipe in the file's place names nothing, at once.
    ASSERT_EQ(::mkfifo((folder_ / "pipe").c_str(), 0644), 0);
    EXPECT_EQ("", PaperNameInFile(folder_ / "pipe"));
}

} // namespace
} // namespace print
