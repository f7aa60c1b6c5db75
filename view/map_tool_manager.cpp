#include "map_tool_manager.h"

#include "colony_tool.h"
#include "distance_tool.h"
#include "info_tool.h"
#include "map_tool_host.h"
#include "mark_tool.h"
#include "navigate_tool.h"
#include "paint_block_tool.h"
#include "reference_tool.h"
#include "route_tool.h"
#include "select_block_tool.h"
#include "tools.h"
#include "trace_street_tool.h"
#include "zoom_tool.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>

#include <algorithm>

namespace {

// The actions whose entry puts them in `where`, by rank, then in registration order.
template <typename Place>
QList<QAction*> Placed(const std::vector<std::pair<MapToolEntry, QAction*>>& commands,
                       Place MapToolEntry::*place, Place where, int MapToolEntry::*rank) {
    std::vector<std::pair<int, QAction*>> shown;
    for (const auto& [entry, action] : commands) {
        if (entry.*place == where)
            shown.emplace_back(entry.*rank, action);
    }
    std::ranges::stable_sort(shown, {}, &std::pair<int, QAction*>::first);
    QList<QAction*> actions;
    for (const auto& entry : shown)
        actions.append(entry.second);
    return actions;
}

} // namespace

CMapToolManager::CMapToolManager(CMapToolHost& host)
    : m_host(host), m_pActions(std::make_unique<QActionGroup>(nullptr)) {
    m_pActions->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    // A new tool is one class deriving from CMapTool, with its `kEntry` (value,
    // command number, texts, picture, menu and tool-bar places) at the top,
    // and one line here; the frame places its action by the entry.
    Register<CNavigateTool>();
    Register<CReferenceTool>();
    Register<CInfoTool>();
    m_pRoute = Register<CRouteTool>();
    Register<CPaintBlockTool>();
    Register<CZoomTool>();
    m_pStreet = Register<CTraceStreetTool>();
    Register<CSelectBlockTool>();
    Register<CMarkTool>();
    Register<CColonyTool>();
    // The ruler measures with the route's trace.
    m_pRuler = Register<CDistanceTool>(*m_pRoute);
    SetTool(TOOL_NAVIGATE);
}

CMapToolManager::~CMapToolManager() = default;

void CMapToolManager::AddAction(const MapToolEntry& entry) {
    auto* action =
        new QAction(QCoreApplication::translate("MapTool", entry.text), m_pActions.get());
    action->setObjectName(QStringLiteral("action%1").arg(entry.command));
    action->setStatusTip(QCoreApplication::translate("MapTool", entry.prompt));
    action->setToolTip(QCoreApplication::translate("MapTool", entry.tip));
    if (entry.icon)
        action->setIcon(QIcon(QString::fromUtf8(entry.icon)));
    if (entry.shortcut != 0)
        action->setShortcut(QKeySequence(entry.shortcut));
    action->setCheckable(true);
    // A menu draws a checked item with an icon as a faintly framed icon; without
    // the icon it shows a real tick. The tool bar keeps the icons.
    action->setIconVisibleInMenu(false);
    action->setEnabled(m_bActionsEnabled);
    action->setChecked(m_nTool == entry.value);
    m_pActions->addAction(action);
    connect(action, &QAction::triggered, this, [this, value = entry.value] { SetTool(value); });
    m_commands.emplace_back(entry, action);
    emit ActionsChanged();
}

QAction* CMapToolManager::Action(int command) const {
    for (const auto& [entry, action] : m_commands) {
        if (entry.command == command)
            return action;
    }
    return nullptr;
}

QList<QAction*> CMapToolManager::MenuActions(ToolMenu menu) const {
    return Placed(m_commands, &MapToolEntry::menu, menu, &MapToolEntry::menuRank);
}

QList<QAction*> CMapToolManager::BarActions(ToolBarGroup group) const {
    return Placed(m_commands, &MapToolEntry::bar, group, &MapToolEntry::barRank);
}

void CMapToolManager::EnableActions(bool enabled) {
    m_bActionsEnabled = enabled;
    for (const auto& command : m_commands)
        command.second->setEnabled(enabled);
}

CMapTool* CMapToolManager::Find(int value) const {
    const auto it = m_tools.find(value);
    return it == m_tools.end() ? nullptr : it->second.get();
}

void CMapToolManager::SetTool(int value) {
    m_nTool = value;
    CMapTool* next = Find(value);
    if (next != m_pCurrent) {
        if (m_pCurrent)
            m_pCurrent->Deactivate();
        m_pCurrent = next;
        if (m_pCurrent)
            m_pCurrent->Activate();
    }
    for (const auto& [entry, action] : m_commands)
        action->setChecked(entry.value == value);
    emit ToolChanged();
}

void CMapToolManager::LeftPress(QPoint pixel, Qt::KeyboardModifiers modifiers) {
    if (m_pCurrent)
        m_pCurrent->LeftPress(pixel, modifiers);
}

void CMapToolManager::RightPress(QPoint pixel, Qt::KeyboardModifiers modifiers) {
    const MapPoint p = m_host.MapPointAt(pixel);
    // One click can end a trace and also act for the current tool. A street
    // ended under the route tool becomes the route's outline; a ruler left
    // running under another tool is handled as a route.
    if (m_pStreet->Tracing())
        m_pStreet->End(p, m_pCurrent == m_pRoute);
    if (m_pRoute->Tracing() && m_pCurrent != m_pRuler)
        m_pRoute->AddStation(p);
    if (m_pCurrent)
        m_pCurrent->RightPress(pixel, modifiers);
}

void CMapToolManager::Move(QPoint pixel) {
    // The tool's own drag first: a pan moves the map under the traces' moving points.
    if (m_pCurrent)
        m_pCurrent->Move(pixel);
    m_pStreet->Follow(pixel);
    m_pRoute->Follow(pixel);
    if (m_pCurrent == m_pRuler)
        m_pRuler->Measure();
}

void CMapToolManager::LeftRelease(QPoint pixel) {
    if (m_pCurrent)
        m_pCurrent->LeftRelease(pixel);
}

void CMapToolManager::DoubleClick(QPoint pixel) {
    if (m_pCurrent)
        m_pCurrent->DoubleClick(pixel);
}

bool CMapToolManager::KeyPress(QKeyEvent& event) {
    if (event.key() == Qt::Key_Escape && (m_pStreet->Tracing() || m_pRoute->Tracing())) {
        CancelTraces();
        return true;
    }
    return m_pCurrent && m_pCurrent->KeyPress(event);
}

void CMapToolManager::CancelTraces() {
    m_pStreet->Cancel();
    m_pRoute->Cancel();
    m_host.Redraw();
}

void CMapToolManager::AddToOverlay(MapOverlay& overlay) const {
    for (const auto& [value, tool] : m_tools)
        tool->AddToOverlay(overlay);
}

void CMapToolManager::PaintOver(QPainter& painter) const {
    if (m_pCurrent)
        m_pCurrent->PaintOver(painter);
}
