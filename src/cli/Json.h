// A small JSON writer for quorvel-cli's reports: objects keep the order in
// which their members are written.
#pragma once

#include <string>

namespace qv::cli {

class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The name of the next member of the open object.
    void key(const std::string& name);
    void value(const std::string& utf8);
    void value(const char* utf8) { value(std::string(utf8)); }
    void value(double number);  // non-finite numbers become null
    void value(int64_t number);
    void value(int number) { value(static_cast<int64_t>(number)); }
    void value(bool flag);
    void null();

    const std::string& text() const { return text_; }

private:
    void separate();
    std::string text_;
    bool first_ = true;  // no member or element written yet at this level
    bool afterKey_ = false;
};

}  // namespace qv::cli
