#include "cli/CliSupport.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iostream>

#include "util/Cp1252.h"
#include "util/WholeFile.h"

namespace qv::cli {

namespace {

// Far beyond any program a pupil writes; a bound, so that a device or a
// huge file given by mistake is refused instead of filling the memory.
constexpr std::size_t MaxProgramMegabytes = 16;

}  // namespace

std::optional<std::vector<std::string>> ReadProgramLines(const std::string& path) {
    std::string error;
    const auto bytes = ReadFileBounded(path, MaxProgramMegabytes, error);
    if (!bytes) {
        PrintError(error);
        return std::nullopt;
    }
    std::string text(bytes->begin(), bytes->end());
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);  // a byte order mark is no part of line 1

    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(Utf8ToCp1252(line));
        start = end + 1;
    }
    return lines;
}

std::optional<double> ParseNumber(const std::string& text, bool decimalComma) {
    std::string normal = text;
    if (decimalComma) {
        if (normal.find('.') != std::string::npos) return std::nullopt;
        for (char& c : normal)
            if (c == ',') c = '.';
    }
    const char* begin = normal.data();
    const char* end = begin + normal.size();
    if (begin != end && *begin == '+') ++begin;
    double value = 0;
    auto [stop, error] = std::from_chars(begin, end, value);
    // "inf" and "nan" read as numbers, but no value of a model or size can be either.
    if (begin == end || error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string ShortestText(double value) {
    if (std::isnan(value)) return "nan";
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)error;  // 64 characters always hold the shortest form of a double
    return std::string(buffer, end);
}

std::optional<std::pair<std::string, std::string>> SplitAssignment(const std::string& text) {
    std::size_t eq = text.find('=');
    if (eq == std::string::npos || eq == 0) return std::nullopt;
    return std::make_pair(text.substr(0, eq), text.substr(eq + 1));
}

void PrintError(const std::string& programText) {
    std::string text = Cp1252ToUtf8(programText);
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\n' || c == '\r') {
            // "\n\r", "\r\n", "\n" and "\r" each end one line.
            char other = c == '\n' ? '\r' : '\n';
            if (i + 1 < text.size() && text[i + 1] == other) ++i;
            std::cerr << line << '\n';
            line.clear();
        } else {
            line += c;
        }
    }
    std::cerr << line << '\n';
}

bool HasSuffix(const std::string& path, const std::string& suffix) {
    if (path.size() < suffix.size()) return false;
    return std::equal(suffix.begin(), suffix.end(), path.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

bool WriteOutputFile(const std::string& path, std::span<const uint8_t> bytes) {
    std::string error;
    if (WriteFileSafely(path, bytes, error)) return true;
    PrintError(error);
    return false;
}

}  // namespace qv::cli
