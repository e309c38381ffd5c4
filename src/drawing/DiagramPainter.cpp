#include "drawing/DiagramPainter.h"

#include <QFontMetrics>
#include <QSvgGenerator>
#include <algorithm>
#include <vector>

#include "drawing/QtText.h"
#include "drawing/TextFonts.h"

namespace qv {

namespace {

constexpr int CanvasFontPixels = 13;
constexpr int OutlineGrey = 128;
// Coordinates from documents may lie anywhere; Qt's integer geometry does
// not survive sums near the int32 limits, and nothing beyond this is visible.
constexpr int32_t PaintLimit = 1 << 24;

int PaintCoordinate(int64_t V) { return static_cast<int>(std::clamp<int64_t>(V, -PaintLimit, PaintLimit)); }

QPoint ToQPoint(IntPoint P) { return {PaintCoordinate(P.X), PaintCoordinate(P.Y)}; }

// A rectangle whose outline covers Left..Right-1 and Top..Bottom-1, as the
// rate's pointed side expects it to.
QRect OutlineRect(const IntRect& R) {
    int64_t width = std::max<int64_t>(int64_t{R.Right} - R.Left - 1, 0);
    int64_t height = std::max<int64_t>(int64_t{R.Bottom} - R.Top - 1, 0);
    return QRect(PaintCoordinate(R.Left), PaintCoordinate(R.Top), PaintCoordinate(width), PaintCoordinate(height));
}

QRect Span(const QPoint& A, const QPoint& B) { return QRect(A, B).normalized(); }

void PreparePen(QPainter& Painter, const QColor& Colour) {
    Painter.setRenderHint(QPainter::Antialiasing, false);
    Painter.setPen(QPen(Colour, 1));
    Painter.setBrush(Qt::NoBrush);
}

void DrawTip(QPainter& Painter, const trate& Rate) {
    auto tip = Rate.TipOutline();
    const QPoint points[] = {ToQPoint(tip[0]), ToQPoint(tip[1]), ToQPoint(tip[2])};
    Painter.drawPolyline(points, 3);
}

void DrawText(QPainter& Painter, int32_t X, int32_t Y, const std::string& Text) {
    const QFont font = DiagramFont();
    Painter.setFont(font);
    QFontMetrics metrics(font);
    Painter.drawText(QPoint(PaintCoordinate(X), PaintCoordinate(int64_t{Y} + metrics.ascent())), ToQString(Text));
}

std::vector<QPoint> PolylineOf(const tpfeil& Arrow) {
    std::vector<QPoint> points;
    for (int32_t i = 0; i < Arrow.PointCount; ++i) points.push_back(ToQPoint(Arrow.Points[static_cast<std::size_t>(i)]));
    return points;
}

QRect BoundsOf(const std::vector<QPoint>& Points) {
    QRect area;
    for (const QPoint& p : Points) area |= QRect(p, QSize(1, 1));
    return area;
}

// NotXor with a grey pen on the image: every pixel the shape covers becomes
// (NOT grey) XOR itself, once, however many strokes of the shape cross it.
// The shape is drawn into a mask first, so joints and corners, which Qt would
// paint twice, do not cancel out.
template <typename Shape>
void XorDraw(QImage& Image, QRect Bounds, Shape&& Draw) {
    QRect area = Bounds.adjusted(-2, -2, 2, 2).intersected(Image.rect());
    if (area.isEmpty()) return;
    QImage mask(area.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter painter(&mask);
        painter.translate(-area.topLeft());
        PreparePen(painter, Qt::black);
        Draw(painter);
    }
    if (Image.format() != QImage::Format_RGB32 && Image.format() != QImage::Format_ARGB32 &&
        Image.format() != QImage::Format_ARGB32_Premultiplied)
        Image.convertTo(QImage::Format_RGB32);
    const QRgb inverse = ~qRgb(OutlineGrey, OutlineGrey, OutlineGrey) & RGB_MASK;
    for (int y = 0; y < area.height(); ++y) {
        const auto* covered = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        auto* pixel = reinterpret_cast<QRgb*>(Image.scanLine(area.top() + y)) + area.left();
        for (int x = 0; x < area.width(); ++x)
            if (qAlpha(covered[x])) pixel[x] ^= inverse;
    }
}

}  // namespace

QFont DiagramFont() { return MakeFont("Arial", 0, CanvasFontPixels); }

QImage NewDiagramImage(int Width, int Height) {
    QImage image(std::max(Width, 1), std::max(Height, 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void DrawElement(QPainter& Painter, TDiagram& Diagram, TGSimple& Element, bool Dragging) {
    QFontMetrics metrics(DiagramFont());
    Diagram.LayoutElement(Element, metrics.horizontalAdvance(ToQString(Element.MeasuredText())), metrics.height(),
                          Dragging);
    PreparePen(Painter, Qt::black);
    if (Element.Kind() != TElementKind::Constant) Painter.drawRect(OutlineRect(Element.Box));
    if (Element.Kind() == TElementKind::Rate) DrawTip(Painter, static_cast<const trate&>(Element));
    DrawText(Painter, Element.LabelX, Element.LabelY, Element.LabelText());
}

void DrawArrow(QPainter& Painter, const tpfeil& Arrow) {
    if (Arrow.PointCount < 1) return;
    PreparePen(Painter, Qt::black);
    const QPoint start = ToQPoint(Arrow.First());
    Painter.drawRect(QRect(start.x() - 1, start.y() - 1, 1, 1));
    std::vector<QPoint> points = PolylineOf(Arrow);
    if (points.size() > 1) Painter.drawPolyline(points.data(), static_cast<int>(points.size()));
    auto head = Arrow.ArrowHead();
    if (!head) return;
    const QPoint triangle[] = {ToQPoint(head->Triangle[0]), ToQPoint(head->Triangle[1]), ToQPoint(head->Triangle[2])};
    Painter.setBrush(Qt::black);
    Painter.drawPolygon(triangle, 3);
    Painter.setBrush(Qt::NoBrush);
    if (Arrow.Sign != 0) DrawText(Painter, head->SignPos.X, head->SignPos.Y, Arrow.Sign > 0 ? "+" : "-");
}

void DrawDiagram(QPainter& Painter, TDiagram& Diagram, bool Dragging) {
    for (auto& s : Diagram.Stocks) DrawElement(Painter, Diagram, *s, Dragging);
    for (auto& r : Diagram.Rates) DrawElement(Painter, Diagram, *r, Dragging);
    for (auto& c : Diagram.Constants) DrawElement(Painter, Diagram, *c, Dragging);
    for (auto& a : Diagram.Arrows) DrawArrow(Painter, *a);
}

void RedrawDiagram(QImage& Image, TDiagram& Diagram, bool Dragging) {
    if (Image.isNull()) return;
    Image.fill(Qt::white);
    QPainter painter(&Image);
    DrawDiagram(painter, Diagram, Dragging);
}

void LayoutDiagram(TDiagram& Diagram) {
    QFontMetrics metrics(DiagramFont());
    auto layout = [&](TGSimple& e) {
        Diagram.LayoutElement(e, metrics.horizontalAdvance(ToQString(e.MeasuredText())), metrics.height(), false);
    };
    for (auto& s : Diagram.Stocks) layout(*s);
    for (auto& r : Diagram.Rates) layout(*r);
    for (auto& c : Diagram.Constants) layout(*c);
}

void DrawElementOutline(QImage& Image, TGSimple& Element) {
    QRect box = OutlineRect(Element.Box);
    if (Element.Kind() != TElementKind::Rate) {
        XorDraw(Image, box, [&](QPainter& p) { p.drawRect(box); });
        return;
    }
    auto& rate = static_cast<trate&>(Element);
    rate.UpdateTip();
    XorDraw(Image, box | Span(box.topRight(), ToQPoint({rate.TipX, rate.CentreY})), [&](QPainter& p) {
        p.drawRect(box);
        DrawTip(p, rate);
    });
}

void DrawArrowOutline(QImage& Image, const tpfeil& Arrow) {
    std::vector<QPoint> points = PolylineOf(Arrow);
    if (points.size() < 2) return;
    XorDraw(Image, BoundsOf(points),
            [&](QPainter& p) { p.drawPolyline(points.data(), static_cast<int>(points.size())); });
}

void DrawRubberBand(QImage& Image, IntPoint From, IntPoint To) {
    QPoint a = ToQPoint(From), b = ToQPoint(To);
    XorDraw(Image, Span(a, b), [&](QPainter& p) { p.drawLine(a, b); });
}

std::optional<IntRect> DiagramPictureArea(TDiagram& Diagram, int32_t Margin) {
    LayoutDiagram(Diagram);
    auto bounds = Diagram.Bounds();
    if (!bounds) return std::nullopt;
    return IntRect{ClampPixel(int64_t{bounds->Left} - Margin), ClampPixel(int64_t{bounds->Top} - Margin),
                   ClampPixel(int64_t{bounds->Right} + Margin), ClampPixel(int64_t{bounds->Bottom} + Margin)};
}

QImage DiagramImage(TDiagram& Diagram, const IntRect& Area) {
    QImage image = NewDiagramImage(PaintCoordinate(int64_t{Area.Right} - Area.Left + 1),
                                   PaintCoordinate(int64_t{Area.Bottom} - Area.Top + 1));
    QPainter painter(&image);
    painter.translate(-PaintCoordinate(Area.Left), -PaintCoordinate(Area.Top));
    DrawDiagram(painter, Diagram);
    return image;
}

bool WriteDiagramSvg(TDiagram& Diagram, const IntRect& Area, QIODevice& Device) {
    const int width = PaintCoordinate(int64_t{Area.Right} - Area.Left + 1);
    const int height = PaintCoordinate(int64_t{Area.Bottom} - Area.Top + 1);
    QSvgGenerator svg;
    svg.setOutputDevice(&Device);
    svg.setSize(QSize(width, height));
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setTitle(QStringLiteral("Quorvel"));
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    painter.translate(-PaintCoordinate(Area.Left), -PaintCoordinate(Area.Top));
    DrawDiagram(painter, Diagram);
    return painter.end();
}

}  // namespace qv
