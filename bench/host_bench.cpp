// SPDX-License-Identifier: GPL-3.0-or-later
// The host's computation: the events of 1901 … 2100, the almanac of every day from them, and
// the bytes of the whole day file. Run: build/bench/host_bench

#include <benchmark/benchmark.h>

#include "host/almanac_events.h"
#include "host/civil_date.h"
#include "host/day_calendar.h"
#include "host/day_file.h"
#include "host/event_search.h"

namespace {

// The whole 200-year file, from nothing: every event, every day, every record.
void BM_WholeDayFile(benchmark::State& state) {
    for (auto _ : state) {
        const host::DayCalendar calendar(host::kDayFileFirstYear, host::kDayFileLastYear);
        benchmark::DoNotOptimize(host::DayFileBytes(calendar));
    }
    state.counters["records"] = host::kDayFileRecords;
}
BENCHMARK(BM_WholeDayFile)->Unit(benchmark::kSecond)->Iterations(1);

// The parts of it: one year of solar longitudes, one year of new moons.
void BM_SolarEventsOfAYear(benchmark::State& state) {
    const double from = host::JdnFromCivil({2030, 1, 1}) - 0.5;
    for (auto _ : state)
        benchmark::DoNotOptimize(host::SolarEventsBetween(from, from + 365.25));
}
BENCHMARK(BM_SolarEventsOfAYear)->Unit(benchmark::kMillisecond);

void BM_NewMoonsOfAYear(benchmark::State& state) {
    const double from = host::JdnFromCivil({2030, 1, 1}) - 0.5;
    for (auto _ : state)
        benchmark::DoNotOptimize(host::NewMoonsBetween(from, from + 365.25));
}
BENCHMARK(BM_NewMoonsOfAYear)->Unit(benchmark::kMillisecond);

// The days from events computed once: what is left after the astronomy.
void BM_DaysFromEvents(benchmark::State& state) {
    const host::AlmanacEvents events = host::ComputeAlmanacEvents(host::kDayFileFirstYear, host::kDayFileLastYear);
    for (auto _ : state) {
        const host::DayCalendar calendar(host::kDayFileFirstYear, host::kDayFileLastYear, events);
        benchmark::DoNotOptimize(calendar.days().data());
    }
}
BENCHMARK(BM_DaysFromEvents)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
