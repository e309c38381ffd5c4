#include "app/QVAlgoDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "app/QVGrafmodelldlg.h"
#include "app/QVSprachlichdlg.h"
#include "dialogs/DialogParts.h"
#include "dialogs/MessageBoxes.h"
#include "drawing/QtText.h"
#include "modeleditors/QVAlgoClipboard.h"

namespace qv {

namespace {

constexpr int StartValueColumnWidth = 87;
constexpr const char* SizeKey = "AlgorithmEditor/size";

// The state's lines for the text field's text. The field's last line exists
// even when it is empty, so that offsets into the state's text and into the
// field agree.
std::vector<std::string> ProgramLines(const QString& text) {
    if (text.isEmpty()) return {};
    return SplitLines(FromQString(text) + "\n");
}

// While code writes the program text, the half-written text is not compiled;
// the flag is cleared again whatever happens.
class Suspension {
public:
    explicit Suspension(AlgoEditorState& state) : state_(state) { state_.Suspended = true; }
    ~Suspension() { state_.Suspended = false; }
    Suspension(const Suspension&) = delete;
    Suspension& operator=(const Suspension&) = delete;

private:
    AlgoEditorState& state_;
};

}  // namespace

TAlgoDlg::TAlgoDlg(QWidget* parent, const AlgoEditorState& state) : QDialog(parent), state_(state) {
    setWindowTitle(QStringLiteral("Algorithmische Modellierung"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(createStepsAndName());

    auto* middle = new QHBoxLayout;
    program_ = new QPlainTextEdit(this);
    program_->setObjectName(QStringLiteral("program"));
    program_->setToolTip(QStringLiteral("Programmschleife"));
    program_->setLineWrapMode(QPlainTextEdit::NoWrap);
    program_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont bold = program_->font();
    bold.setBold(true);
    program_->setFont(bold);
    program_->setContextMenuPolicy(Qt::CustomContextMenu);
    program_->installEventFilter(this);
    middle->addWidget(program_, 1);
    middle->addWidget(createStartValues());
    layout->addLayout(middle, 1);
    layout->addWidget(createBottomRow());

    createProgramActions();
    createStartValueActions();
    {
        Suspension suspended(state_);
        program_->setPlainText(ToQString(state_.ProgramText()));
    }
    fillStartValues();
    updateProgramActions();

    connect(program_, &QPlainTextEdit::textChanged, this, &TAlgoDlg::ProgramChange);
    connect(program_, &QPlainTextEdit::customContextMenuRequested, this, &TAlgoDlg::ProgramContextMenu);
    connect(program_, &QPlainTextEdit::selectionChanged, this, &TAlgoDlg::updateProgramActions);
    connect(program_, &QPlainTextEdit::undoAvailable, this, &TAlgoDlg::updateProgramActions);
    connect(startValues_, &QTableWidget::cellChanged, this, &TAlgoDlg::StartValueChange);
    connect(startValues_, &QTableWidget::customContextMenuRequested, this, &TAlgoDlg::StartValueContextMenu);
    // A size kept from a larger screen must not push the buttons out of sight.
    resize(QSettings().value(SizeKey, QSize(640, 480)).toSize().boundedTo(screen()->availableSize()));
}

// The size the user gave the editor is kept for the next opening, whichever
// way it closes.
void TAlgoDlg::done(int result) {
    QSettings().setValue(SizeKey, size());
    QDialog::done(result);
}

QWidget* TAlgoDlg::createStepsAndName() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Wiederhole"), row));
    steps_ = new QSpinBox(row);
    steps_->setObjectName(QStringLiteral("steps"));
    steps_->setRange(MinStepCount, MaxStepCount);
    steps_->setValue(state_.StepCount);
    steps_->setToolTip(QStringLiteral("Anzahl der berechneten Werte (max. 8191)"));
    layout->addWidget(steps_);
    layout->addWidget(new QLabel(QStringLiteral("mal"), row));
    layout->addSpacing(24);
    layout->addWidget(new QLabel(QStringLiteral("Name der Simulation:"), row));
    name_ = new QLineEdit(ToQString(state_.Name), row);
    name_->setObjectName(QStringLiteral("name"));
    layout->addWidget(name_, 1);
    connect(steps_, &QSpinBox::valueChanged, this, [this](int value) { state_.StepCount = value; });
    connect(name_, &QLineEdit::textChanged, this, [this](const QString& text) { state_.Name = FromQString(text); });
    return row;
}

QWidget* TAlgoDlg::createStartValues() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* heading = new QLabel(QStringLiteral("  Startwerte:"), column);
    heading->setFrameShape(QFrame::Panel);
    heading->setFrameShadow(QFrame::Raised);
    layout->addWidget(heading);
    startValues_ = new QTableWidget(0, 2, column);
    startValues_->setObjectName(QStringLiteral("startValues"));
    startValues_->horizontalHeader()->hide();
    startValues_->verticalHeader()->hide();
    startValues_->horizontalHeader()->setDefaultSectionSize(StartValueColumnWidth);
    startValues_->verticalHeader()->setDefaultSectionSize(startValues_->fontMetrics().height() + 6);
    startValues_->setContextMenuPolicy(Qt::CustomContextMenu);
    startValues_->setFixedWidth(2 * StartValueColumnWidth + startValues_->verticalScrollBar()->sizeHint().width() +
                                2 * startValues_->frameWidth());
    layout->addWidget(startValues_, 1);
    return column;
}

QWidget* TAlgoDlg::createBottomRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    caseSensitive_ = new QCheckBox(QStringLiteral("Groß-, Kleinschreibung"), row);
    caseSensitive_->setObjectName(QStringLiteral("caseSensitive"));
    caseSensitive_->setChecked(state_.CaseSensitive);
    connect(caseSensitive_, &QCheckBox::toggled, this, &TAlgoDlg::CaseSensitiveClick);
    layout->addWidget(caseSensitive_);
    // The other two ways of describing a model open from here.
    auto* verbal = new QPushButton(QStringLiteral("Sprachliches Modell"), row);
    verbal->setObjectName(QStringLiteral("verbal"));
    verbal->setAutoDefault(false);
    connect(verbal, &QPushButton::clicked, this, &TAlgoDlg::SprachlichesModellClick);
    layout->addWidget(verbal);
    auto* graphical = new QPushButton(QStringLiteral("Grafisches Modell"), row);
    graphical->setObjectName(QStringLiteral("graphical"));
    graphical->setAutoDefault(false);
    connect(graphical, &QPushButton::clicked, this, &TAlgoDlg::GrafischesModellClick);
    layout->addWidget(graphical);
    layout->addStretch();
    layout->addWidget(MakeDialogButtons(*this, QStringLiteral("modellalgo.html"), [this] { OKClick(); }));
    return row;
}

void TAlgoDlg::GrafischesModellClick() {
    TGrafmodelldlg dialog(this, state_.Graphical, state_);
    if (dialog.exec() != QDialog::Accepted) return;
    // The diagram's program replaced the text and refreshed the start values.
    setProgramText(state_.ProgramText(), 0);
    fillStartValues();
}

void TAlgoDlg::SprachlichesModellClick() {
    TSprachlichdlg dialog(this, state_, ShippedPredicates(this));
    if (dialog.exec() != QDialog::Accepted) return;
    // The sentences' program replaced the text and refreshed the start values.
    setProgramText(state_.ProgramText(), 0);
    fillStartValues();
}

void TAlgoDlg::ProgramChange() {
    state_.Program = ProgramLines(program_->toPlainText());
    if (state_.Suspended) return;
    // A start value that is no number stays in its row for the user to
    // correct; OK stores it and the main window reports it then.
    state_.ProgramChanged();
    fillStartValues();
}

void TAlgoDlg::CaseSensitiveClick(bool checked) {
    state_.CaseSensitive = checked;
    state_.ProgramChanged();
    fillStartValues();
}

void TAlgoDlg::StartValueChange(int row, int column) {
    if (fillingTable_ || column != 1 || row < 0 || static_cast<std::size_t>(row) >= state_.StartValues.size()) return;
    state_.StartValues[static_cast<std::size_t>(row)].Value = FromQString(startValues_->item(row, column)->text());
}

void TAlgoDlg::fillStartValues() {
    fillingTable_ = true;
    startValues_->setRowCount(static_cast<int>(state_.StartValues.size()));
    for (int r = 0; r < startValues_->rowCount(); ++r) {
        const StartValueRow& row = state_.StartValues[static_cast<std::size_t>(r)];
        const QString texts[] = {ToQString(row.Name), ToQString(row.Value)};
        for (int c = 0; c < 2; ++c) {
            QTableWidgetItem* item = startValues_->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;  // owned by the table
                // The names come from the program; a name typed here would vanish at the next compile.
                if (c == 0) item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                startValues_->setItem(r, c, item);
            }
            item->setText(texts[c]);
        }
    }
    fillingTable_ = false;
}

void TAlgoDlg::OKClick() {
    std::optional<OkRefusal> refusal = state_.ConfirmOk();
    if (!refusal) {
        accept();
        return;
    }
    // The refresh may have rewritten the rows the refusal points into.
    fillStartValues();
    showRefusal(*refusal);
}

void TAlgoDlg::showRefusal(const OkRefusal& refusal) {
    if (refusal.Selection) {
        // The faulty character is selected before the box, so the user sees it behind the box.
        QTextCursor cursor(program_->document());
        cursor.setPosition(std::min(static_cast<int>(*refusal.Selection), program_->document()->characterCount() - 1));
        cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        program_->setTextCursor(cursor);
        program_->setFocus();
    }
    if (refusal.BadStartValue) {
        startValues_->setCurrentCell(static_cast<int>(*refusal.BadStartValue), 1);
        startValues_->setFocus();
    }
    ShowMessage(this, refusal.IsWarning ? MessageKind::Warning : MessageKind::Error, refusal.Message);
    if (refusal.IsWarning) name_->setFocus();
}

void TAlgoDlg::setProgramText(const std::string& text, std::size_t cursorAt) {
    {
        Suspension suspended(state_);
        // Through a cursor rather than setPlainText, so the user can still undo.
        QTextCursor cursor(program_->document());
        cursor.select(QTextCursor::Document);
        cursor.insertText(ToQString(text));
    }
    QTextCursor cursor(program_->document());
    cursor.setPosition(std::min(static_cast<int>(cursorAt), program_->document()->characterCount() - 1));
    program_->setTextCursor(cursor);
}

bool AlgoDlgEditor::edit(AlgoEditorState& state, QWidget* parent) {
    TAlgoDlg dialog(parent, state);
    if (dialog.exec() != QDialog::Accepted) return false;
    state = dialog.state();
    return true;
}

}  // namespace qv
