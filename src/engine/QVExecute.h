// Runs the byte code of the last compile over Compiler().VariableValues.
#pragma once

#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "engine/RunObserver.h"

namespace qv {

// An arithmetic fault that ends a run. The kind decides which German message
// the run driver shows.
class RunError : public std::runtime_error {
public:
    enum class Kind { DivisionByZero, Overflow, InvalidOperation, StackOverflow };
    RunError(Kind kind, const std::string& text) : std::runtime_error(text), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

// The texts the run driver shows for each kind of fault.
std::string RunErrorMessage(RunError::Kind kind);

// Throttles the per-statement poll: a counter test per statement, and the
// observer is only asked when about 30 ms have passed since the last time.
class PollThrottle {
public:
    explicit PollThrottle(RunObserver* observer, std::chrono::milliseconds interval = std::chrono::milliseconds(30))
        : observer_(observer), interval_(interval), last_(std::chrono::steady_clock::now()) {}

    // True to go on, false when the observer cancelled the run.
    bool poll() {
        if (!observer_ || cancelled_) return !cancelled_;
        if (++counter_ < CheckEvery) return true;
        counter_ = 0;
        return pollNow();
    }
    // Asks the observer when the interval has passed, whatever the counter.
    bool pollNow();
    void setPosition(int position) { position_ = position; }
    bool cancelled() const { return cancelled_; }

private:
    // Reading the clock costs far more than a statement; look at it only
    // every few thousand statements.
    static constexpr uint32_t CheckEvery = 4096;

    RunObserver* observer_;
    std::chrono::milliseconds interval_;
    std::chrono::steady_clock::time_point last_;
    uint32_t counter_ = 0;
    int position_ = 0;
    bool cancelled_ = false;
};

// Evaluates the expression at Compiler().CodePos; CodePos ends after the
// terminating byte. Throws RunError.
double EvaluateExpression();

// One pass over the compiled program. False when the run was cancelled.
// Throws RunError.
bool RunProgram(PollThrottle& poll);

// Restarts the process-wide generator behind RANDOM (seeded once from the
// clock otherwise), so that a run can be repeated exactly.
void ReseedRandom(uint64_t seed);

}  // namespace qv
