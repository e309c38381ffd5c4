// What a curve computes from its centimetres for drawing, kept while the
// page scales and the curve's origin stay as they were: the chart view,
// the command line and every repaint draw the same built curves again.
#pragma once

#include <optional>

#include "util/Geometry.h"

namespace qv {

template <class T>
class ScaleKeyed {
public:
    // The value for the present page scales and the given origin (cm),
    // made anew by make() when the kept one belongs to others.
    template <class Make>
    const T& get(Make&& make, double originX = 0, double originY = 0) {
        const Key key{Scales().PixelsPerCmX, Scales().PixelsPerCmY, originX, originY};
        if (!value_ || !(key_ == key)) {
            value_.reset();
            value_ = make();
            key_ = key;
        }
        return *value_;
    }
    // The owner's centimetres changed.
    void forget() { value_.reset(); }

private:
    struct Key {
        double perCmX = 0, perCmY = 0, originX = 0, originY = 0;
        bool operator==(const Key&) const = default;
    };
    std::optional<T> value_;
    Key key_;
};

}  // namespace qv
