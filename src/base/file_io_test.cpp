// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/file_io.h"
#include "base/file_lock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <fstream>
#include <iterator>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace base {
namespace {

class FileIoTest : public ::testing::Test {
protected:
    FileIoTest() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qelmarin-io-XXXXXX").string();
        EXPECT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        file_ = folder_ / "out.pdf";
    }
    ~FileIoTest() override {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    void Put(const std::filesystem::path& path, std::string_view bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::string Get(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::set<std::string> Names() {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            names.insert(entry.path().filename().string());
        return names;
    }
    // The id of a process that has ended.
    static pid_t DeadPid() {
        const pid_t child = ::fork();
        if (child == 0) ::_exit(0);
        ::waitpid(child, nullptr, 0);
        return child;
    }

    std::filesystem::path folder_;
    std::filesystem::path file_;
};

TEST_F(FileIoTest, ReadersRefuseWhatIsNotARegularFileWithoutWaiting) {
    const auto fifo = folder_ / "UNSEI.DAT";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    FileRead read = ReadFileBounded(fifo, 1000);
    EXPECT_EQ(read.status, FileRead::Status::Failed);
    EXPECT_NE(read.error.find("not a regular file"), std::string::npos);
    std::string error;
    EXPECT_EQ(OpenRegularFile(fifo, &error), -1);
    EXPECT_NE(error.find("not a regular file"), std::string::npos);
    EXPECT_EQ(OpenRegularFile(folder_, &error), -1); // a folder

    bool missing = false;
    EXPECT_EQ(OpenRegularFile(folder_ / "none", &error, &missing), -1);
    EXPECT_TRUE(missing);
    EXPECT_EQ(ReadFileBounded(folder_ / "none", 10).status, FileRead::Status::Missing);

    Put(file_, "abc");
    EXPECT_EQ(ReadFileBounded(file_, 3).bytes, "abc");
    EXPECT_EQ(ReadFileBounded(file_, 2).status, FileRead::Status::TooLarge);
}

TEST_F(FileIoTest, ReadsWholeFilesOfAnySizeIntoTextOrBytes) {
    const std::string binary("\0\x01\xFFtail\0", 8);
    Put(file_, binary);
    const FileBytesRead bytes = ReadFileBytesBounded(file_, SIZE_MAX);
    ASSERT_EQ(bytes.status, FileBytesRead::Status::Ok);
    EXPECT_EQ(std::string(bytes.bytes.begin(), bytes.bytes.end()), binary);
    EXPECT_EQ(ReadFileBytesBounded(file_, 7).status, FileBytesRead::Status::TooLarge);
    Put(file_, "");
    EXPECT_EQ(ReadFileBounded(file_, 0).status, FileRead::Status::Ok);
    EXPECT_TRUE(ReadFileBytesBounded(file_, 0).bytes.empty());
    // A file whose size says nothing of its contents (the kernel's own files say 0) is read
    // to its end, and still refused past the bound.
    const FileRead status = ReadFileBounded("/proc/self/status", 1 << 20);
    ASSERT_EQ(status.status, FileRead::Status::Ok);
    EXPECT_NE(status.bytes.find("Name:"), std::string::npos);
    EXPECT_EQ(ReadFileBounded("/proc/self/status", 10).status, FileRead::Status::TooLarge);
}

TEST_F(FileIoTest, ALinkPlantedAtATemporaryNameIsNeverFollowed) {
    const auto victim = folder_ / "victim";
    Put(victim, "precious");
    std::filesystem::create_symlink(victim, folder_ / "out.pdf.tmp");
    std::filesystem::create_symlink(victim, folder_ / (".out.pdf.tmp." + std::to_string(::getpid()) + ".0"));
    ASSERT_EQ(ReplaceFileAtomically(file_, "new"), "");
    EXPECT_EQ(Get(victim), "precious");
    EXPECT_EQ(Get(file_), "new");
}

TEST_F(FileIoTest, ALinkAtTheNameIsReplacedAndItsTargetLeftAlone) {
    const auto victim = folder_ / "victim";
    Put(victim, "precious");
    ASSERT_EQ(::chmod(victim.c_str(), 0600), 0);
    std::filesystem::create_symlink(victim, file_);
    ASSERT_EQ(ReplaceFileAtomically(file_, "new"), "");
    EXPECT_EQ(Get(victim), "precious");
    EXPECT_FALSE(std::filesystem::is_symlink(file_));
    EXPECT_EQ(Get(file_), "new");
    EXPECT_EQ(Names(), (std::set<std::string>{"out.pdf", "victim"}));

    // A link through which the file would be read-only, a link to a folder and a dangling
    // link are names like any other: replaced, their targets untouched.
    ASSERT_EQ(::chmod(victim.c_str(), 0400), 0);
    const auto read_only = folder_ / "ro.pdf";
    std::filesystem::create_symlink(victim, read_only);
    std::filesystem::create_directory(folder_ / "dir");
    const auto to_folder = folder_ / "dir.pdf";
    std::filesystem::create_symlink(folder_ / "dir", to_folder);
    const auto dangling = folder_ / "gone.pdf";
    std::filesystem::create_symlink(folder_ / "nowhere" / "x", dangling);
    for (const auto& link : {read_only, to_folder, dangling}) {
        AtomicFile file(link);
        ASSERT_TRUE(file.ok()) << file.error();
        ASSERT_TRUE(file.Write("streamed"));
        ASSERT_EQ(file.Commit(), "");
        EXPECT_EQ(Get(link), "streamed");
        EXPECT_FALSE(std::filesystem::is_symlink(link));
    }
    EXPECT_EQ(Get(victim), "precious");
    EXPECT_TRUE(std::filesystem::is_empty(folder_ / "dir"));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "nowhere"));
}

TEST_F(FileIoTest, AnUncommittedFileLeavesTheOldOneAndNoTemporary) {
    Put(file_, "good");
    {
        AtomicFile file(file_);
        ASSERT_TRUE(file.ok()) << file.error();
        ASSERT_TRUE(file.Write("half a docu"));
    }
    EXPECT_EQ(Get(file_), "good");
    EXPECT_EQ(Names(), std::set<std::string>{"out.pdf"});

    { AtomicFile file(folder_ / "new.pdf"); } // nothing appears for a run that wrote nothing
    EXPECT_EQ(Names(), std::set<std::string>{"out.pdf"});
}

TEST_F(FileIoTest, AFullDiskKeepsTheOldFileWhole) {
    Put(file_, "the good document");
    // A file size limit makes writes fail as a full disk does; the child process takes it.
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4, 4};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const std::string error = ReplaceFileAtomically(file_, "a longer document that does not fit");
        ::_exit(error.find("cannot write") != std::string::npos ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(Get(file_), "the good document");
    EXPECT_EQ(Names(), std::set<std::string>{"out.pdf"});
}

TEST_F(FileIoTest, TemporariesOfKilledRunsAreRemovedByTheNextWrite) {
    const std::string dead = ".out.pdf.tmp." + std::to_string(DeadPid()) + ".1f2e";
    const std::string alive = ".out.pdf.tmp." + std::to_string(::getppid()) + ".1f2e";
    const std::string other = ".other.tmp." + std::to_string(DeadPid()) + ".1f2e";
    for (const auto& name : {dead, alive, other})
        Put(folder_ / name, "left over");
    ASSERT_EQ(ReplaceFileAtomically(file_, "x"), "");
    EXPECT_EQ(Names(), (std::set<std::string>{"out.pdf", alive, other}));
}

TEST_F(FileIoTest, AReadOnlyFileIsNotReplaced) {
    Put(file_, "kept");
    ASSERT_EQ(::chmod(file_.c_str(), 0444), 0);
    const std::string error = ReplaceFileAtomically(file_, "replaced");
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_EQ(Get(file_), "kept");
    EXPECT_EQ(Names(), std::set<std::string>{"out.pdf"});

    ASSERT_EQ(::chmod(file_.c_str(), 0640), 0); // writable again: replaced, mode kept
    ASSERT_EQ(ReplaceFileAtomically(file_, "replaced"), "");
    struct stat info {};
    ASSERT_EQ(::stat(file_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    std::filesystem::create_directory(folder_ / "dir");
    const std::string refused = ReplaceFileAtomically(folder_ / "dir", "x");
    EXPECT_NE(refused, "");
    // Named once, whoever adds the name.
    EXPECT_EQ(NamingFile(folder_ / "dir", refused), refused);
    EXPECT_EQ(NamingFile(folder_ / "dir", "out of memory"), (folder_ / "dir").string() + ": out of memory");
}

TEST_F(FileIoTest, AFileThatCannotBeMadeIsNamedAsAsked) {
    // Not by the hidden temporary name beside it, which the user never gave.
    const std::filesystem::path missing = folder_ / "no" / "such" / "x.ics";
    const std::string error = ReplaceFileAtomically(missing, "x");
    EXPECT_NE(error.find(missing.string()), std::string::npos) << error;
    EXPECT_EQ(error.find(".tmp."), std::string::npos) << error;
    EXPECT_EQ(NamingFile(missing, error), error);
}

TEST_F(FileIoTest, TheLockKeepsASecondHolderWaiting) {
    auto lock = std::make_unique<FileLock>(file_);
    ASSERT_TRUE(lock->ok()) << lock->error();
    std::atomic<bool> second_taken{false};
    std::thread second([&] {
        FileLock again(file_);
        second_taken = again.ok();
    });
    ::usleep(200 * 1000);
    EXPECT_FALSE(second_taken); // still waiting while the first lock is held
    lock.reset();
    second.join();
    EXPECT_TRUE(second_taken);

    std::filesystem::create_symlink(folder_ / "elsewhere", FileLock::LockPath(folder_ / "cfg"));
    EXPECT_FALSE(FileLock(folder_ / "cfg").ok()); // a planted link is not followed
    EXPECT_FALSE(std::filesystem::exists(folder_ / "elsewhere"));
}

} // namespace
} // namespace base
