#include "app/QVGrafmodelldlg.h"

#include <QAbstractButton>
#include <QAction>
#include <QBuffer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/Cursors.h"
#include "app/DiagramUndo.h"
#include "dialogs/DialogParts.h"
#include "dialogs/MessageBoxes.h"
#include "drawing/DiagramPainter.h"
#include "model/GrafGeneration.h"
#include "modeleditors/DiagramEdits.h"
#include "modeleditors/EditorPrograms.h"
#include "modeleditors/WorkingDiagram.h"

namespace qv {

namespace {

// Room for a diagram larger than the window; the canvas scrolls.
constexpr int CanvasWidth = 1280;
constexpr int CanvasHeight = 960;
// A copied picture reaches one pixel beyond the diagram on every side.
constexpr int32_t CopyMargin = 1;

const QString NoArrowsQuestion =
    QStringLiteral("Das Diagramm enthält keine Pfeile. Soll der Algorithmus gelöscht werden?");

// Shows the editor's image; the dialog handles its mouse events.
class DiagramCanvas : public QWidget {
public:
    DiagramCanvas(QWidget* parent, const QImage& image) : QWidget(parent), image_(image) {
        setFixedSize(image.size());
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, image_); }

private:
    const QImage& image_;
};

struct ToolButton {
    int Tool;
    const char* Name;
    const char* Hint;
    std::optional<CursorShape> Picture;  // the label tool shows letters
};

// In the order the tool bar shows them.
const ToolButton ToolButtons[] = {
    {TGrafmodelldlg::MoveTool, "toolMove", "Verschieben", CursorShape::HandFlat},
    {TGrafmodelldlg::LabelTool, "toolLabel", "Eingabe der Beschriftung", std::nullopt},
    {TGrafmodelldlg::DeleteTool, "toolDelete", "Löschen", CursorShape::Clear},
    {TGrafmodelldlg::StockTool, "toolStock", "Zustandsgröße", CursorShape::DropZu},
    {TGrafmodelldlg::RateTool, "toolRate", "Veränderungsrate", CursorShape::DropRate},
    {TGrafmodelldlg::ArrowTool, "toolArrow", "Wirkungspfeil oder Konstante", CursorShape::Pfeil},
};

}  // namespace

TGrafmodelldlg::TGrafmodelldlg(QWidget* parent, WorkingDiagram& model, AlgoEditorState& algo)
    : QDialog(parent), model_(model), algo_(algo), image_(NewDiagramImage(CanvasWidth, CanvasHeight)) {
    setWindowTitle(QStringLiteral("Grafische Modellierung"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(createToolBar());

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("scroll"));
    canvas_ = new DiagramCanvas(scroll_, image_);
    canvas_->setObjectName(QStringLiteral("canvas"));
    canvas_->installEventFilter(this);
    canvas_->setContextMenuPolicy(Qt::CustomContextMenu);
    scroll_->setWidget(canvas_);
    layout->addWidget(scroll_, 1);
    layout->addWidget(createBottomRow());

    auto* copy = new QAction(QStringLiteral("&Kopieren"), this);
    copy->setObjectName(QStringLiteral("Kopieren"));
    connect(copy, &QAction::triggered, this, &TGrafmodelldlg::KopierenClick);
    connect(canvas_, &QWidget::customContextMenuRequested, this, [this, copy](const QPoint& at) {
        QMenu menu(this);
        menu.addAction(copy);
        menu.exec(canvas_->mapToGlobal(at));
    });

    chooseTool(StockTool);
    redraw();
    resize(800, 600);
}

QWidget* TGrafmodelldlg::createToolBar() {
    auto* bar = new QWidget(this);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    tools_ = new QButtonGroup(this);
    for (const ToolButton& t : ToolButtons) {
        auto* button = new QToolButton(bar);
        button->setObjectName(QString::fromUtf8(t.Name));
        button->setToolTip(QString::fromUtf8(t.Hint));
        button->setCheckable(true);
        button->setIconSize(QSize(24, 24));
        if (t.Picture)
            button->setIcon(QIcon(AppCursor(*t.Picture).pixmap()));
        else
            button->setText(QStringLiteral("Ab"));
        tools_->addButton(button, t.Tool);
        layout->addWidget(button);
    }
    tools_->button(StockTool)->setChecked(true);
    connect(tools_, &QButtonGroup::idClicked, this, &TGrafmodelldlg::chooseTool);

    layout->addSpacing(16);
    const auto addUndoButton = [this, bar, layout](const char* name, const QString& text, const QString& hint,
                                                   const QKeySequence& keys, void (QUndoStack::*step)()) {
        auto* action = new QAction(text, this);
        action->setObjectName(QString::fromUtf8(name));
        action->setToolTip(hint);
        action->setShortcut(keys);
        addAction(action);
        // An arrow half drawn is let go first, as when choosing a tool.
        connect(action, &QAction::triggered, this, [this, step] {
            discardArrow();
            (undo_.*step)();
        });
        auto* button = new QToolButton(bar);
        button->setObjectName(QString::fromUtf8(name) + QStringLiteral("Button"));
        button->setDefaultAction(action);
        layout->addWidget(button);
        return action;
    };
    QAction* undo = addUndoButton("undo", QStringLiteral("↶"), QStringLiteral("Rückgängig (Strg+Z)"),
                                  QKeySequence(Qt::CTRL | Qt::Key_Z), &QUndoStack::undo);
    QAction* redo = addUndoButton("redo", QStringLiteral("↷"), QStringLiteral("Wiederholen (Strg+Y)"),
                                  QKeySequence(Qt::CTRL | Qt::Key_Y), &QUndoStack::redo);
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(&undo_, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&undo_, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    layout->addStretch();
    return bar;
}

QWidget* TGrafmodelldlg::createBottomRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    simplified_ = new QCheckBox(QStringLiteral("vereinfachtes Modell"), row);
    simplified_->setObjectName(QStringLiteral("simplified"));
    simplified_->setChecked(model_.SimplifiedModel);
    connect(simplified_, &QCheckBox::toggled, this, [this](bool on) {
        // One option of the simulation, shown by both model editors.
        model_.SimplifiedModel = algo_.Verbal.SimplifiedModel = on;
    });
    layout->addWidget(simplified_);
    extended_ = new QCheckBox(QStringLiteral("erweiterte Syntax"), row);
    extended_->setObjectName(QStringLiteral("extended"));
    extended_->setToolTip(QStringLiteral("Funktionen für Zustandsgrößen zulassen?"));
    extended_->setChecked(model_.ExtendedSyntax);
    connect(extended_, &QCheckBox::toggled, this, [this](bool on) { model_.ExtendedSyntax = on; });
    layout->addWidget(extended_);
    layout->addStretch();
    QDialogButtonBox* buttons = MakeDialogButtons(*this, QStringLiteral("modellgrafisch.html"), [this] { OKClick(); });
    for (QAbstractButton* button : buttons->buttons()) {
        if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole)
            button->setToolTip(QStringLiteral("In Algorithmus übersetzen"));
        else if (buttons->buttonRole(button) == QDialogButtonBox::RejectRole)
            button->setToolTip(QStringLiteral("Nicht übersetzen"));
    }
    layout->addWidget(buttons);
    return row;
}

void TGrafmodelldlg::chooseTool(int tool) {
    discardArrow();
    tool_ = tool;
    switch (tool) {
        case MoveTool: canvas_->setCursor(Qt::ArrowCursor); break;
        case StockTool: canvas_->setCursor(AppCursor(CursorShape::DropZu)); break;
        case RateTool: canvas_->setCursor(AppCursor(CursorShape::DropRate)); break;
        case ArrowTool: canvas_->setCursor(AppCursor(CursorShape::Pfeil)); break;
        case DeleteTool: canvas_->setCursor(AppCursor(CursorShape::Clear)); break;
        default: break;  // the label tool changes the cursor as the mouse moves
    }
}

void TGrafmodelldlg::discardArrow() {
    if (!drawing_) return;
    // Its constant goes with it: a constant exists only as an arrow's start.
    DeleteArrow(model_.Diagram, *drawing_);
    drawing_ = nullptr;
    beforeArrow_.reset();
    redraw();
}

void TGrafmodelldlg::redraw() {
    RedrawDiagram(image_, model_.Diagram);
    canvas_->update();
}

void TGrafmodelldlg::recordEdit(const QString& text, TDiagram before) {
    // The commands restore whole diagrams, so no pointer into the old one survives an undo.
    undo_.push(new DiagramEdit(text, model_.Diagram, std::move(before), [this] { redraw(); }));  // owned by the stack
}

void TGrafmodelldlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    scroll_->horizontalScrollBar()->setValue(0);
    scroll_->verticalScrollBar()->setValue(0);
}

void TGrafmodelldlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        chooseTool(tool_);
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TGrafmodelldlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == canvas_) {
        switch (event->type()) {
            case QEvent::MouseButtonPress: mousePress(static_cast<QMouseEvent&>(*event)); return true;
            case QEvent::MouseMove: mouseMove(static_cast<QMouseEvent&>(*event)); return true;
            case QEvent::MouseButtonRelease: mouseRelease(static_cast<QMouseEvent&>(*event)); return true;
            default: break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TGrafmodelldlg::KopierenClick() {
    // An empty diagram has no picture; the clipboard keeps what it holds.
    std::optional<IntRect> area = DiagramPictureArea(model_.Diagram, CopyMargin);
    if (!area) return;
    auto data = std::make_unique<QMimeData>();
    data->setImageData(DiagramImage(model_.Diagram, *area));
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    if (WriteDiagramSvg(model_.Diagram, *area, svg)) data->setData(QStringLiteral("image/svg+xml"), svg.data());
    QGuiApplication::clipboard()->setMimeData(data.release());  // the clipboard owns it
    // Measuring the picture laid the elements out anew; the canvas shows them as they are now.
    redraw();
}

void TGrafmodelldlg::reject() {
    discardArrow();
    QDialog::reject();
}

void TGrafmodelldlg::OKClick() {
    discardArrow();
    // Without arrows nothing is generated; a typed algorithm is not lost unasked.
    if (model_.Diagram.Arrows.empty() && !algo_.ProgramText().empty() &&
        ShowMessage(this, MessageKind::Confirmation, NoArrowsQuestion, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    if (std::optional<std::string> error =
            TakeGeneratedProgram(algo_, GenerateAlgorithm(model_.Diagram, model_.SimplifiedModel))) {
        ShowMessage(this, MessageKind::Error, *error);
        return;
    }
    accept();
}

}  // namespace qv
