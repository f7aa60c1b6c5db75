#include "view_fixtures.h"

#include "messages.h"

CmBlock& AddBlock(MapStore& store, float x0, float y0, float x1, float y1, int type) {
    const FloatPoint outline[] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}};
    return store.AddBlock(outline, type);
}

MapStore MakeStore() {
    MapStore store;
    store.m_strMapName = "prueba";
    return store;
}

std::vector<CMessageRecorder::Entry> CMessageRecorder::Of(int message) const {
    std::vector<Entry> out;
    for (const Entry& e : m_entries)
        if (e.message == message)
            out.push_back(e);
    return out;
}

void CMessageRecorder::customEvent(QEvent* event) {
    if (const CUserMessage* m = CUserMessage::From(event))
        m_entries.push_back({m->Message(), m->WParam(), m->LParam()});
}

int CountColor(const QImage& image, QRect box, QRgb color) {
    int n = 0;
    box = box.intersected(image.rect());
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            n += (image.pixel(x, y) & 0xffffff) == color;
    return n;
}

int CountNonWhite(const QImage& image, QRect box) {
    box = box.intersected(image.rect());
    return box.width() * box.height() - CountColor(image, box, 0xffffff);
}
