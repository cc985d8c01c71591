// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/host_folder.h"

#include "almanac/day_file.h"
#include "base/file_io.h"
#include "base/file_lock.h"
#include "base/i18n.h"
#include "base/reporter.h"
#include "base/sjis.h"
#include "config/config_file.h"
#include "config/host_location.h"
#include "host/day_file.h"
#include "host/holiday_writer.h"
#include "host/national_holidays.h"
#include "pictures/commentary_db.h"
#include "pictures/demo_content.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <optional>
#include <system_error>
#include <vector>

namespace host {

const char* const kReadMeText =
    "Qelmarin 印刷モジュールについて\n"
    "\n"
    "このフォルダは Kalvorin の作業フォルダです。印刷モジュール Qelmarin は、ここにある\n"
    "Kalvorin.CFG（設定）、UNSEI.DAT（1901年から2100年までの暦の毎日のデータ）と\n"
    "解説文データベースを読んで、暦のページを印刷します。\n"
    "\n"
    "印刷できるもの\n"
    "  暦      ひと月のカレンダー。六曜・干支・旧暦・節季・雑節・吉凶・運気を書き込みます。\n"
    "  一覧    ひと月の暦注を一日一行に並べた一覧と、日の出・日の入り。\n"
    "  日めくり  一日一枚の日めくり。月の絵か七十二候の絵を付けます。\n"
    "  はり紙  月の絵と小さなカレンダーのはり紙。\n"
    "  解説    吉凶・七十二候・二十八宿・十二直の解説文。\n"
    "\n"
    "使い方\n"
    "  1. 八つの書式のボタンから一つを選び、年と、最初の月・最後の月を選びます。\n"
    "  2. 確認のボタンで最初のページを画面で確かめ、印刷のボタンで印刷します。\n"
    "  3. 余白や印刷する項目は印刷設定のボタンで、月の絵は月の絵のボタンで変えられます。\n"
    "  4. 休日のボタンで一年の休日を見られます。日を押すと休日の印を付けたり外したりできます。\n"
    "\n"
    "生まれ年（干支）、週の始まり、場所（緯度・経度・標高）、元号は Kalvorin 側で登録します。\n"
    "生まれ年が登録されていないと、起動したときにその知らせが出ます。\n";

namespace {

constexpr std::size_t kMaxDirBytes = 259;

std::string ToCrlf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

bool IsNonEmptyFolder(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_directory(folder, error) &&
           std::filesystem::directory_iterator(folder, error) != std::filesystem::directory_iterator();
}

std::filesystem::path AbsoluteFolder(const std::filesystem::path& folder) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(folder, error);
    return (error ? folder : absolute).lexically_normal();
}

// The folder's absolute path as "DIR" holds it: without a trailing separator (the module
// strips one anyway).
std::string DirValue(const std::filesystem::path& folder) {
    std::string dir = folder.string();
    while (dir.size() > 1 && dir.back() == '/') {
        dir.pop_back();
    }
    return dir;
}

// The names of the files a host folder is made of; the settings file is moved into place
// last of all, so that a folder whose Kalvorin.CFG names it is whole.
bool IsPictureName(const std::string& name) {
    if (name == pictures::kCommentaryIndexFile || name == pictures::kCommentaryDataFile) return true;
    for (int month = 1; month <= 12; ++month)
        if (name == pictures::DemoMonthPictureName(month)) return true;
    return false;
}

// A folder holding only what a failed making of it left: no UNSEI.DAT (written after the
// settings file, in runs of old), nothing but the files a host folder is made of and hidden
// files (locks, temporaries of writes), and a Kalvorin.CFG, if any, that was made for this
// folder (its DIR names it).
bool HoldsOnlyLeftovers(const std::filesystem::path& folder) {
    std::error_code error;
    if (std::filesystem::exists(folder / almanac::kDayFileName, error)) return false;
    const config::ConfigFile cfg(folder / config::kConfigFileName);
    if (cfg.exists() && cfg.ReadString("UNSEI", "DIR", "") != DirValue(folder)) return false;
    std::filesystem::directory_iterator entries(folder, error);
    if (error) return false;
    for (const auto& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (name != config::kConfigFileName && name != "ReadMe2.TXT" && !IsPictureName(name) && !name.starts_with("."))
            return false;
    }
    return true;
}

// One making of a host folder at a time in a parent folder: an exclusive lock on the parent
// folder itself, held while the folder is checked, made and moved into place, and let go by
// the system when the process ends, however it ends. A second `init` of the same folder
// waits, then finds the folder made.
class MakingLock {
public:
    explicit MakingLock(const std::filesystem::path& parent)
        : fd_(::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ < 0) return;
        int status;
        while ((status = ::flock(fd_, LOCK_EX)) != 0 && errno == EINTR) {
        }
        if (status != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~MakingLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    MakingLock(const MakingLock&) = delete;
    MakingLock& operator=(const MakingLock&) = delete;
    bool ok() const { return fd_ >= 0; }

private:
    int fd_;
};

// The work folder beside the host folder, ".NAME.making-XXXXXX", where the files are made
// before they are moved into place; removed unless everything in it was moved. One left by
// a run that was killed is removed by the next (made under the making lock, so no other
// run's work folder is live then); a folder whose name only begins the same way is not one.
class WorkFolder {
public:
    explicit WorkFolder(const std::filesystem::path& folder) {
        const std::string prefix = "." + folder.filename().string() + ".making-";
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder.parent_path(), error)) {
            const std::string name = entry.path().filename().string();
            const bool made_here = name.size() == prefix.size() + 6 && name.starts_with(prefix) &&
                                   std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                                               [](unsigned char c) { return std::isalnum(c) != 0; });
            std::error_code kind_error;
            if (made_here && entry.is_directory(kind_error) && !entry.is_symlink(kind_error))
                std::filesystem::remove_all(entry.path(), error);
        }
        std::string pattern = (folder.parent_path() / (prefix + "XXXXXX")).string();
        if (!::mkdtemp(pattern.data())) return;
        path_ = pattern;
        // It becomes the folder: the permissions a folder made by mkdir gets, not mkdtemp's.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::chmod(path_.c_str(), 0777 & ~mask);
    }
    ~WorkFolder() {
        std::error_code error;
        if (!path_.empty()) std::filesystem::remove_all(path_, error);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // The folder became the host folder itself.
    void Release() { path_.clear(); }

private:
    std::filesystem::path path_;
};

} // namespace

std::string HostFolderRefusal(const HostFolderOptions& options) {
    const std::filesystem::path folder = AbsoluteFolder(options.folder);
    // The path goes into Kalvorin.CFG, which is CP932: a name it cannot hold (an accent, an
    // emoji) is refused before anything is made.
    if (!base::Utf8ToCp932(DirValue(folder))) {
        return base::Format(_("the folder's path %s has characters that Kalvorin.CFG (Shift-JIS) cannot hold"),
                            folder.c_str());
    }
    if (!base::Utf8ToCp932(options.era_name)) {
        return base::Format(_("the era name %s has characters that Kalvorin.CFG (Shift-JIS) cannot hold"),
                            options.era_name.c_str());
    }
    if (base::Cp932Length(DirValue(folder)) > kMaxDirBytes) {
        return base::Format(_("the folder's path is longer than the %d bytes the module holds"), static_cast<int>(kMaxDirBytes));
    }
    std::error_code error;
    if (options.force || (std::filesystem::is_directory(folder, error) && HoldsOnlyLeftovers(folder))) return {};
    if (std::filesystem::exists(folder / "Kalvorin.CFG", error)) {
        return base::Format(_("%s exists; use --force to write into it"), (folder / "Kalvorin.CFG").c_str());
    }
    if (std::filesystem::exists(folder, error) && !std::filesystem::is_directory(folder, error)) {
        return base::Format(_("%s exists and is not a folder"), folder.c_str());
    }
    if (IsNonEmptyFolder(folder)) return base::Format(_("%s exists and is not empty; use --force"), folder.c_str());
    return {};
}

std::string WriteDemoPictures(const std::filesystem::path& folder) {
    // Pictures the user already has (a folder made before, or pictures chosen since) are
    // kept: the samples go only where there are none.
    base::RecordingReporter reporter;
    std::error_code error;
    if (!std::filesystem::exists(folder / pictures::DemoMonthPictureName(1), error) &&
        !pictures::WriteDemoMonthPictures(folder, reporter))
        return reporter.messages().empty() ? _("cannot write the month pictures") : reporter.messages().front().text;
    if (!std::filesystem::exists(folder / "Kalvo標準.DAT", error) &&
        !pictures::WriteDemoCommentaryDatabase(folder, reporter))
        return reporter.messages().empty() ? _("cannot write the commentary database") : reporter.messages().front().text;
    return {};
}

std::string MakeFullHostFolder(HostFolderOptions options) {
    // The years past the law's last change are that law carried forward.
    options.holidays_from = std::max(kFirstHolidayYear, kDayFileFirstYear);
    options.holidays_to = kDayFileLastYear;
    // Refused before two centuries of almanac are computed.
    if (std::string refusal = HostFolderRefusal(options); !refusal.empty()) return refusal;
    const DayCalendar calendar(kDayFileFirstYear, kDayFileLastYear);
    return MakeHostFolder(options, calendar);
}

std::string MakeHostFolder(const HostFolderOptions& options, const DayCalendar& calendar) {
    if (std::string refusal = HostFolderRefusal(options); !refusal.empty()) return refusal;
    const std::filesystem::path folder = AbsoluteFolder(options.folder);
    const std::filesystem::path cfg_path = folder / config::kConfigFileName;
    std::error_code error;
    std::filesystem::create_directories(folder.parent_path(), error);
    if (error) return base::Format(_("cannot make %s: %s"), folder.parent_path().c_str(), error.message().c_str());
    const MakingLock making(folder.parent_path());
    if (!making.ok()) return base::Format(_("cannot make %s: %s"), folder.c_str(), std::strerror(errno));
    // Checked again under the lock: another run may have made the folder meanwhile.
    if (std::string refusal = HostFolderRefusal(options); !refusal.empty()) return refusal;
    WorkFolder work(folder);
    if (work.path().empty())
        return base::Format(_("cannot make a folder beside %s: %s"), folder.c_str(), std::strerror(errno));
    const bool existing = IsNonEmptyFolder(folder);
    // A failure names the file as it would have been in the folder, on one line.
    auto said = [&](std::string text) {
        const std::string work_name = work.path().string();
        for (std::size_t at; (at = text.find(work_name)) != std::string::npos;)
            text.replace(at, work_name.size(), folder.string());
        for (std::size_t at; (at = text.find('\r')) != std::string::npos;) text.replace(at, 1, ": ");
        return text;
    };

    // The settings: the folder's own Kalvorin.CFG with the keys of "UNSEI" and the holidays
    // written into it, made while its lock is held, so that no other writer's change made
    // meanwhile is lost when it is replaced.
    std::optional<base::FileLock> lock;
    if (existing) {
        lock.emplace(cfg_path);
        if (!lock->ok()) return base::Format(_("cannot write the settings file: %s"), lock->error().c_str());
        const base::FileRead old = base::ReadFileBounded(cfg_path, config::ConfigFile::kMaxFileBytes);
        if (old.status == base::FileRead::Status::TooLarge)
            return base::Format(_("%s: the settings file is too large (at most 16 MiB)"), cfg_path.c_str());
        if (old.status == base::FileRead::Status::Failed) return old.error;
        if (std::string problem = config::UnreadableSettingsProblem(cfg_path, old.bytes); !problem.empty()) return problem;
        if (old.status == base::FileRead::Status::Ok) {
            if (std::string failure = base::ReplaceFileAtomically(work.path() / config::kConfigFileName, old.bytes);
                !failure.empty())
                return said(failure);
        }
    }
    base::RecordingReporter reporter;
    config::ConfigFile cfg(work.path() / config::kConfigFileName, &reporter);
    auto with_reason = [&reporter, &said](std::string text) {
        if (!reporter.messages().empty()) text += ": " + reporter.messages().back().text;
        return said(text);
    };
    const std::vector<config::ConfigFile::Entry> unsei = {
        {"UNSEI", "ETO", std::to_string(options.eto)},
        {"UNSEI", "Start Youbi", std::to_string(options.start_weekday)},
        {"UNSEI", "DIR", DirValue(folder)},
        {"UNSEI", "GENGO NAME", options.era_name},
        {"UNSEI", "GENGO YEAR", std::to_string(options.era_year)},
        {"UNSEI", "Font Height", "-16"},
        {"UNSEI", "Font Name", "@ＭＳ ゴシック"},
        {"UNSEI", "IDO", options.latitude},
        {"UNSEI", "KEIDO", options.longitude},
        {"UNSEI", "HYOUKOU", std::to_string(options.elevation)},
    };
    if (!cfg.WriteStrings(unsei)) return with_reason("cannot write section UNSEI of " + cfg_path.string());
    if (options.holidays_from != 0) {
        const std::string failure = WriteNationalHolidays(cfg, options.holidays_from, options.holidays_to);
        if (!failure.empty()) return with_reason(failure);
    }
    std::filesystem::remove(base::FileLock::LockPath(cfg.path()), error);

    // The other files, made whole beside the folder.
    std::string failure = WriteDayFile(work.path() / almanac::kDayFileName, calendar);
    if (!failure.empty()) return said(failure);
    const std::optional<std::string> readme = base::Utf8ToCp932(ToCrlf(kReadMeText));
    if (!readme) return _("the help text has a character CP932 lacks");
    failure = base::ReplaceFileAtomically(work.path() / "ReadMe2.TXT", *readme);
    if (!failure.empty()) return said(failure);
    // Pictures the user already has (a folder made before, or pictures chosen since) are
    // kept: the samples go only where there are none.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(work.path(), error)) {
        const std::string name = entry.path().filename().string();
        if (name != config::kConfigFileName) names.push_back(name);
    }
    if (error) return base::Format(_("cannot read %s: %s"), work.path().c_str(), error.message().c_str());
    if (failure = WriteDemoPictures(work.path()); !failure.empty()) return said(failure);
    for (int month = 1; month <= 12; ++month)
        names.push_back(pictures::DemoMonthPictureName(month));
    names.push_back(std::string(pictures::kCommentaryIndexFile));
    names.push_back(std::string(pictures::kCommentaryDataFile));

    if (!existing) {
        // A new folder (or an empty one) appears whole in one rename.
        if (::rename(work.path().c_str(), folder.c_str()) != 0)
            return base::Format(_("cannot rename %s: %s"), folder.c_str(), std::strerror(errno));
        work.Release();
        return {};
    }
    // Into a folder that has files: every file checked first, then moved in one by one, the
    // settings file last.
    std::vector<std::string> moves;
    for (const std::string& name : names) {
        if (IsPictureName(name) && std::filesystem::exists(std::filesystem::symlink_status(folder / name, error)))
            continue;
        if (std::string problem = base::ReplaceableProblem(folder / name); !problem.empty()) return problem;
        moves.push_back(name);
    }
    if (std::string problem = base::ReplaceableProblem(cfg_path); !problem.empty()) return problem;
    moves.push_back(std::string(config::kConfigFileName));
    for (const std::string& name : moves)
        if (std::string failure = base::MoveFileIntoPlace(work.path() / name, folder / name); !failure.empty())
            return failure;
    return {};
}

} // namespace host
