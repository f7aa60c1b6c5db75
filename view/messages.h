#pragma once

// The program's own messages between the control panel, the property pages and
// the map window. They are custom events numbered QEvent::User + n, carrying
// the two parameters the receivers read, and delivered synchronously: broadcast
// to every descendant of the main frame, or sent to one window.

#include <QEvent>
#include <cstdint>

class QObject;

enum UserMessage : int {
    UM_CENTER_AT = 0x81,
    UM_GUIDE_CLOSED = 0x82,
    UM_INFO_CLOSED = 0x83,
    UM_ZONE_ASSIGN = 0x85,
    UM_ZONE_SHOW = 0x86,
    UM_ZONE_UNSELECT = 0x87,
    UM_SHOW_COLONIES = 0x89,
    UM_FILL_BLOCKS = 0x8A,
    UM_SHOW_ALL_ROUTES = 0x8B,
    UM_SHOW_TRACED_STREETS = 0x8C,
    UM_SET_ZOOM_SLIDER = 0x8D,
    UM_SHOW_REFERENCES = 0x8E,
    UM_REFRESH_ROUTES_PAGE = 0x8F,
    UM_REFRESH_PAGES = 0x90,
    UM_LOCATE_ITEM = 0x91,
    UM_UNUSED_92 = 0x92,
    UM_SHOW_MARKS = 0x93,
    UM_SHOW_STREET_NAMES = 0x94,
    UM_SET_ZOOM = 0x95,
};

// UM_REFRESH_PAGES: which pages to refill (wParam), and for the businesses page
// whether the categories are refilled (lParam) instead of the businesses.
enum RefreshPage : int {
    PAGE_ALL = 0,
    PAGE_STREETS = 1,
    PAGE_REFERENCES = 2,
    PAGE_ROUTES = 3,
    PAGE_BUSINESSES = 4,
    PAGE_COLONIES = 5,
    PAGE_ZONES = 6,
};
enum RefreshOption : int {
    REFRESH_BUSINESSES = 0,
    REFRESH_CATEGORIES = 1,
};

// UM_LOCATE_ITEM: the kind of element (wParam) whose index is lParam. The
// businesses page also sends LOCATE_NOTHING when its lists change, and the
// routes page LOCATE_NO_ROUTE when its route is gone; neither moves the map.
enum LocateKind : int {
    LOCATE_NO_ROUTE = -1,
    LOCATE_NOTHING = 0,
    LOCATE_STREET = 1,
    LOCATE_BUSINESS = 2,
    LOCATE_COLONY = 3,
    LOCATE_REFERENCE = 4,
    LOCATE_ROUTE = 6,
};

constexpr QEvent::Type MessageType(UserMessage m) {
    return static_cast<QEvent::Type>(static_cast<int>(QEvent::User) + static_cast<int>(m));
}

class CUserMessage : public QEvent {
public:
    CUserMessage(UserMessage message, std::int64_t wParam, std::int64_t lParam)
        : QEvent(MessageType(message)), m_message(message), m_wParam(wParam), m_lParam(lParam) {}

    UserMessage Message() const { return m_message; }
    std::int64_t WParam() const { return m_wParam; }
    std::int64_t LParam() const { return m_lParam; }

    // The message carried by `event`, or nullptr when it is not one of ours.
    static const CUserMessage* From(const QEvent* event);

private:
    UserMessage m_message;
    std::int64_t m_wParam;
    std::int64_t m_lParam;
};

// Sends to every descendant of `root` (not to `root` itself), depth first, each
// handler returning before the next receives it.
void SendMessageToDescendants(QObject* root, UserMessage message, std::int64_t wParam,
                              std::int64_t lParam);
// Sends to one window.
void SendUserMessage(QObject* target, UserMessage message, std::int64_t wParam,
                     std::int64_t lParam);
