#include "distance_tool.h"

#include "map_tool_host.h"
#include "route_tool.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>

void CDistanceTool::Activate() {
    // The read-out belongs to this tool only.
    m_host.Redraw();
}

void CDistanceTool::Deactivate() {
    m_host.Redraw();
}

void CDistanceTool::LeftPress(QPoint pixel, Qt::KeyboardModifiers) {
    if (m_route.Tracing())
        m_route.Cancel();
    else
        m_route.Begin(m_host.MapPointAt(pixel));
    m_host.Redraw();
}

void CDistanceTool::Measure() {
    if (!m_route.Tracing())
        return;
    m_fLength = static_cast<float>(m_route.Trace().Distance(0, 1));
    m_host.Redraw();
}

void CDistanceTool::PaintOver(QPainter& painter) const {
    if (!m_route.Tracing())
        return;
    // Written on the screen, not into the map picture, with the window's own
    // font on an opaque white ground.
    const QString text = QString::asprintf("%.2f mts", static_cast<double>(m_fLength));
    const QFontMetrics fm(painter.font());
    const QRect box(10, 10, fm.horizontalAdvance(text), fm.height());
    painter.fillRect(box, Qt::white);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(10, 10 + fm.ascent()), text);
}

QString CDistanceTool::Hint() const {
    return QCoreApplication::translate("MapTool",
                                       "Izquierdo: empezar o terminar la medición | Esc: cancelar");
}

QCursor CDistanceTool::Cursor() const {
    return SvgCursor("stroke", 1, 1);
}
