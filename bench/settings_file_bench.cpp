// SPDX-License-Identifier: GPL-3.0-or-later
// Kalvorin.CFG at the size limit, filled with what costs the most lines: blank lines or
// one-character lines (15 MB each), then the few real sections. Parsing it, a batch edit of
// the kind a settings window saves, a year of holidays written through the file (read,
// edit, replace under the lock) and a month's settings read: each should cost a few times
// the copying of the file and no more memory than a few copies of it.
// Run: build/bench/settings_file_bench

#include <benchmark/benchmark.h>

#include "base/reporter.h"
#include "config/config_file.h"
#include "config/holidays.h"
#include "config/profile_document.h"
#include "config/settings.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

constexpr std::size_t kFillBytes = 15'000'000;

// The sections a host folder has, then 15 MB of "\r\n" (kind 0) or of "x\r\n" (kind 1): each
// edit of a section moves the whole filler, the worst place for it.
std::string FilledText(int kind) {
    const std::string line = kind == 0 ? "\r\n" : "x\r\n";
    std::string text = "[UNSEI]\r\nETO=7\r\nStart Youbi=0\r\n\r\n[PRINT 1]\r\nUp Space=10\r\n";
    text.reserve(text.size() + kFillBytes);
    for (std::size_t filled = 0; filled + line.size() <= kFillBytes; filled += line.size())
        text += line;
    return text;
}

// A temporary folder holding a Kalvorin.CFG of the text; removed with the object.
class FilledFolder {
public:
    explicit FilledFolder(int kind) {
        std::string pattern = (std::filesystem::temp_directory_path() / "qelmarin-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        folder_ = pattern;
        std::ofstream(path(), std::ios::binary) << FilledText(kind);
    }
    ~FilledFolder() {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    std::filesystem::path path() const { return folder_ / "Kalvorin.CFG"; }
    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path folder_;
};

// Forty values in a new section and in an existing one, as one save of the print settings.
std::vector<config::ConfigFile::Entry> SaveBatch() {
    std::vector<config::ConfigFile::Entry> entries;
    for (int i = 0; i < 20; ++i) {
        entries.push_back({"PRINT 1", "Key" + std::to_string(i), std::to_string(i)});
        entries.push_back({"PRINT 9", "Key" + std::to_string(i), std::to_string(i)});
    }
    return entries;
}

void BM_ParseFilledFile(benchmark::State& state) {
    const std::string text = FilledText(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        config::ProfileDocument doc(text);
        benchmark::DoNotOptimize(doc.Find("PRINT 1", "Up Space"));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseFilledFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_EditFilledDocument(benchmark::State& state) {
    const config::ProfileDocument start(FilledText(static_cast<int>(state.range(0))));
    const std::vector<config::ConfigFile::Entry> batch = SaveBatch();
    for (auto _ : state) {
        config::ProfileDocument doc = start;
        for (const auto& entry : batch)
            doc.Set(entry.section, entry.key, entry.value);
        benchmark::DoNotOptimize(doc.bytes().data());
    }
}
BENCHMARK(BM_EditFilledDocument)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Through the file: one save of forty values, then a year of holidays.
void BM_SaveToFilledFile(benchmark::State& state) {
    const FilledFolder folder(static_cast<int>(state.range(0)));
    base::RecordingReporter reporter;
    config::ConfigFile file(folder.path(), &reporter);
    const std::vector<config::ConfigFile::Entry> batch = SaveBatch();
    int round = 0;
    for (auto _ : state) {
        std::vector<config::ConfigFile::Entry> entries = batch;
        for (auto& entry : entries)
            entry.value += std::to_string(++round);
        if (!file.WriteStrings(entries)) state.SkipWithError("the save failed");
    }
}
BENCHMARK(BM_SaveToFilledFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_HolidaysOfAYearInFilledFile(benchmark::State& state) {
    const FilledFolder folder(static_cast<int>(state.range(0)));
    base::RecordingReporter reporter;
    config::ConfigFile file(folder.path(), &reporter);
    int year = 2000;
    for (auto _ : state) {
        config::HolidayTable table;
        config::LoadHolidays(file, year, table);
        table.Mark(1, 1, true);
        table.Mark(5, 3, true);
        if (!config::SaveHolidays(file, year++, table)) state.SkipWithError("the save failed");
    }
}
BENCHMARK(BM_HolidaysOfAYearInFilledFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// Every setting read, as a run starts.
void BM_LoadSettingsFromFilledFile(benchmark::State& state) {
    const FilledFolder folder(static_cast<int>(state.range(0)));
    base::RecordingReporter reporter;
    const config::ConfigFile file(folder.path(), &reporter);
    for (auto _ : state)
        benchmark::DoNotOptimize(config::LoadSettings(file, folder.folder()));
}
BENCHMARK(BM_LoadSettingsFromFilledFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
