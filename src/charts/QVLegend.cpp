#include "charts/QVLegend.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "drawing/QtColour.h"
#include "drawing/QtText.h"
#include "drawing/TextFonts.h"
#include "engine/Tvariable.h"

namespace qv {

namespace {

QFont LegendQFont() {
    const LegendFontSettings& f = LegendFont();
    return MakeFont(f.Name, f.Style, FontPixelHeight(f.Size, Scales().PixelsPerCmY));
}

// One page centimetre in pixels: the room of the line before the text.
int32_t LineRoom() { return ToPixels(1, Scales().PixelsPerCmX); }

// The line stops short of the text by an eighth of that room, and never by
// less than 5 pixels, so the two stay apart at print and large render scales.
int32_t LineGap() { return std::max(5, LineRoom() / 8); }

}  // namespace

LegendFontSettings& LegendFont() {
    static LegendFontSettings settings;
    return settings;
}

std::string LegendText(const Tvariable& variable) {
    if (variable.SimulationName.empty()) return variable.Name;
    return variable.Name + " [" + variable.SimulationName + "]";
}

tlegend::tlegend(const Tvariable& variable, TPlot* curve, int32_t pixX, int32_t pixY)
    : Text(LegendText(variable)), Curve(curve) {
    Tag = TagLegend;
    LineColour = static_cast<uint32_t>(variable.LineColour);
    LineStyle = variable.LineStyle;
    LineWidth = variable.LineWidth / Scales().PixelsPerCmX;
    const QFontMetrics metrics(LegendQFont());
    SetPixX(pixX);
    SetPixY(pixY);
    SetPixWidth(metrics.horizontalAdvance(ToQString(Text)) + LineRoom());
    SetPixHeight(static_cast<int32_t>(std::nearbyint(1.5 * metrics.height())));
}

tlegend::tlegend(InStream& in) : TSimpleLine(in), Text(in.readString()) { Tag = TagLegend; }

bool tlegend::SaveToStream(OutStream& out) const {
    if (!TSimpleLine::SaveToStream(out)) return false;
    out.writeString(Text);
    return out.ok();
}

void tlegend::Draw(QPainter& painter, int dx, int dy, const QRect* clip) {
    if (Dragging) {
        Tsimple::Draw(painter, dx, dy, clip);
        return;
    }
    if (!IsInClip(dx, dy, clip)) return;
    PainterStateKeeper keep(painter);
    const int left = dx + PixX(), top = dy + PixY();
    painter.setPen(Pen());
    painter.drawLine(left, top + PixHeight() / 2, left + LineRoom() - LineGap(), top + PixHeight() / 2);
    painter.setPen(ToQColor(LineColour));
    painter.setBackgroundMode(Qt::TransparentMode);
    const QFont font = LegendQFont();
    painter.setFont(font);
    const QFontMetrics metrics(font);
    painter.drawText(left + LineRoom(), top + PixHeight() / 4 + metrics.ascent(), ToQString(Text));
}

}  // namespace qv
