#include "stacked_tab_bar.h"

#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>

#include <algorithm>
#include <cstdint>
#include <vector>

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

namespace {

// How wide each tab of a row is when the row spans `room`: every tab gets its
// natural width (text and margins) and an equal share of what is left; in a
// panel too narrow for that, the short names keep their whole width and the
// long ones share the rest equally, so that only they are shortened.
std::vector<std::int64_t> RowWidths(const std::vector<std::int64_t>& natural, std::int64_t room) {
    const auto n = static_cast<std::int64_t>(natural.size());
    std::vector<std::int64_t> widths(natural.size());
    std::int64_t total = 0;
    for (std::int64_t width : natural)
        total += width;
    if (total <= room) {
        for (std::int64_t i = 0; i < n; ++i)
            widths[i] = natural[i] + (room - total) * (i + 1) / n - (room - total) * i / n;
        return widths;
    }
    std::vector<std::size_t> order(natural.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t x, std::size_t y) { return natural[x] < natural[y]; });
    std::int64_t left = std::max<std::int64_t>(room, 0);
    std::int64_t tabs = n;
    for (std::size_t k = 0; k < order.size(); ++k, --tabs) {
        const std::size_t i = order[k];
        // Once a tab is wider than its fair share, so are all after it.
        if (natural[i] * tabs > left) {
            for (std::size_t j = k; j < order.size(); ++j, --tabs) {
                widths[order[j]] = left / tabs;
                left -= left / tabs;
            }
            break;
        }
        widths[i] = natural[i];
        left -= natural[i];
    }
    return widths;
}

} // namespace

QRect CStackedTabBar::TabRect(int index) const {
    if (index < 0 || index >= count())
        return {};
    const int row = index / kTabsPerRow;
    const int first = row * kTabsPerRow;
    const int inRow = std::min(kTabsPerRow, count() - first);
    QStyleOptionTab option;
    initStyleOption(&option, index);
    const int margins = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &option, this);
    std::vector<std::int64_t> natural;
    for (int i = first; i < first + inRow; ++i)
        natural.push_back(std::max(1, fontMetrics().horizontalAdvance(tabText(i))) + margins);
    const std::vector<std::int64_t> widths = RowWidths(natural, width());
    std::int64_t left = 0;
    for (int i = first; i < index; ++i)
        left += widths[static_cast<std::size_t>(i - first)];
    const int height = RowHeight();
    return QRect(static_cast<int>(left), VisualRow(row) * height,
                 static_cast<int>(widths[static_cast<std::size_t>(index - first)]), height);
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
