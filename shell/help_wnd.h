#pragma once

// The help window: the bundled Spanish user guide, with its contents page and
// links between the pages.

#include <QWidget>

class QTextBrowser;

class CHelpWnd : public QWidget {
    Q_OBJECT
public:
    explicit CHelpWnd(QWidget* parent = nullptr);

    // Shows the contents page and brings the window to the front.
    void ShowContents();
    QTextBrowser* Browser() const { return m_pBrowser; }

private:
    QTextBrowser* m_pBrowser = nullptr;
};
