#include "map_tool.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

QCursor CMapTool::SvgCursor(const char* name, int hotX, int hotY) {
    // One picture per cursor for the whole program, so that tools sharing a
    // picture share the cursor.
    static QHash<QString, QCursor> cache;
    const QString key = QString::fromLatin1(name);
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QSvgRenderer svg(QStringLiteral(":/view/cursor_") + key + QStringLiteral(".svg"));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p);
    p.end();
    return *cache.insert(key, QCursor(pixmap, hotX, hotY));
}
