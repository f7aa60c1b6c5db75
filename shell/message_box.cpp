#include "message_box.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QPushButton>
#include <QStringList>

#include <vector>

namespace {

const QString kTitle = QStringLiteral("Veltrix");

void SpanishButtons(QMessageBox& box) {
    if (auto* b = box.button(QMessageBox::Ok))
        b->setText(QCoreApplication::translate("MessageBox", "Aceptar"));
    if (auto* b = box.button(QMessageBox::Yes))
        b->setText(QCoreApplication::translate("MessageBox", "&Sí"));
    if (auto* b = box.button(QMessageBox::No))
        b->setText(QCoreApplication::translate("MessageBox", "&No"));
    if (auto* b = box.button(QMessageBox::Cancel))
        b->setText(QCoreApplication::translate("MessageBox", "Cancelar"));
}

} // namespace

void ShowMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon,
                 const QString& details) {
    QMessageBox box(icon, kTitle, text, QMessageBox::Ok, parent);
    if (!details.isEmpty())
        box.setInformativeText(details);
    SpanishButtons(box);
    box.exec();
}

bool AskYesNo(QWidget* parent, const QString& text, QMessageBox::Icon icon) {
    QMessageBox box(icon, kTitle, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    SpanishButtons(box);
    return box.exec() == QMessageBox::Yes;
}

QMessageBox::StandardButton AskYesNoCancel(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, kTitle, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    SpanishButtons(box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

int AskChoice(QWidget* parent, const QString& text, const QStringList& choices,
              QMessageBox::Icon icon) {
    QMessageBox box(icon, kTitle, text, QMessageBox::NoButton, parent);
    std::vector<QPushButton*> buttons;
    for (const QString& choice : choices)
        buttons.push_back(box.addButton(choice, QMessageBox::ActionRole));
    if (buttons.empty())
        return -1;
    box.setDefaultButton(buttons.front());
    box.setEscapeButton(buttons.back());
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return static_cast<int>(i);
    return static_cast<int>(buttons.size()) - 1;
}
