#include "startup_splash.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

namespace {

// Drawn at the screen's pixel density, so the picture stays sharp when scaled.
QPixmap RenderSplashPicture(qreal ratio) {
    QSvgRenderer renderer(QStringLiteral(":/shell/splash.svg"));
    if (!renderer.isValid())
        return {};
    QPixmap pixmap(QSize(CStartupSplash::kWidth, CStartupSplash::kHeight) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(0, 0, CStartupSplash::kWidth, CStartupSplash::kHeight));
    return pixmap;
}

} // namespace

CStartupSplash* CStartupSplash::ShowSplashScreen(QWidget* parent) {
    if (!s_bEnabled || s_pSplash)
        return nullptr;
    const qreal ratio = parent ? parent->devicePixelRatioF() : qApp->devicePixelRatio();
    QPixmap picture = RenderSplashPicture(ratio);
    if (picture.isNull())
        return nullptr;                        // no picture, no splash
    auto* splash = new CStartupSplash(parent); // deletes itself when it closes
    splash->m_picture = std::move(picture);
    splash->setFixedSize(kWidth, kHeight);
    const QRect over = parent ? parent->frameGeometry() : splash->screen()->availableGeometry();
    splash->move(over.center() - QPoint(kWidth / 2, kHeight / 2));
    splash->show();
    splash->raise();
    splash->repaint();
    splash->m_timer.start();
    s_pSplash = splash;
    return splash;
}

CStartupSplash::CStartupSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("startupSplash"));
    setCursor(Qt::ArrowCursor);
    m_timer.setSingleShot(true);
    m_timer.setInterval(kTimerMs);
    connect(&m_timer, &QTimer::timeout, this, &CStartupSplash::HideSplashScreen);
    // Sees every press before any window does, as long as the splash is up.
    qApp->installEventFilter(this);
}

CStartupSplash::~CStartupSplash() {
    if (qApp)
        qApp->removeEventFilter(this);
}

void CStartupSplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

bool CStartupSplash::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        event->accept(); // no shortcut either
        return true;     // the key press that follows closes the splash and is swallowed too
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
        HideSplashScreen();
        return true;
    default:
        return false;
    }
}

void CStartupSplash::HideSplashScreen() {
    qApp->removeEventFilter(this);
    m_timer.stop();
    QWidget* owner = parentWidget();
    close();
    if (owner)
        owner->update();
}
