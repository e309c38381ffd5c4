#include "dialogs/QVWinkeldlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/DialogParts.h"
#include "dialogs/MessageBoxes.h"
#include "drawing/QtText.h"
#include "drawing/RotateSelection.h"
#include "util/EntryChecks.h"
#include "util/Geometry.h"
#include "util/NumberFormat.h"
#include "util/RotationAngle.h"

namespace qv {

TWinkeldlg::TWinkeldlg(QWidget* parent, int32_t angleTenths)
    : QDialog(parent), entry_(new QLineEdit(ToQString(AngleToText(angleTenths)), this)), angle_(angleTenths) {
    setWindowTitle(QStringLiteral("Drehen"));
    entry_->setObjectName(QStringLiteral("winkel"));
    entry_->setToolTip(QStringLiteral("in Grad"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Winkel:"), entry_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(MakeDialogButtons(*this, QStringLiteral("drehen.html"), [this] { accept(); }));
}

void TWinkeldlg::accept() {
    const std::string text = EntryText(entry_);
    if (!EntryAccepted(this, entry_, CheckRealInRange(text, -360, 360))) return;
    double degrees = 0;
    TextToReal(text, degrees);
    angle_ = AngleFromDegrees(degrees);
    QDialog::accept();
}

bool AskRotation(QWidget* parent, int32_t& angleTenths) {
    TWinkeldlg dialog(parent, angleTenths);
    if (dialog.exec() != QDialog::Accepted) return false;
    angleTenths = dialog.angle();
    return true;
}

bool RotateSelection(QWidget* parent, TKomplex& page) {
    std::optional<int32_t> angle = SelectedAngle(page);
    if (!angle || !AskRotation(parent, *angle)) return false;
    if (RotateSelectedTo(page, *angle)) return true;
    ShowMessage(parent, MessageKind::Error, std::string(RotationErrorText));
    return false;
}

}  // namespace qv
