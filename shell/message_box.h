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
