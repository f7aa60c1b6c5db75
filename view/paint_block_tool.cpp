#include "paint_block_tool.h"

#include "map_tool_host.h"
#include "records.h"

#include <QCoreApplication>

namespace {

constexpr int kPlainBlock = 1;
constexpr int kGreenArea = 2;

} // namespace

void CPaintBlockTool::LeftPress(QPoint pixel, Qt::KeyboardModifiers) {
    PaintBlock(pixel, kGreenArea);
}

void CPaintBlockTool::RightPress(QPoint pixel, Qt::KeyboardModifiers) {
    PaintBlock(pixel, kPlainBlock);
}

void CPaintBlockTool::PaintBlock(QPoint pixel, int type) {
    if (const CmBlock* block = m_host.HitBlock(m_host.MapPointAt(pixel))) {
        const MapStore& store = m_host.Store();
        MapEdit edit(store);
        edit.SetBlockType(static_cast<std::size_t>(block - store.m_blocks.data()), type);
        m_host.Edit(QCoreApplication::translate("MapTool", "Pintar manzana"), std::move(edit));
    }
    m_host.Redraw();
}

QString CPaintBlockTool::Hint() const {
    return QCoreApplication::translate(
        "MapTool", "Izquierdo: pintar la manzana como zona verde | Derecho: devolverla al "
                   "tipo normal");
}

QCursor CPaintBlockTool::Cursor() const {
    return SvgCursor("paint", 8, 6);
}
