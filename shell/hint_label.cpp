#include "hint_label.h"

#include <QFontMetrics>
#include <QResizeEvent>

#include <algorithm>

CHintLabel::CHintLabel(const QString& idleText, QWidget* parent)
    : QLabel(idleText, parent), m_strIdle(idleText) {
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void CHintLabel::SetHint(const QString& hint) {
    m_strHint = hint;
    ShowFitting();
}

QSize CHintLabel::minimumSizeHint() const {
    return {0, QLabel::minimumSizeHint().height()};
}

QSize CHintLabel::sizeHint() const {
    return {fontMetrics().horizontalAdvance(m_strIdle), QLabel::sizeHint().height()};
}

void CHintLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    ShowFitting();
}

void CHintLabel::ShowFitting() {
    const QString& full = m_strHint.isEmpty() ? m_strIdle : m_strHint;
    const int room = contentsRect().width();
    const QString shown = fontMetrics().elidedText(full, Qt::ElideRight, std::max(room, 0));
    setText(shown);
    // The whole text stays at hand under the pointer when it had to be cut.
    setToolTip(shown == full ? QString() : full);
}
