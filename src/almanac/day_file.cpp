// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/day_file.h"

#include "almanac/calendar_math.h"
#include "base/file_io.h"
#include "base/i18n.h"
#include "base/reporter.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace almanac {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// The loader's message "Error" (also its caption), with the file and the reason on the
// lines below, where every desktop shows them.
void ReportError(base::Reporter& reporter, const std::filesystem::path& path, const char* what, int err) {
    std::string text = "Error\r" + path.string() + ": " + base::Translate(what);
    if (err != 0) {
        text += ": ";
        text += std::strerror(err);
    }
    reporter.ShowMessage(text, "Error");
}

constexpr const char* kTooShort = N_("file too short: it ends before 2100-12-31");

// Reads one record; returns the number of bytes read (15 unless the file ends).
std::size_t ReadRecord(std::FILE* f, RawRecord& raw) { return std::fread(raw.data(), 1, raw.size(), f); }

} // namespace

bool DayFile::LoadMonth(MonthDays& days, int year, int month, int day_count, base::Reporter& reporter) const {
    if (year < kFirstYear || year > kLastYear || month < 1 || month > 12) return false;
    day_count = std::clamp(day_count, 0, 31);

    const std::int32_t first = FileYearOffsets().RecordIndex(year, month, 1);
    const long offset = 15L * first;

    // Opened without waiting, and refused unless a regular file: a named pipe in its place
    // would otherwise hang the run.
    std::string error;
    const int fd = base::OpenRegularFile(path_, &error);
    if (fd < 0) {
        reporter.ShowMessage("Error\r" + error, "Error");
        return false;
    }
    std::unique_ptr<std::FILE, FileCloser> file(::fdopen(fd, "rb"));
    if (!file) {
        ::close(fd);
        ReportError(reporter, path_, N_("cannot open"), errno);
        return false;
    }
    std::FILE* f = file.get();

    if (first == 0) {
        days[0] = DayRecord{}; // January 1901 has no day before it in the file
    } else {
        RawRecord raw;
        if (std::fseek(f, offset - kRecordSize, SEEK_SET) != 0) {
            ReportError(reporter, path_, N_("cannot seek"), errno);
            return false;
        }
        if (ReadRecord(f, raw) != raw.size()) {
            ReportError(reporter, path_, kTooShort, std::ferror(f) ? errno : 0);
            return false;
        }
        days[0] = DecodeRecord(raw);
    }

    if (std::fseek(f, offset, SEEK_SET) != 0) {
        ReportError(reporter, path_, N_("cannot seek"), errno);
        return false;
    }
    for (int i = 1; i <= day_count; ++i) {
        RawRecord raw;
        std::size_t n = ReadRecord(f, raw);
        if (n != raw.size()) {
            if (std::ferror(f)) {
                ReportError(reporter, path_, N_("cannot read"), errno);
                return false;
            }
            // The file ends inside the month: the days it lacks are not made up. The
            // caption names no date, so that a run over many months shows it once.
            std::fill(days.begin() + i, days.begin() + day_count + 1, DayRecord{});
            ReportError(reporter, path_, kTooShort, 0);
            return false;
        }
        DayRecord r = DecodeRecord(raw);
        // Past the month's last day stands the next month's first record. Within the month a
        // record of another month is damage, and is told below.
        if (i > FileDaysInMonth(year, month)) break;
        if (r.Date != year * 10000 + month * 100 + i) {
            // A damaged file, or not a day file at all: the days are left empty rather than
            // filled with whatever the bytes decode to. The caption names no date, so that a
            // run over many months can show it once.
            std::fill(days.begin() + i, days.begin() + day_count + 1, DayRecord{});
            ReportError(reporter, path_, N_("not a day file: its records do not hold the dates they should"), 0);
            return false;
        }
        days[static_cast<std::size_t>(i)] = r;
    }
    return true;
}

bool DayFile::CheckWhole(base::Reporter& reporter) const {
    std::string error;
    const int fd = base::OpenRegularFile(path_, &error);
    if (fd < 0) {
        reporter.ShowMessage("Error\r" + error, "Error");
        return false;
    }
    struct stat info {};
    const bool known = ::fstat(fd, &info) == 0;
    const int err = errno;
    ::close(fd);
    if (!known) {
        ReportError(reporter, path_, N_("cannot read"), err);
        return false;
    }
    const std::int64_t records = FileYearOffsets().RecordIndex(kLastYear, 12, 31) + 1;
    if (info.st_size < records * kRecordSize) {
        ReportError(reporter, path_, kTooShort, 0);
        return false;
    }
    return true;
}

} // namespace almanac
