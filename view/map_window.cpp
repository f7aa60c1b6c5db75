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
#include <cmath>
#include <optional>
#include <utility>

namespace {

constexpr float kMinScale = 1.0f;
constexpr float kMaxScale = 20.0f;
constexpr float kZoneScale = 10.0f;

// The layer each of the panel's check boxes switches.
constexpr std::pair<UserMessage, bool LayerSwitches::*> kLayerMessages[] = {
    {UM_SHOW_COLONIES, &LayerSwitches::m_bShowColonies},
    {UM_FILL_BLOCKS, &LayerSwitches::m_bFillBlocks},
    {UM_SHOW_ALL_ROUTES, &LayerSwitches::m_bShowAllRoutes},
    {UM_SHOW_TRACED_STREETS, &LayerSwitches::m_bShowTracedStreets},
    {UM_SHOW_REFERENCES, &LayerSwitches::m_bShowReferences},
    {UM_SHOW_MARKS, &LayerSwitches::m_bShowMarks},
    {UM_SHOW_STREET_NAMES, &LayerSwitches::m_bShowStreetNames},
};

// A scale from a file or a message, made one the view can show: a stored zoom
// of 0 or of 1000 still gives a usable view.
float ClampScale(double scale) {
    if (!(scale >= kMinScale))
        return kMinScale;
    return static_cast<float>(std::min<double>(scale, kMaxScale));
}

} // namespace

CMapaWnd::CMapaWnd(MapStore& store, QWidget* parent) : QWidget(parent), m_store(store) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // The window takes the focus itself on a left press; Tab may reach it too.
    setFocusPolicy(Qt::TabFocus);
    if (const CMapTool* tool = m_tools.Current())
        setCursor(tool->Cursor());
}

CMapaWnd::~CMapaWnd() = default;

void CMapaWnd::SetTool(int tool) {
    m_tools.SetTool(tool);
    const CMapTool* current = m_tools.Current();
    if (current)
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
    // An undo or a redo may change what the map shows: block types, new records.
    if (history)
        connect(history, &CEditHistory::ContentRestored, this, [this] { update(); });
}

void CMapaWnd::Edit(const QString& text, const std::function<bool()>& change) {
    if (m_pHistory) {
        m_pHistory->Record(text, [&change] { change(); });
        return;
    }
    if (change())
        m_store.MarkChanged();
}

void CMapaWnd::OnMapLoaded() {
    m_store.ClearSelection();
    m_renderer.IndexBlocks(m_store);
    m_layers.m_bFillBlocks = true;
    m_fScale = 3.0f;
    m_ptOrigin = QPoint(width() / 2, height() / 2);
    m_bViewSet = true;
    ShowHint();
    // The guide showed the previous map's picture.
    if (m_pGuideWnd)
        m_pGuideWnd->close();
    emit MapLoaded();
    update();
}

MapTransform CMapaWnd::Transform() const {
    return MapTransform(size(), m_fScale, m_ptOrigin);
}

void CMapaWnd::CenterOn(MapPoint p) {
    m_ptOrigin = Transform().OriginCentering(p);
}

void CMapaWnd::ZoomTo(float scale, MapPoint p) {
    m_fScale = ClampScale(scale);
    CenterOn(p);
    update();
}

bool CMapaWnd::ShowWholeMap() {
    if (!m_bViewSet)
        return false;
    const std::optional<MapFit> fit = FitMapRect(TownBounds(m_store), size(), kMinScale, kMaxScale);
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
    const QSize client = size();
    const MapTransform t = Transform();
    MapOverlay overlay = Overlay();
    // A part of the window to show again (uncovered by another window, or what
    // a pan step drew) needs no drawing: the buffer still holds this view.
    // Whoever changes what the map shows asks for the whole window.
    const bool keep = m_bFrameValid && m_imgBuffer.size() == client && m_frameTransform == t &&
                      m_frameLayers == m_layers && overlay.IsEmpty() &&
                      !event->region().contains(rect());
    if (!keep) {
        if (m_imgBuffer.size() != client)
            m_imgBuffer = QImage(client, QImage::Format_RGB32);
        m_imgBuffer.fill(Qt::white);
        if (m_bViewSet) {
            QPainter offscreen(&m_imgBuffer);
            m_renderer.DrawLayers(offscreen, m_store, t, m_layers, overlay);
        }
        m_bFrameValid = m_bViewSet && overlay.IsEmpty();
        m_frameTransform = t;
        m_frameLayers = m_layers;
    }
    QPainter screen(this);
    screen.drawImage(0, 0, m_imgBuffer);
    // Over the map rather than in it: the bar stays put while the map moves.
    if (m_bViewSet && m_layers.m_bShowScaleBar)
        DrawScaleBar(screen, Transform(), ScaleBarCorner(client));
    m_tools.PaintOver(screen);
    if (m_bViewSet)
        emit VisibleRectDrawn(t.VisibleRect());
}

void CMapaWnd::FollowPan(const MapTransform& from) {
    const MapTransform to = Transform();
    if (!m_bFrameValid || m_frameTransform != from || m_frameLayers != m_layers ||
        m_imgBuffer.size() != size() || !Overlay().IsEmpty() || !CMapRenderer::CanPan(from, to)) {
        update();
        return;
    }
    const QRegion drawn = m_renderer.PanFrame(m_imgBuffer, m_store, from, to, m_layers);
    m_frameTransform = to;
    // The screen moves its pixels the same way and shows what was drawn.
    const QPoint d = to.Origin() - from.Origin();
    scroll(d.x(), d.y(), rect());
    update(drawn);
    // The scroll carried the scale bar along; it belongs where it was.
    if (m_layers.m_bShowScaleBar) {
        const QPoint corner = ScaleBarCorner(size());
        update(ScaleBarBox(from, corner).translated(d) | ScaleBarBox(to, corner));
    }
}

void CMapaWnd::ZoomStep(QPoint pixel, float step) {
    if (step > 0 && m_fScale >= kMaxScale)
        return;
    if (step < 0 && m_fScale <= kMinScale)
        return;
    const MapPoint p = MapPointAt(pixel);
    m_fScale = std::clamp(m_fScale + step, kMinScale, kMaxScale);
    CenterOn(p);
    update();
    TellScale();
}

void CMapaWnd::PanBy(QPoint delta) {
    const MapTransform from = Transform();
    m_ptOrigin += delta;
    FollowPan(from);
}

void CMapaWnd::ResetOrigin() {
    m_ptOrigin = QPoint(width() / 2, height() / 2);
    update();
}

void CMapaWnd::ShowLayer(bool LayerSwitches::*layer) {
    m_layers.*layer = true;
    TellLayerShown(layer);
    update();
}

void CMapaWnd::TellLayerShown(bool LayerSwitches::*layer) {
    for (const auto& [message, switched] : kLayerMessages) {
        if (switched == layer)
            Broadcast(message, 1, 0);
    }
}

void CMapaWnd::TellScale() {
    Broadcast(UM_SET_ZOOM_SLIDER, static_cast<std::int64_t>(m_fScale), 0);
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
    // One slider step per notch, keeping the map point under the mouse where it is.
    const float target = steps > 0 ? std::floor(m_fScale) + static_cast<float>(steps)
                                   : std::ceil(m_fScale) + static_cast<float>(steps);
    const float scale = std::clamp(target, kMinScale, kMaxScale);
    event->accept();
    if (scale == m_fScale)
        return;
    const QPoint pixel = event->position().toPoint();
    const MapPoint p = MapPointAt(pixel);
    m_fScale = scale;
    m_ptOrigin = Transform().OriginPlacing(p, pixel);
    update();
    TellScale();
}

void CMapaWnd::keyPressEvent(QKeyEvent* event) {
    QPoint delta;
    switch (event->key()) {
    case Qt::Key_PageUp:
        delta = QPoint(0, 400);
        break;
    case Qt::Key_PageDown:
        delta = QPoint(0, -400);
        break;
    case Qt::Key_Left:
        delta = QPoint(50, 0);
        break;
    case Qt::Key_Up:
        delta = QPoint(0, 50);
        break;
    case Qt::Key_Right:
        delta = QPoint(-50, 0);
        break;
    case Qt::Key_Down:
        delta = QPoint(0, -50);
        break;
    default:
        if (m_tools.KeyPress(*event))
            event->accept();
        else
            QWidget::keyPressEvent(event);
        return;
    }
    PanBy(delta);
    event->accept();
}

void CMapaWnd::Broadcast(UserMessage message, std::int64_t wParam, std::int64_t lParam) {
    SendMessageToDescendants(m_pFrame, message, wParam, lParam);
}

void CMapaWnd::OnSetZoom(std::int64_t position) {
    const MapRect v = VisibleRect();
    const MapPoint centre{v.left + (v.right - v.left) / 2, v.top + (v.bottom - v.top) / 2};
    ZoomTo(ClampScale(static_cast<double>(position)), centre);
}

void CMapaWnd::OnLocateItem(std::int64_t kind, std::int64_t index) {
    if (const std::optional<ItemPlace> place = LocateItem(m_store, kind, index)) {
        ZoomTo(place->scale, place->point);
        TellScale();
        if (place->layer)
            ShowLayer(place->layer);
    }
    update();
}

void CMapaWnd::OnZoneShow(std::int64_t hide, std::int64_t show) {
    if (const CmZonas* zone = ShowZoneBlocks(m_store, hide, show)) {
        m_fScale = kZoneScale;
        CenterOn(zone->GetCentre(m_store));
        TellScale();
    }
    update();
}

void CMapaWnd::customEvent(QEvent* event) {
    const CUserMessage* m = CUserMessage::From(event);
    if (!m) {
        QWidget::customEvent(event);
        return;
    }
    const std::int64_t w = m->WParam();
    const std::int64_t l = m->LParam();
    for (const auto& [message, layer] : kLayerMessages) {
        if (m->Message() == message) {
            m_layers.*layer = w != 0;
            update();
            event->accept();
            return;
        }
    }
    switch (m->Message()) {
    case UM_CENTER_AT:
        CenterOn(
            MapPoint{static_cast<std::int32_t>(std::clamp<std::int64_t>(w, INT32_MIN, INT32_MAX)),
                     static_cast<std::int32_t>(std::clamp<std::int64_t>(l, INT32_MIN, INT32_MAX))});
        update();
        break;
    case UM_GUIDE_CLOSED:
        if (m_pGuideWnd)
            m_pGuideWnd->close();
        break;
    case UM_INFO_CLOSED:
        // Hidden, not closed: closing the card asks this window again, and the
        // object and its texts are kept for the next hit.
        if (m_pInfoWnd)
            m_pInfoWnd->hide();
        break;
    case UM_ZONE_ASSIGN:
        AssignSelectionToZone(m_store, l);
        break;
    case UM_ZONE_SHOW:
        OnZoneShow(w, l);
        break;
    case UM_LOCATE_ITEM:
        OnLocateItem(w, l);
        break;
    case UM_SET_ZOOM:
        OnSetZoom(w);
        break;
    default:
        break;
    }
    event->accept();
}
