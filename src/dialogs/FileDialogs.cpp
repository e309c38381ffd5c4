#include "dialogs/FileDialogs.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QStringList>
#include <QTreeView>

namespace qv {

namespace {

// The "Typ" column: the desktop's file-type names follow the desktop's
// language, and are plain "unknown" for the program's own documents.
class GermanFileTypes : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override {
        if (info.isDir()) return QStringLiteral("Ordner");
        const QString suffix = info.suffix();
        return suffix.isEmpty() ? QStringLiteral("Datei") : QStringLiteral("%1-Datei").arg(suffix.toUpper());
    }
};

}  // namespace

QString ChooseFile(QWidget* parent, FileChoice choice, const QString& caption, const QString& folder,
                   const QString& filter, const QString& defaultSuffix) {
    GermanFileTypes types;  // made first, so it outlives the dialog's file model
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const bool save = choice == FileChoice::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setIconProvider(&types);
    // Set here as well as by Qt's translation, which may be missing or incomplete.
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Suchen in:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Datei&name:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Datei&typ:"));
    dialog.setLabelText(QFileDialog::Accept, save ? QStringLiteral("&Speichern") : QStringLiteral("Ö&ffnen"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
    // Qt gives the type label no partner, so its "&" would show as a character.
    if (auto* label = dialog.findChild<QLabel*>(QStringLiteral("fileTypeLabel")))
        label->setBuddy(dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")));
    // Size, type and date follow their contents (Qt's fixed widths cut them
    // off with "…"); the name takes the rest.
    dialog.resize(860, 500);
    if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = list->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.constFirst();
}

}  // namespace qv
