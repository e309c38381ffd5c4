#include "dialogs/QVachse.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

#include "charts/bsaxis3d.h"
#include "dialogs/DialogParts.h"
#include "dialogs/QVLINEAT.h"
#include "drawing/QtText.h"
#include "util/EntryChecks.h"
#include "util/NumberFormat.h"

namespace qv {

namespace {

constexpr double LargestEntry = 1.7e308;
// An axis runs from its start up to its end: reversed or empty, it would get
// no ticks and draw every curve upside down or at infinity.
constexpr const char* RangeReversedText = "Das Ende der Achse (Bis) muss gr\xF6\xDF" "er als ihr Anfang (Von) sein!";

QString NumberText(double value, int precision) {
    return ToQString(FormatReal(value, RealFormat::General, precision, 4));
}

double Power10(double exponent) { return std::pow(10.0, exponent); }

// A logarithmic axis runs between powers of ten, with a power of ten as
// spacing and 0 or 10^k - 1 small ticks, so every tick falls on a decade.
double LogStart(double v) { return v > 0 ? Power10(std::floor(std::log10(v))) : 0.1; }
double LogEnd(double v) { return v > 0 ? Power10(std::ceil(std::log10(v))) : 0.1; }
double LogSpacing(double v) { return v < 10 ? 10 : Power10(std::ceil(std::log10(v))); }
double LogMinorTicks(double m) {
    if (m + 1 < 10) return 0;
    const double ticks = Power10(std::ceil(std::log10(m + 1)));
    return ticks > 9 ? ticks - 1 : ticks;
}

// An entry that is no number stays as it is; the check on OK reports it.
void Rewrite(QLineEdit* edit, double (*rule)(double)) {
    double value = 0;
    if (TextToReal(EntryText(edit), value)) edit->setText(NumberText(rule(value), 7));
}

double RealOf(const std::string& text) {
    double value = 0;
    TextToReal(text, value);
    return value;
}

std::optional<std::string> CheckReal(const std::string& text) {
    return CheckRealInRangeGeneral(text, -LargestEntry, LargestEntry);
}

std::optional<std::string> Refuse(bool refused, const char* message) {
    return refused ? std::optional<std::string>(message) : std::nullopt;
}

QLineEdit* NamedEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QCheckBox* NamedCheck(QWidget* parent, const QString& caption, const char* name, bool checked) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    return box;
}

}  // namespace

TAchsedlg::TAchsedlg(QWidget* parent, const QString& caption, const Taxis3D& axis, bool threeD)
    : QDialog(parent),
      stored_(axis),
      threeD_(threeD),
      gridColor_(axis.gridColor),
      gridStyle_(axis.gridStyle),
      von_(NamedEdit(this, "von")),
      bis_(NamedEdit(this, "bis")),
      abstand_(NamedEdit(this, "abstand")),
      lage_(NamedEdit(this, "lage")),
      kleine_(NamedEdit(this, "kleine")),
      hilfslinien_(NamedCheck(this, QStringLiteral("&Hilfslinien"), "hilfslinien", axis.gridLines)),
      logarithmisch_(NamedCheck(this, QStringLiteral("L&ogarithmische Skala"), "logarithmisch", axis.logarithmic)),
      sichtbar_(NamedCheck(this, QStringLiteral("sichtbar"), "sichtbar", axis.visible)),
      attribute_(new QPushButton(QStringLiteral("H&ilfslinienattribute"), this)) {
    setWindowTitle(caption);
    fillNumbers(stored_);
    lage_->setText(threeD ? NumberText(axis.crossAt1, 8) + QLatin1Char('/') + NumberText(axis.crossAt2, 8)
                          : NumberText(axis.crossAt2, 8));
    attribute_->setEnabled(axis.gridLines);

    connect(hilfslinien_, &QCheckBox::toggled, attribute_, &QPushButton::setEnabled);
    connect(logarithmisch_, &QCheckBox::clicked, this, [this] { LogarithmischClick(); });
    connect(attribute_, &QPushButton::clicked, this, [this] { HilfslinienattributeClick(); });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Von"), von_);
    form->addRow(QStringLiteral("&Bis"), bis_);
    form->addRow(QStringLiteral("Ab&stand"), abstand_);
    form->addRow(QStringLiteral("&Kleine"), kleine_);
    form->addRow(QStringLiteral("&Lage"), lage_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(hilfslinien_);
    layout->addWidget(attribute_);
    layout->addWidget(logarithmisch_);
    layout->addWidget(sichtbar_);
    layout->addWidget(MakeDialogButtons(*this, QStringLiteral("achsen.html"), [this] { OKClick(); }));
}

void TAchsedlg::fillNumbers(const Taxis3DFields& fields) {
    von_->setText(NumberText(fields.minimum, 8));
    bis_->setText(NumberText(fields.maximum, 8));
    abstand_->setText(NumberText(fields.step, 8));
    kleine_->setText(QString::number(fields.minorTicks));
}

void TAchsedlg::rewriteLogarithmic() {
    Rewrite(von_, LogStart);
    Rewrite(bis_, LogEnd);
    Rewrite(abstand_, LogSpacing);
    Rewrite(kleine_, LogMinorTicks);
}

void TAchsedlg::LogarithmischClick() {
    if (logarithmisch_->isChecked())
        rewriteLogarithmic();
    else
        fillNumbers(stored_);
}

void TAchsedlg::HilfslinienattributeClick() {
    int32_t unusedWidth = 1;
    EditLineAttributes(this, gridColor_, gridStyle_, unusedWidth, false);
}

std::string TAchsedlg::crossText(bool second) const {
    const std::string text = EntryText(lage_);
    const std::size_t slash = text.find('/');
    // Without a "/" the first position is missing and the whole text is the second.
    if (slash == std::string::npos) return second ? text : std::string();
    return second ? text.substr(slash + 1) : text.substr(0, slash);
}

void TAchsedlg::OKClick() {
    if (logarithmisch_->isChecked()) rewriteLogarithmic();
    const bool accepted =
        EntryAccepted(this, von_, CheckReal(EntryText(von_))) &&
        EntryAccepted(this, bis_, CheckReal(EntryText(bis_))) &&
        EntryAccepted(this, bis_, Refuse(RealOf(EntryText(bis_)) <= RealOf(EntryText(von_)), RangeReversedText)) &&
        (threeD_ ? EntryAccepted(this, lage_, CheckReal(crossText(false))) &&
                       EntryAccepted(this, lage_, CheckReal(crossText(true)))
                 : EntryAccepted(this, lage_, CheckReal(EntryText(lage_)))) &&
        EntryAccepted(this, abstand_, CheckReal(EntryText(abstand_))) &&
        EntryAccepted(this, abstand_, Refuse(RealOf(EntryText(abstand_)) <= 0, StepNotPositiveText)) &&
        EntryAccepted(this, kleine_, CheckIntegerInRange(EntryText(kleine_), 0, 100));
    if (accepted) accept();
}

void TAchsedlg::store(Taxis3D& axis) const {
    axis.minimum = RealOf(EntryText(von_));
    axis.maximum = RealOf(EntryText(bis_));
    if (threeD_) {
        axis.crossAt1 = RealOf(crossText(false));
        axis.crossAt2 = RealOf(crossText(true));
    } else {
        axis.crossAt2 = RealOf(EntryText(lage_));
    }
    axis.step = RealOf(EntryText(abstand_));
    int64_t minor = 0;
    TextToInteger(EntryText(kleine_), minor);
    axis.minorTicks = static_cast<int32_t>(minor);
    axis.gridLines = hilfslinien_->isChecked();
    axis.logarithmic = logarithmisch_->isChecked();
    axis.gridColor = gridColor_;
    axis.gridStyle = gridStyle_;
    axis.visible = sichtbar_->isChecked();
}

bool EditAxis(QWidget* parent, const QString& caption, Taxis3D& axis, bool threeD) {
    TAchsedlg dialog(parent, caption, axis, threeD);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.store(axis);
    return true;
}

}  // namespace qv
