#include "info_popup.h"

#include "messages.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

QFont CardFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace

CInfoPopup::CInfoPopup(QWidget* owner, QObject* mapWnd, QRect& rcInfoPopup)
    : QDialog(owner, Qt::Tool | Qt::FramelessWindowHint), m_pMapWnd(mapWnd),
      m_rcInfoPopup(rcInfoPopup) {
    setObjectName(QStringLiteral("infoPopup"));
    setModal(false);
    // The card covers the whole window.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_background = DrawCard();
    m_nWidth = m_background.width();
    m_nHeight = m_background.height();
    setFixedSize(m_nWidth, m_nHeight);
}

CInfoPopup::~CInfoPopup() = default;

QPixmap CInfoPopup::DrawCard() {
    QPixmap card(CARD_WIDTH, CARD_HEIGHT);
    card.fill(QColor(255, 255, 204));
    QPainter painter(&card);
    painter.fillRect(QRect(0, 0, CARD_WIDTH, CLOSE_BOX), QColor(240, 200, 64));
    painter.setPen(QColor(160, 128, 32));
    painter.drawRect(QRect(0, 0, CARD_WIDTH - 1, CARD_HEIGHT - 1));
    painter.drawLine(0, CLOSE_BOX, CARD_WIDTH - 1, CLOSE_BOX);
    // Close box: a raised square with a cross.
    const QRect box(CARD_WIDTH - CLOSE_BOX, 0, CLOSE_BOX, CLOSE_BOX);
    painter.fillRect(box.adjusted(1, 1, -1, -1), QColor(250, 224, 120));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(QColor(64, 48, 0), 2));
    painter.drawLine(box.left() + 4, box.top() + 4, box.right() - 4, box.bottom() - 4);
    painter.drawLine(box.left() + 4, box.bottom() - 4, box.right() - 4, box.top() + 4);
    return card;
}

void CInfoPopup::SetTexts(const QString& name, const QString& phone, const QString& comments) {
    m_strName = name;
    m_strPhone = phone;
    m_strComments = comments;
    update();
}

void CInfoPopup::setVisible(bool visible) {
    if (visible && !isVisible())
        PlaceWindow();
    QDialog::setVisible(visible);
}

void CInfoPopup::PlaceWindow() {
    QPoint topLeft;
    if (!m_rcInfoPopup.isEmpty())
        topLeft = m_rcInfoPopup.topLeft();
    else if (QWidget* owner = parentWidget())
        topLeft = owner->mapToGlobal(QPoint(0, 0));
    move(topLeft);
}

void CInfoPopup::reject() {
    m_bDragging = false;
    SendUserMessage(m_pMapWnd, UM_INFO_CLOSED, 0, 0);
}

void CInfoPopup::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
    painter.setFont(CardFont());
    painter.setPen(Qt::black);

    const int w = m_nWidth;
    // The title is centred over the strip and never runs into the close box.
    const QRect titleClip(0, 0, w - CLOSE_BOX, CLOSE_BOX);
    painter.save();
    painter.setClipRect(titleClip);
    painter.drawText(QRect(0, 1, w - CLOSE_BOX, CLOSE_BOX - 1), Qt::AlignHCenter | Qt::AlignTop,
                     m_strName);
    painter.restore();

    const int ascent = painter.fontMetrics().ascent();
    painter.drawText(QPoint(10, 20 + ascent), tr("Tel.: %1").arg(m_strPhone));
    painter.drawText(QPoint(10, 35 + ascent), tr("Comentarios:"));
    const QRect commentsRect(QPoint(20, 50), QPoint(width() - 5, height() - 5));
    painter.setClipRect(commentsRect);
    painter.drawText(commentsRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_strComments);
}

void CInfoPopup::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    const QRect closeBox(m_nWidth - CLOSE_BOX, 0, CLOSE_BOX, CLOSE_BOX);
    if (closeBox.contains(p)) {
        reject();
        return;
    }
    if (p.y() < DRAG_STRIP) {
        // The press grabs the mouse for this window until the release.
        m_ptLast = event->globalPosition().toPoint();
        m_bDragging = true;
    }
}

void CInfoPopup::mouseMoveEvent(QMouseEvent* event) {
    if (!m_bDragging)
        return;
    const QPoint global = event->globalPosition().toPoint();
    move(pos() + (global - m_ptLast));
    m_ptLast = global;
}

void CInfoPopup::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_bDragging || event->button() != Qt::LeftButton)
        return;
    m_bDragging = false;
    m_rcInfoPopup = geometry();
}
