#pragma once

// A widget that records the program's messages reaching it; put under the frame,
// it sees every broadcast to the frame's descendants.

#include "messages.h"

#include <QEvent>
#include <QWidget>

#include <vector>

class MessageSpy : public QWidget {
public:
    struct Received {
        int message;
        long long wParam;
        long long lParam;
        bool operator==(const Received&) const = default;
    };
    using QWidget::QWidget;
    std::vector<Received> received;

    std::vector<Received> Of(UserMessage message) const {
        std::vector<Received> out;
        for (const Received& r : received) {
            if (r.message == message)
                out.push_back(r);
        }
        return out;
    }

protected:
    bool event(QEvent* event) override {
        if (const CUserMessage* m = CUserMessage::From(event)) {
            received.push_back({m->Message(), m->WParam(), m->LParam()});
            return true;
        }
        return QWidget::event(event);
    }
};
