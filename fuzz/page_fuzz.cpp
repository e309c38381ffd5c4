// Reads a document, computes it with few steps, builds its chart and table
// and draws its page into a small picture, as "Anzeigen" and printing do:
// whatever a document that reads holds, nothing may crash, hang or take
// memory without bound.
#include <QImage>
#include <algorithm>
#include <cstdint>

#include "WorksheetFuzzSetup.h"
#include "charts/bsgraf3d.h"
#include "document/DocumentActions.h"
#include "document/QVDocument.h"
#include "document/QVTable.h"
#include "drawing/BSSimple.h"

namespace {

constexpr int32_t MaxSteps = 50;
constexpr int PageWidth = 160, PageHeight = 120;

// Ends a run that the throttle reports as still going (an endless loop).
class StopAtOnce : public qv::RunObserver {
public:
    bool poll(int) override { return false; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::optional<qv::TDocument> document;
    try {
        document = qv::loadDocument(std::span<const uint8_t>(data, size));
    } catch (const qv::StreamError&) {
        return 0;
    } catch (const qv::DocumentError&) {
        return 0;
    }
    for (auto& simulation : document->Simulations)
        simulation->StepCount = std::clamp(simulation->StepCount, int32_t{0}, MaxSteps);
    qv::Scales().PixelsPerCmX = PageWidth / document->Page->Width();
    qv::Scales().PixelsPerCmY = PageHeight / document->Page->Height();
    document->Page->UpdatePixels();
    StopAtOnce stop;
    qv::ComputeDocument(*document, &stop);
    qv::BuildChart(*document);
    qv::TableText(qv::buildTable(document->Simulations, document->Chart->threeD, qv::TableMetrics(6)));
    QImage page(PageWidth, PageHeight, QImage::Format_ARGB32_Premultiplied);
    qv::RenderPage(*document, page, PageWidth, PageHeight);
    return 0;
}
