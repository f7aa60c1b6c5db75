#include "help_wnd.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

CHelpWnd::CHelpWnd(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("helpWnd"));
    setWindowTitle(tr("Ayuda de Veltrix"));
    setWindowIcon(QIcon(QStringLiteral(":/shell/veltrix.svg")));
    m_pBrowser = new QTextBrowser(this);
    m_pBrowser->setObjectName(QStringLiteral("helpBrowser"));
    m_pBrowser->setSearchPaths({QStringLiteral(":/shell/help")});
    m_pBrowser->setOpenExternalLinks(false);

    auto* contents = new QPushButton(tr("&Contenido"), this);
    auto* back = new QPushButton(tr("&Atrás"), this);
    auto* forward = new QPushButton(tr("A&delante"), this);
    auto* close = new QPushButton(tr("Cerrar"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QPushButton::clicked, m_pBrowser, &QTextBrowser::home);
    connect(back, &QPushButton::clicked, m_pBrowser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_pBrowser, &QTextBrowser::forward);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_pBrowser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_pBrowser, 1);
    resize(640, 560);
}

void CHelpWnd::ShowContents() {
    m_pBrowser->setSource(QUrl(QStringLiteral("qrc:/shell/help/index.html")));
    show();
    raise();
    activateWindow();
}
