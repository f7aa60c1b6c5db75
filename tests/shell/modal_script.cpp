#include "modal_script.h"

#include "name_dialog.h"
#include "zona_dialog.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>

void Click(QWidget* parent, const QString& objectName) {
    auto* button = parent->findChild<QAbstractButton*>(objectName);
    QVERIFY2(button, qPrintable(objectName));
    button->click();
}

ModalScript::Step Answer(const QString& answer, QString* text, bool* plain) {
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

ModalScript::Step NameAnswer(const QString& name) {
    return [=](QWidget* modal) {
        QVERIFY(qobject_cast<CNombreDlg*>(modal));
        modal->findChild<QLineEdit*>(QStringLiteral("edit1014"))->setText(name);
        Click(modal, QStringLiteral("button1"));
    };
}

ModalScript::Step ZoneAnswer(const QString& name, const QString& notes) {
    return [=](QWidget* modal) {
        QVERIFY(qobject_cast<CZonaDlg*>(modal));
        modal->findChild<QLineEdit*>(QStringLiteral("edit1014"))->setText(name);
        modal->findChild<QPlainTextEdit*>(QStringLiteral("edit1098"))->setPlainText(notes);
        Click(modal, QStringLiteral("button1"));
    };
}

ModalScript::Step Cancel() {
    return [](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); };
}
