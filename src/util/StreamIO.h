// Little-endian binary records as the program stores them: int32, int16,
// bytes, IEEE doubles and length-prefixed Windows-1252 strings.
//
// A reader never trusts a length or count it reads: anything that claims more
// bytes than remain raises StreamError before a single byte is allocated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace qv {

// A record that ends early or announces more data than it holds.
class StreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// German text shown when a record is damaged (Windows-1252, as every program text).
inline constexpr const char* DamagedRecordText = "Der Datensatz ist unvollst\xE4ndig oder besch\xE4" "digt.";

class InStream {
public:
    InStream(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    explicit InStream(std::span<const uint8_t> bytes) : InStream(bytes.data(), bytes.size()) {}

    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return size_ - pos_; }
    bool atEnd() const { return pos_ == size_; }
    void seek(std::size_t pos);

    uint8_t readByte();
    int8_t readInt8() { return static_cast<int8_t>(readByte()); }
    bool readBool() { return readByte() != 0; }
    int16_t readInt16();
    int32_t readInt32();
    double readDouble();
    void readBytes(void* target, std::size_t count);

    // int32 byte count N, then N bytes; N < 1 gives the empty string.
    std::string readString();
    // Legacy form: a one-byte length followed by that many bytes.
    std::string readShortString();
    // int32 count, then that many strings.
    std::vector<std::string> readStringList();
    // An int32 item count, checked against the bytes that remain: each item
    // needs at least minItemBytes (at least one, even when 0 is given). A
    // negative count reads as zero.
    std::size_t readCount(std::size_t minItemBytes);
    // The same for a legacy int16 count.
    std::size_t readCount16(std::size_t minItemBytes);

private:
    void need(std::size_t count) const;
    std::size_t checkedCount(int64_t count, std::size_t minItemBytes) const;

    const uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Collects a record in memory. Writing cannot fail except when a string or
// list is too long for its int32 prefix; then ok() turns false and stays so.
class OutStream {
public:
    void writeByte(uint8_t v) { bytes_.push_back(v); }
    void writeInt8(int8_t v) { writeByte(static_cast<uint8_t>(v)); }
    void writeBool(bool v) { writeByte(v ? 1 : 0); }
    void writeInt16(int16_t v);
    void writeInt32(int32_t v);
    void writeDouble(double v);
    void writeBytes(const void* source, std::size_t count);
    void writeString(const std::string& text);
    void writeStringList(const std::vector<std::string>& list);
    // Writes an int32 count; fails (ok() false) when it does not fit.
    void writeCount(std::size_t count);

    bool ok() const { return ok_; }
    const std::vector<uint8_t>& bytes() const { return bytes_; }
    std::vector<uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
    bool ok_ = true;
};

}  // namespace qv
