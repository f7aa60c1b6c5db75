#include "map_window.h"

#include "map_store.h"
#include "messages.h"
#include "tools.h"

#include <QCoreApplication>
#include <QCursor>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStatusTipEvent>
#include <QSvgRenderer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

constexpr float kMinScale = 1.0f;
constexpr float kMaxScale = 20.0f;
// Locating a reference, colony or business shows it at least this close.
constexpr float kLocateMinScale = 15.0f;
constexpr float kZoneScale = 10.0f;

// A scale from a file or a message, made one the view can show: a stored zoom
// of 0 or of 1000 still gives a usable view.
float ClampScale(double scale) {
    if (!(scale >= kMinScale))
        return kMinScale;
    return static_cast<float>(std::min<double>(scale, kMaxScale));
}

QCursor SvgCursor(const char* name, int hotX, int hotY) {
    static QHash<QString, QCursor> cache;
    const QString key = QString::fromLatin1(name);
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QSvgRenderer svg(QStringLiteral(":/view/cursor_") + key + QStringLiteral(".svg"));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p);
    p.end();
    return *cache.insert(key, QCursor(pixmap, hotX, hotY));
}

} // namespace

CMapaWnd::CMapaWnd(MapStore& store, QWidget* parent) : QWidget(parent), m_store(store) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // The window takes the focus itself on a left press; Tab may reach it too.
    setFocusPolicy(Qt::TabFocus);
    setCursor(ToolCursor(m_nTool));
    setStatusTip(ToolHint(m_nTool));
}

CMapaWnd::~CMapaWnd() = default;

QCursor CMapaWnd::ToolCursor(int tool) {
    switch (tool) {
    case TOOL_NAVIGATE:
        return SvgCursor("open_hand", 14, 14);
    case TOOL_REFERENCE:
    case TOOL_MARK:
    case TOOL_COLONY:
        return SvgCursor("pencil", 1, 30);
    case TOOL_INFO:
        return SvgCursor("info", 1, 1);
    case TOOL_ROUTE:
    case TOOL_TRACE_STREET:
    case TOOL_DISTANCE:
        return SvgCursor("stroke", 1, 1);
    case TOOL_PAINT_BLOCK:
    case TOOL_SELECT_BLOCK:
        return SvgCursor("paint", 8, 6);
    case TOOL_ZOOM:
        return SvgCursor("zoom", 16, 16);
    default:
        return QCursor(Qt::ArrowCursor);
    }
}

QCursor CMapaWnd::PanCursor() {
    return SvgCursor("closed_hand", 15, 16);
}

void CMapaWnd::SetTool(int tool) {
    m_nTool = tool;
    switch (tool) {
    case TOOL_NAVIGATE:
    case TOOL_REFERENCE:
    case TOOL_INFO:
    case TOOL_ROUTE:
    case TOOL_PAINT_BLOCK:
    case TOOL_ZOOM:
    case TOOL_TRACE_STREET:
    case TOOL_SELECT_BLOCK:
    case TOOL_MARK:
    case TOOL_COLONY:
    case TOOL_DISTANCE:
        setCursor(ToolCursor(tool));
        break;
    default:
        break;
    }
    // The status bar says what the buttons do now, also while the mouse is elsewhere.
    const QString hint = ToolHint(tool);
    setStatusTip(hint);
    QStatusTipEvent tip(hint);
    QCoreApplication::sendEvent(this, &tip);
    // The ruler read-out belongs to the distance tool only.
    update();
}

void CMapaWnd::OnMapLoaded() {
    m_store.ClearSelection();
    m_renderer.IndexBlocks(m_store);
    m_layers.m_bFillBlocks = true;
    m_fScale = 3.0f;
    m_ptOrigin = QPoint(width() / 2, height() / 2);
    m_bViewSet = true;
    // The guide showed the previous map's picture; the next show makes a new one.
    if (m_pGuideWnd)
        m_pGuideWnd->close();
    ++m_nMapLoads;
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

CmBlock* CMapaWnd::HitBlock(MapPoint p) {
    const std::int64_t i = m_renderer.HitBlock(m_store, p);
    return i < 0 ? nullptr : &m_store.m_blocks[static_cast<std::size_t>(i)];
}

MapOverlay CMapaWnd::Overlay() const {
    MapOverlay overlay;
    if (m_bTracingStreet)
        overlay.traceStreet = &m_traceStreet;
    if (m_bTracingRoute)
        overlay.traceRoute = &m_traceRoute;
    if (m_bDragging && m_bBand)
        overlay.band = m_rcBand;
    return overlay;
}

QImage CMapaWnd::RenderView() {
    if (!m_bViewSet) {
        QImage white(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
        white.fill(Qt::white);
        return white;
    }
    return m_renderer.Render(m_store, Transform(), m_layers, Overlay());
}

void CMapaWnd::paintEvent(QPaintEvent*) {
    const QSize client = size();
    if (m_imgBuffer.size() != client)
        m_imgBuffer = QImage(client, QImage::Format_RGB32);
    m_imgBuffer.fill(Qt::white);
    if (m_bViewSet) {
        QPainter offscreen(&m_imgBuffer);
        MapOverlay overlay = Overlay();
        overlay.visibleRectDrawn = [this](const MapRect& r) { emit VisibleRectDrawn(r); };
        m_renderer.DrawLayers(offscreen, m_store, Transform(), m_layers, overlay);
    }
    QPainter screen(this);
    screen.drawImage(0, 0, m_imgBuffer);
    if (m_bTracingRoute && m_nTool == TOOL_DISTANCE) {
        // Written on the screen, not into the map picture, with the window's own
        // font on an opaque white ground.
        const QString text = QString::asprintf("%.2f mts", static_cast<double>(m_fRulerLength));
        const QFontMetrics fm(font());
        const QRect box(10, 10, fm.horizontalAdvance(text), fm.height());
        screen.fillRect(box, Qt::white);
        screen.setPen(Qt::black);
        screen.drawText(QPoint(10, 10 + fm.ascent()), text);
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
    Broadcast(UM_SET_ZOOM_SLIDER, static_cast<std::int64_t>(m_fScale), 0);
}

void CMapaWnd::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        ToolLeftDown(point, event->modifiers());
    } else if (event->button() == Qt::RightButton) {
        ToolRightDown(point, event->modifiers());
    }
    event->accept();
}

void CMapaWnd::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    ToolMove(point);
    if (m_bViewSet) {
        const MapPoint p = MapPointAt(point);
        emit MapPointHovered(p.x, p.y);
    }
    event->accept();
}

void CMapaWnd::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        ToolLeftUp();
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
    Broadcast(UM_SET_ZOOM_SLIDER, static_cast<std::int64_t>(m_fScale), 0);
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
    case Qt::Key_Escape:
        if (m_bTracingStreet || m_bTracingRoute) {
            CancelTraces();
            event->accept();
        } else {
            QWidget::keyPressEvent(event);
        }
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    m_ptOrigin += delta;
    update();
    event->accept();
}

void CMapaWnd::Broadcast(int message, std::int64_t wParam, std::int64_t lParam) {
    SendMessageToDescendants(m_pFrame, static_cast<UserMessage>(message), wParam, lParam);
}

void CMapaWnd::OnSetZoom(std::int64_t position) {
    const MapRect v = VisibleRect();
    const MapPoint centre{v.left + (v.right - v.left) / 2, v.top + (v.bottom - v.top) / 2};
    ZoomTo(ClampScale(static_cast<double>(position)), centre);
}

void CMapaWnd::OnLocateItem(std::int64_t kind, std::int64_t index) {
    auto valid = [index](const auto& list) {
        return index >= 0 && static_cast<std::size_t>(index) < list.size();
    };
    switch (kind) {
    case LOCATE_STREET:
        if (valid(m_store.m_listStreets)) {
            const CmCalles& street = *m_store.m_listStreets[static_cast<std::size_t>(index)];
            const MapPoint first = street.m_points.empty() ? MapPoint{} : street.m_points.front();
            ZoomTo(street.m_fZoom, first);
        }
        break;
    case LOCATE_BUSINESS:
        ZoomTo(std::max(m_store.m_directory.GetBusinessZoom(), kLocateMinScale),
               m_store.m_directory.GetBusinessPosition());
        m_layers.m_bShowMarks = true;
        break;
    case LOCATE_COLONY:
        if (valid(m_store.m_listColonies)) {
            const CmColonias& c = *m_store.m_listColonies[static_cast<std::size_t>(index)];
            ZoomTo(std::max(c.m_fZoom, kLocateMinScale), MapPoint{c.m_x, c.m_y});
            m_layers.m_bShowColonies = true;
        }
        break;
    case LOCATE_REFERENCE:
        if (valid(m_store.m_listReferences)) {
            const CmRefe& r = *m_store.m_listReferences[static_cast<std::size_t>(index)];
            ZoomTo(std::max(r.m_fZoom, kLocateMinScale), MapPoint{r.m_x, r.m_y});
            m_layers.m_bShowReferences = true;
        }
        break;
    default:
        break;
    }
    update();
}

void CMapaWnd::OnZoneShow(std::int64_t hide, std::int64_t show) {
    auto zone = [this](std::int64_t i) -> CmZonas* {
        if (i < 0 || static_cast<std::size_t>(i) >= m_store.m_listZones.size())
            return nullptr;
        return m_store.m_listZones[static_cast<std::size_t>(i)].get();
    };
    if (hide >= 0) {
        if (CmZonas* z = zone(hide))
            z->UnselectBlocks(m_store);
    } else {
        m_store.ClearSelection();
    }
    if (CmZonas* z = zone(show)) {
        z->SelectBlocks(m_store);
        m_fScale = kZoneScale;
        CenterOn(z->GetCentre(m_store));
    }
    update();
}

void CMapaWnd::OnZoneAssign(std::int64_t zone) {
    if (zone < 0 || static_cast<std::size_t>(zone) >= m_store.m_listZones.size())
        return;
    CmZonas& z = *m_store.m_listZones[static_cast<std::size_t>(zone)];
    const std::vector<std::uint32_t> before = z.m_blockIds;
    z.SetBlocksFromSelection(m_store.m_blocks);
    // Giving a zone an empty selection it already had is no change to save.
    if (z.m_blockIds != before)
        m_store.MarkChanged();
}

void CMapaWnd::customEvent(QEvent* event) {
    const CUserMessage* m = CUserMessage::From(event);
    if (!m) {
        QWidget::customEvent(event);
        return;
    }
    const std::int64_t w = m->WParam();
    const std::int64_t l = m->LParam();
    auto layer = [this, w](bool& flag) {
        flag = w != 0;
        update();
    };
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
        OnZoneAssign(l);
        break;
    case UM_ZONE_SHOW:
        OnZoneShow(w, l);
        break;
    case UM_SHOW_COLONIES:
        layer(m_layers.m_bShowColonies);
        break;
    case UM_FILL_BLOCKS:
        layer(m_layers.m_bFillBlocks);
        break;
    case UM_SHOW_ALL_ROUTES:
        layer(m_layers.m_bShowAllRoutes);
        break;
    case UM_SHOW_TRACED_STREETS:
        layer(m_layers.m_bShowTracedStreets);
        break;
    case UM_SHOW_REFERENCES:
        layer(m_layers.m_bShowReferences);
        break;
    case UM_SHOW_MARKS:
        layer(m_layers.m_bShowMarks);
        break;
    case UM_SHOW_STREET_NAMES:
        layer(m_layers.m_bShowStreetNames);
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
