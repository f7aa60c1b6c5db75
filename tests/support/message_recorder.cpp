#include "message_recorder.h"

#include "messages.h"

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
