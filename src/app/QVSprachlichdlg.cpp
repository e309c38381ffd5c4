#include "app/QVSprachlichdlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "dialogs/DialogParts.h"
#include "dialogs/MessageBoxes.h"
#include "drawing/QtText.h"
#include "modeleditors/SentenceTranslation.h"
#include "util/TextHelpers.h"

namespace qv {

namespace {

constexpr int NameColumnWidth = 150;
constexpr int PredicateColumnWidth = 260;

// The waste bin: a grey bin with ribs under its lid.
QPixmap WasteBinPicture() {
    QPixmap picture(36, 44);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(QColor(190, 190, 190));
    QPainterPath bin;
    bin.moveTo(6, 12);
    bin.lineTo(30, 12);
    bin.lineTo(27, 42);
    bin.lineTo(9, 42);
    bin.closeSubpath();
    p.drawPath(bin);
    for (int x : {13, 18, 23}) p.drawLine(QPointF(x, 16), QPointF(x + (x - 18) * 0.15, 38));
    p.drawRoundedRect(QRectF(3, 7, 30, 4), 1.5, 1.5);
    p.drawRect(QRectF(14, 3, 8, 4));
    return picture;
}

void SetText(QTableWidget* grid, int row, int column, const std::string& text, Qt::ItemFlags flags) {
    QTableWidgetItem* item = grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;  // owned by the grid
        grid->setItem(row, column, item);
    }
    item->setFlags(flags);
    item->setText(ToQString(text));
}

void FillNames(QTableWidget* grid, const std::vector<std::string>& names, Qt::ItemFlags flags) {
    grid->setRowCount(static_cast<int>(names.size()));
    for (int r = 0; r < grid->rowCount(); ++r) SetText(grid, r, 0, names[static_cast<std::size_t>(r)], flags);
}

}  // namespace

const PredicateList& ShippedPredicates(QWidget* parent) {
    static const PredicateList predicates(ReadPredicateFile(FindDataFile(PredicateFileName)));
    static bool reported = false;
    if (!predicates.Complete() && !reported) {
        reported = true;
        ShowMessage(parent, MessageKind::Warning, std::string(MissingPredicatesText));
    }
    return predicates;
}

TSprachlichdlg::TSprachlichdlg(QWidget* parent, AlgoEditorState& editor, const PredicateList& predicates)
    : QDialog(parent), editor_(editor), predicates_(predicates) {
    setWindowTitle(QStringLiteral("Sprachliche Modellierung"));
    const QString typeHint = QStringLiteral("Eingabe mit Eingabetaste bestätigen");
    const QString dragHint = QStringLiteral("Texte mit Maus herunterziehen");
    stocks_ = makeGrid("stocks", {QStringLiteral("Zustandsgrößen")}, typeHint);
    rates_ = makeGrid("rates", {QStringLiteral("Veränderungsraten")}, typeHint);
    predicateGrid_ = makeGrid("predicates", {QStringLiteral("Prädikate")}, dragHint);
    model_ = makeGrid("model", {QStringLiteral("Subjekt"), QStringLiteral("Prädikat"), QStringLiteral("Objekt")},
                      dragHint);
    stocks_->setFixedWidth(NameColumnWidth);
    rates_->setFixedWidth(NameColumnWidth);
    predicateGrid_->setMinimumWidth(PredicateColumnWidth);
    model_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    model_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(model_, &QTableWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        connect(menu.addAction(QStringLiteral("&Kopieren")), &QAction::triggered, this, &TSprachlichdlg::KopierenClick);
        menu.exec(model_->viewport()->mapToGlobal(at));
    });

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(stocks_);
    top->addWidget(rates_);
    top->addWidget(predicateGrid_, 1);
    layout->addLayout(top, 2);
    layout->addWidget(createModelPanel());
    layout->addWidget(model_, 3);
    layout->addWidget(createBottomRow());

    // Activation: the option as the simulation has it, and the forms to match.
    simplified_->setChecked(editor_.Verbal.SimplifiedModel);
    VereinfachtClick(editor_.Verbal.SimplifiedModel);
    connect(simplified_, &QCheckBox::toggled, this, &TSprachlichdlg::VereinfachtClick);
    for (QTableWidget* grid : {stocks_, rates_, model_})
        connect(grid, &QTableWidget::itemChanged, this, &TSprachlichdlg::GridChanged);
    resize(760, 620);
}

TSprachlichdlg::~TSprachlichdlg() {
    if (dragging_) QApplication::restoreOverrideCursor();
}

QTableWidget* TSprachlichdlg::makeGrid(const char* name, const QStringList& headings, const QString& hint) {
    auto* grid = new QTableWidget(0, static_cast<int>(headings.size()), this);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setHorizontalHeaderLabels(headings);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->hide();
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    grid->setToolTip(hint);
    grid->viewport()->installEventFilter(this);
    return grid;
}

QWidget* TSprachlichdlg::createModelPanel() {
    auto* panel = new QGroupBox(QStringLiteral("Modell"), this);
    auto* layout = new QHBoxLayout(panel);
    simplified_ = new QCheckBox(QStringLiteral("vereinfacht"), panel);
    simplified_->setObjectName(QStringLiteral("simplified"));
    simplified_->setToolTip(QStringLiteral("Veränderungsrate mit dt multiplizieren?"));
    layout->addWidget(simplified_);
    layout->addStretch();
    return panel;
}

QWidget* TSprachlichdlg::createBottomRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    wasteBin_ = new QLabel(row);
    wasteBin_->setObjectName(QStringLiteral("wasteBin"));
    wasteBin_->setPixmap(WasteBinPicture());
    wasteBin_->setToolTip(QStringLiteral("Papierkorb"));
    wasteBin_->installEventFilter(this);
    layout->addWidget(wasteBin_);
    layout->addStretch();
    QDialogButtonBox* buttons =
        MakeDialogButtons(*this, QStringLiteral("modellsprachlich.html"), [this] { OKClick(); });
    for (QAbstractButton* button : buttons->buttons()) {
        const QDialogButtonBox::ButtonRole role = buttons->buttonRole(button);
        if (role == QDialogButtonBox::AcceptRole) button->setToolTip(QStringLiteral("In Algorithmus übersetzen"));
        if (role == QDialogButtonBox::RejectRole) button->setToolTip(QStringLiteral("Nicht übersetzen"));
    }
    layout->addWidget(buttons);
    return row;
}

void TSprachlichdlg::fillGrids() {
    filling_ = true;
    const WorkingSentences& verbal = editor_.Verbal;
    const Qt::ItemFlags fixed = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    FillNames(stocks_, verbal.Stocks, fixed | Qt::ItemIsEditable);
    FillNames(rates_, verbal.Rates, fixed | Qt::ItemIsEditable);
    FillNames(predicateGrid_, predicates_.Shown(verbal.SimplifiedModel), fixed);
    model_->setRowCount(static_cast<int>(verbal.Sentences.size()));
    for (int r = 0; r < model_->rowCount(); ++r) {
        const TSentence& s = verbal.Sentences[static_cast<std::size_t>(r)];
        SetText(model_, r, SubjectColumn, s.Subject, fixed);
        SetText(model_, r, PredicateColumn, s.Predicate, fixed);
        SetText(model_, r, ObjectColumn, s.Object, fixed | Qt::ItemIsEditable);  // only objects are typed
    }
    filling_ = false;
}

void TSprachlichdlg::VereinfachtClick(bool checked) {
    // One option of the simulation, shown by both model editors.
    editor_.Verbal.SimplifiedModel = editor_.Graphical.SimplifiedModel = checked;
    predicates_.MatchForms(editor_.Verbal.Sentences, checked);
    fillGrids();
}

void TSprachlichdlg::GridChanged(QTableWidgetItem* item) {
    if (filling_) return;
    const auto row = static_cast<std::size_t>(item->row());
    const std::string text = FromQString(item->text());
    WorkingSentences& verbal = editor_.Verbal;
    if (item->tableWidget() == stocks_ && row < verbal.Stocks.size()) verbal.Stocks[row] = text;
    if (item->tableWidget() == rates_ && row < verbal.Rates.size()) verbal.Rates[row] = text;
    if (item->tableWidget() == model_ && item->column() == ObjectColumn && row < verbal.Sentences.size())
        verbal.Sentences[row].Object = text;
}

void TSprachlichdlg::KopierenClick() { QApplication::clipboard()->setText(ToQString(editor_.Verbal.CopyText())); }

void TSprachlichdlg::OKClick() {
    std::optional<SentenceError> error = TranslateSentences(editor_, predicates_);
    fillGrids();  // objects may have been parenthesised
    if (!error) {
        accept();
        return;
    }
    if (error->Row) {
        model_->setCurrentCell(*error->Row - 1, ObjectColumn);
        model_->setFocus();
    }
    ShowMessage(this, MessageKind::Error, error->Message);
}

std::optional<GridCell> TSprachlichdlg::cellAt(const QPoint& global) const {
    const std::pair<QTableWidget*, VerbalGrid> grids[] = {{stocks_, VerbalGrid::Stocks},
                                                          {rates_, VerbalGrid::Rates},
                                                          {predicateGrid_, VerbalGrid::Predicates},
                                                          {model_, VerbalGrid::Model}};
    for (const auto& [grid, kind] : grids) {
        const QPoint at = grid->viewport()->mapFromGlobal(global);
        if (!grid->viewport()->rect().contains(at)) continue;
        // Below the last row is no row: the drop is refused there.
        const int row = grid->rowAt(at.y());
        return GridCell{kind, row < 0 ? -1 : row + 1, grid->columnAt(at.x())};
    }
    if (wasteBin_->rect().contains(wasteBin_->mapFromGlobal(global))) return GridCell{VerbalGrid::WasteBin, 0, 0};
    return std::nullopt;
}

bool TSprachlichdlg::accepts(const QPoint& global) const {
    std::optional<GridCell> onto = cellAt(global);
    return pressed_ && onto &&
           AcceptsDrop(editor_.Verbal, predicates_.Shown(editor_.Verbal.SimplifiedModel), *pressed_, *onto);
}

void TSprachlichdlg::endDrag(const QPoint& global) {
    QApplication::restoreOverrideCursor();
    dragging_ = false;
    const GridCell from = *pressed_;
    const bool accepted = accepts(global);
    pressed_.reset();
    std::optional<GridCell> onto = cellAt(global);
    if (!onto || !accepted) return;
    Drop(editor_.Verbal, predicates_.Shown(editor_.Verbal.SimplifiedModel), from, *onto);
    fillGrids();
    // The source's current row moves off the dragged row, so the next drag can start there.
    const std::pair<VerbalGrid, QTableWidget*> sources[] = {{VerbalGrid::Stocks, stocks_},
                                                            {VerbalGrid::Rates, rates_},
                                                            {VerbalGrid::Predicates, predicateGrid_}};
    for (const auto& [kind, grid] : sources)
        if (kind == from.Grid) grid->setCurrentCell(from.Row == 1 ? 1 : 0, 0);
}

bool TSprachlichdlg::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return QDialog::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint global = mouse->globalPosition().toPoint();
    const Qt::MouseButtons dragButtons = Qt::LeftButton | Qt::MiddleButton;
    if (type == QEvent::MouseButtonPress) {
        if (!(mouse->button() & dragButtons)) return false;
        std::optional<GridCell> cell = cellAt(global);
        // The drag carries the pressed cell; the grid still makes it current.
        if (cell && cell->Grid != VerbalGrid::WasteBin && cell->Row >= 1) {
            pressed_ = cell;
            pressedAt_ = global;
        }
        return false;
    }
    if (type == QEvent::MouseMove) {
        if (!pressed_) return false;
        if (!(mouse->buttons() & dragButtons)) {
            // The release went elsewhere: the drag ends without a drop.
            if (dragging_) QApplication::restoreOverrideCursor();
            dragging_ = false;
            pressed_.reset();
            return false;
        }
        if (!dragging_ && (global - pressedAt_).manhattanLength() >= QApplication::startDragDistance()) {
            dragging_ = true;
            QApplication::setOverrideCursor(Qt::DragMoveCursor);
        }
        if (dragging_) QApplication::changeOverrideCursor(accepts(global) ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
        return dragging_;
    }
    if (!pressed_) return false;
    if (!dragging_) {
        pressed_.reset();
        return false;
    }
    endDrag(global);
    return true;
}

}  // namespace qv
