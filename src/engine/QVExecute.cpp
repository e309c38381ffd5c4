#include "engine/QVExecute.h"

#include <array>
#include <cmath>
#include <cstring>
#include <ctime>
#include <random>

#include "engine/QVCompile.h"

namespace qv {

std::string RunErrorMessage(RunError::Kind kind) {
    switch (kind) {
    case RunError::Kind::DivisionByZero:
        return "In Ihrem Algorithmus wird an einer Stelle durch Null dividiert.\n\r"
               "H\xE4ufig liegt es an einem Startwert 0.\n\r"
               "Sie k\xF6nnten diesen z.B. auf 0,0001 setzen.";
    case RunError::Kind::Overflow:
        return "Gleitkomma\xFC"
               "berlauf:\n\r"
               "In Ihrem Algorithmus entstehen sehr gro\xDF"
               "e bzw. sehr kleine Zahlen.\n\r"
               "Sie k\xF6nnen das in einer Tabelle untersuchen und\n\r"
               "den Algorithmus entsprechend ver\xE4ndern.";
    case RunError::Kind::InvalidOperation:
        return "Ung\xFCltige Gleitkommaoperation";
    case RunError::Kind::StackOverflow:
        return "Stack\xFC"
               "berlauf";
    }
    return {};
}

bool PollThrottle::pollNow() {
    if (!observer_ || cancelled_) return !cancelled_;
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < interval_) return true;
    last_ = now;
    if (!observer_->poll(position_)) cancelled_ = true;
    return !cancelled_;
}

namespace {

using Kind = RunError::Kind;

constexpr int MaxStackDepth = 998;
constexpr double TwoPow63 = 9223372036854775808.0;
constexpr double EqualityTolerance = 1e-9;

[[noreturn]] void Fail(Kind kind) { throw RunError(kind, RunErrorMessage(kind)); }

// Code that no successful compile produces (a read past the buffer, a jump or
// a variable index out of range, an operator without operands) ends the run
// instead of touching memory it does not own.
[[noreturn]] void DamagedCode() { Fail(Kind::InvalidOperation); }

uint8_t ByteAt(const CompilerState& state, int pc) {
    if (pc < 0 || pc > CodeBufferLast) DamagedCode();
    return state.CodeBuffer[static_cast<std::size_t>(pc)];
}

std::size_t VariableIndex(uint8_t index) {
    if (index > MaxVariableIndex) DamagedCode();
    return index;
}

// Results are tested rather than trapped: a NaN made from numbers is an
// invalid operation, an infinity made from finite numbers an overflow.
double Checked(double result, double a, double b = 0.0) {
    if (std::isnan(result) && !std::isnan(a) && !std::isnan(b)) Fail(Kind::InvalidOperation);
    if (std::isinf(result) && std::isfinite(a) && std::isfinite(b)) Fail(Kind::Overflow);
    return result;
}

std::mt19937_64& Generator() {
    static std::mt19937_64 generator(static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    return generator;
}

// 53 random bits scaled into [0, 1); unlike the standard distributions this
// can never round up to 1.
double RandomFraction() { return static_cast<double>(Generator()() >> 11) * 0x1.0p-53; }

double TimeOfDay() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    const double dayFraction =
        (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + millis / 1000.0) / 86400.0;
    // A leap second must not reach a whole day.
    return std::min(dayFraction, std::nextafter(1.0, 0.0));
}

double Power(double base, double exponent) {
    if (base == 0) return 0;
    if (base > 0) return Checked(std::pow(base, exponent), base, exponent);
    if (exponent != std::trunc(exponent)) Fail(Kind::InvalidOperation);
    const double magnitude = Checked(std::pow(-base, exponent), base, exponent);
    return std::fmod(exponent, 2.0) != 0 ? -magnitude : magnitude;
}

double Divide(double a, double b) {
    if (b == 0) Fail(a == 0 ? Kind::InvalidOperation : Kind::DivisionByZero);
    return Checked(a / b, a, b);
}

double Binary(uint8_t code, double a, double b) {
    switch (code) {
    case opAdd:
        return Checked(a + b, a, b);
    case opSub:
        return Checked(a - b, a, b);
    case opMul:
        return Checked(a * b, a, b);
    case opDiv:
        return Divide(a, b);
    default:
        return Power(a, b);
    }
}

double Logarithm(double x) {
    if (x == 0) Fail(Kind::DivisionByZero);
    if (x < 0) Fail(Kind::InvalidOperation);
    return std::log(x);
}

// The low 8 bits of the integer part; beyond 64 bits there is no integer part
// to take them from.
double LowByte(double x) {
    if (!(std::fabs(x) < TwoPow63)) Fail(Kind::InvalidOperation);
    return static_cast<double>(static_cast<uint64_t>(static_cast<int64_t>(x)) & 0xFF);
}

double Unary(uint8_t code, double x) {
    switch (code) {
    case opSin:
        return std::fabs(x) >= TwoPow63 ? 0.0 : std::sin(x);
    case opCos:
        return std::fabs(x) >= TwoPow63 ? 0.0 : std::cos(x);
    case opArctan:
        return std::atan(x);
    case opExp:
        return Checked(std::exp(x), x);
    case opLn:
        return Logarithm(x);
    case opSqr:
        return Checked(x * x, x);
    case opSqrt:
        return x >= 0 ? std::sqrt(x) : x;
    case opFrac:
        return Checked(x - std::trunc(x), x);
    case opInt:
        return std::trunc(x);
    case opAbs:
        return std::fabs(x);
    case opInp:
        return LowByte(x);
    case opTime:
        return TimeOfDay();
    case opRandom: {
        const double r = RandomFraction();
        return x > 0 ? Checked(std::trunc(r * x), x) : r;
    }
    default:
        return -x;
    }
}

// Evaluates postfix code from pc on and leaves pc after the terminating byte.
double Evaluate(const CompilerState& state, int& pc) {
    std::array<double, MaxStackDepth + 2> stack;  // used from index 1 upward
    int depth = 0;
    for (;;) {
        if (depth > MaxStackDepth) Fail(Kind::StackOverflow);
        const uint8_t code = ByteAt(state, pc++);
        if (code == opLoad) {
            stack[static_cast<std::size_t>(++depth)] = state.VariableValues[VariableIndex(ByteAt(state, pc++))];
        } else if (code == opConst) {
            if (pc + 8 > CodeBufferLast + 1) DamagedCode();
            std::memcpy(&stack[static_cast<std::size_t>(++depth)], &state.CodeBuffer[static_cast<std::size_t>(pc)],
                        sizeof(double));
            pc += 8;
        } else if (code <= opDiv || code == opPower) {
            if (depth < 2) DamagedCode();
            --depth;
            const auto top = static_cast<std::size_t>(depth);
            stack[top] = Binary(code, stack[top], stack[top + 1]);
        } else if (code <= opNegate) {
            if (depth < 1) DamagedCode();
            const auto top = static_cast<std::size_t>(depth);
            stack[top] = Unary(code, stack[top]);
        } else {
            if (depth < 1) DamagedCode();
            return stack[1];
        }
    }
}

// "=" allows a relative difference of 1e-9 so that sums of decimal steps
// still meet their target; against 0 it is exact.
bool Holds(uint8_t comparison, double left, double right) {
    const bool equal = std::fabs(left - right) <= EqualityTolerance * std::fabs(right);
    switch (comparison) {
    case opLess:
        return left < right;
    case opLessEqual:
        return left <= right;
    case opGreater:
        return left > right;
    case opGreaterEqual:
        return left >= right;
    case opNotEqual:
        return !equal;
    case opEqual:
        return equal;
    default:
        DamagedCode();
    }
}

}  // namespace

double EvaluateExpression() {
    CompilerState& state = Compiler();
    int pc = state.CodePos;
    const double value = Evaluate(state, pc);
    state.CodePos = static_cast<int16_t>(pc);
    return value;
}

bool RunProgram(PollThrottle& poll) {
    CompilerState& state = Compiler();
    int pc = 0;
    for (;;) {
        const uint8_t code = ByteAt(state, pc);
        if (code >= opEnd) break;
        if (!poll.poll()) break;
        if (code == opAssign) {
            const std::size_t target = VariableIndex(ByteAt(state, pc + 1));
            pc += 2;
            state.VariableValues[target] = Evaluate(state, pc);
            --pc;  // the terminator is the next statement
        } else if (code == opTest) {
            ++pc;
            const double left = Evaluate(state, pc);
            const uint8_t comparison = ByteAt(state, pc - 1);
            const double right = Evaluate(state, pc);
            if (Holds(comparison, left, right)) {
                pc += 2;
            } else {
                const int target = ByteAt(state, pc) | ByteAt(state, pc + 1) << 8;
                if (target > CodeBufferLast) DamagedCode();
                pc = target;
            }
        } else {
            DamagedCode();
        }
    }
    state.CodePos = static_cast<int16_t>(pc);
    return !poll.cancelled();
}

void ReseedRandom(uint64_t seed) { Generator().seed(seed); }

}  // namespace qv
