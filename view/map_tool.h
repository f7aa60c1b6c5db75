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

// The menu that lists a tool's command.
enum class ToolMenu { None, Tools, View };
// The tool-bar group that shows a tool's button: beside the guide's button,
// the map's tools, the measures.
enum class ToolBarGroup { None, View, Map, Measure };

// What a tool is to the program, declared by each tool class as `kEntry`: its
// value (view/tools.h), the command that makes it current with its texts
// (UTF-8), picture and shortcut, and where that command shows. Within a menu
// or a group the lower rank comes first.
struct MapToolEntry {
    int value = 0;
    // Also the action's object name, "action<command>", which settings and tests use.
    int command = 0;
    const char* text = "";
    const char* prompt = "";
    const char* tip = "";
    // A resource path, or nullptr.
    const char* icon = nullptr;
    // A QKeyCombination as an integer; 0 for none.
    int shortcut = 0;
    ToolMenu menu = ToolMenu::Tools;
    int menuRank = 0;
    ToolBarGroup bar = ToolBarGroup::None;
    int barRank = 0;
};

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
