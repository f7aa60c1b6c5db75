#pragma once

// The help window: the bundled user guide, with its contents page and links
// between the pages, in the language the program speaks: the English pages
// when its English catalogue is installed, the Spanish ones otherwise.

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
    // "qrc:/shell/help/" or its English folder.
    QString m_strPages;
};
