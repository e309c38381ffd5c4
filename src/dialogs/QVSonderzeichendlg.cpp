#include "dialogs/QVSonderzeichendlg.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <string>
#include <utility>

#include "drawing/QtText.h"
#include "drawing/TextInsertTarget.h"

namespace qv {

namespace {

constexpr int FirstCode = 32;
constexpr int CharacterCount = 224;
constexpr int Columns = 5;

}  // namespace

TSonderzeichendlg::TSonderzeichendlg(QWidget* parent, std::function<QStringList()> fonts)
    : QWidget(parent, Qt::Tool),
      fonts_(std::move(fonts)),
      fontBox_(new QComboBox(this)),
      characters_(new QTableWidget((CharacterCount + Columns - 1) / Columns, Columns, this)) {
    setWindowTitle(QStringLiteral("Sonderzeichen"));
    fontBox_->setObjectName(QStringLiteral("schrift"));
    characters_->setObjectName(QStringLiteral("zeichen"));
    characters_->horizontalHeader()->hide();
    characters_->verticalHeader()->hide();
    characters_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    characters_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    connect(fontBox_, &QComboBox::currentTextChanged, this, [this](const QString& name) { useFont(name); });
    connect(characters_, &QTableWidget::cellClicked, this, [this](int row, int column) { clicked(row, column); });
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Schrift:"), fontBox_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(characters_);
    resize(260, 420);
}

uint8_t TSonderzeichendlg::CodeAt(int row, int column) { return static_cast<uint8_t>(FirstCode + row * Columns + column); }

void TSonderzeichendlg::showEvent(QShowEvent* event) {
    if (!filled_) fill();
    QWidget::showEvent(event);
}

void TSonderzeichendlg::fill() {
    filled_ = true;
    for (int index = 0; index < CharacterCount; ++index) {
        const auto code = static_cast<char>(FirstCode + index);
        characters_->setItem(index / Columns, index % Columns, new QTableWidgetItem(ToQString(std::string(1, code))));
    }
    const QStringList names = fonts_();
    fontBox_->addItems(names);
    if (names.contains(QStringLiteral("Symbol"))) fontBox_->setCurrentText(QStringLiteral("Symbol"));
    useFont(fontBox_->currentText());
}

void TSonderzeichendlg::useFont(const QString& name) {
    if (!QFontDatabase::families().contains(name)) return;
    QFont font = characters_->font();
    font.setFamily(name);
    characters_->setFont(font);
}

void TSonderzeichendlg::clicked(int row, int column) {
    const int index = row * Columns + column;
    if (!target_ || index < 0 || index >= CharacterCount) return;
    target_->InsertText(std::string(1, static_cast<char>(CodeAt(row, column))));
}

}  // namespace qv
