#include "messages.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>

const CUserMessage* CUserMessage::From(const QEvent* event) {
    if (!event || event->type() <= QEvent::User || event->type() > MessageType(UM_SET_ZOOM))
        return nullptr;
    return dynamic_cast<const CUserMessage*>(event);
}

void SendUserMessage(QObject* target, UserMessage message, std::int64_t wParam,
                     std::int64_t lParam) {
    if (!target)
        return;
    CUserMessage event(message, wParam, lParam);
    QCoreApplication::sendEvent(target, &event);
}

void SendMessageToDescendants(QObject* root, UserMessage message, std::int64_t wParam,
                              std::int64_t lParam) {
    if (!root)
        return;
    // A handler may create or destroy children (a page refilling itself), so the
    // children are collected first and each is checked before it receives.
    const QObjectList children = root->children();
    for (QObject* child : children) {
        QPointer<QObject> guard(child);
        if (!guard || !child->isWidgetType())
            continue;
        SendUserMessage(child, message, wParam, lParam);
        if (guard)
            SendMessageToDescendants(child, message, wParam, lParam);
    }
}
