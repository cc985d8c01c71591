// SPDX-License-Identifier: GPL-3.0-or-later
// qelmarin-cli ics over the whole day file, 1901-01-01 … 2100-12-31, with every kind of
// note: the events streamed through libical one by one (what the command does), and for
// comparison one year held as a whole libical tree, whose size tells what two hundred years
// held at once would take. Reports events, bytes and the process's peak resident memory.
// Run: build/bench/ics_bench

#include "base/reporter.h"
#include "host/day_calendar.h"
#include "host/host_folder.h"
#include "print/ical_stream.h"
#include "print/notes_run.h"

#include <benchmark/benchmark.h>
#include <libical/ical.h>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

// A host folder with the real almanac of 1901 … 2100 (as kalvorin-host init makes it).
const fs::path& HostFolder() {
    static const fs::path folder = [] {
        const fs::path path = fs::temp_directory_path() / ("qelmarin-ics-bench-" + std::to_string(::getpid()));
        host::HostFolderOptions options;
        options.folder = path;
        options.eto = 7;
        options.holidays_from = 1948;
        options.holidays_to = 2100;
        const host::DayCalendar calendar(1901, 2100);
        const std::string error = host::MakeHostFolder(options, calendar);
        if (!error.empty()) std::fprintf(stderr, "%s\n", error.c_str());
        return path;
    }();
    return folder;
}

// The heap in use now (glibc's count of allocated bytes), so that memory freed by an
// earlier benchmark and kept by the allocator does not hide what a tree takes.
double HeapMegabytes() {
    return static_cast<double>(::mallinfo2().uordblks) / (1024.0 * 1024.0);
}

double PeakResidentMegabytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

print::NotesRequest EveryNote(int first_year, int last_year) {
    print::NotesRequest request;
    request.host_folder = HostFolder();
    request.from = {first_year, 1, 1};
    request.to = {last_year, 12, 31};
    request.notes = almanac::NoteSet().set();
    return request;
}

// The command's path: every event serialised and written as it is made (here to a file).
void BM_IcsEveryNote1901To2100Streamed(benchmark::State& state) {
    const print::NotesRequest request = EveryNote(1901, 2100);
    const fs::path out_path = HostFolder() / "all.ics";
    long events = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::FILE* out = std::fopen(out_path.c_str(), "wb");
        bytes = 0;
        print::IcalStream stream(
            [&](std::string_view text) {
                bytes += text.size();
                return std::fwrite(text.data(), 1, text.size(), out) == text.size();
            },
            "bench", 0);
        base::RecordingReporter reporter;
        stream.Begin();
        print::ForEachDayNotes(request, reporter,
                               [&](const print::CivilDay& d, const std::vector<almanac::DayNote>& day) {
                                   for (const almanac::DayNote& note : day)
                                       stream.Add(d.year, d.month, d.day, note);
                                   return true;
                               });
        stream.End();
        std::fclose(out);
        events = stream.events();
    }
    state.counters["events"] = static_cast<double>(events);
    state.counters["MB_written"] = static_cast<double>(bytes) / 1e6;
    state.counters["peak_RSS_MB"] = PeakResidentMegabytes();
}
BENCHMARK(BM_IcsEveryNote1901To2100Streamed)->Unit(benchmark::kSecond)->Iterations(1);

// One year as one libical tree: the memory it holds, per event and scaled to 1901 … 2100.
void BM_IcsOneYearAsAWholeTree(benchmark::State& state) {
    const print::NotesRequest request = EveryNote(2027, 2027);
    long events = 0;
    double tree_mb = 0;
    for (auto _ : state) {
        const double before = HeapMegabytes();
        icalcomponent* calendar = icalcomponent_new_vcalendar();
        base::RecordingReporter reporter;
        print::ForEachDayNotes(
            request, reporter, [&](const print::CivilDay& d, const std::vector<almanac::DayNote>& day) {
                for (const almanac::DayNote& note : day) {
                    // The same event as the stream writes, kept in the tree instead.
                    std::string text;
                    print::IcalStream one([&](std::string_view t) { return text.append(t), true; }, "", 0);
                    one.Add(d.year, d.month, d.day, note);
                    icalcomponent_add_component(calendar, icalcomponent_new_from_string(text.c_str()));
                    ++events;
                }
                return true;
            });
        tree_mb = HeapMegabytes() - before;
        icalcomponent_free(calendar);
    }
    state.counters["events"] = static_cast<double>(events);
    state.counters["tree_MB"] = tree_mb;
    state.counters["tree_MB_for_1901_2100"] = tree_mb * 200;
}
BENCHMARK(BM_IcsOneYearAsAWholeTree)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(HostFolder(), ec);
    return 0;
}
