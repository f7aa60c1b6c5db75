#pragma once

// Message boxes with Spanish buttons, whatever the system's language.

#include <QMessageBox>
#include <QString>

class QWidget;

// A notice with one "Aceptar" button.
void ShowMessage(QWidget* parent, const QString& text,
                 QMessageBox::Icon icon = QMessageBox::Information,
                 const QString& details = QString());
// "Sí" and "No"; true on "Sí".
bool AskYesNo(QWidget* parent, const QString& text, QMessageBox::Icon icon = QMessageBox::NoIcon);
// "Sí", "No" and "Cancelar"; the chosen one of QMessageBox::Yes, No or Cancel.
QMessageBox::StandardButton AskYesNoCancel(QWidget* parent, const QString& text);
// One button per choice, in order, the first the default and the last the
// one Escape or closing the window gives; the index of the chosen one.
int AskChoice(QWidget* parent, const QString& text, const QStringList& choices,
              QMessageBox::Icon icon = QMessageBox::Warning);
