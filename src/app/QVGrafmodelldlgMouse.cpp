// The diagram editor's mouse: a click places, starts, ends, deletes or names
// by tool; a drag in the move tool moves an element or an arrow point in
// outline until the button is let go; the arrow tool shows the next segment
// as a rubber band.
#include <QMouseEvent>
#include <QScrollArea>
#include <QWidget>

#include <cstdlib>
#include <utility>

#include "app/Cursors.h"
#include "app/QVGrafmodelldlg.h"
#include "app/QVInputratedlg.h"
#include "dialogs/MessageBoxes.h"
#include "drawing/DiagramPainter.h"
#include "drawing/QtText.h"
#include "modeleditors/DiagramEdits.h"
#include "modeleditors/WorkingDiagram.h"

namespace qv {

namespace {

IntPoint PointOf(const QMouseEvent& event) {
    const QPoint p = event.position().toPoint();
    return {p.x(), p.y()};
}

// The rubber band runs straight across or straight down, as the next point will.
IntPoint Orthogonal(IntPoint from, IntPoint to) {
    if (std::abs(int64_t{to.X} - from.X) < std::abs(int64_t{to.Y} - from.Y))
        to.X = from.X;
    else
        to.Y = from.Y;
    return to;
}

// Stocks first, then rates (their tips too), then constants.
TGSimple* HitElement(const TDiagram& d, IntPoint at) {
    IntPoint probe = at;
    if (TGSimple* stock = d.StockProbe(probe)) return stock;
    if (TGSimple* rate = d.RateProbe(probe, true)) return rate;
    return d.ConstantProbe(at);
}

std::string UnlessUnnamed(const std::string& text) { return text == "?" ? std::string() : text; }

}  // namespace

void TGrafmodelldlg::mousePress(const QMouseEvent& event) {
    if (event.button() == Qt::RightButton) return;  // the context menu
    const IntPoint at = PointOf(event);
    lastPoint_ = at;
    scroll_->setFocus();
    switch (tool_) {
        case MoveTool: pressMove(at); break;
        case StockTool:
        case RateTool: pressPlace(at); break;
        case ArrowTool: drawing_ ? pressArrowNext(at) : pressArrowStart(at); break;
        case DeleteTool: pressDelete(at); break;
        case LabelTool: pressLabel(at); break;
        default: break;
    }
}

void TGrafmodelldlg::pressMove(IntPoint at) {
    if (draggedElement_ || draggedArrow_) return;
    buttonDown_ = true;
    TDiagram& d = model_.Diagram;
    if (std::optional<TArrowPointHit> hit = d.ArrowPointProbe(at)) {
        beforeDrag_ = d;
        draggedArrow_ = hit->Arrow;
        draggedPoint_ = hit->Index;
        DrawArrowOutline(image_, *draggedArrow_);
        canvas_->update();
        return;
    }
    TGSimple* element = HitElement(d, at);
    if (!element) return;
    beforeDrag_ = d;
    draggedElement_ = element;
    lastPoint_ = {element->CentreX, element->CentreY};
    element->SavedBox = element->Box;
    DrawElementOutline(image_, *element);
    canvas_->update();
}

void TGrafmodelldlg::pressPlace(IntPoint at) {
    TDiagram before = model_.Diagram;
    if (tool_ == StockTool) {
        model_.Diagram.Stocks.push_back(std::make_unique<tzustand>(at.X, at.Y));
        recordEdit(QStringLiteral("Zustandsgröße"), std::move(before));
    } else {
        model_.Diagram.Rates.push_back(std::make_unique<trate>(at.X, at.Y));
        recordEdit(QStringLiteral("Veränderungsrate"), std::move(before));
    }
    redraw();
}

void TGrafmodelldlg::pressArrowStart(IntPoint at) {
    TDiagram& d = model_.Diagram;
    TDiagram before = d;
    IntPoint start = at;
    TGSimple* source = d.StockProbe(start);
    if (!source) source = d.RateProbe(start, true);
    if (!source) {
        // Empty space: the arrow starts at a new constant's right edge.
        d.Constants.push_back(std::make_unique<tKonstante>(at.X, at.Y));
        source = d.Constants.back().get();
        redraw();
        start = {source->Box.Right, at.Y};
    }
    d.Arrows.push_back(std::make_unique<tpfeil>(start.X, start.Y));
    drawing_ = d.Arrows.back().get();
    drawing_->Source = source;
    d.RecordEndIndices(*drawing_, *source);
    if (source->Kind() == TElementKind::Rate) drawing_->Sign = 1;
    drawing_->Unfinished = true;
    beforeArrow_ = std::move(before);
    rubberEnd_ = start;
    canvas_->setCursor(AppCursor(CursorShape::Hand));
    redraw();
}

void TGrafmodelldlg::pressArrowNext(IntPoint at) {
    TDiagram& d = model_.Diagram;
    tpfeil& arrow = *drawing_;
    IntPoint p = at;
    TGSimple* target = nullptr;
    if (arrow.StartsAtRate()) {
        target = d.StockProbe(p, &arrow);
    } else {
        target = d.RateProbe(p, false, &arrow);
        if (!target && model_.ExtendedSyntax) target = d.StockProbe(p, &arrow);
    }
    arrow.AddPoint(p.X, p.Y);
    rubberEnd_ = arrow.Last();
    if (target) {
        arrow.Target = target;
        d.RecordEndIndices(arrow, *target);
        // The snap to a straight segment may have left the edge: a second
        // segment at right angles reaches it.
        if (!ContainsWidened(target->Box, arrow.Last(), ProbeMargin)) arrow.AddPoint(p.X, p.Y);
        arrow.Unfinished = false;
        drawing_ = nullptr;
        recordEdit(QStringLiteral("Pfeil"), *std::exchange(beforeArrow_, std::nullopt));
        canvas_->setCursor(AppCursor(CursorShape::Pfeil));
    }
    redraw();
}

void TGrafmodelldlg::pressDelete(IntPoint at) {
    TDiagram& d = model_.Diagram;
    TDiagram before = d;
    if (TGSimple* element = HitElement(d, at)) {
        DeleteElement(d, *element);
    } else if (tpfeil* arrow = d.ArrowSegmentProbe(at)) {
        DeleteArrow(d, *arrow);
    } else {
        return;
    }
    recordEdit(QStringLiteral("Löschen"), std::move(before));
    redraw();
}

void TGrafmodelldlg::pressLabel(IntPoint at) {
    TDiagram& d = model_.Diagram;
    IntPoint probe = at;
    if (tzustand* stock = d.StockProbe(probe)) return labelStock(*stock);
    probe = at;
    if (trate* rate = d.RateProbe(probe, true)) return labelRate(*rate);
    if (tKonstante* constant = d.ConstantProbe(at)) return labelConstant(*constant);
    if (tpfeil* arrow = d.ArrowSegmentProbe(at)) {
        TDiagram before = d;
        FlipSign(*arrow);
        recordEdit(QStringLiteral("Vorzeichen"), std::move(before));
        redraw();
    }
}

void TGrafmodelldlg::labelStock(tzustand& stock) {
    TDiagram before = model_.Diagram;
    const std::string value = UnlessUnnamed(stock.Name);
    std::optional<std::string> name = model_.ExtendedSyntax && StockTakesFormula(model_.Diagram, stock)
                                          ? askFormula(stock, true, value)
                                          : askName(QStringLiteral("Zustandsgröße"), DisplayName(value));
    if (!name) return;
    stock.Name = *name;
    recordEdit(QStringLiteral("Beschriftung"), std::move(before));
    redraw();
}

void TGrafmodelldlg::labelRate(trate& rate) {
    TDiagram before = model_.Diagram;
    std::optional<std::string> definition = askFormula(rate, false, UnlessUnnamed(rate.Definition));
    // A rate is named only together with its formula.
    const std::size_t colon = definition ? definition->find(':') : std::string::npos;
    if (colon == std::string::npos || colon == 0) return;
    rate.Definition = *definition;
    rate.Name = definition->substr(0, colon);
    recordEdit(QStringLiteral("Beschriftung"), std::move(before));
    redraw();
}

void TGrafmodelldlg::labelConstant(tKonstante& constant) {
    TDiagram before = model_.Diagram;
    std::optional<std::string> name = askName(QStringLiteral("Konstante"), UnlessUnnamed(constant.Name));
    if (!name) return;
    constant.Name = *name;
    recordEdit(QStringLiteral("Beschriftung"), std::move(before));
    redraw();
}

std::optional<std::string> TGrafmodelldlg::askName(const QString& caption, const std::string& value) {
    std::optional<QString> text =
        PromptText(this, caption, QStringLiteral("Geben Sie den Namen ein:"), ToQString(value));
    if (!text) return std::nullopt;
    std::string name = FromQString(*text);
    if (std::optional<std::string> refusal = NameRuleViolation(name)) {
        ShowMessage(this, MessageKind::Error, *refusal);
        return std::nullopt;
    }
    return name;
}

std::optional<std::string> TGrafmodelldlg::askFormula(const TGSimple& element, bool stock, const std::string& text) {
    TInputratedlg dialog(this, algo_);
    dialog.setStock(stock);
    const DefinitionParts parts = SplitDefinition(text);
    const FormulaInputs inputs = InputsOf(model_.Diagram, element, model_.SimplifiedModel);
    if (inputs.SomeUndefined) ShowMessage(this, MessageKind::Warning, std::string(UndefinedInputsText));
    QStringList names;
    for (const std::string& name : inputs.Names) names << ToQString(name);
    dialog.setFields(ToQString(parts.Name), ToQString(parts.Formula), names);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return JoinDefinition(FromQString(dialog.name()), FromQString(dialog.formula()));
}

void TGrafmodelldlg::mouseMove(const QMouseEvent& event) {
    const IntPoint at = PointOf(event);
    if (tool_ == MoveTool && (draggedElement_ || draggedArrow_)) {
        if (at == lastPoint_) return;
        if (draggedElement_) {
            DrawElementOutline(image_, *draggedElement_);
            draggedElement_->MoveTo(at.X, at.Y);
            DrawElementOutline(image_, *draggedElement_);
        } else {
            DrawArrowOutline(image_, *draggedArrow_);
            draggedArrow_->MovePoint(draggedPoint_, at.X - lastPoint_.X, at.Y - lastPoint_.Y);
            DrawArrowOutline(image_, *draggedArrow_);
        }
        lastPoint_ = at;
        dragged_ = true;
        canvas_->update();
        return;
    }
    if (tool_ == ArrowTool && drawing_) {
        DrawRubberBand(image_, drawing_->Last(), rubberEnd_);
        rubberEnd_ = Orthogonal(drawing_->Last(), at);
        DrawRubberBand(image_, drawing_->Last(), rubberEnd_);
        canvas_->update();
        return;
    }
    updateCursor(at);
}

void TGrafmodelldlg::updateCursor(IntPoint at) {
    if (tool_ != MoveTool && tool_ != LabelTool) return;
    const TDiagram& d = model_.Diagram;
    const bool onElement = HitElement(d, at) != nullptr;
    if (tool_ == MoveTool) {
        if (d.ArrowPointProbe(at))
            canvas_->setCursor(AppCursor(CursorShape::Hand));
        else if (onElement)
            canvas_->setCursor(AppCursor(CursorShape::HandFlat));
        else if (!buttonDown_)
            canvas_->setCursor(Qt::ArrowCursor);
        return;
    }
    if (onElement)
        canvas_->setCursor(Qt::IBeamCursor);
    else if (d.ArrowSegmentProbe(at))
        canvas_->setCursor(AppCursor(CursorShape::Plus));
    else if (!buttonDown_)
        canvas_->setCursor(Qt::ArrowCursor);
}

void TGrafmodelldlg::mouseRelease(const QMouseEvent& event) {
    if (event.button() == Qt::RightButton) return;
    if (tool_ == MoveTool && draggedElement_) {
        model_.Diagram.ElementMoved(*draggedElement_);
        redraw();
    } else if (tool_ == MoveTool && draggedArrow_) {
        redraw();
    } else if (tool_ == ArrowTool && !drawing_) {
        redraw();
    }
    if (beforeDrag_ && dragged_) recordEdit(QStringLiteral("Verschieben"), std::move(*beforeDrag_));
    beforeDrag_.reset();
    dragged_ = false;
    buttonDown_ = false;
    draggedElement_ = nullptr;
    draggedArrow_ = nullptr;
    draggedPoint_ = -1;
}

}  // namespace qv
