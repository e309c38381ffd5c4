#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "engine/QVCompile.h"
#include "engine/QVExecute.h"

namespace qv {
namespace {

using Kind = RunError::Kind;
using Starts = std::map<std::string, double>;

double& ValueOf(const std::string& name) {
    CompilerState& state = Compiler();
    for (int i = 0; i <= state.VariableCount; ++i)
        if (state.VariableNames[i] == name) return state.VariableValues[i];
    ADD_FAILURE() << "no variable " << name;
    static double none;
    return none;
}

// Compiles the program and sets every variable to its start value (0 when
// none is given).
void Prepare(const std::vector<std::string>& lines, const Starts& starts = {}) {
    CompileProgram(lines, false);
    ASSERT_FALSE(Compiler().ErrorFlag) << CompileErrorText(Compiler().CompileError) << " in " << lines.front();
    for (int i = 0; i <= Compiler().VariableCount; ++i) {
        auto start = starts.find(Compiler().VariableNames[i]);
        Compiler().VariableValues[i] = start != starts.end() ? start->second : 0.0;
    }
}

bool Pass() {
    PollThrottle poll(nullptr);
    return RunProgram(poll);
}

// The value of X after one pass of «X := expression».
double Eval(const std::string& expression, const Starts& starts = {}) {
    Prepare({"X := " + expression}, starts);
    EXPECT_TRUE(Pass());
    return ValueOf("X");
}

std::optional<Kind> FaultOf(const std::string& expression) {
    Prepare({"X := " + expression});
    try {
        Pass();
    } catch (const RunError& error) {
        EXPECT_EQ(error.what(), RunErrorMessage(error.kind()));
        return error.kind();
    }
    return std::nullopt;
}

class CountingObserver : public RunObserver {
public:
    explicit CountingObserver(int cancelAt = -1) : cancelAt_(cancelAt) {}
    bool poll(int position) override {
        lastPosition = position;
        return ++calls != cancelAt_;
    }
    int calls = 0;
    int lastPosition = -1;

private:
    int cancelAt_;
};

TEST(ExecuteArithmetic, FollowsPrecedenceAndAssociativity) {
    EXPECT_EQ(Eval("2 + 3 * 4"), 14);
    EXPECT_EQ(Eval("(2 + 3) * 4"), 20);
    EXPECT_EQ(Eval("10 - 4 - 3"), 3);
    EXPECT_EQ(Eval("8 / 4 / 2"), 1);
    EXPECT_EQ(Eval("2 * 3 ^ 2"), 18);
    EXPECT_EQ(Eval("2^3^2"), 64);
    EXPECT_EQ(Eval("-A^2", {{"A", 3}}), 9);
    EXPECT_EQ(Eval("-2^2"), 4);
    EXPECT_EQ(Eval("0 - A^2", {{"A", 3}}), -9);
    EXPECT_EQ(Eval("2^-1"), 0.5);
    EXPECT_EQ(Eval("2 - -3"), 5);
    EXPECT_EQ(Eval("-(1 + 2) * 2"), -6);
    EXPECT_EQ(Eval("3,5 + 1"), 4.5);
    EXPECT_DOUBLE_EQ(Eval("1.5E2 + 2e-1"), 150.2);
}

TEST(ExecuteArithmetic, PowersFollowTheSignRules) {
    EXPECT_EQ(Eval("0 ^ 0"), 0);
    EXPECT_EQ(Eval("0 ^ (-1)"), 0);
    EXPECT_DOUBLE_EQ(Eval("(-8) ^ 3"), -512);
    EXPECT_DOUBLE_EQ(Eval("(-8) ^ 2"), 64);
    EXPECT_DOUBLE_EQ(Eval("(-2) ^ (-1)"), -0.5);
    EXPECT_DOUBLE_EQ(Eval("(-8) ^ 0"), 1);
    EXPECT_DOUBLE_EQ(Eval("4 ^ 0.5"), 2);
    EXPECT_EQ(FaultOf("(-8) ^ 0.5"), Kind::InvalidOperation);
    EXPECT_EQ(FaultOf("10 ^ 400"), Kind::Overflow);
    EXPECT_EQ(FaultOf("(-10) ^ 401"), Kind::Overflow);
    EXPECT_EQ(Eval("10 ^ (-400)"), 0);
}

TEST(ExecuteArithmetic, ComputesTheFunctions) {
    EXPECT_DOUBLE_EQ(Eval("SIN(1) + COS(1)"), std::sin(1.0) + std::cos(1.0));
    EXPECT_EQ(Eval("SIN(1E19)"), 0);
    EXPECT_EQ(Eval("COS(-1E19)"), 0);
    EXPECT_DOUBLE_EQ(Eval("ARCTAN(1) * 4"), std::numbers::pi);
    EXPECT_DOUBLE_EQ(Eval("LN(EXP(2))"), 2);
    EXPECT_EQ(Eval("SQR(-3)"), 9);
    EXPECT_EQ(Eval("SQRT(16)"), 4);
    EXPECT_EQ(Eval("SQRT(-4)"), -4);
    EXPECT_EQ(Eval("FRAC(-2.5)"), -0.5);
    EXPECT_EQ(Eval("INT(-2.5)"), -2);
    EXPECT_EQ(Eval("INT(2.9)"), 2);
    EXPECT_EQ(Eval("ABS(-7)"), 7);
    EXPECT_EQ(Eval("INP(257.9)"), 1);
    EXPECT_EQ(Eval("INP(-1)"), 255);
    EXPECT_EQ(FaultOf("INP(1E19)"), Kind::InvalidOperation);
    const double time = Eval("TIME(123)");
    EXPECT_GE(time, 0);
    EXPECT_LT(time, 1);
}

TEST(ExecuteArithmetic, RandomIsUniformAndRepeatable) {
    ReseedRandom(42);
    const double first = Eval("RANDOM(0)");
    const double whole = Eval("RANDOM(10)");
    ReseedRandom(42);
    EXPECT_EQ(Eval("RANDOM(-1)"), first);
    EXPECT_EQ(Eval("RANDOM(10)"), whole);
    Prepare({"X := RANDOM(6)", "Y := RANDOM(0)", "IF X < LO THEN LO := X", "IF X > HI THEN HI := X",
             "IF Y < 0 THEN BAD := 1", "IF Y >= 1 THEN BAD := 1"},
            {{"LO", 100}, {"HI", -100}});
    for (int i = 0; i < 2000; ++i) {
        ASSERT_TRUE(Pass());
        ASSERT_EQ(ValueOf("X"), std::trunc(ValueOf("X")));
    }
    EXPECT_EQ(ValueOf("LO"), 0);
    EXPECT_EQ(ValueOf("HI"), 5);
    EXPECT_EQ(ValueOf("BAD"), 0);
}

TEST(ExecuteFaults, EndsTheRunWithTheRightKind) {
    EXPECT_EQ(FaultOf("1 / 0"), Kind::DivisionByZero);
    EXPECT_EQ(FaultOf("1 / A"), Kind::DivisionByZero);
    EXPECT_EQ(FaultOf("LN(0)"), Kind::DivisionByZero);
    EXPECT_EQ(FaultOf("0 / 0"), Kind::InvalidOperation);
    EXPECT_EQ(FaultOf("LN(-1)"), Kind::InvalidOperation);
    EXPECT_EQ(FaultOf("EXP(1000)"), Kind::Overflow);
    EXPECT_EQ(FaultOf("1E308 * 10"), Kind::Overflow);
    EXPECT_EQ(FaultOf("1E308 + 1E308"), Kind::Overflow);
    EXPECT_EQ(FaultOf("-1E308 - 1E308"), Kind::Overflow);
    EXPECT_EQ(FaultOf("SQR(1E200)"), Kind::Overflow);
    EXPECT_EQ(FaultOf("1E308 / 1E-10"), Kind::Overflow);
    EXPECT_EQ(FaultOf("EXP(-1000)"), std::nullopt);
    EXPECT_EQ(FaultOf("1E-300 * 1E-300"), std::nullopt);

    // The faulty statement stores nothing; earlier ones keep their results.
    Prepare({"A := 5", "B := 1 / Z", "C := 7"}, {{"B", -1}});
    EXPECT_THROW(Pass(), RunError);
    EXPECT_EQ(ValueOf("A"), 5);
    EXPECT_EQ(ValueOf("B"), -1);
    EXPECT_EQ(ValueOf("C"), 0);
}

TEST(ExecuteFaults, GivesTheProgramsMessages) {
    EXPECT_EQ(RunErrorMessage(Kind::DivisionByZero),
              "In Ihrem Algorithmus wird an einer Stelle durch Null dividiert.\n\r"
              "H\xE4ufig liegt es an einem Startwert 0.\n\r"
              "Sie k\xF6nnten diesen z.B. auf 0,0001 setzen.");
    EXPECT_EQ(RunErrorMessage(Kind::Overflow),
              "Gleitkomma\xFC" "berlauf:\n\r"
              "In Ihrem Algorithmus entstehen sehr gro\xDF" "e bzw. sehr kleine Zahlen.\n\r"
              "Sie k\xF6nnen das in einer Tabelle untersuchen und\n\r"
              "den Algorithmus entsprechend ver\xE4ndern.");
    EXPECT_EQ(RunErrorMessage(Kind::InvalidOperation), "Ung\xFCltige Gleitkommaoperation");
    EXPECT_EQ(RunErrorMessage(Kind::StackOverflow), "Stack\xFC" "berlauf");
}

TEST(ExecuteComparisons, ComparesWithARelativeToleranceForEquality) {
    const auto holds = [](const std::string& condition, double x) {
        Prepare({"R := 0", "IF " + condition + " THEN R := 1"}, {{"X", x}});
        EXPECT_TRUE(Pass());
        return ValueOf("R") == 1;
    };
    EXPECT_TRUE(holds("X = -1", -1));
    EXPECT_TRUE(holds("X = 3", 3 + 2e-9));
    EXPECT_FALSE(holds("X = 3", 3.001));
    EXPECT_TRUE(holds("X <> 3", 3.001));
    EXPECT_FALSE(holds("X <> 3", 3 + 2e-9));
    EXPECT_TRUE(holds("X = 0", 0));
    EXPECT_FALSE(holds("X = 0", 1e-300));
    EXPECT_TRUE(holds("X < 3", 2));
    EXPECT_FALSE(holds("X < 3", 3));
    EXPECT_TRUE(holds("X <= 3", 3));
    EXPECT_TRUE(holds("X >= 3", 3));
    EXPECT_FALSE(holds("X > 3", 3));
    // Two-character operators in either order; doubled ones mean the single one.
    EXPECT_TRUE(holds("X =< 3", 3));
    EXPECT_TRUE(holds("X => 3", 3));
    EXPECT_TRUE(holds("X >< 3", 4));
    EXPECT_TRUE(holds("X == 3", 3));
    EXPECT_TRUE(holds("X << 3", 2));
    EXPECT_TRUE(holds("X >> 3", 4));
    EXPECT_FALSE(holds("X >> 3", 3));
    EXPECT_TRUE(holds("X+1 < 2*X", 2));
}

TEST(ExecuteStatements, RunsConditionalBodiesAndLoops) {
    Prepare({"IF X < 5 THEN Y := 1; Z := 2", "W := 3"}, {{"X", 7}});
    EXPECT_TRUE(Pass());
    EXPECT_EQ(ValueOf("Y"), 0);
    EXPECT_EQ(ValueOf("Z"), 0);
    EXPECT_EQ(ValueOf("W"), 3);
    ValueOf("X") = 1;
    EXPECT_TRUE(Pass());
    EXPECT_EQ(ValueOf("Y"), 1);
    EXPECT_EQ(ValueOf("Z"), 2);

    Prepare({"I := 0", "WHILE I < 10 DO I := I + 1"});
    EXPECT_TRUE(Pass());
    EXPECT_EQ(ValueOf("I"), 10);

    Prepare({"N := 0; I := 0", "WHILE I < 4 DO I := I + 1; J := 0; WHILE J < I DO J := J + 1; N := N + 1",
             "IF N = 10 THEN IF I = 4 THEN OK := 1"});
    EXPECT_TRUE(Pass());
    EXPECT_EQ(ValueOf("N"), 10);
    EXPECT_EQ(ValueOf("OK"), 1);

    Prepare({"WHILE X < DOSIS DO X := X + 1"}, {{"DOSIS", 3}});
    EXPECT_TRUE(Pass());
    EXPECT_EQ(ValueOf("X"), 3);
}

TEST(ExecuteStatements, KeepsValuesFromPassToPass) {
    Prepare({"ZEIT := ZEIT + ZEITSCHRITT", "X := X + 1"}, {{"ZEITSCHRITT", 0.5}, {"X", 10}});
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(Pass());
    EXPECT_EQ(ValueOf("ZEIT"), 2);
    EXPECT_EQ(ValueOf("X"), 14);
    EXPECT_EQ(Compiler().CodeBuffer[Compiler().CodePos], opEnd);
}

TEST(ExecutePolling, CancelsANeverEndingLoop) {
    Prepare({"WHILE 1 > 0 DO X := X + 1"});
    CountingObserver observer(3);
    PollThrottle poll(&observer, std::chrono::milliseconds(0));
    poll.setPosition(42);
    EXPECT_FALSE(RunProgram(poll));
    EXPECT_TRUE(poll.cancelled());
    EXPECT_EQ(observer.calls, 3);
    EXPECT_EQ(observer.lastPosition, 42);
    EXPECT_GT(ValueOf("X"), 0);
    // A cancelled run stays cancelled: the next pass stops before its first statement.
    const double reached = ValueOf("X");
    EXPECT_FALSE(RunProgram(poll));
    EXPECT_EQ(ValueOf("X"), reached);
    EXPECT_EQ(observer.calls, 3);
}

TEST(ExecutePolling, AsksTheObserverFarLessOftenThanStatementsRun) {
    // Each loop round runs three statements: the test, the body and the jump back.
    Prepare({"WHILE I < 200000 DO I := I + 1"});
    CountingObserver observer;
    PollThrottle poll(&observer);
    EXPECT_TRUE(RunProgram(poll));
    EXPECT_EQ(ValueOf("I"), 200000);
    EXPECT_LT(observer.calls * 1000, 3 * 200000);

    // pollNow asks at once when the interval has passed, and not before.
    CountingObserver direct;
    PollThrottle immediate(&direct, std::chrono::milliseconds(0));
    EXPECT_TRUE(immediate.pollNow());
    EXPECT_EQ(direct.calls, 1);
    PollThrottle slow(&direct, std::chrono::hours(1));
    EXPECT_TRUE(slow.pollNow());
    EXPECT_EQ(direct.calls, 1);
    PollThrottle none(nullptr, std::chrono::milliseconds(0));
    EXPECT_TRUE(none.pollNow());
}

// Byte code written by hand: what no compile produces must still end cleanly.
class HandCode : public ::testing::Test {
protected:
    CompilerState& state = Compiler();
    void SetUp() override {
        state.CodeBuffer.fill(opEnd);
        state.CodePos = 0;
    }
    void put(std::initializer_list<uint8_t> bytes) {
        for (uint8_t b : bytes) state.CodeBuffer[state.CodePos++] = b;
    }
    void putConst(double value) {
        put({opConst});
        std::memcpy(&state.CodeBuffer[state.CodePos], &value, 8);
        state.CodePos += 8;
    }
    std::optional<Kind> runFault() {
        try {
            Pass();
        } catch (const RunError& error) {
            return error.kind();
        }
        return std::nullopt;
    }
};

TEST_F(HandCode, EvaluateExpressionStopsAfterItsTerminator) {
    state.VariableValues[2] = 4;
    putConst(3);
    put({opLoad, 2, opMul, opNegate, opThen});
    state.CodePos = 0;
    EXPECT_EQ(EvaluateExpression(), -12);
    EXPECT_EQ(state.CodePos, 14);
}

TEST_F(HandCode, OverflowsTheStackBeyond998Entries) {
    put({opAssign, 0});
    for (int i = 0; i < 998; ++i) put({opLoad, 1});
    for (int i = 0; i < 997; ++i) put({opAdd});
    put({opEnd});
    EXPECT_EQ(runFault(), std::nullopt);

    SetUp();
    put({opAssign, 0});
    for (int i = 0; i < 1000; ++i) put({opLoad, 1});
    EXPECT_EQ(runFault(), Kind::StackOverflow);
}

TEST_F(HandCode, RefusesDamagedCode) {
    put({opAssign, 200, opLoad, 0, opEnd});
    EXPECT_EQ(runFault(), Kind::InvalidOperation);
    SetUp();
    put({opAssign, 0, opLoad, 101, opEnd});
    EXPECT_EQ(runFault(), Kind::InvalidOperation);
    SetUp();
    put({opAssign, 0, opAdd, opEnd});
    EXPECT_EQ(runFault(), Kind::InvalidOperation);
    SetUp();
    put({opAssign, 0, opEnd});
    EXPECT_EQ(runFault(), Kind::InvalidOperation);
    SetUp();
    put({opTest, opLoad, 0, opLess, opLoad, 0, opThen, 0xFF, 0xFF});
    EXPECT_EQ(runFault(), Kind::InvalidOperation);
    SetUp();
    put({opTest, opLoad, 0, opAssign, opLoad, 0, opThen, 0, 0});
    EXPECT_EQ(runFault(), Kind::InvalidOperation);
    SetUp();
    put({opSin});
    EXPECT_EQ(runFault(), Kind::InvalidOperation);
    // Code running off the end of the buffer.
    SetUp();
    state.CodeBuffer.fill(opNegate);
    put({opAssign, 0, opLoad, 0});
    EXPECT_EQ(runFault(), Kind::InvalidOperation);
}

}  // namespace
}  // namespace qv
