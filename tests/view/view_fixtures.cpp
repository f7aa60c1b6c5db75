#include "view_fixtures.h"

#include "messages.h"

CmBlock MakeBlock(float x0, float y0, float x1, float y1, int type) {
    CmBlock b;
    b.m_points = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}};
    b.SetType(type);
    return b;
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
