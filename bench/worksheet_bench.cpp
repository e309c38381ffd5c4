// How the display cycle scales with long runs: for a predator-prey document
// of 100 000 steps with four curves (one smoothed, one of points) the time
// to build the chart and to draw the page, each against the time to compute;
// and reading and writing a document of 10 simulations × 100 000 values.
// Drawing the page draws the same built page again and again, as a repaint
// does: from the second time on the curves reuse what they kept of the first
// (their thinned lines and distinct markers at this scale), so it measures
// the page's own drawing. A slider frame is what one move of a start-value
// slider costs: set the value, recompute, rebuild the curves and draw the
// page into a 1000 × 700 view, every curve new and drawn for the first time.
// The bench keeps freed memory for reuse as the programs do.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <iostream>

#include "charts/bsgraf3d.h"
#include "document/DocumentActions.h"
#include "drawing/TextFonts.h"
#include "util/FreedMemory.h"
#include "util/Geometry.h"
#include "PredatorPreyRun.h"
#include "RatioReporter.h"

namespace {

constexpr int Steps = 100000;
constexpr int PageWidthPx = 1600, PageHeightPx = 1200;

qv::TDocument PredatorPrey(int simulations = 1, int steps = Steps) {
    qv::TDocument document = qv::TDocument::CreateNew();
    for (int s = 0; s < simulations; ++s) qv::AddPredatorPreyRun(document, s, steps, 30, 0.0005);
    return document;
}

void SetPageScale() {
    qv::Scales().PixelsPerCmX = PageWidthPx / qv::NewPageWidth;
    qv::Scales().PixelsPerCmY = PageHeightPx / qv::NewPageHeight;
}

void BM_Compute(benchmark::State& state) {
    SetPageScale();
    qv::TDocument document = PredatorPrey();
    for (auto _ : state) qv::ComputeDocument(document, nullptr);
}

void BM_BuildCurves(benchmark::State& state) {
    SetPageScale();
    qv::TDocument document = PredatorPrey();
    qv::ComputeDocument(document, nullptr);
    for (auto _ : state) qv::BuildChart(document);
}

void BM_DrawPage(benchmark::State& state) {
    SetPageScale();
    qv::TDocument document = PredatorPrey();
    qv::ComputeDocument(document, nullptr);
    qv::BuildChart(document);
    QImage image(PageWidthPx, PageHeightPx, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) qv::RenderPage(document, image, PageWidthPx, PageHeightPx);
}

void SliderFrames(benchmark::State& state, int steps) {
    SetPageScale();
    qv::TDocument document = PredatorPrey(1, steps);
    qv::tsim& sim = *document.SelectedSimulation();
    qv::Tvariable& rabbits = *sim.Variables[sim.IndexOfVariable("HASEN")];
    QImage view(1000, 700, QImage::Format_ARGB32_Premultiplied);
    double value = 30;
    for (auto _ : state) {
        value = value == 30 ? 31 : 30;
        rabbits.StartValue = value;
        qv::ComputeDocument(document, nullptr);
        qv::BuildChart(document);
        qv::RenderPage(document, view, view.width(), view.height());
    }
}

void BM_SliderFrame(benchmark::State& state) { SliderFrames(state, Steps); }

// A short run, where a frame must stay well within a screen refresh.
void BM_SliderFrame1000Steps(benchmark::State& state) { SliderFrames(state, 1000); }

qv::TDocument& TenSimulations() {
    static qv::TDocument document = [] {
        SetPageScale();
        qv::TDocument d = PredatorPrey(10);
        qv::ComputeDocument(d, nullptr);
        return d;
    }();
    return document;
}

void BM_WriteDocument(benchmark::State& state) {
    qv::TDocument& document = TenSimulations();
    for (auto _ : state) {
        qv::OutStream out;
        qv::saveDocument(document, out);
        benchmark::DoNotOptimize(out.bytes().data());
        state.SetBytesProcessed(state.bytes_processed() + static_cast<int64_t>(out.bytes().size()));
    }
}

void BM_ReadDocument(benchmark::State& state) {
    qv::OutStream out;
    qv::saveDocument(TenSimulations(), out);
    for (auto _ : state) {
        qv::TDocument read = qv::loadDocument(out.bytes());
        benchmark::DoNotOptimize(read.Simulations.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(out.bytes().size()));
}

}  // namespace

BENCHMARK(BM_Compute)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildCurves)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SliderFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SliderFrame1000Steps)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDocument)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qv::KeepFreedMemoryForReuse();  // as the program does
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    qv::PrepareFonts();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::cout << "\nRatios to the time to compute (same run):\n";
    for (const char* name : {"BM_BuildCurves", "BM_DrawPage", "BM_SliderFrame", "BM_WriteDocument", "BM_ReadDocument"})
        reporter.PrintRatio(std::string(name) + " / BM_Compute", name, "BM_Compute");
    benchmark::Shutdown();
}
