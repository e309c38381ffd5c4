// The console table of Google Benchmark, remembering each benchmark's time
// so that a program can print ratios between benchmarks of the same run
// (shared machines are noisy; ratios within one run are what we compare).
#pragma once

#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <string>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs)
            if (run.run_type == Run::RT_Iteration) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }

    // Prints "label: a / b" when both ran.
    void PrintRatio(const std::string& label, const std::string& a, const std::string& b) const {
        auto ia = times_.find(a), ib = times_.find(b);
        if (ia == times_.end() || ib == times_.end() || ib->second <= 0) return;
        std::cout << "  " << label << ": " << ia->second / ib->second << '\n';
    }

private:
    std::map<std::string, double> times_;
};
