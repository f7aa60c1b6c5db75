#include "navigate_tool.h"

#include "map_tool_host.h"

#include <QCoreApplication>

QCursor CNavigateTool::PanCursor() {
    return SvgCursor("closed_hand", 15, 16);
}

QCursor CNavigateTool::Cursor() const {
    return SvgCursor("open_hand", 14, 14);
}

QString CNavigateTool::Hint() const {
    return QCoreApplication::translate(
        "MapTool", "Izquierdo: arrastrar el mapa | Derecho: llevar el origen del mapa al "
                   "centro");
}

void CNavigateTool::Deactivate() {
    // A drag does not outlive its tool; the next tool shows its own cursor.
    m_bDragging = false;
}

void CNavigateTool::LeftPress(QPoint pixel, Qt::KeyboardModifiers) {
    m_ptLastMouse = pixel;
    m_bDragging = true;
    m_host.SetCursor(PanCursor());
}

void CNavigateTool::Move(QPoint pixel) {
    if (!m_bDragging)
        return;
    m_host.PanBy(pixel - m_ptLastMouse);
    m_ptLastMouse = pixel;
}

void CNavigateTool::LeftRelease(QPoint) {
    if (!m_bDragging)
        return;
    m_bDragging = false;
    m_host.SetCursor(Cursor());
}

void CNavigateTool::RightPress(QPoint, Qt::KeyboardModifiers) {
    m_host.ResetOrigin();
}
