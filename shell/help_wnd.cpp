#include "help_wnd.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLocale>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

CHelpWnd::CHelpWnd(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("helpWnd"));
    setWindowTitle(tr("Ayuda de Veltrix"));
    setWindowIcon(QIcon(QStringLiteral(":/shell/veltrix.svg")));
    m_pBrowser = new QTextBrowser(this);
    m_pBrowser->setObjectName(QStringLiteral("helpBrowser"));
    // The catalogue is installed at start-up and kept for the whole run, so the
    // pages' language is settled with the window; it names its own locale.
    const bool english = QLocale(tr("es_MX")).language() == QLocale::English;
    const QString folder =
        english ? QStringLiteral(":/shell/help/en") : QStringLiteral(":/shell/help");
    m_strPages = QStringLiteral("qrc") + folder + QLatin1Char('/');
    m_pBrowser->setSearchPaths({folder});
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
    m_pBrowser->setSource(QUrl(m_strPages + QStringLiteral("index.html")));
    show();
    raise();
    activateWindow();
}
