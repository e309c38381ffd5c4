// Feeds arbitrary bytes to the document reader (both versions) and, with the
// first byte as the tag, to the object factory as the clipboard's object
// format does: each must give a document or object, or raise StreamError /
// DocumentError; what was read must write again.
#include <cstdint>
#include <cstdlib>

#include "WorksheetFuzzSetup.h"
#include "document/QVDocument.h"
#include "drawing/ObjectReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        qv::TDocument document = qv::loadDocument(std::span<const uint8_t>(data, size));
        qv::OutStream out;
        if (!qv::saveDocument(document, out)) std::abort();
    } catch (const qv::StreamError&) {
    } catch (const qv::DocumentError&) {
    }
    if (size > 0) {
        qv::InStream in(data + 1, size - 1);
        try {
            auto object = qv::ReadObject(in, data[0]);
            qv::OutStream out;
            if (!object || !object->SaveToStream(out)) std::abort();
        } catch (const qv::StreamError&) {
        }
    }
    return 0;
}
