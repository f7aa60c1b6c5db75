#include "zoom_tool.h"

#include "map_tool_host.h"

#include <QCoreApplication>

namespace {

constexpr float kZoomToolStep = 4.0f;

} // namespace

void CZoomTool::LeftPress(QPoint pixel, Qt::KeyboardModifiers) {
    m_host.ZoomStep(pixel, kZoomToolStep);
}

void CZoomTool::RightPress(QPoint pixel, Qt::KeyboardModifiers) {
    m_host.ZoomStep(pixel, -kZoomToolStep);
}

QString CZoomTool::Hint() const {
    return QCoreApplication::translate("MapTool", "Izquierdo: acercar | Derecho: alejar");
}

QCursor CZoomTool::Cursor() const {
    return SvgCursor("zoom", 16, 16);
}
