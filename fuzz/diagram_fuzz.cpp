// Feeds arbitrary bytes to both diagram readers (current and 16-bit legacy
// records): each must read a diagram or raise StreamError, and a diagram it
// read must write and read back again.
#include <cstdint>
#include <cstdlib>

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
        } catch (const qv::StreamError&) {
        }
    }
    return 0;
}
