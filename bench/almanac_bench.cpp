// SPDX-License-Identifier: GPL-3.0-or-later
// The whole day file: decode every record, name every named day and evaluate the fortune.
// Run: build/bench/almanac_bench

#include "almanac/day_file.h"
#include "almanac/fortune.h"
#include "almanac/named_days.h"
#include "almanac/test_day_file.h"
#include "base/reporter.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::vector<char>& DayFileBytes() {
    static const std::vector<char> bytes = [] {
        fs::path path = fs::temp_directory_path() / ("qelmarin-bench-" + std::to_string(::getpid()) + ".DAT");
        almanac::testing::WriteSyntheticDayFile(path);
        std::ifstream in(path, std::ios::binary);
        std::vector<char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        fs::remove(path);
        return b;
    }();
    return bytes;
}

// Every record decoded, its named days listed and its fortune evaluated (birth sign 7).
void BM_WholeFileNotesAndFortune(benchmark::State& state) {
    const std::vector<char>& bytes = DayFileBytes();
    const std::size_t records = bytes.size() / almanac::kRecordSize;
    for (auto _ : state) {
        long names = 0, net = 0;
        almanac::FortuneWork work;
        for (std::size_t i = 0; i < records; ++i) {
            almanac::RawRecord raw;
            std::copy_n(bytes.data() + i * almanac::kRecordSize, almanac::kRecordSize, raw.begin());
            const almanac::DayRecord day = almanac::DecodeRecord(raw);
            names += static_cast<long>(almanac::NamedDaysOf(day, almanac::MakeDayKeys(day, 7, day.YearCycle)).size());
            net += almanac::EvaluateDayFortune(day, 7, day.YearCycle, work);
        }
        benchmark::DoNotOptimize(names);
        benchmark::DoNotOptimize(net);
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * records));
}
BENCHMARK(BM_WholeFileNotesAndFortune)->Unit(benchmark::kMillisecond);

// The same through the month loader, as the pages read the file: 2,400 months.
void BM_LoadEveryMonth(benchmark::State& state) {
    fs::path path = fs::temp_directory_path() / ("qelmarin-bench-months-" + std::to_string(::getpid()) + ".DAT");
    {
        std::ofstream out(path, std::ios::binary);
        out.write(DayFileBytes().data(), static_cast<std::streamsize>(DayFileBytes().size()));
    }
    almanac::DayFile file(path);
    base::StderrReporter reporter;
    almanac::MonthDays days{};
    for (auto _ : state) {
        for (int y = almanac::kFirstYear; y <= almanac::kLastYear; ++y)
            for (int m = 1; m <= 12; ++m) file.LoadMonth(days, y, m, almanac::DaysInMonth(y, m), reporter);
        benchmark::DoNotOptimize(days);
    }
    fs::remove(path);
}
BENCHMARK(BM_LoadEveryMonth)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
