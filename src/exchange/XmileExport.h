// Writing a simulation as an XMILE 1.0 model, the exchange format of
// system-dynamics tools: sim_specs, the variables with their equations and,
// for a graphical model, a view with the diagram's positions and connectors.
#pragma once

#include <QByteArray>
#include <string>

#include "engine/QVSim.h"

namespace qv {

struct XmileExport {
    QByteArray Bytes;     // the file, UTF-8
    std::string Warning;  // German (Windows-1252): what was left out; empty when nothing
};

XmileExport ExportXmile(const tsim& sim);

// The file filter of the export dialog.
inline constexpr const char* XmileFileFilter = "XMILE-Modell (*.xmile)";

}  // namespace qv
