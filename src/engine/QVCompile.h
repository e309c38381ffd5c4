// The algorithm language compiler: one pass over the text lines, straight to
// postfix byte code, with a single process-wide state that the executor and
// the editors read afterwards.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

struct TListeninhalt;  // engine/TListeninhalt.h

// Byte codes. Expression code is postfix and ends at the first byte >= 21.
enum OpCode : uint8_t {
    opLoad = 0,
    opConst = 1,
    opAdd = 2,
    opSub = 3,
    opMul = 4,
    opDiv = 5,
    opSin = 6,
    opCos = 7,
    opArctan = 8,
    opExp = 9,
    opLn = 10,
    opSqr = 11,
    opSqrt = 12,
    opFrac = 13,
    opInt = 14,
    opAbs = 15,
    opInp = 16,
    opTime = 17,
    opRandom = 18,
    opPower = 19,
    opNegate = 20,
    opAssign = 21,
    opTest = 22,
    opLess = 23,
    opLessEqual = 24,
    opGreater = 25,
    opGreaterEqual = 26,
    opNotEqual = 27,
    opEqual = 28,
    opThen = 29,
    opEnd = 30,
};

inline constexpr int CodeBufferLast = 15000;
inline constexpr int MaxVariableIndex = 100;
inline constexpr int MaxMacroDepth = 10;
// Parentheses, signs and function calls nest this deep at most; deeper text
// is reported as a bracket error instead of exhausting the machine stack.
inline constexpr int MaxExpressionNesting = 200;

inline const std::string TimeName = "ZEIT";
inline const std::string TimeStepName = "ZEITSCHRITT";

struct CompilerState {
    std::array<uint8_t, CodeBufferLast + 1> CodeBuffer{};
    int16_t CodePos = 0;
    std::array<std::string, MaxVariableIndex + 1> VariableNames;
    int16_t VariableCount = -1;  // index of the last registered variable
    std::array<double, MaxVariableIndex + 1> VariableValues{};
    std::array<int16_t, MaxVariableIndex + 1> InputVariables{};
    int16_t InputCount = -1;  // index of the last input
    int32_t CompileError = 0;
    bool ErrorFlag = false;
    int16_t ErrorLine = 0;
    int16_t ErrorColumn = 0;
    bool Compiled = false;
    int16_t MacroDepth = 0;
    // Not owned: the macros of the simulation being compiled.
    const std::vector<TListeninhalt>* Macros = nullptr;
};

// The one compiler state of the process.
CompilerState& Compiler();

// Compiles the lines as a whole program into Compiler(). Lines are in the
// program's 8-bit text.
void CompileProgram(const std::vector<std::string>& lines, bool caseSensitive);

// The German message for a CompileError code.
std::string CompileErrorText(int32_t code);

bool IsFunctionName(const std::string& name);

// A name as the compiler keeps it: a-z and the umlauts folded to upper case
// unless case is kept, so a name typed elsewhere finds its variable.
std::string CompiledName(const std::string& name, bool caseSensitive);

// Names of the variables registered by the last compile, in compiler order.
std::vector<std::string> CompiledVariableNames();

}  // namespace qv
