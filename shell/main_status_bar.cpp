#include "main_status_bar.h"

#include "hint_label.h"
#include "lock_keys.h"

#include <QLabel>
#include <QTimer>

#include <optional>

CMainStatusBar::CMainStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("statusBar"));
    // The hint pane shortens what it shows to its width; the idle text shows
    // whenever no hint applies.
    m_pHint = new CHintLabel(tr("Preparado"), this);
    m_pHint->setObjectName(QStringLiteral("idleText"));
    addWidget(m_pHint, 1);
    m_pPosition = new QLabel(this);
    m_pPosition->setObjectName(QStringLiteral("mapPosition"));
    m_pPosition->setMinimumWidth(
        fontMetrics().horizontalAdvance(QStringLiteral("x -0000000  y -0000000")));
    addPermanentWidget(m_pPosition);
    const char* texts[3] = {QT_TR_NOOP("MAY"), QT_TR_NOOP("NUM"), QT_TR_NOOP("DESP")};
    const char* names[3] = {"indicatorCaps", "indicatorNum", "indicatorScroll"};
    for (std::size_t i = 0; i < m_indicators.size(); ++i) {
        auto* label = new QLabel(tr(texts[i]), this);
        label->setObjectName(QString::fromLatin1(names[i]));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("DESP")) + 12);
        addPermanentWidget(label);
        m_indicators[i] = label;
    }
    m_pLockTimer = new QTimer(this);
    m_pLockTimer->setInterval(250);
    connect(m_pLockTimer, &QTimer::timeout, this, &CMainStatusBar::UpdateLockIndicators);
    UpdateLockIndicators();
    // Only worth polling where the window system answers at all.
    if (QueryLockKeys())
        m_pLockTimer->start();
}

void CMainStatusBar::ShowHint(const QString& hint) {
    m_pHint->SetHint(hint);
}

void CMainStatusBar::ShowMapPosition(int x, int y) {
    m_pPosition->setText(QStringLiteral("x %1  y %2").arg(x).arg(y));
}

void CMainStatusBar::UpdateLockIndicators() {
    const std::optional<LockKeys> keys = QueryLockKeys();
    // Where the state is unknown the panes stay greyed, as they are with the keys off.
    const bool on[3] = {keys && keys->caps, keys && keys->num, keys && keys->scroll};
    for (std::size_t i = 0; i < m_indicators.size(); ++i)
        m_indicators[i]->setEnabled(on[i]);
}
