// "Grafische Modellierung": the diagram editor. A pupil places stocks and
// rates, draws arrows (starting one in empty space makes a constant), names
// the elements, gives the rates their formulas through the formula dialog
// and, with OK, has the diagram translated into the algorithm editor's
// program. The diagram itself lives in a WorkingDiagram that outlasts the
// dialog; the algorithm editor that opened the dialog takes the program.
#pragma once

#include <QDialog>
#include <QImage>
#include <QUndoStack>

#include <optional>
#include <string>

#include "model/QVGrafDiagram.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QMouseEvent;
class QScrollArea;
class QWidget;

namespace qv {

class AlgoEditorState;
struct WorkingDiagram;

class TGrafmodelldlg : public QDialog {
public:
    enum Tool { MoveTool, StockTool, RateTool, ArrowTool, DeleteTool, LabelTool };

    // model is edited in place, also when the dialog is cancelled; OK puts
    // the generated program into algo, which must compile.
    TGrafmodelldlg(QWidget* parent, WorkingDiagram& model, AlgoEditorState& algo);

    const QImage& image() const { return image_; }

    // Cancel (and closing the window) lets go of a half-drawn arrow too: the
    // diagram outlives the dialog and is stored with the simulation.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Every opening starts at the diagram's top left corner.
    void showEvent(QShowEvent* event) override;

private:
    // QVGrafmodelldlg.cpp: the controls, tools, undo, copy and OK.
    QWidget* createToolBar();
    QWidget* createBottomRow();
    void chooseTool(int tool);
    void discardArrow();
    void redraw();
    // Records the edit that turned before into the current diagram.
    void recordEdit(const QString& text, TDiagram before);
    void KopierenClick();
    void OKClick();

    // QVGrafmodelldlgMouse.cpp: what a click, a drag and a release do.
    void mousePress(const QMouseEvent& event);
    void mouseMove(const QMouseEvent& event);
    void mouseRelease(const QMouseEvent& event);
    void pressMove(IntPoint at);
    void pressPlace(IntPoint at);
    void pressArrowStart(IntPoint at);
    void pressArrowNext(IntPoint at);
    void pressDelete(IntPoint at);
    void pressLabel(IntPoint at);
    void updateCursor(IntPoint at);
    void labelStock(tzustand& stock);
    void labelRate(trate& rate);
    void labelConstant(tKonstante& constant);
    // Asks for a plain name; nothing when cancelled or refused by the name rules.
    std::optional<std::string> askName(const QString& caption, const std::string& value);
    // The formula dialog for a rate or a computed stock, filled from text:
    // the confirmed name ":=" formula (or the name alone), nothing when cancelled.
    std::optional<std::string> askFormula(const TGSimple& element, bool stock, const std::string& text);

    WorkingDiagram& model_;
    AlgoEditorState& algo_;
    QImage image_;
    QUndoStack undo_;
    int tool_ = StockTool;

    // The arrow being drawn and the diagram before it was begun.
    tpfeil* drawing_ = nullptr;
    std::optional<TDiagram> beforeArrow_;
    IntPoint rubberEnd_{};

    // A drag in the move tool: of an element or of one arrow point.
    bool buttonDown_ = false;
    TGSimple* draggedElement_ = nullptr;
    tpfeil* draggedArrow_ = nullptr;
    int32_t draggedPoint_ = -1;
    IntPoint lastPoint_{};
    bool dragged_ = false;  // the mouse moved since the press
    std::optional<TDiagram> beforeDrag_;

    QButtonGroup* tools_;
    QCheckBox* simplified_;
    QCheckBox* extended_;
    QScrollArea* scroll_;
    QWidget* canvas_;
};

}  // namespace qv
