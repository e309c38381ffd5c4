// Painting a graphical model: stocks, rates with their pointed side,
// constants and arrows, as the editor shows them and as pictures of it.
//
// Normal drawing works on any paint device and lays every element out around
// its label first, which may grow its box and move the arrow ends on it; the
// diagram is therefore not const. Outlines (an element or arrow being dragged,
// the rubber band of an arrow being drawn) are drawn grey in NotXor mode on
// the editor's image, so drawing the same outline again erases it.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <optional>

#include "model/QVGrafDiagram.h"

class QIODevice;

namespace qv {

// The font of labels and signs: a sans-serif face at a fixed pixel size,
// measured the same on every device.
QFont DiagramFont();

// A white image in the format the outlines are combined with.
QImage NewDiagramImage(int Width, int Height);

// Dragging: an element is being dragged, so every element's SavedBox keeps
// the box from before the drag.
void DrawElement(QPainter& Painter, TDiagram& Diagram, TGSimple& Element, bool Dragging = false);
void DrawArrow(QPainter& Painter, const tpfeil& Arrow);
// Every stock, rate, constant and then every arrow, in list order.
void DrawDiagram(QPainter& Painter, TDiagram& Diagram, bool Dragging = false);
// Fills the image white and draws the diagram on it.
void RedrawDiagram(QImage& Image, TDiagram& Diagram, bool Dragging = false);
// Sizes every element to its label as drawing would, without painting.
void LayoutDiagram(TDiagram& Diagram);

void DrawElementOutline(QImage& Image, TGSimple& Element);
void DrawArrowOutline(QImage& Image, const tpfeil& Arrow);
void DrawRubberBand(QImage& Image, IntPoint From, IntPoint To);

// The area a picture of the diagram shows: its laid-out bounds grown by
// Margin on every side. Nothing for an empty diagram.
std::optional<IntRect> DiagramPictureArea(TDiagram& Diagram, int32_t Margin);
// The diagram on white, cut to Area (edges included).
QImage DiagramImage(TDiagram& Diagram, const IntRect& Area);
// The same as SVG; false when the device cannot be written.
bool WriteDiagramSvg(TDiagram& Diagram, const IntRect& Area, QIODevice& Device);

}  // namespace qv
