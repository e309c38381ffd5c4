// What ends a computation of quorvel-cli early: Ctrl+C (SIGINT), SIGTERM and
// the time limit of --time-limit. The runs ask it through the observer, so a
// run stops at its next statement and keeps the passes it completed.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "engine/RunObserver.h"

namespace qv::cli {

class RunLimits : public RunObserver {
public:
    // Catches SIGINT and SIGTERM until destroyed; the earlier handlers come
    // back then, so a signal after the computation ends the program as usual.
    explicit RunLimits(std::optional<double> timeLimitSeconds = std::nullopt);
    ~RunLimits() override;
    RunLimits(const RunLimits&) = delete;
    RunLimits& operator=(const RunLimits&) = delete;

    bool poll(int position) override;

    // A signal stopped the run: the caller writes nothing more.
    bool interrupted() const;
    // The time limit stopped the run: treated like a fault of the run.
    bool timedOut() const { return timedOut_; }
    // After a stopped run: prints why on stderr and returns the exit code
    // (130 for SIGINT, 143 for SIGTERM, 3 for the time limit).
    int reportStop() const;

private:
    std::optional<std::chrono::steady_clock::time_point> deadline_;
    bool timedOut_ = false;
};

// "--time-limit SECONDS": a positive number of seconds, fractions allowed.
std::optional<double> ParseTimeLimit(const std::string& text);

}  // namespace qv::cli
