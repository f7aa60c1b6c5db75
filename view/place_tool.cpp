#include "place_tool.h"

#include "map_tool_host.h"
#include "name_dialog.h"

void CPlaceTool::LeftPress(QPoint pixel, Qt::KeyboardModifiers) {
    CNombreDlg dlg(m_host.DialogParent());
    if (dlg.exec() != QDialog::Accepted)
        return;
    AddPlace(m_host.MapPointAt(pixel), TruncToInt(m_host.Scale()), dlg.m_strName.toStdString());
    m_host.Redraw();
}

QCursor CPlaceTool::Cursor() const {
    return SvgCursor("pencil", 1, 30);
}
