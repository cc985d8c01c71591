// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/host_folder.h"

#include "base/i18n.h"
#include "base/reporter.h"
#include "pictures/demo_content.h"

#include <system_error>
#include <vector>

#include "base/sjis.h"
#include "config/config_file.h"
#include "base/file_io.h"
#include "host/day_file.h"
#include "host/holiday_writer.h"

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
    if (options.force) return {};
    std::error_code error;
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

std::string MakeHostFolder(const HostFolderOptions& options, const DayCalendar& calendar) {
    if (std::string refusal = HostFolderRefusal(options); !refusal.empty()) return refusal;
    const std::filesystem::path folder = AbsoluteFolder(options.folder);
    const std::string dir = DirValue(folder);
    const std::filesystem::path cfg_path = folder / "Kalvorin.CFG";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return base::Format(_("cannot make %s: %s"), folder.c_str(), error.message().c_str());

    base::RecordingReporter reporter;
    config::ConfigFile cfg(cfg_path, &reporter);
    auto with_reason = [&reporter](std::string text) {
        if (!reporter.messages().empty()) text += ": " + reporter.messages().back().text;
        return text;
    };
    const std::vector<config::ConfigFile::Entry> unsei = {
        {"UNSEI", "ETO", std::to_string(options.eto)},
        {"UNSEI", "Start Youbi", std::to_string(options.start_weekday)},
        {"UNSEI", "DIR", dir},
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

    std::string failure = WriteDayFile(folder / "UNSEI.DAT", calendar);
    if (!failure.empty()) return failure;

    const std::optional<std::string> readme = base::Utf8ToCp932(ToCrlf(kReadMeText));
    if (!readme) return _("the help text has a character CP932 lacks");
    failure = base::ReplaceFileAtomically(folder / "ReadMe2.TXT", *readme);
    if (!failure.empty()) return failure;
    return WriteDemoPictures(folder);
}

} // namespace host
