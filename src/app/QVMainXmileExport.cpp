// "Als XMILE exportieren...": the selected simulation as a model for other
// system-dynamics tools.
#include <QFileInfo>

#include "app/QVMain.h"
#include "dialogs/FileDialogs.h"
#include "dialogs/MessageBoxes.h"
#include "exchange/XmileExport.h"
#include "util/WholeFile.h"

namespace qv {

void TMain::XmileExportieren1Click() {
    const tsim* sim = document_.SelectedSimulation();
    if (running_ || !sim) return;
    const QString path = ChooseFile(this, FileChoice::Save, QStringLiteral("Als XMILE exportieren"), lastDirectory_,
                                    QString::fromLatin1(XmileFileFilter), QStringLiteral("xmile"));
    if (path.isEmpty()) return;
    const XmileExport exported = ExportXmile(*sim);
    std::string error;
    const auto* bytes = reinterpret_cast<const uint8_t*>(exported.Bytes.constData());
    if (!WriteFileSafely(path.toStdString(), {bytes, static_cast<std::size_t>(exported.Bytes.size())}, error)) {
        ShowMessage(this, MessageKind::Error, error);
        return;
    }
    lastDirectory_ = QFileInfo(path).absolutePath();
    if (!exported.Warning.empty()) ShowMessage(this, MessageKind::Warning, exported.Warning);
}

}  // namespace qv
