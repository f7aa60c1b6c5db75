#pragma once

// The main frame's status bar: the hint pane (a command's prompt or the
// current tool's hint, "Preparado" when none applies), the map coordinates
// under the mouse and the Caps, Num and Scroll lock indicators, polled where
// the window system tells their state. Messages shown with showMessage()
// (a failed recovery copy) cover the panes as in any status bar.

#include <QStatusBar>

#include <array>

class CHintLabel;
class QLabel;
class QTimer;

class CMainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit CMainStatusBar(QWidget* parent = nullptr);

    // The first pane.
    CHintLabel* HintPane() const { return m_pHint; }
    // An empty hint brings "Preparado" back.
    void ShowHint(const QString& hint);
    void ShowMapPosition(int x, int y);

private:
    void UpdateLockIndicators();

    CHintLabel* m_pHint = nullptr;
    QLabel* m_pPosition = nullptr;
    // Caps, Num, Scroll.
    std::array<QLabel*, 3> m_indicators{};
    QTimer* m_pLockTimer = nullptr;
};
