// Feeds arbitrary bytes to both diagram readers (current and 16-bit legacy
// records): each must read a diagram or raise StreamError, a diagram it read
// must write and read back again, and generating its algorithm and moving
// and laying out its elements must stay inside the lists.
#include <cstdint>
#include <cstdlib>

#include "model/GrafGeneration.h"
#include "model/QVGrafDiagram.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (bool legacy : {false, true}) {
        qv::InStream in(data, size);
        try {
            qv::TDiagram diagram = legacy ? qv::TDiagram::readLegacy(in) : qv::TDiagram::read(in);
            qv::OutStream out;
            if (!diagram.save(out)) std::abort();
            qv::InStream again(out.bytes());
            qv::TDiagram reread = qv::TDiagram::read(again);
            if (!again.atEnd()) std::abort();
            for (bool simplified : {false, true}) qv::GenerateAlgorithm(diagram, simplified);
            for (auto& s : diagram.Stocks) {
                diagram.LayoutElement(*s, 30, 13, false);
                diagram.ElementMoved(*s);
            }
            for (auto& r : diagram.Rates) diagram.LayoutElement(*r, 30, 13, false);
            (void)diagram.Bounds();
        } catch (const qv::StreamError&) {
        }
    }
    return 0;
}
