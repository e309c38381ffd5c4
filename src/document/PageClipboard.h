// What the worksheet puts on the clipboard and takes from it: a page object,
// the whole page (its simulations, with an SVG picture and a bitmap for other
// programs) or one simulation in the program's own formats, and on paste the
// first usable format in a fixed order. The window owns the clipboard itself;
// these work on QMimeData so they run without one.
#pragma once

#include <QMimeData>

#include <memory>
#include <string>
#include <vector>

#include "document/QVDocument.h"

namespace qv {

inline constexpr const char* ObjectFormat = "QuorvelObjekt30";
inline constexpr const char* PageFormat = "QuorvelFormat30";
inline constexpr const char* SimulationFormat = "QuorvelSimulation30";

// One page object's record, with its picture as SVG and (unless it is itself
// a picture) as a bitmap. Null when the record cannot be written.
std::unique_ptr<QMimeData> ObjectClipboardData(Tsimple& object);

// The document's page and simulations as a body record, the page as an SVG
// picture 0.2 cm larger than the page and as a bitmap with a 4-pixel border.
std::unique_ptr<QMimeData> PageClipboardData(TDocument& document);

std::unique_ptr<QMimeData> SimulationClipboardData(const tsim& simulation);

// The page pop-up's paste: any format that ReadClipboard takes.
bool CanPasteIntoPage(const QMimeData* data);
// The simulation box's paste: one of the two formats that carry simulations.
bool CanPasteSimulations(const QMimeData* data);

// What a paste brings: a page object (already 2 pixels right of and below
// where it was copied from), or simulations, or a German message (Windows-1252)
// and nothing else when the clipboard's record is damaged.
struct ClipboardContent {
    std::unique_ptr<Tsimple> Object;
    std::vector<std::unique_ptr<tsim>> Simulations;
    std::string Error;
};

// Takes the first format present: an object, a page's simulations, one
// simulation, text (a new text with the current defaults at 2 cm, 3 cm),
// a bitmap, an SVG picture (rendered at 300 dpi into a bitmap).
ClipboardContent ReadClipboard(const QMimeData& data);

}  // namespace qv
