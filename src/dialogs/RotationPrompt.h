// Asks for the angle a page object is turned to ("Drehen"), in tenths of a
// degree; nothing when the user cancelled.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

class QWidget;

namespace qv {

inline constexpr const char* AngleNotANumberText = "Der Winkel muss eine Zahl in Grad sein.";

std::optional<int32_t> AskRotationAngle(QWidget* parent, int32_t angle);

// "30" or "22,5" degrees as tenths; nothing for a text that is no number or
// lies beyond a few turns.
std::optional<int32_t> AngleFromText(const QString& text);

}  // namespace qv
