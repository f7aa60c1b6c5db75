#include "map_window.h"

#include "info_popup.h"
#include "map_fit.h"
#include "map_store.h"
#include "messages.h"
#include "page_requests.h"
#include "scale_bar.h"

#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStatusTipEvent>
#include <QWheelEvent>
#include <algorithm>
#include <optional>
#include <utility>

namespace {

// How far the keys pan the map, in pixels: a page, or an arrow's step.
constexpr std::pair<int, QPoint> kKeyPans[] = {
    {Qt::Key_PageUp, QPoint(0, 400)}, {Qt::Key_PageDown, QPoint(0, -400)},
    {Qt::Key_Left, QPoint(50, 0)},    {Qt::Key_Up, QPoint(0, 50)},
    {Qt::Key_Right, QPoint(-50, 0)},  {Qt::Key_Down, QPoint(0, -50)},
};

} // namespace

CMapaWnd::CMapaWnd(MapStore& store, QWidget* parent) : QWidget(parent), m_store(store) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // The window takes the focus itself on a left press; Tab may reach it too.
    setFocusPolicy(Qt::TabFocus);
    if (const CMapTool* tool = m_tools.Current())
        setCursor(tool->Cursor());
    // A tool chosen by its action or by SetTool shows its cursor and hint alike.
    connect(&m_tools, &CMapToolManager::ToolChanged, this, &CMapaWnd::OnToolChanged);
}

CMapaWnd::~CMapaWnd() = default;

void CMapaWnd::SetTool(int tool) {
    m_tools.SetTool(tool);
}

void CMapaWnd::OnToolChanged() {
    if (const CMapTool* current = m_tools.Current())
        setCursor(current->Cursor());
    ShowHint();
}

void CMapaWnd::ShowHint() {
    // Before a map is shown no hint applies, and the status bar keeps its idle text.
    const CMapTool* current = m_tools.Current();
    const QString hint = m_bViewSet && current ? current->Hint() : QString();
    setStatusTip(hint);
    // Entering the window shows the tip; a tool chosen with the pointer already
    // over the map says at once what its buttons do now.
    if (m_bPointerIn) {
        QStatusTipEvent tip(hint);
        QCoreApplication::sendEvent(this, &tip);
    }
}

void CMapaWnd::enterEvent(QEnterEvent* event) {
    m_bPointerIn = true;
    QWidget::enterEvent(event);
}

void CMapaWnd::leaveEvent(QEvent* event) {
    m_bPointerIn = false;
    QWidget::leaveEvent(event);
}

void CMapaWnd::SetHistory(CEditHistory* history) {
    if (m_pHistory)
        disconnect(m_pHistory, nullptr, this, nullptr);
    m_pHistory = history;
    // Any step, made or undone, may change what the map shows.
    if (history)
        connect(history, &CEditHistory::Changed, this, [this] { update(); });
}

void CMapaWnd::Edit(const QString& text, MapEdit edit) {
    const std::vector<MapChange> changes = edit.Changes();
    if (m_pHistory) {
        if (!m_pHistory->Apply(text, std::move(edit)))
            return;
    } else {
        edit.Do(m_store);
        if (!edit.ChangesAnything())
            return;
        m_store.MarkChanged();
    }
    for (const PageRefill& refill : PagesToRefill(changes))
        Broadcast(UM_REFRESH_PAGES, refill.page, refill.option);
}

void CMapaWnd::OnMapLoaded() {
    m_store.ClearSelection();
    m_renderer.IndexBlocks(m_store);
    m_layers.m_bFillBlocks = true;
    m_view.Reset(3.0f, size());
    m_bViewSet = true;
    ShowHint();
    // The guide showed the previous map's picture.
    if (m_pGuideWnd)
        m_pGuideWnd->close();
    emit MapLoaded();
    update();
}

MapTransform CMapaWnd::Transform() const {
    return m_view.Transform(size());
}

void CMapaWnd::CenterOn(MapPoint p) {
    m_view.CenterOn(p, size());
}

void CMapaWnd::ZoomTo(float scale, MapPoint p) {
    m_view.ZoomTo(scale, p, size());
    update();
}

bool CMapaWnd::ShowWholeMap() {
    if (!m_bViewSet)
        return false;
    const std::optional<MapFit> fit =
        FitMapRect(TownBounds(m_store), size(), CMapViewport::kMinScale, CMapViewport::kMaxScale);
    if (!fit)
        return false;
    ZoomTo(fit->scale, fit->centre);
    TellScale();
    return true;
}

void CMapaWnd::SetScaleBarShown(bool shown) {
    m_layers.m_bShowScaleBar = shown;
    update();
}

void CMapaWnd::SetLabelPlacement(bool on) {
    m_renderer.SetLabelPlacement(on);
    update();
}

CmBlock* CMapaWnd::HitBlock(MapPoint p) {
    const std::int64_t i = m_renderer.HitBlock(m_store, p);
    return i < 0 ? nullptr : &m_store.m_blocks[static_cast<std::size_t>(i)];
}

MapOverlay CMapaWnd::Overlay() const {
    MapOverlay overlay;
    m_tools.AddToOverlay(overlay);
    return overlay;
}

QImage CMapaWnd::RenderView() {
    if (!m_bViewSet) {
        QImage white(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
        white.fill(Qt::white);
        return white;
    }
    return Printer().View();
}

CMapPrinter CMapaWnd::Printer() {
    return CMapPrinter(m_store, m_renderer, *this, Transform(), m_layers, Overlay());
}

void CMapaWnd::paintEvent(QPaintEvent* event) {
    const MapTransform t = Transform();
    const QImage& frame =
        m_frameBuffer.Frame(t, m_layers, Overlay(), m_bViewSet, event->region().contains(rect()));
    QPainter screen(this);
    screen.drawImage(0, 0, frame);
    // Over the map rather than in it: the bar stays put while the map moves.
    if (m_bViewSet && m_layers.m_bShowScaleBar)
        DrawScaleBar(screen, t, ScaleBarCorner(size()));
    m_tools.PaintOver(screen);
    if (m_bViewSet)
        emit VisibleRectDrawn(t.VisibleRect());
}

void CMapaWnd::FollowPan(const MapTransform& from) {
    const MapTransform to = Transform();
    const std::optional<QRegion> drawn = m_frameBuffer.Pan(from, to, m_layers, Overlay());
    if (!drawn) {
        update();
        return;
    }
    // The screen moves its pixels the same way and shows what was drawn.
    const QPoint d = to.Origin() - from.Origin();
    scroll(d.x(), d.y(), rect());
    update(*drawn);
    // The scroll carried the scale bar along; it belongs where it was.
    if (m_layers.m_bShowScaleBar) {
        const QPoint corner = ScaleBarCorner(size());
        update(ScaleBarBox(from, corner).translated(d) | ScaleBarBox(to, corner));
    }
}

void CMapaWnd::ZoomStep(QPoint pixel, float step) {
    if (!m_view.ZoomStep(pixel, step, size()))
        return;
    update();
    TellScale();
}

void CMapaWnd::PanBy(QPoint delta) {
    const MapTransform from = Transform();
    m_view.PanBy(delta);
    FollowPan(from);
}

void CMapaWnd::ResetOrigin() {
    m_view.CentreOrigin(size());
    update();
}

void CMapaWnd::ShowLayer(bool LayerSwitches::*layer) {
    m_layers.*layer = true;
    TellLayerShown(layer);
    update();
}

void CMapaWnd::TellLayerShown(bool LayerSwitches::*layer) {
    if (const std::optional<UserMessage> message = LayerMessage(layer))
        Broadcast(*message, 1, 0);
}

void CMapaWnd::TellScale() {
    Broadcast(UM_SET_ZOOM_SLIDER, static_cast<std::int64_t>(m_view.Scale()), 0);
}

CInfoPopup& CMapaWnd::InfoPopup() {
    auto* popup = qobject_cast<CInfoPopup*>(m_pInfoWnd.data());
    if (!popup) {
        popup = new CInfoPopup(this, this, *m_pRcInfoPopup);
        m_pInfoWnd = popup;
    }
    return *popup;
}

void CMapaWnd::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        setFocus(Qt::MouseFocusReason);
    // Before a map is shown there is nothing to work on.
    if (m_bViewSet) {
        if (event->button() == Qt::LeftButton)
            m_tools.LeftPress(point, event->modifiers());
        else if (event->button() == Qt::RightButton)
            m_tools.RightPress(point, event->modifiers());
    }
    event->accept();
}

void CMapaWnd::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is a press like the first.
    mousePressEvent(event);
    if (m_bViewSet)
        m_tools.DoubleClick(event->position().toPoint());
}

void CMapaWnd::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    m_tools.Move(point);
    if (m_bViewSet) {
        const MapPoint p = MapPointAt(point);
        emit MapPointHovered(p.x, p.y);
    }
    event->accept();
}

void CMapaWnd::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_tools.LeftRelease(event->position().toPoint());
    event->accept();
}

void CMapaWnd::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0 || !m_bViewSet) {
        event->ignore();
        return;
    }
    event->accept();
    // One slider step per notch, keeping the map point under the mouse where it is.
    if (!m_view.ZoomNotches(event->position().toPoint(), steps, size()))
        return;
    update();
    TellScale();
}

void CMapaWnd::keyPressEvent(QKeyEvent* event) {
    const auto pan =
        std::find_if(std::begin(kKeyPans), std::end(kKeyPans),
                     [event](const auto& keyPan) { return keyPan.first == event->key(); });
    if (pan != std::end(kKeyPans)) {
        PanBy(pan->second);
        event->accept();
    } else if (m_tools.KeyPress(*event)) {
        event->accept();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void CMapaWnd::Broadcast(UserMessage message, std::int64_t wParam, std::int64_t lParam) {
    SendMessageToDescendants(m_pFrame, message, wParam, lParam);
}

void CMapaWnd::customEvent(QEvent* event) {
    const CUserMessage* m = CUserMessage::From(event);
    if (!m) {
        QWidget::customEvent(event);
        return;
    }
    event->accept();
    if (m->Message() == UM_ZONE_ASSIGN) {
        if (m->LParam() >= 0)
            Edit(tr("Asignar zona"),
                 ZoneFromSelection(m_store, static_cast<std::size_t>(m->LParam())));
        return;
    }
    if (m->Message() == UM_GUIDE_CLOSED) {
        if (m_pGuideWnd)
            m_pGuideWnd->close();
        return;
    }
    if (m->Message() == UM_INFO_CLOSED) {
        // Hidden, not closed: closing the card asks this window again, and the
        // object and its texts are kept for the next hit.
        if (m_pInfoWnd)
            m_pInfoWnd->hide();
        return;
    }
    const PageRequestDone done = ApplyPageRequest(*m, m_store, m_view, m_layers, size());
    if (done.tellScale)
        TellScale();
    if (done.showLayer)
        ShowLayer(done.showLayer);
    if (done.repaint)
        update();
}
