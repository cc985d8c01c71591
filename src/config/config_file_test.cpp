// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/config_file.h"

#include "base/sjis.h"
#include "config/test_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace config {
namespace {

using testing::ReadBytes;
using testing::TestFolder;
using testing::WriteBytes;

std::string Cp932(std::string_view utf8) {
    return base::Utf8ToCp932(utf8).value();
}

// A file as a user might have edited it by hand: CP932, comments, odd case, CRLF line ends,
// a duplicate key and a duplicate section, an unknown section and no final line end.
std::string HandWrittenFile() {
    return Cp932("; Kalvorin の設定\r\n"
                 "[UNSEI]\r\n"
                 "ETO=5\r\n"
                 "DIR=C:\\Kalvorin\\\r\n"
                 "Font Name = \"@ＭＳ 明朝\" \r\n"
                 "\r\n"
                 "[print 1]\r\n"
                 "up space = 5\r\n"
                 "UnderBitmap=0\r\n"
                 "underbitmap=1\r\n"
                 "; 余白は粍\r\n"
                 "\r\n"
                 "[ユーザー]\r\n"
                 "名前=山田 太郎\r\n"
                 "[PRINT 1]\r\n"
                 "Unki=1\r\n"
                 "[2026]\r\n"
                 "HOLIDAY1=0111");
}

class ConfigFileTest : public ::testing::Test {
protected:
    TestFolder folder_;
    std::filesystem::path path_ = folder_ / "Kalvorin.CFG";
    base::RecordingReporter reporter_;
};

TEST_F(ConfigFileTest, HandWrittenFileReads) {
    WriteBytes(path_, HandWrittenFile());
    ConfigFile file(path_, &reporter_);
    EXPECT_TRUE(file.exists());
    EXPECT_EQ(file.ReadInteger("UNSEI", "ETO", 0), 5);
    EXPECT_EQ(file.ReadString("UNSEI", "DIR", ""), "C:\\Kalvorin\\");
    EXPECT_EQ(file.ReadString("unsei", "font name", ""), "@ＭＳ 明朝");
    EXPECT_EQ(file.ReadInteger("PRINT 1", "Up Space", 10), 5);
    EXPECT_FALSE(file.ReadBool("PRINT 1", "UnderBitmap", true)); // the first of the duplicates
    EXPECT_FALSE(file.ReadBool("PRINT 1", "Unki", false));       // only in the second [PRINT 1]
    EXPECT_EQ(file.ReadString("ユーザー", "名前", ""), "山田 太郎");
    EXPECT_EQ(file.ReadString("2026", "HOLIDAY1", ""), "0111");
    EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"UNSEI", "print 1", "ユーザー", "2026"}));
    EXPECT_TRUE(reporter_.messages().empty());
}

TEST_F(ConfigFileTest, WritingOneKeyKeepsEveryOtherByte) {
    const std::string original = HandWrittenFile();
    WriteBytes(path_, original);
    ConfigFile file(path_, &reporter_);

    ASSERT_TRUE(file.WriteInteger("PRINT 1", "Up Space", 12));
    std::string expected = original;
    const std::string line = "up space = 5\r\n";
    expected.replace(expected.find(line), line.size(), "up space = 12\r\n");
    EXPECT_EQ(ReadBytes(path_), expected);

    ASSERT_TRUE(file.WriteBool("PRINT 1", "Sekki", false));
    const std::string anchor = "underbitmap=1\r\n";
    expected.insert(expected.find(anchor) + anchor.size() - 2, "\r\nSekki=0");
    EXPECT_EQ(ReadBytes(path_), expected);

    ASSERT_TRUE(file.WriteString("2026", "HOLIDAY2", "03"));
    expected += "\r\nHOLIDAY2=03";
    EXPECT_EQ(ReadBytes(path_), expected);

    ASSERT_TRUE(file.WriteString("PRINT", "BMP1", "春.cmp"));
    expected += Cp932("\r\n\r\n[PRINT]\r\nBMP1=春.cmp");
    EXPECT_EQ(ReadBytes(path_), expected);
    EXPECT_TRUE(reporter_.messages().empty());
}

TEST_F(ConfigFileTest, LineEndsOfTheFileAreKept) {
    WriteBytes(path_, "[A]\na=1\n");
    ConfigFile file(path_);
    ASSERT_TRUE(file.WriteString("B", "b", "2"));
    EXPECT_EQ(ReadBytes(path_), "[A]\na=1\n\n[B]\nb=2\n");
}

TEST_F(ConfigFileTest, MissingFileGivesDefaultsAndIsCreatedByAWrite) {
    ConfigFile file(path_, &reporter_);
    EXPECT_FALSE(file.exists());
    EXPECT_EQ(file.ReadString("UNSEI", "DIR", "dflt"), "dflt");
    EXPECT_EQ(file.ReadInteger("UNSEI", "ETO", 7), 7);
    EXPECT_TRUE(file.SectionNames().empty());
    ASSERT_TRUE(file.WriteString("PRINT", "TESTSize", "2"));
    EXPECT_TRUE(file.exists());
    EXPECT_EQ(ReadBytes(path_), "[PRINT]\r\nTESTSize=2\r\n");
    EXPECT_TRUE(reporter_.messages().empty());
}

// The parsing itself is tested with ParseInteger; here, what reaches it.
TEST_F(ConfigFileTest, IntegersAreTheValueWithoutBlanksAndQuotes) {
    WriteBytes(path_, "[N]\na= 8 \nb=\"5\"\nc=12abc\nd=\n");
    ConfigFile file(path_);
    EXPECT_EQ(file.ReadInteger("N", "a", -1), 8);
    EXPECT_EQ(file.ReadInteger("N", "b", -1), 5);
    EXPECT_EQ(file.ReadInteger("N", "c", -1), -1);
    EXPECT_EQ(file.ReadInteger("N", "d", -1), -1);
}

TEST_F(ConfigFileTest, BooleansAreIntegersNonZeroIsOn) {
    WriteBytes(path_, "[B]\ntwo=2\nzero=0\nminus=-1\nword=true\n");
    ConfigFile file(path_);
    EXPECT_TRUE(file.ReadBool("B", "two", false));
    EXPECT_FALSE(file.ReadBool("B", "zero", true));
    EXPECT_TRUE(file.ReadBool("B", "minus", false));
    EXPECT_FALSE(file.ReadBool("B", "word", false));
    EXPECT_TRUE(file.ReadBool("B", "word", true));
    ASSERT_TRUE(file.WriteBool("B", "two", true));
    ASSERT_TRUE(file.WriteBool("B", "zero", false));
    EXPECT_EQ(ReadBytes(path_), "[B]\ntwo=1\nzero=0\nminus=-1\nword=true\n");
}

TEST_F(ConfigFileTest, BadCp932BytesAreReplacedOnePerByte) {
    // 0x81 0x20 is a lead byte with a bad second byte; 0xFF and 0xA0 are no characters.
    WriteBytes(path_, "[S]\nk=a\x81 b\xFF"
                      "c\x81\n; \xFF\xA0 a comment\n[\x83\x5C]\nx=1\n");
    ConfigFile file(path_);
    EXPECT_EQ(file.ReadString("S", "k", ""), "a\xEF\xBF\xBD b\xEF\xBF\xBD"
                                             "c\xEF\xBF\xBD");
    EXPECT_EQ(file.SectionNames()[1], "ソ");
}

// A file that is not CP932 text (another encoding, binary, damaged names) is neither read as
// empty nor written into: reads give defaults with one message naming the file and what is
// wrong, writes fail and leave every byte as it was.
TEST_F(ConfigFileTest, FileThatIsNotShiftJisIsNeitherReadNorWritten) {
    const std::string unsei = "[UNSEI]\r\nETO=7\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char c : unsei) utf16 += std::string{c, '\0'};
    const struct {
        std::string bytes;
        std::string reason;
    } cases[] = {
        {utf16, "UTF-16 byte-order mark"},
        {"\xFE\xFF" + unsei, "UTF-16 byte-order mark"},
        {"\xEF\xBB\xBF" + unsei, "UTF-8 byte-order mark"},
        {utf16.substr(2), "NUL byte at offset 1"},
        {unsei + "[\xFF\xFE]\r\n", "line 3 has a byte (0xFF)"},
        {unsei + "\x81\x20T=1\r\n", "line 3 has a byte (0x81)"},
        {"[UNSEI]\nETO=7\n\xA0\n", "line 3 has a byte (0xA0)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        WriteBytes(path_, c.bytes);
        base::RecordingReporter reporter;
        ConfigFile file(path_, &reporter);
        EXPECT_EQ(file.ReadInteger("UNSEI", "ETO", 0), 0);
        EXPECT_EQ(file.ReadString("UNSEI", "DIR", "-"), "-");
        EXPECT_FALSE(file.WriteString("2026", "HOLIDAY1", "0101"));
        EXPECT_EQ(ReadBytes(path_), c.bytes);
        ASSERT_EQ(reporter.messages().size(), 2u); // once for the reads, once for the write
        EXPECT_NE(reporter.messages()[0].text.find(path_.string() + " cannot be read as Shift-JIS"), std::string::npos)
            << reporter.messages()[0].text;
        EXPECT_NE(reporter.messages()[0].text.find(c.reason), std::string::npos) << reporter.messages()[0].text;
    }
    // Half-width katakana and double-byte names whose second byte is '\\' or '[' are text.
    WriteBytes(path_, unsei + Cp932("[ｶﾅ表]\r\nソ=1\r\n"));
    ConfigFile file(path_, &reporter_);
    EXPECT_EQ(file.ReadInteger("ｶﾅ表", "ソ", 0), 1);
    EXPECT_TRUE(file.WriteString("UNSEI", "ETO", "8"));
    EXPECT_TRUE(reporter_.messages().empty());
}

TEST_F(ConfigFileTest, TextCp932CannotHoldIsRefusedWithAMessage) {
    WriteBytes(path_, "[S]\nk=1\n");
    ConfigFile file(path_, &reporter_);
    EXPECT_FALSE(file.WriteString("S", "k", "emoji 😀"));
    EXPECT_FALSE(file.WriteString("S", "ключ✓", "1"));
    EXPECT_EQ(ReadBytes(path_), "[S]\nk=1\n");
    ASSERT_EQ(reporter_.messages().size(), 2u);
    EXPECT_EQ(reporter_.messages()[0].caption, "ｴﾗｰ");
    EXPECT_NE(reporter_.messages()[0].text.find("[S] k"), std::string::npos);
}

TEST_F(ConfigFileTest, WritesThatWouldBreakTheFileAreRefused) {
    WriteBytes(path_, "[S]\nk=1\n");
    ConfigFile file(path_, &reporter_);
    EXPECT_FALSE(file.WriteString("S", "k", "1\r\n[UNSEI]\r\nETO=3"));
    EXPECT_FALSE(file.WriteString("S\n", "k", "1"));
    EXPECT_FALSE(file.WriteString("S", "a=b", "1"));
    EXPECT_FALSE(file.WriteString("S", ";k", "1"));
    EXPECT_FALSE(file.WriteString("S", "[k", "1"));
    EXPECT_FALSE(file.WriteString(" ", "k", "1"));
    EXPECT_FALSE(file.WriteString("S", "", "1"));
    EXPECT_FALSE(file.WriteString("S", "k", std::string(ProfileDocument::kMaxLineBytes, 'x')));
    EXPECT_EQ(ReadBytes(path_), "[S]\nk=1\n");
    EXPECT_EQ(reporter_.messages().size(), 8u);
}

TEST_F(ConfigFileTest, ABatchIsWrittenWholeOrNotAtAll) {
    WriteBytes(path_, "[S]\na=1\n");
    ConfigFile file(path_, &reporter_);
    std::vector<ConfigFile::Entry> entries = {{"S", "a", "2"}, {"S", "b", "😀"}};
    EXPECT_FALSE(file.WriteStrings(entries));
    EXPECT_EQ(ReadBytes(path_), "[S]\na=1\n");
    entries[1].value = "3";
    EXPECT_TRUE(file.WriteStrings(entries));
    EXPECT_EQ(ReadBytes(path_), "[S]\na=2\nb=3\n");
}

TEST_F(ConfigFileTest, EachReadSeesChangesMadeByOthers) {
    WriteBytes(path_, "[UNSEI]\nETO=1\n");
    ConfigFile file(path_);
    EXPECT_EQ(file.ReadInteger("UNSEI", "ETO", 0), 1);
    WriteBytes(path_, "[UNSEI]\nETO=2\n"); // same size, same second
    EXPECT_EQ(file.ReadInteger("UNSEI", "ETO", 0), 2);
}

TEST_F(ConfigFileTest, AReadScopeSeesOneVersionOfTheFile) {
    WriteBytes(path_, "[UNSEI]\nETO=1\n");
    ConfigFile file(path_);
    {
        ConfigFile::ReadScope scope(file);
        EXPECT_EQ(file.ReadInteger("UNSEI", "ETO", 0), 1);
        WriteBytes(path_, "[UNSEI]\nETO=2\n");
        EXPECT_EQ(file.ReadInteger("UNSEI", "ETO", 0), 1);
        ASSERT_TRUE(file.WriteInteger("UNSEI", "Start Youbi", 1)); // a write reads afresh
        EXPECT_EQ(file.ReadInteger("UNSEI", "ETO", 0), 2);
        EXPECT_EQ(file.ReadInteger("UNSEI", "Start Youbi", 0), 1);
        WriteBytes(path_, "[UNSEI]\nETO=3\n");
    }
    EXPECT_EQ(file.ReadInteger("UNSEI", "ETO", 0), 3);
}

TEST_F(ConfigFileTest, AtomicWriteLeavesNoTemporaryFileAndKeepsPermissions) {
    WriteBytes(path_, "[S]\nk=1\n");
    ASSERT_EQ(::chmod(path_.c_str(), 0640), 0);
    ConfigFile file(path_);
    ASSERT_TRUE(file.WriteString("S", "k", "2"));
    ASSERT_TRUE(file.WriteString("T", "k", "3"));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".Kalvorin.CFG.lock", "Kalvorin.CFG"})); // the lock file stays
    struct stat info {};
    ASSERT_EQ(::stat(path_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(ConfigFileTest, ALinkAtTheFileIsReplacedNotWrittenThrough) {
    // A link planted in the host folder must not let a settings write reach a file
    // elsewhere: the name gets the edited text, the file it pointed to stays as it was.
    const auto target = folder_ / "real.cfg";
    WriteBytes(target, "[S]\nk=1\n");
    std::filesystem::create_symlink(target, path_);
    ConfigFile file(path_);
    EXPECT_EQ(file.ReadInteger("S", "k", 0), 1); // reads go through it
    ASSERT_TRUE(file.WriteString("S", "k", "2"));
    EXPECT_FALSE(std::filesystem::is_symlink(path_));
    EXPECT_EQ(ReadBytes(path_), "[S]\nk=2\n");
    EXPECT_EQ(ReadBytes(target), "[S]\nk=1\n");
}

// A link planted at the lock file's name is never followed: the write is refused, the file
// it points to is not made, and the message names the link and says what to do.
TEST_F(ConfigFileTest, ALinkAtTheLockFileIsRefusedWithAClearMessage) {
    WriteBytes(path_, "[S]\nk=1\n");
    const auto lock = folder_ / ".Kalvorin.CFG.lock";
    const auto victim = folder_ / "victim";
    std::filesystem::create_symlink(victim, lock);
    ConfigFile file(path_, &reporter_);
    EXPECT_FALSE(file.WriteString("S", "k", "2"));
    EXPECT_EQ(ReadBytes(path_), "[S]\nk=1\n");
    EXPECT_FALSE(std::filesystem::exists(victim));
    ASSERT_EQ(1u, reporter_.messages().size());
    const std::string& text = reporter_.messages()[0].text;
    EXPECT_NE(std::string::npos, text.find(lock.string() + " is a symbolic link")) << text;
    EXPECT_NE(std::string::npos, text.find("remove it")) << text;
    EXPECT_EQ(std::string::npos, text.find("Too many levels")) << text;
}

// Writers in several threads and several processes, each with a section of its own: every
// value of every writer is in the file at the end.
TEST_F(ConfigFileTest, ConcurrentWritersLoseNothing) {
    constexpr int kWrites = 40;
    WriteBytes(path_, "[UNSEI]\r\nETO=1\r\n");
    auto write_section = [this](const std::string& section) {
        ConfigFile file(path_);
        bool all = true;
        for (int i = 0; i < kWrites; ++i)
            all = file.WriteInteger(section, "HOLIDAY" + std::to_string(i), i) && all;
        return all;
    };
    std::vector<pid_t> children;
    for (int p = 0; p < 2; ++p) {
        const pid_t child = ::fork();
        if (child == 0) ::_exit(write_section("process " + std::to_string(p)) ? 0 : 1);
        children.push_back(child);
    }
    std::vector<std::thread> threads;
    std::atomic<int> failures{0};
    for (int t = 0; t < 3; ++t)
        threads.emplace_back([&, t] { failures += write_section("thread " + std::to_string(t)) ? 0 : 1; });
    for (std::thread& thread : threads) thread.join();
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(failures, 0);

    ConfigFile file(path_);
    EXPECT_EQ(file.ReadInteger("UNSEI", "ETO", 0), 1);
    for (const std::string section : {"process 0", "process 1", "thread 0", "thread 1", "thread 2"}) {
        for (int i = 0; i < kWrites; ++i)
            EXPECT_EQ(file.ReadInteger(section, "HOLIDAY" + std::to_string(i), -1), i) << section << " " << i;
    }
}

TEST_F(ConfigFileTest, AReadOnlyFileIsNotRewritten) {
    WriteBytes(path_, "[S]\nk=1\n");
    ASSERT_EQ(::chmod(path_.c_str(), 0444), 0);
    ConfigFile file(path_, &reporter_);
    EXPECT_FALSE(file.WriteString("S", "k", "2"));
    ASSERT_EQ(reporter_.messages().size(), 1u);
    EXPECT_NE(reporter_.messages()[0].text.find("read-only"), std::string::npos);
    EXPECT_EQ(ReadBytes(path_), "[S]\nk=1\n");
}

TEST_F(ConfigFileTest, UnchangedValueDoesNotRewriteTheFile) {
    WriteBytes(path_, "[S]\nk=1\n");
    struct stat before {};
    ASSERT_EQ(::stat(path_.c_str(), &before), 0);
    ConfigFile file(path_);
    ASSERT_TRUE(file.WriteString("S", "k", "1"));
    struct stat after {};
    ASSERT_EQ(::stat(path_.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(ConfigFileTest, FailedWriteIsReportedAndChangesNothing) {
    const auto missing_folder = folder_ / "no such folder" / "Kalvorin.CFG";
    ConfigFile file(missing_folder, &reporter_);
    EXPECT_FALSE(file.WriteString("S", "k", "1"));
    ASSERT_EQ(reporter_.messages().size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(missing_folder));
}

TEST_F(ConfigFileTest, OversizedFileIsRefusedOnceForReadsAndForEachWrite) {
    {
        std::ofstream out(path_, std::ios::binary);
        out << "[UNSEI]\nETO=5\n";
        out.seekp(static_cast<std::streamoff>(ConfigFile::kMaxFileBytes));
        out << "x";
    }
    ConfigFile file(path_, &reporter_);
    EXPECT_EQ(file.ReadInteger("UNSEI", "ETO", 0), 0);
    EXPECT_EQ(file.ReadInteger("UNSEI", "ETO", 0), 0);
    EXPECT_EQ(reporter_.messages().size(), 1u);
    EXPECT_FALSE(file.WriteString("UNSEI", "ETO", "1"));
    EXPECT_EQ(reporter_.messages().size(), 2u);
    EXPECT_EQ(std::filesystem::file_size(path_), ConfigFile::kMaxFileBytes + 1);
}

TEST_F(ConfigFileTest, AFolderInThePlaceOfTheFileGivesDefaults) {
    std::filesystem::create_directory(path_);
    ConfigFile file(path_, &reporter_);
    EXPECT_FALSE(file.exists());
    EXPECT_EQ(file.ReadInteger("UNSEI", "ETO", 4), 4);
    EXPECT_EQ(reporter_.messages().size(), 1u);
}

// A file held in memory follows the same rules as one on disk, and never touches the disk.
TEST_F(ConfigFileTest, AFileInMemoryReadsAndEditsLikeOneOnDisk) {
    WriteBytes(path_, HandWrittenFile());
    ConfigFile on_disk(path_, &reporter_);
    ConfigFile in_memory = ConfigFile::InMemory(HandWrittenFile(), path_, &reporter_);
    EXPECT_TRUE(in_memory.exists());
    EXPECT_EQ(in_memory.SectionNames(), on_disk.SectionNames());
    EXPECT_EQ(in_memory.ReadString("UNSEI", "Font Name", ""), "@ＭＳ 明朝");

    const std::vector<ConfigFile::Edit> edits = {
        {"PRINT 1", "Up Space", "7", {}},
        {"2026", "HOLIDAY1", {}, [](const std::optional<std::string>& now) { return now.value_or("") + "21"; }},
        {"新しい", "キー", "値", {}},
    };
    ASSERT_TRUE(on_disk.WriteEdits(edits));
    ASSERT_TRUE(in_memory.WriteEdits(edits));
    EXPECT_EQ(in_memory.memory_bytes(), ReadBytes(path_));
    EXPECT_EQ(in_memory.ReadString("2026", "HOLIDAY1", ""), "011121");

    // A refused edit leaves the content as it was; an oversized content is refused as a file is.
    const std::string before = in_memory.memory_bytes();
    EXPECT_FALSE(in_memory.WriteString("UNSEI", "ETO", "a\nb"));
    EXPECT_FALSE(in_memory.WriteString("UNSEI", "ETO", "\u2603"));
    EXPECT_EQ(in_memory.memory_bytes(), before);
    EXPECT_EQ(reporter_.messages().size(), 2u);
    ConfigFile oversized = ConfigFile::InMemory(std::string(ConfigFile::kMaxFileBytes + 1, '\n'), "big", &reporter_);
    EXPECT_EQ(oversized.ReadInteger("UNSEI", "ETO", 4), 4);
    EXPECT_FALSE(oversized.WriteString("UNSEI", "ETO", "1"));
    EXPECT_EQ(reporter_.messages().size(), 4u);
    EXPECT_EQ(oversized.memory_bytes().size(), ConfigFile::kMaxFileBytes + 1);
    EXPECT_TRUE(ConfigFile(path_).memory_bytes().empty());
}

} // namespace
} // namespace config
