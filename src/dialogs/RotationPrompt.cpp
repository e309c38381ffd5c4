#include "dialogs/RotationPrompt.h"

#include <cmath>

#include "dialogs/MessageBoxes.h"

namespace qv {

std::optional<int32_t> AngleFromText(const QString& text) {
    QString number = text.trimmed();
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double degrees = number.toDouble(&ok);
    if (!ok || !std::isfinite(degrees) || std::abs(degrees) > 36000) return std::nullopt;
    return static_cast<int32_t>(std::lround(degrees * 10));
}

std::optional<int32_t> AskRotationAngle(QWidget* parent, int32_t angle) {
    QString value = QString::number(angle / 10.0);
    value.replace(QLatin1Char('.'), QLatin1Char(','));
    for (;;) {
        const std::optional<QString> text =
            PromptText(parent, QStringLiteral("Drehen"), QStringLiteral("Winkel in Grad:"), value);
        if (!text) return std::nullopt;
        if (auto tenths = AngleFromText(*text)) return tenths;
        ShowMessage(parent, MessageKind::Error, std::string(AngleNotANumberText));
        value = *text;
    }
}

}  // namespace qv
