#include "app/Cursors.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QSvgRenderer>

#include <array>

namespace qv {

namespace {

struct CursorPicture {
    const char* File;
    int HotX, HotY;  // where the click lands, as marked in each picture
};

// In the order of CursorShape.
constexpr std::array<CursorPicture, 9> Pictures = {{
    {"pipette", 1, 30},
    {"dropzu", 16, 16},
    {"droprate", 16, 16},
    {"pfeil", 8, 8},
    {"handflat", 16, 18},
    {"hand", 12, 2},
    {"peng", 16, 16},
    {"plus", 16, 16},
    {"clear", 16, 16},
}};

constexpr int CursorSize = 32;

QCursor Load(const CursorPicture& picture) {
    QSvgRenderer svg(QStringLiteral(":/quorvel/cursors/%1.svg").arg(QLatin1String(picture.File)));
    QPixmap pixmap(CursorSize, CursorSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    svg.render(&painter);
    painter.end();
    return QCursor(pixmap, picture.HotX, picture.HotY);
}

// Pixmaps must go before the application does, so the application owns them.
class CursorStore : public QObject {
public:
    explicit CursorStore(QObject* owner) : QObject(owner) {
        for (std::size_t i = 0; i < Pictures.size(); ++i) Cursors[i] = Load(Pictures[i]);
    }
    std::array<QCursor, Pictures.size()> Cursors;
};

const std::array<QCursor, Pictures.size()>& Loaded() {
    static QPointer<CursorStore> store;
    if (!store) store = new CursorStore(QCoreApplication::instance());
    return store->Cursors;
}

}  // namespace

void LoadCursors() { Loaded(); }

const QCursor& AppCursor(CursorShape shape) { return Loaded()[static_cast<std::size_t>(shape)]; }

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }

}  // namespace qv
