#include "color_window.h"

#include <QColor>
#include <QPainter>

CColorWnd::CColorWnd(const QRect& rect, QWidget* parent, int id) : QWidget(parent) {
    setObjectName(QStringLiteral("color") + QString::number(id));
    // The whole rectangle is painted every time; nothing below needs erasing.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    setGeometry(rect);
    show();
}

void CColorWnd::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(m_byRed, m_byGreen, m_byBlue));
}
