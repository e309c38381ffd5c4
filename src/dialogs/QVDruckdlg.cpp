#include "dialogs/QVDruckdlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/DialogParts.h"
#include "drawing/QtText.h"
#include "util/EntryChecks.h"
#include "util/NumberFormat.h"

namespace qv {

namespace {

constexpr double LargestScale = 1e300;
// Beyond this the text would start off the paper of any printer.
constexpr double LargestMargin = 20;

class TDruckoptionendlg : public QDialog {
public:
    TDruckoptionendlg(QWidget* parent, const PrintOptions& options) : QDialog(parent) {
        setWindowTitle(QStringLiteral("Druckoptionen"));
        auto scaleText = [](double value) { return ToQString(FormatReal(value, RealFormat::General, 4, 2)); };
        horizontal_ = NamedWidget<QLineEdit>("horizontal", scaleText(options.UnitsPerCmX), this);
        vertical_ = NamedWidget<QLineEdit>("vertikal", scaleText(options.UnitsPerCmY), this);
        background_ = NamedWidget<QCheckBox>("hintergrund", QStringLiteral("Hintergrundfarbe drucken"), this);
        // 0 is no scale of one's own, which a pupil cannot guess from the number.
        horizontal_->setToolTip(QStringLiteral("0: das Schaubild so breit wie das Papier"));
        vertical_->setToolTip(QStringLiteral("0: im Seitenverhältnis des Arbeitsblatts"));
        auto* grid = new QGridLayout;
        grid->addWidget(new QLabel(QStringLiteral("1 cm entspricht"), this), 0, 0);
        grid->addWidget(horizontal_, 0, 1);
        grid->addWidget(new QLabel(QStringLiteral("Einheiten nach rechts"), this), 0, 2);
        grid->addWidget(new QLabel(QStringLiteral("1 cm entspricht"), this), 1, 0);
        grid->addWidget(vertical_, 1, 1);
        grid->addWidget(new QLabel(QStringLiteral("Einheiten nach oben"), this), 1, 2);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(grid);
        layout->addWidget(background_);
        layout->addWidget(MakeDialogButtons(*this, QStringLiteral("Drucken"), [this] { OKClick(); }));
    }

    void store(PrintOptions& options) const {
        options.UnitsPerCmX = EntryReal(horizontal_);
        options.UnitsPerCmY = EntryReal(vertical_);
        options.Background = background_->isChecked();
    }

private:
    void OKClick() {
        for (QLineEdit* edit : {horizontal_, vertical_})
            if (!EntryAccepted(this, edit, CheckRealInRangeGeneral(EntryText(edit), 0, LargestScale))) return;
        accept();
    }

    QLineEdit* horizontal_;
    QLineEdit* vertical_;
    QCheckBox* background_;
};

}  // namespace

bool EditPrintOptions(QWidget* parent, PrintOptions& options) {
    TDruckoptionendlg dialog(parent, options);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.store(options);
    return true;
}

TDruckdlg::TDruckdlg(QWidget* parent, PrintOptions& options) : QDialog(parent), options_(options) {
    setWindowTitle(QStringLiteral("Drucken"));
    group_ = new QGroupBox(this);
    group_->setObjectName(QStringLiteral("simulation"));
    programm_ = NamedWidget<QCheckBox>("programm", QStringLiteral("Programm"), group_);
    startwerte_ = NamedWidget<QCheckBox>("startwerte", QStringLiteral("Startwerte"), group_);
    startwerte_->setChecked(true);
    schaubild_ = NamedWidget<QCheckBox>("schaubild", QStringLiteral("Schaubild"), group_);
    tabelle_ = NamedWidget<QCheckBox>("tabelle", QStringLiteral("Tabelle"), group_);
    sprachlich_ = NamedWidget<QCheckBox>("sprachlich", QStringLiteral("sprachlich"), group_);
    grafisch_ = NamedWidget<QCheckBox>("grafisch", QStringLiteral("grafisch"), group_);
    auto* sections = new QVBoxLayout(group_);
    for (QCheckBox* box : {programm_, startwerte_, schaubild_, tabelle_, sprachlich_, grafisch_})
        sections->addWidget(box);

    auto* margins = new QGroupBox(QStringLiteral("Rand"), this);
    // "2,0" in the user's notation.
    const QString margin = ToQString(FormatReal(2.0, RealFormat::Fixed, 15, 1));
    links_ = NamedWidget<QLineEdit>("links", margin, margins);
    oben_ = NamedWidget<QLineEdit>("oben", margin, margins);
    auto* form = new QFormLayout(margins);
    for (auto [label, edit] : {std::pair{"links", links_}, std::pair{"oben", oben_}}) {
        auto* row = new QHBoxLayout;
        row->addWidget(edit);
        row->addWidget(new QLabel(QStringLiteral("cm"), margins));
        form->addRow(QString::fromLatin1(label), row);
    }

    optionen_ = new QPushButton(QStringLiteral("Optionen für Schaubild"), this);
    optionen_->setObjectName(QStringLiteral("optionen"));
    connect(optionen_, &QPushButton::clicked, this, [this] { EditPrintOptions(this, options_); });
    connect(schaubild_, &QCheckBox::toggled, this, [this] { updateOptionsButton(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group_);
    layout->addWidget(margins);
    layout->addWidget(optionen_);
    layout->addWidget(MakeDialogButtons(*this, QStringLiteral("Drucken"), [this] { OKClick(); }));
}

void TDruckdlg::prepare(const QString& simulationName, const ReportSections& offered,
                        const PrintAvailability& available) {
    group_->setTitle(simulationName);
    programm_->setChecked(offered.Program);
    schaubild_->setChecked(available.Chart && offered.Chart);
    schaubild_->setEnabled(available.Chart);
    tabelle_->setChecked(available.Table && offered.Table);
    tabelle_->setEnabled(available.Table);
    sprachlich_->setChecked(available.Verbal && offered.Verbal);
    sprachlich_->setEnabled(available.Verbal);
    grafisch_->setChecked(available.Graphical && offered.Graphical);
    grafisch_->setEnabled(available.Graphical);
    updateOptionsButton();
}

bool TDruckdlg::startValuesChecked() const { return startwerte_->isChecked(); }

ReportSections TDruckdlg::sections() const {
    ReportSections chosen;
    chosen.Program = programm_->isChecked();
    chosen.StartValues = startwerte_->isChecked();
    chosen.Chart = schaubild_->isEnabled() && schaubild_->isChecked();
    chosen.Table = tabelle_->isEnabled() && tabelle_->isChecked();
    chosen.Verbal = sprachlich_->isEnabled() && sprachlich_->isChecked();
    chosen.Graphical = grafisch_->isEnabled() && grafisch_->isChecked();
    return chosen;
}

void TDruckdlg::updateOptionsButton() { optionen_->setEnabled(schaubild_->isEnabled() && schaubild_->isChecked()); }

void TDruckdlg::OKClick() {
    for (QLineEdit* edit : {links_, oben_})
        if (!EntryAccepted(this, edit, CheckRealInRange(EntryText(edit), 0, LargestMargin))) return;
    left_ = EntryReal(links_);
    top_ = EntryReal(oben_);
    accept();
}

}  // namespace qv
