#pragma once

// Owns the map tools, their commands and which tool is current. Each tool
// with an entry gets one checkable action in one exclusive group, which the
// frame places in its menus and tool bar; triggering it makes the tool
// current. The map window hands the manager its mouse and key events; it
// passes them to the current tool and applies the rules that hold under every
// tool: traces in progress follow the mouse, a right click ends a street trace
// and adds a station to a route trace before the current tool acts, and Esc
// drops both traces.

#include "map_tool.h"

#include <QList>
#include <QObject>

#include <map>
#include <memory>
#include <utility>
#include <vector>

class CDistanceTool;
class CRouteTool;
class CTraceStreetTool;
class QAction;
class QActionGroup;

class CMapToolManager : public QObject {
    Q_OBJECT
public:
    // Makes the eleven tools of view/tools.h; the navigate tool is current.
    explicit CMapToolManager(CMapToolHost& host);
    ~CMapToolManager() override;

    // Makes a tool of type T, which declares itself in `T::kEntry`, and its
    // action (unless it has no command number); nullptr when its value or its
    // command is taken.
    template <typename T, typename... Args>
    T* Register(Args&&... args) {
        if (m_tools.contains(T::kEntry.value) || Action(T::kEntry.command))
            return nullptr;
        T* made = Add<T>(T::kEntry.value, std::forward<Args>(args)...);
        if (T::kEntry.command != 0)
            AddAction(T::kEntry);
        return made;
    }
    // Makes a tool of type T under a value no tool has yet, without a command
    // (a tool only the program chooses); nullptr when the value is taken.
    template <typename T, typename... Args>
    T* Add(int value, Args&&... args) {
        if (m_tools.contains(value))
            return nullptr;
        auto tool = std::make_unique<T>(m_host, std::forward<Args>(args)...);
        T* made = tool.get();
        m_tools.emplace(value, std::move(tool));
        return made;
    }
    CMapTool* Find(int value) const;

    // Deactivates the current tool and activates the tool of `value`; its
    // action is checked. A value no tool has is kept, and then no tool is
    // current and no action checked.
    void SetTool(int value);
    int Tool() const { return m_nTool; }
    CMapTool* Current() const { return m_pCurrent; }

    void LeftPress(QPoint pixel, Qt::KeyboardModifiers modifiers);
    void RightPress(QPoint pixel, Qt::KeyboardModifiers modifiers);
    void Move(QPoint pixel);
    void LeftRelease(QPoint pixel);
    void DoubleClick(QPoint pixel);
    // True when the key was used.
    bool KeyPress(QKeyEvent& event);

    // What every tool shows in the map picture.
    void AddToOverlay(MapOverlay& overlay) const;
    void PaintOver(QPainter& painter) const;

    const CTraceStreetTool& Street() const { return *m_pStreet; }
    const CRouteTool& Route() const { return *m_pRoute; }
    const CDistanceTool& Ruler() const { return *m_pRuler; }
    // Drops both traces without storing anything.
    void CancelTraces();

    // Every tool's action, checkable, in one exclusive group.
    const QActionGroup& Actions() const { return *m_pActions; }
    // The action of a command number, or nullptr.
    QAction* Action(int command) const;
    // The actions a menu or a tool-bar group shows, in their order.
    QList<QAction*> MenuActions(ToolMenu menu) const;
    QList<QAction*> BarActions(ToolBarGroup group) const;
    // The tools' commands need an open map; actions made later follow.
    void EnableActions(bool enabled);

signals:
    // A tool was made current, or made current again (SetTool).
    void ToolChanged();
    // A tool's action was made (Register); the frame places it.
    void ActionsChanged();

private:
    void AddAction(const MapToolEntry& entry);

    CMapToolHost& m_host;
    std::unique_ptr<QActionGroup> m_pActions;
    // The registered entries with their actions, in registration order.
    std::vector<std::pair<MapToolEntry, QAction*>> m_commands;
    bool m_bActionsEnabled = false;
    std::map<int, std::unique_ptr<CMapTool>> m_tools;
    CTraceStreetTool* m_pStreet = nullptr;
    CRouteTool* m_pRoute = nullptr;
    CDistanceTool* m_pRuler = nullptr;
    CMapTool* m_pCurrent = nullptr;
    int m_nTool = 0;
};
