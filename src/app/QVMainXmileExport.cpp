// "Als XMILE exportieren...": the selected simulation as a model for other
// system-dynamics tools.
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "app/QVMain.h"
#include "dialogs/FileDialogs.h"
#include "dialogs/MessageBoxes.h"
#include "drawing/QtBytes.h"
#include "drawing/QtText.h"
#include "exchange/XmileExport.h"
#include "util/WholeFile.h"

namespace qv {

void TMain::XmileExportieren1Click() {
    const tsim* sim = document_.SelectedSimulation();
    if (running_ || !sim) return;
    // Proposed under the simulation's name, which may hold characters a file name cannot.
    QString name = ToQString(sim->Name).trimmed();
    name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("-"));
    if (name.isEmpty()) name = QStringLiteral("Modell");
    const QString proposed = QDir(lastDirectory_).filePath(name + QStringLiteral(".xmile"));
    const QString path = ChooseFile(this, FileChoice::Save, QStringLiteral("Als XMILE exportieren"), proposed,
                                    QString::fromLatin1(XmileFileFilter), QStringLiteral("xmile"));
    if (path.isEmpty()) return;
    const XmileExport exported = ExportXmile(*sim);
    std::string error;
    if (!WriteFileSafely(path.toStdString(), ByteSpan(exported.Bytes), error)) {
        ShowMessage(this, MessageKind::Error, error);
        return;
    }
    lastDirectory_ = QFileInfo(path).absolutePath();
    if (!exported.Warning.empty()) ShowMessage(this, MessageKind::Warning, exported.Warning);
}

}  // namespace qv
