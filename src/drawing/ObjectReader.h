// Turns a type tag read from a record back into a page object. Groups,
// paste, Clone and the document loader all come through here. Charts are page
// objects too, so the one function that knows every kind is defined above
// both drawing/ and charts/, in document/ObjectFactory.cpp; drawing code
// needs only this declaration.
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
