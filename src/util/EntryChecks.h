// Checks of numeric entries in dialogs. Each gives no message when the entry
// is acceptable and otherwise the German message (Windows-1252) that the
// caller shows in an error box before focusing the entry again.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// Bounds shown in fixed format with two decimals ("0,00<...<70,00").
std::optional<std::string> CheckRealInRange(const std::string& Text, double Lower, double Upper);

// Bounds shown as RealToText writes them.
std::optional<std::string> CheckRealInRangeGeneral(const std::string& Text, double Lower, double Upper);

std::optional<std::string> CheckIntegerInRange(const std::string& Text, int64_t Lower, int64_t Upper);

}  // namespace qv
