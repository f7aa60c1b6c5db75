#pragma once

// What the Qt tests keep reading back: the lines of a list, the names of a
// store's records, a file's bytes; where a slider's handle is, and a path as
// the map code takes it.

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <string>

class QListWidget;
class QSlider;

QStringList Lines(const QListWidget* list);

// The text of a PDF file as poppler's pdftotext lays it out; empty when it
// cannot be read (or pdftotext is missing).
QString PdfText(const QString& pdf);

// Where a person grabs the slider's handle, in the slider's coordinates.
QPoint SliderHandleCentre(const QSlider* slider);

// The names of the records of a store's list, in the list's order.
template <typename List>
QStringList Names(const List& list) {
    QStringList names;
    for (const auto& element : list)
        names << QString::fromStdString(element->m_strName);
    return names;
}

// The file's bytes; empty when it cannot be read.
QByteArray FileBytes(const QString& path);

// The path in the local encoding, as the model's file functions take it.
std::string LocalPath(const QString& path);
