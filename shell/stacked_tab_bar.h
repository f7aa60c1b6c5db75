#pragma once

// A tab bar that stacks its tabs in rows of three across its whole width, so
// that the six pages of the narrow control panel are all in sight and one
// click away. As on the desktop the pages were first made for, the row that
// holds the current tab lies next to the page.

#include <QRect>
#include <QStyleOptionTab>
#include <QTabBar>

class CStackedTabBar : public QTabBar {
    Q_OBJECT
public:
    static constexpr int kTabsPerRow = 3;

    explicit CStackedTabBar(QWidget* parent = nullptr);

    int RowCount() const;
    // Where tab `index` is drawn and clicked; empty for no such tab.
    QRect TabRect(int index) const;
    // The tab drawn at `pos`, or -1.
    int TabAt(QPoint pos) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int RowHeight() const;
    QStyleOptionTab TabOption(int index) const;
    // The row drawn at the top is 0; the current tab's row is the last.
    int VisualRow(int row) const;

    int m_nHover = -1;
};
