#include "app/QVInputratedlg.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/DialogParts.h"
#include "dialogs/MessageBoxes.h"
#include "drawing/QtText.h"
#include "modeleditors/DiagramEdits.h"
#include "modeleditors/EditorPrograms.h"

namespace qv {

namespace {

struct InsertButton {
    const char* Name;  // "B..." inserts the caption alone, the others add "("
    const char* Caption;
    const char* Hint;
};

constexpr InsertButton FunctionButtons[] = {
    {"sqr", "sqr", "Quadrat"},
    {"sin", "sin", ""},
    {"cos", "cos", "cosinus"},
    {"arctan", "arctan", "arcustangens"},
    {"ln", "ln", "natürlicher Logarithmus"},
    {"exp", "exp", "Exponentionalfunktion zur Basis e"},
    {"sqrt", "sqrt", "Wurzel"},
    {"frac", "frac", "Nachkommateil"},
    {"int", "int", "ganzzahliger Teil"},
    {"abs", "abs", "Absolutbetrag"},
    {"random", "random", "Zufallszahl"},
};

// The keypad, row by row as a calculator lays it out.
constexpr InsertButton KeypadButtons[][5] = {
    {{"B7", "7", ""}, {"B8", "8", ""}, {"B9", "9", ""}, {"Bdiv", "/", ""}, {"BKa", "(", ""}},
    {{"B4", "4", ""}, {"B5", "5", ""}, {"B6", "6", ""}, {"Bmal", "*", ""}, {"BKZ", ")", ""}},
    {{"B1", "1", ""}, {"B2", "2", ""}, {"B3", "3", ""}, {"Bminus", "-", ""}, {"BHoch", "^", "Hoch (Potenz)"}},
    {{"B0", "0", ""}, {"Bk", ",", ""}, {nullptr, nullptr, nullptr}, {"BPlus", "+", ""}, {nullptr, nullptr, nullptr}},
};

const QString StockCaption = QStringLiteral("Zustandsgröße");

}  // namespace

TInputratedlg::TInputratedlg(QWidget* parent, const AlgoEditorState& algo) : QDialog(parent), algo_(algo) {
    setWindowTitle(QStringLiteral("Veränderungsrate"));
    auto* layout = new QVBoxLayout(this);

    auto* fields = new QGridLayout;
    nameLabel_ = new QLabel(QStringLiteral("Name der Veränderungsrate:"), this);
    fields->addWidget(nameLabel_, 0, 0);
    fields->addWidget(new QLabel(QStringLiteral("Term zur Berechnung:"), this), 0, 2);
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("name"));
    name_->setToolTip(QStringLiteral("Mit Tastatur eingeben"));
    fields->addWidget(name_, 1, 0);
    fields->addWidget(new QLabel(QStringLiteral("="), this), 1, 1);
    formula_ = new QLineEdit(this);
    formula_->setObjectName(QStringLiteral("formula"));
    formula_->setToolTip(QStringLiteral("Klicken Sie auf Knöpfe oder Variablen"));
    formula_->installEventFilter(this);
    fields->addWidget(formula_, 1, 2);
    fields->setColumnStretch(0, 1);
    fields->setColumnStretch(2, 2);
    layout->addLayout(fields);

    auto* middle = new QHBoxLayout;
    inputs_ = new QListWidget(this);
    inputs_->setObjectName(QStringLiteral("inputs"));
    inputs_->setToolTip(QStringLiteral("Eingangsgrößen"));
    connect(inputs_, &QListWidget::itemClicked, this, [this] { inputClick(); });
    middle->addWidget(inputs_, 1);
    middle->addWidget(createButtons());
    layout->addLayout(middle, 1);
    layout->addWidget(MakeDialogButtons(*this, QStringLiteral("rechenvorschrift.html"), [this] { OKClick(); }));
}

QWidget* TInputratedlg::createButtons() {
    auto* pad = new QWidget(this);
    auto* grid = new QGridLayout(pad);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto add = [this, grid, pad](const InsertButton& b, int row, int column) {
        auto* button = new QPushButton(QString::fromUtf8(b.Caption), pad);
        button->setObjectName(QString::fromUtf8(b.Name));
        button->setAutoDefault(false);
        if (*b.Hint) button->setToolTip(QString::fromUtf8(b.Hint));
        connect(button, &QPushButton::clicked, this, [this, button] { insertClick(*button); });
        grid->addWidget(button, row, column);
    };
    int i = 0;
    for (const InsertButton& b : FunctionButtons) {
        add(b, i % 6, i / 6);
        ++i;
    }
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 5; ++column)
            if (KeypadButtons[row][column].Name) add(KeypadButtons[row][column], row, column + 2);

    const auto edit = [this, grid, pad](const char* name, const QString& caption, const QString& hint, int column,
                                        void (TInputratedlg::*handler)()) {
        auto* button = new QPushButton(caption, pad);
        button->setObjectName(QString::fromUtf8(name));
        button->setToolTip(hint);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handler);
        grid->addWidget(button, 4, column);
    };
    edit("backspace", QStringLiteral("<-"), QStringLiteral("rückwärts löschen"), 2, &TInputratedlg::backspaceClick);
    edit("clearAll", QStringLiteral("C"), QStringLiteral("Alles löschen"), 3, &TInputratedlg::clearClick);
    return pad;
}

void TInputratedlg::setStock(bool stock) {
    stock_ = stock;
    setWindowTitle(stock ? StockCaption : QStringLiteral("Veränderungsrate"));
    nameLabel_->setText(stock ? QStringLiteral("Name der Zustandsgröße") : QStringLiteral("Name der Veränderungsrate:"));
}

void TInputratedlg::setFields(const QString& name, const QString& formula, const QStringList& inputs) {
    name_->setText(name);
    formula_->setText(formula);
    inputs_->clear();
    inputs_->addItems(inputs);
}

QString TInputratedlg::name() const { return name_->text(); }
QString TInputratedlg::formula() const { return formula_->text(); }

void TInputratedlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    name_->setFocus();
    name_->end(false);
    input_.LastInsertion = 1;
}

bool TInputratedlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == formula_ && event->type() == QEvent::MouseButtonPress) input_.CaretMoved();
    return QDialog::eventFilter(watched, event);
}

void TInputratedlg::takeField() {
    const bool selected = formula_->hasSelectedText();
    const int start = selected ? formula_->selectionStart() : formula_->cursorPosition();
    const int length = selected ? formula_->selectionLength() : 0;
    input_.Take(FromQString(formula_->text()), static_cast<std::size_t>(start), static_cast<std::size_t>(length));
}

void TInputratedlg::showField() {
    formula_->setText(ToQString(input_.Text));
    formula_->setCursorPosition(static_cast<int>(input_.Caret()));
    formula_->setFocus();
}

void TInputratedlg::insertClick(const QPushButton& button) {
    takeField();
    input_.InsertButton(FromQString(button.text()), IsFunctionButton(button.objectName().toStdString()));
    showField();
}

void TInputratedlg::inputClick() {
    QListWidgetItem* item = inputs_->currentItem();
    if (!item) return;
    takeField();
    input_.InsertVariable(FromQString(item->text()));
    inputs_->clearSelection();
    inputs_->setCurrentItem(nullptr);
    showField();
}

void TInputratedlg::backspaceClick() {
    takeField();
    input_.Backspace();
    showField();
}

void TInputratedlg::clearClick() {
    input_.Clear();
    showField();
}

void TInputratedlg::OKClick() {
    const std::string name = FromQString(name_->text());
    const std::string formula = FromQString(formula_->text());
    if (!EntryAccepted(this, name_, NameRuleViolation(name))) return;
    if (formula.empty() && stock_) {
        accept();
        return;
    }
    // The algorithm editor's own text and start values are not touched.
    std::optional<TrialError> error = TrialCompile(algo_, name + ":=" + formula);
    if (!error) {
        accept();
        return;
    }
    // The faulty character is selected first, so it shows behind the box.
    const FormulaErrorSpot spot = LocateFormulaError(error->Column, name, formula);
    QLineEdit* field = spot.InFormula ? formula_ : name_;
    field->setFocus();
    field->setSelection(static_cast<int>(spot.Index), 1);
    ShowMessage(this, MessageKind::Error, error->Message);
}

}  // namespace qv
