#include "modal_script.h"

#include "name_dialog.h"
#include "zona_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>

namespace {

constexpr int kStuckMs = 30000;

} // namespace

CModalScript::CModalScript(std::initializer_list<Act> steps) : m_bWatch(steps.size() == 0) {
    for (const Act& act : steps)
        m_steps.push_back({{}, act});
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &CModalScript::Poll);
    m_timer.start();
}

CModalScript::CModalScript(std::vector<Step> steps) : m_steps(std::move(steps)) {
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &CModalScript::Poll);
    m_timer.start();
}

void CModalScript::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (modal != m_waiting) {
        m_waiting = modal;
        m_clock.start();
    }
    if (m_bWatch) {
        if (modal != m_answered) {
            m_answered = modal;
            ++m_nUnexpected;
            QTimer::singleShot(0, modal, [modal] { modal->close(); });
        }
        return;
    }
    if (modal != m_answered && m_nNext < m_steps.size() &&
        (!m_steps[m_nNext].matches || m_steps[m_nNext].matches(modal))) {
        m_answered = modal;
        Act act = m_steps[m_nNext++].act;
        if (m_nNext == m_steps.size())
            m_timer.stop();
        QPointer<QWidget> target(modal);
        QTimer::singleShot(0, this, [this, act, target] {
            if (target) {
                ++m_nAnswered;
                act(target);
            }
        });
        return;
    }
    if (m_clock.elapsed() > kStuckMs) {
        m_bStuck = true;
        m_clock.start();
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
}

CModalScript::Test Named(const char* objectName) {
    return [objectName](QWidget* w) { return w->objectName() == QLatin1String(objectName); };
}

CModalScript::Test MessageStarting(const QString& start) {
    return [start](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        return box && box->text().startsWith(start);
    };
}

QString MessageText(QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    return box ? box->text() : QString();
}

void Click(QWidget* parent, const QString& objectName) {
    auto* button = parent->findChild<QAbstractButton*>(objectName);
    QVERIFY2(button, qPrintable(objectName));
    button->click();
}

QAbstractButton* ButtonReading(QWidget* window, const QString& text) {
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->text().remove(QLatin1Char('&')) == text)
            return button;
    return nullptr;
}

void ClickText(QWidget* window, const QString& text) {
    QAbstractButton* button = ButtonReading(window, text);
    QVERIFY2(button, qPrintable(QStringLiteral("no button ") + text));
    button->click();
}

void ClickLater(QWidget* window, const QString& text) {
    QAbstractButton* button = ButtonReading(window, text);
    QVERIFY2(button, qPrintable(QStringLiteral("no button ") + text));
    QTimer::singleShot(0, button, &QAbstractButton::click);
}

void ChooseFile(QWidget* fileDialog, const QString& path) {
    auto* dialog = qobject_cast<QFileDialog*>(fileDialog);
    QVERIFY2(dialog, "a file dialog was expected");
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    name->setText(path);
    static_cast<QDialog*>(dialog)->accept();
}

CModalScript::Act Answer(const QString& answer, QString* text, bool* plain) {
    return [=](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY2(box, "a message box was expected");
        if (text)
            *text = box->text();
        if (plain)
            *plain = box->icon() == QMessageBox::NoIcon;
        for (QAbstractButton* button : box->buttons()) {
            if (button->text().remove(QLatin1Char('&')) == answer) {
                button->click();
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("no button ") + answer));
    };
}

CModalScript::Act NameAnswer(const QString& name) {
    return [=](QWidget* modal) {
        QVERIFY(qobject_cast<CNombreDlg*>(modal));
        modal->findChild<QLineEdit*>(QStringLiteral("edit1014"))->setText(name);
        Click(modal, QStringLiteral("button1"));
    };
}

CModalScript::Act ZoneAnswer(const QString& name, const QString& notes) {
    return [=](QWidget* modal) {
        QVERIFY(qobject_cast<CZonaDlg*>(modal));
        modal->findChild<QLineEdit*>(QStringLiteral("edit1014"))->setText(name);
        modal->findChild<QPlainTextEdit*>(QStringLiteral("edit1098"))->setPlainText(notes);
        Click(modal, QStringLiteral("button1"));
    };
}

CModalScript::Act Cancel() {
    return [](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); };
}
