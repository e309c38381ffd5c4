#include "cli/Json.h"

#include <cmath>
#include <cstdio>

#include "cli/CliSupport.h"

namespace qv::cli {

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_) text_ += ',';
    first_ = false;
}

void JsonWriter::beginObject() {
    separate();
    text_ += '{';
    first_ = true;
}

void JsonWriter::endObject() {
    text_ += '}';
    first_ = false;
}

void JsonWriter::beginArray() {
    separate();
    text_ += '[';
    first_ = true;
}

void JsonWriter::endArray() {
    text_ += ']';
    first_ = false;
}

void JsonWriter::key(const std::string& name) {
    value(name);
    text_ += ':';
    afterKey_ = true;
}

void JsonWriter::value(const std::string& utf8) {
    separate();
    text_ += '"';
    for (unsigned char c : utf8) {
        switch (c) {
        case '"': text_ += "\\\""; break;
        case '\\': text_ += "\\\\"; break;
        case '\n': text_ += "\\n"; break;
        case '\r': text_ += "\\r"; break;
        case '\t': text_ += "\\t"; break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                text_ += escaped;
            } else {
                text_ += static_cast<char>(c);
            }
        }
    }
    text_ += '"';
}

void JsonWriter::value(double number) {
    if (!std::isfinite(number)) return null();
    separate();
    text_ += ShortestText(number);
}

void JsonWriter::value(int64_t number) {
    separate();
    text_ += std::to_string(number);
}

void JsonWriter::value(bool flag) {
    separate();
    text_ += flag ? "true" : "false";
}

void JsonWriter::null() {
    separate();
    text_ += "null";
}

}  // namespace qv::cli
