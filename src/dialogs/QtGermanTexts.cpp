#include "dialogs/QtGermanTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace qv {

bool InstallQtGermanTexts(QCoreApplication& app) {
    auto texts = std::make_unique<QTranslator>();
    if (!texts->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(texts.get()))
        return false;
    texts.release()->setParent(&app);  // the application owns it from here
    return true;
}

}  // namespace qv
