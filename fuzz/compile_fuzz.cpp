// Feeds arbitrary text to the algorithm compiler, in both case modes, and
// runs whatever compiles: neither may crash, overflow the machine stack or
// touch memory outside the compiler state. The same lines also serve as the
// body of a macro "M", so calls and runaway recursion get exercised too.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/QVCompile.h"
#include "engine/QVExecute.h"
#include "engine/TListeninhalt.h"

namespace {

// With a zero interval the throttle asks the observer once every few
// thousand statements; stopping at the third answer bounds a never-ending
// loop at some ten thousand statements.
class StopSoon : public qv::RunObserver {
public:
    bool poll(int) override { return ++calls_ < 3; }

private:
    int calls_ = 0;
};

std::vector<std::string> SplitLines(const uint8_t* data, size_t size) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n')
            lines.emplace_back();
        else
            lines.back().push_back(static_cast<char>(data[i]));
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> lines = SplitLines(data, size);
    qv::TListeninhalt macro("M");
    macro.Lines = lines;
    const std::vector<qv::TListeninhalt> macros{macro};

    qv::CompilerState& state = qv::Compiler();
    state.Macros = &macros;
    for (bool caseSensitive : {false, true}) {
        qv::CompileProgram(lines, caseSensitive);
        if (state.ErrorFlag) continue;
        // The same start values every time, so a crash reproduces.
        std::fill(state.VariableValues.begin(), state.VariableValues.end(), 1.0);
        StopSoon observer;
        qv::PollThrottle poll(&observer, std::chrono::milliseconds(0));
        try {
            qv::RunProgram(poll);
        } catch (const qv::RunError&) {
        }
    }
    state.Macros = nullptr;
    return 0;
}
