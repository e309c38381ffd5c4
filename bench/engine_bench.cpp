// How fast the engine compiles and steps models, each beside a baseline in
// the same run: the per-step cost of the byte-code executor (with the user
// interface poll active) against the same model written as plain C++.
#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "engine/QVCompile.h"
#include "engine/QVExecute.h"
#include "RatioReporter.h"

namespace {

using qv::Compiler;

// Answers every poll with "go on", as the progress box does while nobody
// presses its button.
class KeepGoing : public qv::RunObserver {
public:
    bool poll(int) override { return true; }
};

struct Model {
    const char* name;
    std::vector<std::string> program;
    std::map<std::string, double> starts;
};

const std::vector<Model>& Models() {
    static const std::vector<Model> models = {
        {"decay", {"B := B - 0.05 * B * ZEITSCHRITT", "ZEIT := ZEIT + ZEITSCHRITT"}, {{"B", 1000}, {"ZEITSCHRITT", 0.1}}},
        {"sir",
         {"NEUINF := 0.3 * S * I / 1000", "GENESEN := 0.1 * I", "S := S - NEUINF * ZEITSCHRITT",
          "I := I + (NEUINF - GENESEN) * ZEITSCHRITT", "R := R + GENESEN * ZEITSCHRITT"},
         {{"S", 990}, {"I", 10}, {"ZEITSCHRITT", 0.1}}},
        {"predator_prey",
         {"GEBURTEN := 0.8 * HASEN", "GEFRESSEN := 0.1 * HASEN * FUECHSE", "ZUWACHS := 0.02 * HASEN * FUECHSE",
          "STERBEN := 0.6 * FUECHSE", "HASEN := HASEN + (GEBURTEN - GEFRESSEN) * ZEITSCHRITT",
          "FUECHSE := FUECHSE + (ZUWACHS - STERBEN) * ZEITSCHRITT", "ZEIT := ZEIT + ZEITSCHRITT"},
         {{"HASEN", 30}, {"FUECHSE", 4}, {"ZEITSCHRITT", 0.001}}},
    };
    return models;
}

void Prepare(const Model& model) {
    qv::CompileProgram(model.program, false);
    if (Compiler().ErrorFlag) throw std::runtime_error("benchmark model does not compile");
    for (int i = 0; i <= Compiler().VariableCount; ++i) {
        auto start = model.starts.find(Compiler().VariableNames[i]);
        Compiler().VariableValues[i] = start != model.starts.end() ? start->second : 0.0;
    }
}

void BM_Executor(benchmark::State& state, const Model* model) {
    Prepare(*model);
    KeepGoing observer;
    qv::PollThrottle poll(&observer);
    for (auto _ : state) {
        qv::RunProgram(poll);
        benchmark::DoNotOptimize(Compiler().VariableValues.data());
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Native_decay(benchmark::State& state) {
    double b = 1000, t = 0, dt = 0.1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(dt);
        b = b - 0.05 * b * dt;
        t = t + dt;
        benchmark::DoNotOptimize(b);
        benchmark::DoNotOptimize(t);
    }
}

void BM_Native_sir(benchmark::State& state) {
    double s = 990, i = 10, r = 0, dt = 0.1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(dt);
        double neu = 0.3 * s * i / 1000;
        double gen = 0.1 * i;
        s = s - neu * dt;
        i = i + (neu - gen) * dt;
        r = r + gen * dt;
        benchmark::DoNotOptimize(s);
        benchmark::DoNotOptimize(i);
        benchmark::DoNotOptimize(r);
    }
}

void BM_Native_predator_prey(benchmark::State& state) {
    double hasen = 30, fuechse = 4, t = 0, dt = 0.001;
    for (auto _ : state) {
        benchmark::DoNotOptimize(dt);
        double geburten = 0.8 * hasen;
        double gefressen = 0.1 * hasen * fuechse;
        double zuwachs = 0.02 * hasen * fuechse;
        double sterben = 0.6 * fuechse;
        hasen = hasen + (geburten - gefressen) * dt;
        fuechse = fuechse + (zuwachs - sterben) * dt;
        t = t + dt;
        benchmark::DoNotOptimize(hasen);
        benchmark::DoNotOptimize(fuechse);
        benchmark::DoNotOptimize(t);
    }
}

// 500 lines over 50 variables, within the code buffer and variable table.
std::vector<std::string> LongProgram() {
    std::vector<std::string> lines;
    for (int k = 0; k < 500; ++k)
        lines.push_back("V" + std::to_string(k % 50) + " := V" + std::to_string((k + 7) % 50) + " * 0,5 + SIN(V" +
                        std::to_string((k + 3) % 50) + ")");
    return lines;
}

void BM_Compile500Lines(benchmark::State& state) {
    auto lines = LongProgram();
    for (auto _ : state) {
        qv::CompileProgram(lines, false);
        if (Compiler().ErrorFlag) state.SkipWithError("does not compile");
    }
}

void BM_Run500LinesOnce(benchmark::State& state) {
    qv::CompileProgram(LongProgram(), false);
    KeepGoing observer;
    qv::PollThrottle poll(&observer);
    for (auto _ : state) qv::RunProgram(poll);
}

}  // namespace

int main(int argc, char** argv) {
    for (const auto& model : Models())
        benchmark::RegisterBenchmark((std::string("BM_Executor/") + model.name).c_str(), BM_Executor, &model);
    benchmark::RegisterBenchmark("BM_Native_decay", BM_Native_decay);
    benchmark::RegisterBenchmark("BM_Native_sir", BM_Native_sir);
    benchmark::RegisterBenchmark("BM_Native_predator_prey", BM_Native_predator_prey);
    benchmark::RegisterBenchmark("BM_Compile500Lines", BM_Compile500Lines);
    benchmark::RegisterBenchmark("BM_Run500LinesOnce", BM_Run500LinesOnce);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::cout << "\nRatios (same run):\n";
    for (const auto& model : Models()) {
        std::string name = model.name;
        reporter.PrintRatio("executor/native " + name, "BM_Executor/" + name, "BM_Native_" + name);
    }
    reporter.PrintRatio("compile 500 lines / one pass of them", "BM_Compile500Lines", "BM_Run500LinesOnce");
    benchmark::Shutdown();
}
