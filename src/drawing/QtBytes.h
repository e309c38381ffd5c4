// Qt's byte arrays as the byte spans the program's file reading and safe
// writing take, without a copy.
#pragma once

#include <QByteArray>

#include <cstdint>
#include <span>

namespace qv {

inline std::span<const uint8_t> ByteSpan(const QByteArray& bytes) {
    return {reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())};
}

}  // namespace qv
