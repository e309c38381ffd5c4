// A macro: a name and the lines of its body, in the algorithm language.
#pragma once

#include <string>
#include <vector>

#include "util/StreamIO.h"

namespace qv {

struct TListeninhalt {
    std::string Name;
    std::vector<std::string> Lines;

    TListeninhalt() = default;
    explicit TListeninhalt(std::string name) : Name(std::move(name)) {}
    explicit TListeninhalt(InStream& in) : Name(in.readString()), Lines(in.readStringList()) {}

    bool save(OutStream& out) const {
        out.writeString(Name);
        out.writeStringList(Lines);
        return out.ok();
    }
    bool operator==(const TListeninhalt&) const = default;
};

}  // namespace qv
