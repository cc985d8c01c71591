// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The console table of Google Benchmark, keeping one figure per benchmark for the ratio lines
// that a program prints after it: the median of the repetitions when the benchmark ran more
// than once (--benchmark_repetitions), else its single run. The other aggregate rows (mean,
// standard deviation, coefficient of variation) and failed runs are never taken.

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace bench {

class FigureReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            Keep(run);
        ConsoleReporter::ReportRuns(runs);
    }

    // Processor time of one iteration in seconds, by the benchmark's function name.
    std::optional<double> CpuSeconds(const std::string& name) const {
        const Figure* figure = Find(name);
        if (figure == nullptr) return std::nullopt;
        return figure->cpu_seconds;
    }

    // A counter that the benchmark set, after Google Benchmark's own arithmetic on it.
    std::optional<double> Counter(const std::string& name, const std::string& counter) const {
        const Figure* figure = Find(name);
        if (figure == nullptr) return std::nullopt;
        const auto it = figure->counters.find(counter);
        if (it == figure->counters.end()) return std::nullopt;
        return it->second;
    }

private:
    struct Figure {
        bool median = false;
        double cpu_seconds = 0;
        std::map<std::string, double> counters;
    };

    void Keep(const Run& run) {
        if (run.error_occurred) return;
        const bool median = run.run_type == Run::RT_Aggregate;
        if (median && run.aggregate_name != "median") return;
        Figure& figure = figures_[run.run_name.function_name];
        // A repetition's own row never replaces the median of all of them.
        if (figure.median && !median) return;
        figure.median = median;
        figure.cpu_seconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        figure.counters.clear();
        for (const auto& [key, counter] : run.counters)
            figure.counters[key] = counter.value;
    }

    const Figure* Find(const std::string& name) const {
        const auto it = figures_.find(name);
        return it == figures_.end() ? nullptr : &it->second;
    }

    std::map<std::string, Figure> figures_;
};

} // namespace bench
