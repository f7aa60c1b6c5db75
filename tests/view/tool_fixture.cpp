#include "tool_fixture.h"

#include "archive.h"
#include "messages.h"
#include "qt_helpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTest>

ModalAnswers::ModalAnswers() {
    connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
    m_timer.start(2);
}

void ModalAnswers::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    m_seen << modal->windowTitle();
    if (m_answers.empty()) {
        ++m_unexpected;
        if (auto* dlg = qobject_cast<QDialog*>(modal))
            dlg->reject();
        return;
    }
    Answer answer = std::move(m_answers.front());
    m_answers.pop_front();
    answer(modal);
}

void Press(QWidget* dlg, int id) {
    auto* button = dlg->findChild<QPushButton*>(QStringLiteral("button%1").arg(id));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

void TypeInto(QWidget* dlg, int editId, const QString& text) {
    const QString name = QStringLiteral("edit%1").arg(editId);
    if (auto* line = dlg->findChild<QLineEdit*>(name)) {
        QTest::keyClicks(line, text);
        return;
    }
    auto* multi = dlg->findChild<QPlainTextEdit*>(name);
    QVERIFY(multi);
    QTest::keyClicks(multi, text);
}

Answer OkWith(int editId, const QString& text) {
    return [=](QWidget* dlg) {
        TypeInto(dlg, editId, text);
        Press(dlg, 1);
    };
}

Answer Cancel() {
    return [](QWidget* dlg) { Press(dlg, 2); };
}

Answer StationAnswer(const QString& name, bool finish) {
    return [=](QWidget* dlg) {
        TypeInto(dlg, 1051, name);
        if (finish)
            QTest::mouseClick(dlg->findChild<QCheckBox*>(QStringLiteral("check1052")),
                              Qt::LeftButton);
        Press(dlg, 1);
    };
}

Answer RouteColour(const QString& name) {
    return [=](QWidget* dlg) {
        auto* green = dlg->findChild<QSlider*>(QStringLiteral("slider1048"));
        QVERIFY(green);
        green->setValue(128);
        const QPoint handle = SliderHandleCentre(green);
        QTest::mousePress(green, Qt::LeftButton, Qt::NoModifier, handle);
        QTest::mouseRelease(green, Qt::LeftButton, Qt::NoModifier, handle);
        TypeInto(dlg, 1014, name);
        Press(dlg, 1);
    };
}

std::vector<std::uint8_t> Dump(const MapStore& s) {
    ArchiveWriter out;
    auto streets = [&out](const CmCalles& c) {
        c.Write(out);
        out.WriteU32(c.m_crColor);
        out.WriteI32(c.m_bShow);
    };
    out.WriteU32(static_cast<std::uint32_t>(s.m_listStreets.size()));
    for (const auto& c : s.m_listStreets)
        streets(*c);
    out.WriteU32(static_cast<std::uint32_t>(s.m_listRoutes.size()));
    for (const auto& r : s.m_listRoutes)
        streets(*r);
    out.WriteU32(static_cast<std::uint32_t>(s.m_listReferences.size()));
    for (const auto& r : s.m_listReferences)
        r->Write(out);
    out.WriteU32(static_cast<std::uint32_t>(s.m_listColonies.size()));
    for (const auto& c : s.m_listColonies)
        c->Write(out);
    s.m_directory.Write(out);
    for (const auto& cat : s.m_directory.m_listCategories) {
        out.WriteI32(cat.get() == s.m_directory.m_pCurrent);
        for (const auto& b : cat->m_listBusinesses)
            out.WriteI32(b->m_bHighlight);
    }
    streets(s.m_routeOutline);
    out.WriteU32(s.m_counters.business);
    out.WriteU32(s.m_counters.route);
    out.WriteU32(s.m_counters.zone);
    for (const CmBlock& b : s.m_blocks) {
        out.WriteI32(b.m_nType);
        out.WriteU32(b.m_crFill);
    }
    return out.Bytes();
}

ToolFixture::ToolFixture(bool withHistory) {
    auto* central = new QWidget(&frame);
    central->setMinimumSize(kMapSize.width() + 20, kMapSize.height());
    frame.setCentralWidget(central);
    frame.statusBar()->setObjectName(QStringLiteral("statusBar"));
    panel = new CMessageRecorder(central);
    panel->setGeometry(0, 0, 10, 10);
    wnd = new CMapaWnd(store, central);
    wnd->setGeometry(QRect(QPoint(20, 0), kMapSize));
    wnd->SetFrame(&frame);
    if (withHistory)
        wnd->SetHistory(&history);
    frame.show();
    (void)QTest::qWaitForWindowExposed(&frame);
    wnd->OnMapLoaded();
}

void ToolFixture::SetBlocks(const std::vector<BlockRect>& blocks) {
    store.ClearBlocks();
    for (const BlockRect& b : blocks)
        AddBlock(store, b.x0, b.y0, b.x1, b.y1, b.type);
    wnd->OnMapLoaded();
}

void ToolFixture::Click(Qt::MouseButton button, QPoint pixel, Qt::KeyboardModifiers mods) {
    QTest::mouseClick(wnd, button, mods, pixel);
}

void ToolFixture::Move(QPoint pixel, Qt::MouseButtons held, Qt::KeyboardModifiers mods) {
    QMouseEvent e(QEvent::MouseMove, QPointF(pixel), wnd->mapToGlobal(QPointF(pixel)), Qt::NoButton,
                  held, mods);
    QCoreApplication::sendEvent(wnd, &e);
}

std::vector<std::int64_t> ToolFixture::RefreshedPages() const {
    std::vector<std::int64_t> pages;
    for (const auto& e : panel->Of(UM_REFRESH_PAGES)) {
        pages.push_back(e.wParam);
        if (e.lParam != 0)
            pages.push_back(-1);
    }
    return pages;
}
