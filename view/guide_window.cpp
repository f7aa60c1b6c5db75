#include "guide_window.h"

#include "map_store.h"
#include "map_window.h"
#include "messages.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <utility>

namespace {

std::int32_t ClampToInt(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

} // namespace

double GuideMapping::Scale() const {
    return static_cast<double>(pictureWidth) / static_cast<double>(extent.Width());
}

QRectF GuideMapping::FrameOf(const MapRect& view) const {
    if (!IsValid())
        return {};
    const double k = Scale();
    // The y axis turns over: map y grows to the north, guide y to the south. (A
    // magnitude here instead of the sign change would fold a view reaching past
    // the northern edge back into the picture.)
    const double x1 = k * (static_cast<double>(view.left) + extent.right);
    const double x2 = k * (static_cast<double>(view.right) + extent.right);
    const double y1 = -k * (static_cast<double>(view.top) + extent.top);
    const double y2 = -k * (static_cast<double>(view.bottom) + extent.top);
    return QRectF(QPointF(std::min(x1, x2), std::min(y1, y2)),
                  QPointF(std::max(x1, x2), std::max(y1, y2)));
}

QRect GuideMapping::PixelFrameOf(const MapRect& view) const {
    if (!IsValid())
        return {};
    const double k = Scale();
    const std::int32_t x1 = TruncToInt(k * (static_cast<double>(view.left) + extent.right));
    const std::int32_t x2 = TruncToInt(k * (static_cast<double>(view.right) + extent.right));
    const std::int32_t y1 = TruncToInt(-k * (static_cast<double>(view.top) + extent.top));
    const std::int32_t y2 = TruncToInt(-k * (static_cast<double>(view.bottom) + extent.top));
    const std::int64_t left = std::min(x1, x2), right = std::max(x1, x2);
    const std::int64_t top = std::min(y1, y2), bottom = std::max(y1, y2);
    // QRect holds a width, not a right edge; keep it within an int.
    return QRect(static_cast<int>(left), static_cast<int>(top),
                 static_cast<int>(std::min<std::int64_t>(right - left, INT32_MAX)),
                 static_cast<int>(std::min<std::int64_t>(bottom - top, INT32_MAX)));
}

MapPoint GuideMapping::MapPointAt(QPointF position) const {
    if (!IsValid())
        return {};
    const double unitsPerPixel = static_cast<double>(extent.Width()) / pictureWidth;
    const std::int64_t x = std::int64_t{TruncToInt(position.x() * unitsPerPixel)} - extent.right;
    const std::int64_t y = -(std::int64_t{TruncToInt(position.y() * unitsPerPixel)} + extent.top);
    return {ClampToInt(x), ClampToInt(y)};
}

CGuideWnd::CGuideWnd(CMapaWnd& mapWnd, std::vector<std::uint8_t> picture)
    : QDialog(&mapWnd, Qt::Tool | Qt::FramelessWindowHint), m_pMapWnd(&mapWnd),
      m_pictureBytes(std::move(picture)) {
    setObjectName(QStringLiteral("guideWnd"));
    setModal(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(m_nPictureWidth, m_nPictureHeight);
    connect(&mapWnd, &CMapaWnd::VisibleRectDrawn, this, &CGuideWnd::FollowView);
    connect(&mapWnd, &CMapaWnd::MapLoaded, this, [this] { m_bEarlierMap = true; });
    connect(this, &CGuideWnd::Hidden, &mapWnd, &CMapaWnd::GuideClosed);
}

CGuideWnd::~CGuideWnd() = default;

void CGuideWnd::SetExtent(const MapRect& extent) {
    m_mapping.extent = extent.Normalized();
}

void CGuideWnd::SetView(const MapRect& view) {
    m_rcView = view.Normalized();
}

void CGuideWnd::UpdateFrame() {
    m_rcFrame = m_bPictureShown ? m_mapping.PixelFrameOf(m_rcView) : QRect();
    update();
}

void CGuideWnd::FollowView(const MapRect& view) {
    if (!isVisible())
        return;
    SetView(view);
    UpdateFrame();
}

bool CGuideWnd::DecodeUnderWaitCursor() {
    // A town's picture of many megapixels takes a moment to decode.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool loaded = m_picture.LoadFromMemory(m_pictureBytes, CImageBitmap::Kind::Jpeg);
    QGuiApplication::restoreOverrideCursor();
    return loaded;
}

void CGuideWnd::LoadPicture() {
    m_bPictureShown = false;
    if (m_pictureBytes.empty()) {
        m_strPictureError = tr("El mapa no tiene imagen.");
    } else if (DecodeUnderWaitCursor() && m_picture.m_nWidth > 0 && m_picture.m_nHeight > 0) {
        m_bPictureShown = true;
    } else {
        m_strPictureError = m_picture.ErrorText();
    }
    if (m_bPictureShown) {
        m_nPictureWidth = m_picture.m_nWidth;
        m_nPictureHeight = m_picture.m_nHeight;
        m_mapping.pictureWidth = m_nPictureWidth;
    } else {
        // A blank window would say nothing; the reason is shown in its place.
        const QString reason = m_strPictureError;
        m_strPictureError = reason.isEmpty()
                                ? tr("No se pudo mostrar la imagen del mapa.")
                                : tr("No se pudo mostrar la imagen del mapa.\n%1").arg(reason);
        m_nPictureWidth = kNoPictureWidth;
        m_nPictureHeight = kNoPictureHeight;
        m_mapping.pictureWidth = 0;
    }
    setFixedSize(m_nPictureWidth, m_nPictureHeight);
}

void CGuideWnd::PlaceWindow() {
    QScreen* screen = m_pMapWnd ? m_pMapWnd->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    // A picture larger than the screen still shows its top-left corner.
    const int x = std::max(area.left(), area.left() + area.width() - m_nPictureWidth - 15);
    const int y = std::max(area.top(), area.top() + area.height() - m_nPictureHeight - 30);
    move(x, y);
}

void CGuideWnd::setVisible(bool visible) {
    if (visible && !isVisible()) {
        if (m_bFirstInit) {
            m_bFirstInit = false;
            LoadPicture();
        }
        PlaceWindow();
    }
    QDialog::setVisible(visible);
}

void CGuideWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_bPictureShown) {
        painter.fillRect(rect(), Qt::white);
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.drawText(rect().adjusted(10, 10, -10, -10), Qt::AlignCenter | Qt::TextWordWrap,
                         m_strPictureError);
        return;
    }
    const QRect picture(0, 0, m_nPictureWidth, m_nPictureHeight);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(QPoint(0, 0), m_picture.Image(), picture);
    if (m_rcFrame.width() <= 0 || m_rcFrame.height() <= 0)
        return;
    // Edges beyond the picture fall one pixel outside it, where they are not
    // seen, so a frame larger than the picture is clipped by the window.
    const QRect shown = m_rcFrame.intersected(picture.adjusted(-1, -1, 1, 1));
    if (shown.isEmpty())
        return;
    painter.setPen(QPen(QColor(255, 0, 0), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(shown.adjusted(0, 0, -1, -1));
}

void CGuideWnd::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_bPictureShown && m_mapping.IsValid()) {
        const MapPoint p = m_mapping.MapPointAt(event->position());
        SendUserMessage(m_pMapWnd, UM_CENTER_AT, p.x, p.y);
    }
    event->accept();
}

void CGuideWnd::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        break;
    case Qt::Key_Escape:
        reject();
        break;
    default:
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CGuideWnd::accept() {
    SendUserMessage(m_pMapWnd, UM_GUIDE_CLOSED, 0, 0);
}

void CGuideWnd::reject() {
    SendUserMessage(m_pMapWnd, UM_GUIDE_CLOSED, 0, 0);
}

void CGuideWnd::closeEvent(QCloseEvent* event) {
    // Closing only hides the guide; the dialog's own close would ask the map
    // window again while it is closing us.
    event->accept();
}

void CGuideWnd::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        emit Hidden();
}

CGuideWnd* CGuideWnd::Of(const CMapaWnd& mapWnd) {
    return qobject_cast<CGuideWnd*>(mapWnd.GuideWindow());
}

CGuideWnd& CGuideWnd::ShowFor(CMapaWnd& mapWnd, std::span<const std::uint8_t> picture) {
    CGuideWnd* guide = Of(mapWnd);
    if (guide && guide->m_bEarlierMap) {
        delete guide;
        guide = nullptr;
    }
    const MapStore& store = mapWnd.Store();
    if (!guide) {
        guide = new CGuideWnd(mapWnd, std::vector<std::uint8_t>(picture.begin(), picture.end()));
        mapWnd.SetGuideWindow(guide);
    }
    guide->SetExtent(store.m_rcBlocks);
    guide->SetView(mapWnd.VisibleRect());
    if (!guide->isVisible())
        guide->show();
    guide->UpdateFrame();
    return *guide;
}

void CGuideWnd::CloseFor(CMapaWnd& mapWnd) {
    if (CGuideWnd* guide = Of(mapWnd))
        guide->close();
}
