// Reads an XMILE file (OASIS XMILE 1.0) into an XmileModel.
#pragma once

#include <string>
#include <variant>

#include "exchange/XmileModel.h"

namespace qv {

// The model, or the German message why the text is no readable XMILE model.
std::variant<XmileModel, std::string> ReadXmile(const std::string& xmlText);

// Reads the file (a UTF-8 file name) and then its model.
std::variant<XmileModel, std::string> ReadXmileFile(const std::string& fileName);

}  // namespace qv
