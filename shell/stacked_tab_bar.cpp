#include "stacked_tab_bar.h"

#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>

#include <algorithm>
#include <cstdint>

CStackedTabBar::CStackedTabBar(QWidget* parent) : QTabBar(parent) {
    setObjectName(QStringLiteral("stackedTabBar"));
    // The tabs are laid out here; the one-row layout underneath never scrolls.
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    setExpanding(false);
    setDrawBase(false);
    setMouseTracking(true);
}

int CStackedTabBar::RowCount() const {
    return std::max(1, (count() + kTabsPerRow - 1) / kTabsPerRow);
}

int CStackedTabBar::RowHeight() const {
    return count() > 0 ? QTabBar::tabSizeHint(0).height() : QTabBar::sizeHint().height();
}

int CStackedTabBar::VisualRow(int row) const {
    const int rows = RowCount();
    const int current = std::max(0, currentIndex()) / kTabsPerRow;
    // Rows keep their order, turned round so that the current one comes last.
    return (row - current - 1 + 2 * rows) % rows;
}

QRect CStackedTabBar::TabRect(int index) const {
    if (index < 0 || index >= count())
        return {};
    const int row = index / kTabsPerRow;
    const int first = row * kTabsPerRow;
    const int inRow = std::min(kTabsPerRow, count() - first);
    // Each row spans the whole width, as a stacked row does: every tab gets
    // its text's width and an equal share of what is left, or, in a panel too
    // narrow for the texts, a share in proportion to its text.
    std::int64_t texts = 0;
    std::int64_t before = 0;
    for (int i = first; i < first + inRow; ++i) {
        const int text = std::max(1, fontMetrics().horizontalAdvance(tabText(i)));
        texts += text;
        if (i < index)
            before += text;
    }
    const int column = index - first;
    const int own = std::max(1, fontMetrics().horizontalAdvance(tabText(index)));
    const std::int64_t room = width();
    const auto edge = [&](std::int64_t textsBefore, int columns) {
        if (texts <= room)
            return textsBefore + (room - texts) * columns / inRow;
        return room * textsBefore / texts;
    };
    const auto left = static_cast<int>(edge(before, column));
    const auto right = static_cast<int>(edge(before + own, column + 1));
    const int height = RowHeight();
    return QRect(left, VisualRow(row) * height, right - left, height);
}

int CStackedTabBar::TabAt(QPoint pos) const {
    for (int i = 0; i < count(); ++i) {
        if (TabRect(i).contains(pos))
            return i;
    }
    return -1;
}

QSize CStackedTabBar::sizeHint() const {
    // As wide as the page below: the tab widget gives the bar no more than its
    // own width, and the rows spread over all of it.
    return {QWIDGETSIZE_MAX, RowHeight() * RowCount()};
}

QSize CStackedTabBar::minimumSizeHint() const {
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, fontMetrics().horizontalAdvance(tabText(i)));
    return {(widest + 8) * kTabsPerRow, RowHeight() * RowCount()};
}

QStyleOptionTab CStackedTabBar::TabOption(int index) const {
    QStyleOptionTab tab;
    initStyleOption(&tab, index);
    tab.rect = TabRect(index);
    const int row = index / kTabsPerRow;
    const int column = index % kTabsPerRow;
    const int inRow = std::min(kTabsPerRow, count() - row * kTabsPerRow);
    tab.position = inRow == 1            ? QStyleOptionTab::OnlyOneTab
                   : column == 0         ? QStyleOptionTab::Beginning
                   : column == inRow - 1 ? QStyleOptionTab::End
                                         : QStyleOptionTab::Middle;
    const int current = currentIndex();
    tab.selectedPosition = QStyleOptionTab::NotAdjacent;
    if (current >= 0 && current / kTabsPerRow == row && current != index)
        tab.selectedPosition = current == index - 1   ? QStyleOptionTab::PreviousIsSelected
                               : current == index + 1 ? QStyleOptionTab::NextIsSelected
                                                      : QStyleOptionTab::NotAdjacent;
    tab.state.setFlag(QStyle::State_Selected, index == current);
    tab.state.setFlag(QStyle::State_MouseOver, index == m_nHover);
    // A panel dragged narrow still shows every name, shortened.
    const int room =
        tab.rect.width() - style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &tab, this);
    tab.text = fontMetrics().elidedText(tab.text, Qt::ElideRight, std::max(room, 0));
    return tab;
}

void CStackedTabBar::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    // From the top row down, the current tab last of all, so that it overlaps
    // its neighbours as a chosen tab does.
    for (int visual = 0; visual < RowCount(); ++visual) {
        for (int i = 0; i < count(); ++i) {
            if (i != currentIndex() && VisualRow(i / kTabsPerRow) == visual)
                painter.drawControl(QStyle::CE_TabBarTab, TabOption(i));
        }
    }
    if (currentIndex() >= 0)
        painter.drawControl(QStyle::CE_TabBarTab, TabOption(currentIndex()));
}

void CStackedTabBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const int index = TabAt(event->position().toPoint());
    if (index >= 0 && isTabEnabled(index))
        setCurrentIndex(index);
    event->accept();
}

void CStackedTabBar::mouseMoveEvent(QMouseEvent* event) {
    const int hover = TabAt(event->position().toPoint());
    if (hover != m_nHover) {
        m_nHover = hover;
        update();
    }
    event->accept();
}

void CStackedTabBar::mouseReleaseEvent(QMouseEvent* event) {
    // The one-row layout underneath would choose by its own tab places.
    event->accept();
}

void CStackedTabBar::leaveEvent(QEvent* event) {
    m_nHover = -1;
    update();
    QTabBar::leaveEvent(event);
}
