// SPDX-License-Identifier: GPL-3.0-or-later
// Making a host folder, and the command line's answers to bad arguments and refused folders.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "base/sjis.h"
#include "config/config_file.h"
#include "config/holidays.h"
#include "host/host_cli.h"
#include "host/host_folder.h"
#include "pictures/demo_content.h"
#include "host/test_calendar.h"

namespace host {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class HostFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("host_folder_test_" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override { fs::remove_all(root_); }

    int Run(const std::vector<std::string>& args) {
        out_.str("");
        err_.str("");
        return RunHostCommand(args, out_, err_);
    }

    fs::path root_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(HostFolderTest, MakesACompleteFolder) {
    HostFolderOptions options;
    options.folder = root_ / "host";
    options.eto = 41;
    options.holidays_from = 2026;
    options.holidays_to = 2026;
    ASSERT_EQ(MakeHostFolder(options, testing::FullCalendar()), "");

    const std::string cfg_bytes = ReadFile(root_ / "host" / "Kalvorin.CFG");
    EXPECT_EQ(cfg_bytes.substr(0, 9), "[UNSEI]\r\n"); // CRLF, as a Windows host writes
    EXPECT_EQ(cfg_bytes.find("\n\n"), std::string::npos);
    config::ConfigFile cfg(root_ / "host" / "Kalvorin.CFG");
    EXPECT_EQ(cfg.ReadInteger("UNSEI", "ETO", 0), 41);
    EXPECT_EQ(cfg.ReadInteger("UNSEI", "Start Youbi", -1), 0);
    EXPECT_EQ(cfg.ReadString("UNSEI", "DIR", ""), (root_ / "host").string());
    EXPECT_EQ(cfg.ReadString("UNSEI", "GENGO NAME", ""), "令和");
    EXPECT_EQ(cfg.ReadInteger("UNSEI", "GENGO YEAR", 0), 2019);
    EXPECT_EQ(cfg.ReadInteger("UNSEI", "Font Height", 0), -16);
    EXPECT_EQ(cfg.ReadString("UNSEI", "Font Name", ""), "@ＭＳ ゴシック");
    EXPECT_EQ(cfg.ReadString("UNSEI", "IDO", ""), "35.6895");
    EXPECT_EQ(cfg.ReadString("UNSEI", "KEIDO", ""), "139.6917");
    EXPECT_EQ(cfg.ReadInteger("UNSEI", "HYOUKOU", 0), 40);
    EXPECT_EQ(cfg.ReadString("2026", "HOLIDAY9", ""), "212223");

    EXPECT_EQ(fs::file_size(root_ / "host" / "UNSEI.DAT"), 73050u * 15u);
    const std::string readme = ReadFile(root_ / "host" / "ReadMe2.TXT");
    const std::optional<std::string> text = base::Cp932ToUtf8(readme);
    ASSERT_TRUE(text.has_value()) << "ReadMe2.TXT is CP932";
    EXPECT_NE(text->find("日めくり"), std::string::npos);
    EXPECT_NE(readme.find("\r\n"), std::string::npos);

    // The pictures the pages print: twelve month pictures and the pentad database.
    for (int m = 1; m <= 12; ++m)
        EXPECT_TRUE(fs::exists(root_ / "host" / pictures::DemoMonthPictureName(m))) << m;
    EXPECT_TRUE(fs::exists(root_ / "host" / "Kalvo標準.IDX"));
    EXPECT_TRUE(fs::exists(root_ / "host" / "Kalvo標準.DAT"));
}

TEST_F(HostFolderTest, PicturesTheUserHasAreKept) {
    const fs::path folder = root_ / "host";
    fs::create_directories(folder);
    {
        std::ofstream picture(folder / pictures::DemoMonthPictureName(1), std::ios::binary);
        picture << "mine";
    }
    ASSERT_EQ(WriteDemoPictures(folder), "");
    EXPECT_EQ(ReadFile(folder / pictures::DemoMonthPictureName(1)), "mine");
    EXPECT_TRUE(fs::exists(folder / "Kalvo標準.DAT"));
}

TEST_F(HostFolderTest, ForceKeepsTheModulesOwnSectionsAndTheUsersHolidays) {
    const fs::path folder = root_ / "host";
    fs::create_directories(folder);
    {
        std::ofstream cfg(folder / "Kalvorin.CFG", std::ios::binary);
        cfg << "[PRINT]\r\nTESTSize=2\r\n[2026]\r\nHOLIDAY6=15\r\n";
    }
    HostFolderOptions options;
    options.folder = folder;
    options.eto = 5;
    options.holidays_from = 2026;
    options.holidays_to = 2026;
    EXPECT_NE(HostFolderRefusal(options), "");
    EXPECT_NE(MakeHostFolder(options, testing::FullCalendar()), "");
    EXPECT_EQ(ReadFile(folder / "Kalvorin.CFG").substr(0, 7), "[PRINT]"); // untouched

    options.force = true;
    ASSERT_EQ(MakeHostFolder(options, testing::FullCalendar()), "");
    config::ConfigFile cfg(folder / "Kalvorin.CFG");
    EXPECT_EQ(cfg.ReadInteger("PRINT", "TESTSize", 0), 2);
    EXPECT_EQ(cfg.ReadInteger("UNSEI", "ETO", 0), 5);
    EXPECT_EQ(cfg.ReadString("2026", "HOLIDAY6", ""), "15"); // the user's own mark stays
    EXPECT_EQ(cfg.ReadString("2026", "HOLIDAY5", ""), "03040506");
}

TEST_F(HostFolderTest, CommandLineRefusals) {
    EXPECT_EQ(Run({}), 2);
    EXPECT_NE(err_.str().find("usage:"), std::string::npos);
    EXPECT_EQ(Run({"frobnicate"}), 2);
    EXPECT_EQ(Run({"events", "1900"}), 2);
    EXPECT_EQ(Run({"events", "20x1"}), 2);
    EXPECT_EQ(Run({"holidays", root_.string(), "2030", "2020"}), 2);
    EXPECT_EQ(Run({"init", (root_ / "a").string()}), 2) << "--eto is required";
    EXPECT_EQ(Run({"init", (root_ / "a").string(), "--eto", "61"}), 2);
    EXPECT_EQ(Run({"init", (root_ / "a").string(), "--eto", "1", "--place", "35.1,abc,3"}), 2);
    EXPECT_EQ(Run({"init", (root_ / "a").string(), "--eto", "1", "--start-weekday", "2"}), 2);
    EXPECT_EQ(Run({"init", (root_ / "a").string(), "--eto", "1", "--place", "95,139,3"}), 2);
    EXPECT_EQ(Run({"init", (root_ / "a").string(), "--eto", "1", "--era", "新元号名,2030"}), 2);
    EXPECT_FALSE(fs::exists(root_ / "a")) << "nothing is made on bad arguments";

    // A folder that is there and not empty is refused before anything is computed.
    std::ofstream(root_ / "other.txt") << "x";
    EXPECT_EQ(Run({"init", root_.string(), "--eto", "1"}), 1);
    EXPECT_NE(err_.str().find("not empty"), std::string::npos);
    EXPECT_EQ(Run({"holidays", (root_ / "missing").string(), "2026", "2026"}), 1);
    EXPECT_NE(err_.str().find("Kalvorin.CFG"), std::string::npos);
}

TEST_F(HostFolderTest, RefusesAPathTheModuleCannotHold) {
    HostFolderOptions options;
    options.folder = root_ / std::string(250, 'd');
    options.eto = 1;
    EXPECT_NE(MakeHostFolder(options, testing::FullCalendar()).find("259"), std::string::npos);
    EXPECT_FALSE(fs::exists(options.folder / "Kalvorin.CFG"));

    // Names that CP932 lacks are refused at once, before the folder is made.
    for (const char* name : {"café", "暦\xF0\x9F\x93\x85"}) {
        EXPECT_EQ(Run({"init", (root_ / name).string(), "--eto", "1"}), 1) << name;
        EXPECT_NE(err_.str().find("Shift-JIS"), std::string::npos) << err_.str();
        EXPECT_FALSE(fs::exists(root_ / name)) << name;
    }
    // So is an era name: a usage error on the command line, a refusal from the maker; no
    // folder is left behind either way.
    for (const char* era : {"é,2030", "\xF0\x9F\x93\x85,2030", "令\xF0\x9F\x93\x85,2030"}) {
        err_.str("");
        EXPECT_EQ(Run({"init", (root_ / "era").string(), "--eto", "1", "--era", era}), 2) << era;
        EXPECT_NE(err_.str().find("--era"), std::string::npos) << err_.str();
        EXPECT_FALSE(fs::exists(root_ / "era")) << era;
    }
    options.folder = root_ / "era";
    options.era_name = "\xF0\x9F\x93\x85";
    EXPECT_NE(MakeHostFolder(options, testing::FullCalendar()).find("Shift-JIS"), std::string::npos);
    EXPECT_FALSE(fs::exists(root_ / "era"));
}

TEST_F(HostFolderTest, ReadOnlyFilesAreNotReplaced) {
    const fs::path folder = root_ / "host";
    fs::create_directories(folder);
    const std::string cfg_text = "[UNSEI]\r\nETO=1\r\n";
    std::ofstream(folder / "Kalvorin.CFG", std::ios::binary) << cfg_text;
    std::ofstream(folder / "UNSEI.DAT", std::ios::binary) << "old days";
    fs::permissions(folder / "Kalvorin.CFG", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(folder / "UNSEI.DAT", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    EXPECT_EQ(Run({"holidays", folder.string(), "2026", "2026"}), 1);
    EXPECT_NE(err_.str().find("read-only"), std::string::npos) << err_.str();
    EXPECT_EQ(ReadFile(folder / "Kalvorin.CFG"), cfg_text);

    HostFolderOptions options;
    options.folder = folder;
    options.eto = 5;
    options.force = true;
    EXPECT_NE(MakeHostFolder(options, testing::FullCalendar()).find("read-only"), std::string::npos);
    EXPECT_EQ(ReadFile(folder / "Kalvorin.CFG"), cfg_text);

    fs::permissions(folder / "Kalvorin.CFG", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_NE(MakeHostFolder(options, testing::FullCalendar()).find("read-only"), std::string::npos);
    EXPECT_EQ(ReadFile(folder / "UNSEI.DAT"), "old days");
}

TEST_F(HostFolderTest, HolidaysCommandWritesYearSections) {
    std::ofstream(root_ / "Kalvorin.CFG", std::ios::binary) << "[UNSEI]\r\nETO=1\r\n";
    ASSERT_EQ(Run({"holidays", root_.string(), "2025", "2026"}), 0) << err_.str();
    config::ConfigFile cfg(root_ / "Kalvorin.CFG");
    config::HolidayTable table;
    config::LoadHolidays(cfg, 2025, table);
    EXPECT_TRUE(table.IsMarked(11, 24));
    EXPECT_TRUE(table.IsMarked(2, 24));
    EXPECT_FALSE(table.IsMarked(2, 25));
    EXPECT_EQ(cfg.ReadInteger("UNSEI", "ETO", 0), 1);
    EXPECT_NE(out_.str().find("wrote the national holidays of 2025 … 2026"), std::string::npos) << out_.str();

    // Again, with a day of the user's own marked meanwhile: it stays, every national holiday
    // is marked already, and the run says that it changed nothing.
    ASSERT_TRUE(cfg.WriteString("2026", "HOLIDAY6", "15"));
    const std::string before = ReadFile(root_ / "Kalvorin.CFG");
    ASSERT_EQ(Run({"holidays", root_.string(), "2025", "2026"}), 0) << err_.str();
    EXPECT_EQ(out_.str().find("wrote"), std::string::npos) << out_.str();
    EXPECT_NE(out_.str().find("nothing was changed"), std::string::npos) << out_.str();
    EXPECT_EQ(before, ReadFile(root_ / "Kalvorin.CFG"));
}

// A folder is made all or nothing. The making is stopped (killed at a moment, or by a file
// size limit that stands in for a full disk) in a child process; the folder is then either
// as it was or whole, and no work folder is left beside it once a later run has been.
class HostFolderInterruptedTest : public HostFolderTest {
protected:
    // Runs MakeHostFolder in a child: killed after `kill_after_ms` (when > 0), or with files
    // limited to `max_file_bytes` (when > 0).
    void MakeInChild(const HostFolderOptions& options, int kill_after_ms, rlim_t max_file_bytes) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (max_file_bytes > 0) {
                ::signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{max_file_bytes, max_file_bytes};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            }
            ::_exit(MakeHostFolder(options, testing::FullCalendar()).empty() ? 0 : 1);
        }
        if (kill_after_ms > 0) {
            ::usleep(static_cast<useconds_t>(kill_after_ms) * 1000);
            ::kill(child, SIGKILL);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
    }
    static int Eto(const fs::path& folder) {
        return config::ConfigFile(folder / "Kalvorin.CFG").ReadInteger("UNSEI", "ETO", 0);
    }
    static bool Whole(const fs::path& folder) {
        const config::ConfigFile cfg(folder / "Kalvorin.CFG");
        std::error_code error;
        return fs::file_size(folder / "UNSEI.DAT", error) == 73050u * 15u && !cfg.ReadString("2100", "HOLIDAY1", "").empty() &&
               fs::exists(folder / "Kalvo標準.DAT") && fs::exists(folder / pictures::DemoMonthPictureName(12));
    }
    int WorkFolders() const {
        int count = 0;
        for (const auto& entry : fs::directory_iterator(root_))
            count += entry.path().filename().string().find(".making-") != std::string::npos;
        return count;
    }
};

TEST_F(HostFolderInterruptedTest, KilledOrOutOfSpaceLeavesTheFolderAsItWasOrWhole) {
    HostFolderOptions options;
    options.folder = root_ / "host";
    options.eto = 5;
    options.holidays_from = 1948;
    options.holidays_to = 2100;
    // A new folder: not there at all, or whole.
    for (int ms : {200, 1500}) {
        MakeInChild(options, ms, 0);
        EXPECT_TRUE(!fs::exists(options.folder) || Whole(options.folder)) << "killed after " << ms << " ms";
        fs::remove_all(options.folder);
    }
    MakeInChild(options, 0, 200 * 1024); // room for the settings, not for UNSEI.DAT
    EXPECT_FALSE(fs::exists(options.folder));
    EXPECT_EQ(WorkFolders(), 0);

    // Made again over a whole folder with --force: the old settings or the new ones, each
    // with its holidays, never the new birth sign without them.
    ASSERT_EQ(MakeHostFolder(options, testing::FullCalendar()), "");
    const std::string old_cfg = ReadFile(options.folder / "Kalvorin.CFG");
    options.force = true;
    options.eto = 9;
    for (int ms : {200, 1500}) {
        MakeInChild(options, ms, 0);
        EXPECT_TRUE(Whole(options.folder)) << "killed after " << ms << " ms";
        const int eto = Eto(options.folder);
        EXPECT_TRUE(eto == 9 || ReadFile(options.folder / "Kalvorin.CFG") == old_cfg) << eto;
        ASSERT_EQ(MakeHostFolder(options, testing::FullCalendar()), "");
        EXPECT_EQ(WorkFolders(), 0);
        options.eto = 5;
        ASSERT_EQ(MakeHostFolder(options, testing::FullCalendar()), "");
        options.eto = 9;
    }
    MakeInChild(options, 0, 200 * 1024);
    EXPECT_EQ(ReadFile(options.folder / "Kalvorin.CFG"), old_cfg);
}

TEST_F(HostFolderTest, InitCompletesWhatAFailedInitLeftButNothingElse) {
    // What a run of old left when stopped before UNSEI.DAT: its settings, naming the folder.
    const fs::path folder = root_ / "host";
    fs::create_directories(folder);
    std::ofstream(folder / "Kalvorin.CFG", std::ios::binary) << "[UNSEI]\r\nETO=3\r\nDIR=" << folder.string() << "\r\n";
    std::ofstream(folder / ".Kalvorin.CFG.lock");
    ASSERT_EQ(Run({"init", folder.string(), "--eto", "4"}), 0) << err_.str();
    EXPECT_EQ(config::ConfigFile(folder / "Kalvorin.CFG").ReadInteger("UNSEI", "ETO", 0), 4);
    EXPECT_TRUE(fs::exists(folder / "UNSEI.DAT"));
    EXPECT_EQ(config::ConfigFile(folder / "Kalvorin.CFG").ReadString("2100", "HOLIDAY1", "").substr(0, 2), "01");
    // A whole folder, or one whose settings are another folder's, still needs --force.
    EXPECT_EQ(Run({"init", folder.string(), "--eto", "4"}), 1);
    fs::remove(folder / "UNSEI.DAT");
    std::ofstream(folder / "Kalvorin.CFG", std::ios::binary) << "[UNSEI]\r\nETO=3\r\nDIR=/elsewhere\r\n";
    EXPECT_EQ(Run({"init", folder.string(), "--eto", "4"}), 1);
    EXPECT_NE(err_.str().find("--force"), std::string::npos) << err_.str();
}

// Two makings of one folder at once: one makes it whole, the other waits for it and is
// refused; a folder of the user's that only begins like a work folder is left alone.
TEST_F(HostFolderTest, TwoInitsAtOnceMakeOneWholeFolder) {
    const fs::path folder = root_ / "host";
    fs::create_directories(root_ / ".host.making-notes");
    std::ofstream(root_ / ".host.making-notes" / "file.txt") << "precious";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::ostringstream out, err;
        ::_exit(RunHostCommand({"init", folder.string(), "--eto", "8"}, out, err));
    }
    const int here = Run({"init", folder.string(), "--eto", "7"});
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ((here == 0) + (WEXITSTATUS(status) == 0), 1) << err_.str();
    EXPECT_TRUE(fs::exists(folder / "Kalvorin.CFG"));
    EXPECT_TRUE(fs::exists(folder / "UNSEI.DAT"));
    EXPECT_EQ(ReadFile(root_ / ".host.making-notes" / "file.txt"), "precious");
}

// A settings file in another encoding is never written into: the path and the reason, the
// file as it was.
TEST_F(HostFolderTest, SettingsInAnotherEncodingAreNotWrittenInto) {
    const fs::path folder = root_ / "host";
    fs::create_directories(folder);
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("[UNSEI]\r\nETO=3\r\n")) utf16 += std::string{c, '\0'};
    std::ofstream(folder / "Kalvorin.CFG", std::ios::binary) << utf16;
    EXPECT_EQ(Run({"holidays", folder.string(), "2026", "2026"}), 1);
    EXPECT_NE(err_.str().find((folder / "Kalvorin.CFG").string() + " cannot be read as Shift-JIS: it begins with a UTF-16"),
              std::string::npos)
        << err_.str();
    EXPECT_EQ(Run({"init", folder.string(), "--eto", "4", "--force"}), 1);
    EXPECT_NE(err_.str().find("UTF-16"), std::string::npos) << err_.str();
    EXPECT_EQ(ReadFile(folder / "Kalvorin.CFG"), utf16);
    EXPECT_FALSE(fs::exists(folder / "UNSEI.DAT"));
}

TEST(EventLines, OneLinePerEvent) {
    const std::vector<std::string> lines = EventLines(2021);
    ASSERT_EQ(lines.size(), 76u + 12u);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "solar 315 立春 2021-02-03 23:58:47"), lines.end());
    // 12:23:25.505 with IAU 2000B nutation; with IAU 2006/2000A 0.011 s earlier, listed as :25.
    EXPECT_EQ(lines.front(), "solar 285 小寒 2021-01-05 12:23:26");
}

} // namespace
} // namespace host
