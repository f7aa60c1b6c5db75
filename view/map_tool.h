#pragma once

// One way of working on the map with the mouse. The tool manager hands the
// current tool the map window's mouse and key events; every handler does
// nothing unless a tool gives it a meaning. A tool keeps its own state (a
// trace, a drag) and reaches the window only through CMapToolHost.

#include <QCursor>
#include <QPoint>
#include <QString>
#include <Qt>

class CMapToolHost;
class QKeyEvent;
class QPainter;
struct MapOverlay;

class CMapTool {
public:
    explicit CMapTool(CMapToolHost& host) : m_host(host) {}
    virtual ~CMapTool() = default;
    CMapTool(const CMapTool&) = delete;
    CMapTool& operator=(const CMapTool&) = delete;

    // The tool becomes current, or stops being current.
    virtual void Activate() {}
    virtual void Deactivate() {}

    virtual void LeftPress(QPoint /*pixel*/, Qt::KeyboardModifiers /*modifiers*/) {}
    virtual void RightPress(QPoint /*pixel*/, Qt::KeyboardModifiers /*modifiers*/) {}
    virtual void Move(QPoint /*pixel*/) {}
    virtual void LeftRelease(QPoint /*pixel*/) {}
    virtual void DoubleClick(QPoint /*pixel*/) {}
    // True when the tool used the key.
    virtual bool KeyPress(QKeyEvent& /*event*/) { return false; }

    // What the buttons do, for the status bar.
    virtual QString Hint() const { return {}; }
    virtual QCursor Cursor() const { return QCursor(Qt::ArrowCursor); }

    // Puts what the tool is working on into the map picture (a trace, a band);
    // asked of every tool, current or not.
    virtual void AddToOverlay(MapOverlay& /*overlay*/) const {}
    // Draws over the finished map on the screen only, while the tool is current.
    virtual void PaintOver(QPainter& /*painter*/) const {}

protected:
    // A cursor drawn from the picture ":/view/cursor_<name>.svg", 32 pixels square.
    static QCursor SvgCursor(const char* name, int hotX, int hotY);

    CMapToolHost& m_host;
};
