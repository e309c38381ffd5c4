// Turns a type tag read from a record back into a drawing object. Groups,
// paste, Clone and the document loader all come through here.
#pragma once

#include <memory>

#include "drawing/BSSimple.h"

namespace qv {

inline constexpr const char* WrongObjectText = "Falsches Objekt gelesen!";

// A record whose tag names no class that can be read.
class WrongObjectError : public StreamError {
public:
    WrongObjectError() : StreamError(WrongObjectText) {}
};

// The tag byte has been read by the caller; its top bit is ignored. Raises
// WrongObjectError for an unknown tag and StreamError for a damaged record.
std::unique_ptr<Tsimple> ReadObject(InStream& in, uint8_t tag);

}  // namespace qv
