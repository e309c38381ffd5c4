#include "util/StreamIO.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace qv {

static_assert(std::endian::native == std::endian::little || std::endian::native == std::endian::big);

namespace {

template <typename T>
T fromLittleEndian(const uint8_t* p) {
    using U = std::make_unsigned_t<std::conditional_t<sizeof(T) == 8, int64_t, T>>;
    U value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) value |= static_cast<U>(static_cast<U>(p[i]) << (8 * i));
    T result;
    std::memcpy(&result, &value, sizeof(T));
    return result;
}

template <typename T>
void appendLittleEndian(std::vector<uint8_t>& out, T v) {
    using U = std::make_unsigned_t<std::conditional_t<sizeof(T) == 8, int64_t, T>>;
    U value;
    std::memcpy(&value, &v, sizeof(T));
    for (std::size_t i = 0; i < sizeof(T); ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

void InStream::need(std::size_t count) const {
    if (count > remaining()) throw StreamError(DamagedRecordText);
}

void InStream::seek(std::size_t pos) {
    if (pos > size_) throw StreamError(DamagedRecordText);
    pos_ = pos;
}

uint8_t InStream::readByte() {
    need(1);
    return data_[pos_++];
}

int16_t InStream::readInt16() {
    need(2);
    auto v = fromLittleEndian<int16_t>(data_ + pos_);
    pos_ += 2;
    return v;
}

int32_t InStream::readInt32() {
    need(4);
    auto v = fromLittleEndian<int32_t>(data_ + pos_);
    pos_ += 4;
    return v;
}

double InStream::readDouble() {
    need(8);
    auto v = fromLittleEndian<double>(data_ + pos_);
    pos_ += 8;
    return v;
}

void InStream::readBytes(void* target, std::size_t count) {
    need(count);
    if (count) std::memcpy(target, data_ + pos_, count);
    pos_ += count;
}

std::string InStream::readString() {
    int32_t n = readInt32();
    if (n < 1) return {};
    need(static_cast<std::size_t>(n));
    std::string text(reinterpret_cast<const char*>(data_ + pos_), static_cast<std::size_t>(n));
    pos_ += static_cast<std::size_t>(n);
    return text;
}

std::string InStream::readShortString() {
    std::size_t n = readByte();
    need(n);
    std::string text(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return text;
}

std::vector<std::string> InStream::readStringList() {
    std::size_t count = readCount(4);
    std::vector<std::string> list;
    list.reserve(count);
    for (std::size_t i = 0; i < count; ++i) list.push_back(readString());
    return list;
}

std::size_t InStream::checkedCount(int64_t count, std::size_t minItemBytes) const {
    if (count <= 0) return 0;
    auto n = static_cast<std::size_t>(count);
    // Every stored item takes at least one byte, so even a caller that names
    // no item size cannot be made to reserve room for two billion items.
    if (n > remaining() / std::max<std::size_t>(minItemBytes, 1)) throw StreamError(DamagedRecordText);
    return n;
}

std::size_t InStream::readCount(std::size_t minItemBytes) { return checkedCount(readInt32(), minItemBytes); }

std::size_t InStream::readCount16(std::size_t minItemBytes) { return checkedCount(readInt16(), minItemBytes); }

void OutStream::writeInt16(int16_t v) { appendLittleEndian(bytes_, v); }
void OutStream::writeInt32(int32_t v) { appendLittleEndian(bytes_, v); }
void OutStream::writeDouble(double v) { appendLittleEndian(bytes_, v); }

void OutStream::writeBytes(const void* source, std::size_t count) {
    auto p = static_cast<const uint8_t*>(source);
    bytes_.insert(bytes_.end(), p, p + count);
}

void OutStream::writeCount(std::size_t count) {
    if (count > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) {
        ok_ = false;
        return;
    }
    writeInt32(static_cast<int32_t>(count));
}

void OutStream::writeString(const std::string& text) {
    writeCount(text.size());
    if (ok_) writeBytes(text.data(), text.size());
}

void OutStream::writeStringList(const std::vector<std::string>& list) {
    writeCount(list.size());
    for (const auto& s : list) writeString(s);
}

}  // namespace qv
