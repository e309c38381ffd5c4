// Feeds arbitrary bytes to the simulation record reader (the clipboard's
// simulation format and the body of a document): it must either read a
// simulation or raise StreamError, never crash or read past the data; what
// it reads must write back to as many bytes as it consumed.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "engine/QVSim.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qv::InStream in(data, size);
    try {
        qv::tsim sim(in);
        qv::OutStream out;
        if (!sim.save(out)) std::abort();
        // Not byte for byte: a negative length reads as empty and writes as 0,
        // a boolean 2 reads as true and writes as 1.
        if (out.bytes().size() != in.position()) std::abort();
    } catch (const qv::StreamError&) {
    }
    return 0;
}
