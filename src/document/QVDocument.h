// The document: the worksheet page with the chart on it, the simulations and
// the view switches, and its file form (".prg", version 30; version 20 is
// read and converted by QVDocument20).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "drawing/bskomplex.h"
#include "engine/QVSim.h"
#include "util/StreamIO.h"

namespace qv {

class Tgraf3d;

struct TDocument {
    bool TableShown = false;
    bool ChartShown = true;
    std::unique_ptr<TSeite> Page;
    Tgraf3d* Chart = nullptr;  // one of the page's children
    bool SeparateCharts = false;
    std::vector<std::unique_ptr<tsim>> Simulations;
    int32_t Selected = -1;  // index into Simulations, -1 for none
    int Version = 30;       // of the file it was read from; always written as 30

    // A new document: a 16 × 12 cm page holding a new two-dimensional chart.
    static TDocument CreateNew();

    tsim* SelectedSimulation() const;
    // Position of the chart among the page's children, -1 when it is not there.
    int32_t ChartIndex() const;
};

inline constexpr double NewPageWidth = 16.0;
inline constexpr double NewPageHeight = 12.0;

// A file that is not a readable document. The text is the program's German
// message (Windows-1252); empty for a file without a recognised signature,
// which loads nothing and shows nothing.
class DocumentError : public std::runtime_error {
public:
    explicit DocumentError(const std::string& text) : std::runtime_error(text) {}
};

inline constexpr const char* NotADocumentText = "Dies ist keine Quorvel-Datei, oder Datei defekt.";
inline constexpr const char* WrongVersionText = "Falsche QUORVEL-Version!";
inline constexpr const char* NoMemoryForDocumentText = "Nicht gen\xFCgend Speicher, um das Dokument zu lesen.";

// Reads the 11-byte signature: 30 or 20 for documents of those versions, 0
// for anything else. A version above 30 throws DocumentError with the
// wrong-version text.
int readSignature(InStream& in);

// The version-30 file image of a document.
bool saveDocument(const TDocument& document, OutStream& out);

// Writes a version-30 document through WriteFileSafely: a failure leaves the
// old file untouched, and error receives the reason (Windows-1252).
bool writeDocument(const TDocument& document, const std::string& fileName, std::string& error);

// Reads a document of version 30 or 20 completely from bytes. Throws
// DocumentError (or StreamError for damaged data); the caller's open
// document stays as it was until this returns.
TDocument loadDocument(std::span<const uint8_t> bytes);

// Reads a document from a file; throws as loadDocument, and DocumentError
// when the file cannot be opened.
TDocument readDocument(const std::string& fileName);

}  // namespace qv
