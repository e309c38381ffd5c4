#include "cli/RunLimits.h"

#include <csignal>
#include <cmath>
#include <iostream>

#include "cli/CliSupport.h"

namespace qv::cli {

namespace {

volatile std::sig_atomic_t caughtSignal = 0;

extern "C" void CatchSignal(int signal) { caughtSignal = signal; }

struct sigaction previousInt, previousTerm;

}  // namespace

RunLimits::RunLimits(std::optional<double> timeLimitSeconds) {
    if (timeLimitSeconds)
        deadline_ = std::chrono::steady_clock::now() +
                    std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                        std::chrono::duration<double>(*timeLimitSeconds));
    caughtSignal = 0;
    struct sigaction action {};
    action.sa_handler = CatchSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousInt);
    sigaction(SIGTERM, &action, &previousTerm);
}

RunLimits::~RunLimits() {
    sigaction(SIGINT, &previousInt, nullptr);
    sigaction(SIGTERM, &previousTerm, nullptr);
}

bool RunLimits::poll(int) {
    if (caughtSignal != 0) return false;
    if (deadline_ && std::chrono::steady_clock::now() >= *deadline_) timedOut_ = true;
    return !timedOut_;
}

bool RunLimits::interrupted() const { return caughtSignal != 0; }

int RunLimits::reportStop() const {
    if (interrupted()) {
        std::cerr << "Berechnung abgebrochen.\n";
        return 128 + caughtSignal;
    }
    std::cerr << "Zeitlimit überschritten.\n";
    return ExitRunFault;
}

std::optional<double> ParseTimeLimit(const std::string& text) {
    auto seconds = ParseNumber(text, false);
    // Beyond a year the limit is no limit; the bound keeps the clock
    // arithmetic from overflowing.
    constexpr double Year = 365.0 * 24 * 3600;
    if (!seconds || !std::isfinite(*seconds) || *seconds <= 0 || *seconds > Year) return std::nullopt;
    return seconds;
}

}  // namespace qv::cli
