#include "app/SimpleAlgorithmEditor.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextCursor>

#include "app/PlaceholderDialogs.h"
#include "dialogs/MessageBoxes.h"
#include "drawing/QtText.h"
#include "engine/QVCompile.h"
#include "modeleditors/QVAlgoClipboard.h"

namespace qv {

TSimpleAlgoDlg::TSimpleAlgoDlg(QWidget* parent, const AlgoEditorState& state) : QDialog(parent), state_(state) {
    setWindowTitle(QStringLiteral("Algorithmische Modellierung"));
    auto* layout = new QGridLayout(this);

    layout->addWidget(new QLabel(QStringLiteral("Name der Simulation:"), this), 0, 0);
    name_ = new QLineEdit(ToQString(state_.Name), this);
    name_->setObjectName(QStringLiteral("name"));
    layout->addWidget(name_, 0, 1, 1, 2);

    layout->addWidget(new QLabel(QStringLiteral("Algorithmus:"), this), 1, 0, 1, 2);
    program_ = new QPlainTextEdit(this);
    program_->setObjectName(QStringLiteral("program"));
    program_->setPlainText(ToQString(state_.ProgramText()));
    program_->setLineWrapMode(QPlainTextEdit::NoWrap);
    program_->setFont(QFont(QStringLiteral("Courier New"), 10));
    layout->addWidget(program_, 2, 0, 1, 2);

    startValues_ = new QTableWidget(0, 2, this);
    startValues_->setObjectName(QStringLiteral("startValues"));
    startValues_->setHorizontalHeaderLabels({QStringLiteral("Variable"), QStringLiteral("Startwert")});
    startValues_->verticalHeader()->hide();
    startValues_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(startValues_, 1, 2, 2, 1);

    error_ = new QLabel(this);
    error_->setObjectName(QStringLiteral("compileError"));
    error_->setWordWrap(true);
    layout->addWidget(error_, 3, 0, 1, 3);

    auto* repeat = new QHBoxLayout;
    repeat->addWidget(new QLabel(QStringLiteral("Wiederhole"), this));
    steps_ = new QSpinBox(this);
    steps_->setObjectName(QStringLiteral("steps"));
    steps_->setRange(MinStepCount, MaxStepCount);
    steps_->setValue(state_.StepCount);
    repeat->addWidget(steps_);
    repeat->addWidget(new QLabel(QStringLiteral("mal"), this));
    repeat->addStretch();
    layout->addLayout(repeat, 4, 0, 1, 2);

    // The other two ways of describing a model open from here.
    for (const QString& editor : {QStringLiteral("Sprachliche Modellierung"), QStringLiteral("Grafische Modellierung")}) {
        auto* button = new QPushButton(editor + QStringLiteral("..."), this);
        button->setAutoDefault(false);
        repeat->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, editor] { ShowNotAvailable(this, editor); });
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    layout->addWidget(buttons, 4, 2);
    layout->setColumnStretch(1, 2);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(2, 1);

    connect(buttons, &QDialogButtonBox::accepted, this, &TSimpleAlgoDlg::OKClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(program_, &QPlainTextEdit::textChanged, this, &TSimpleAlgoDlg::ProgramChange);
    connect(startValues_, &QTableWidget::cellChanged, this, &TSimpleAlgoDlg::StartValueChange);
    fillStartValues();
    resize(640, 440);
}

void TSimpleAlgoDlg::ProgramChange() {
    state_.Program = SplitLines(FromQString(program_->toPlainText()));
    state_.ProgramChanged();
    const CompilerState& c = Compiler();
    error_->setText(c.ErrorFlag
                        ? ToQString(ShowCompileError(c.CompileError, c.ErrorLine, c.ErrorColumn, state_.Program).Message)
                        : QString());
    fillStartValues();
}

void TSimpleAlgoDlg::StartValueChange(int row, int column) {
    if (filling_ || column != 1 || row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
    state_.StartValues[rows_[static_cast<std::size_t>(row)]].Value = FromQString(startValues_->item(row, 1)->text());
}

void TSimpleAlgoDlg::fillStartValues() {
    filling_ = true;
    rows_.clear();
    for (std::size_t i = 0; i < state_.StartValues.size(); ++i)
        if (!state_.StartValues[i].Name.empty()) rows_.push_back(i);
    startValues_->setRowCount(static_cast<int>(rows_.size()));
    for (int r = 0; r < startValues_->rowCount(); ++r) {
        const StartValueRow& row = state_.StartValues[rows_[static_cast<std::size_t>(r)]];
        auto* name = new QTableWidgetItem(ToQString(row.Name));
        name->setFlags(Qt::ItemIsEnabled);
        startValues_->setItem(r, 0, name);
        startValues_->setItem(r, 1, new QTableWidgetItem(ToQString(row.Value)));
    }
    filling_ = false;
}

void TSimpleAlgoDlg::OKClick() {
    state_.Name = FromQString(name_->text());
    state_.Program = SplitLines(FromQString(program_->toPlainText()));
    state_.StepCount = steps_->value();
    std::optional<OkRefusal> refusal = state_.ConfirmOk();
    if (!refusal) {
        accept();
        return;
    }
    ShowMessage(this, refusal->IsWarning ? MessageKind::Warning : MessageKind::Error, refusal->Message);
    if (refusal->Selection) {
        QTextCursor cursor(program_->document());
        cursor.setPosition(static_cast<int>(*refusal->Selection));
        cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        program_->setTextCursor(cursor);
        program_->setFocus();
    } else {
        name_->setFocus();
    }
}

bool SimpleAlgorithmEditor::edit(AlgoEditorState& state, QWidget* parent) {
    TSimpleAlgoDlg dialog(parent, state);
    if (dialog.exec() != QDialog::Accepted) return false;
    state = dialog.state();
    return true;
}

}  // namespace qv
