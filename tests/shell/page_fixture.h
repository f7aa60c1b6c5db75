#pragma once

// What the property page tests share: the editor with the test town open,
// clicks on a page's lines and buttons, and the store's content to compare
// before and after an edit.

#include "editor_fixture.h"

#include <QByteArray>

class CPropiedades;
class QListWidget;
class QWidget;

// The editor with the test town opened from mitla.map, nothing recorded yet.
struct PageEditor : EditorFixture {
    PageEditor();
};

// The selected line of the list; -1 when none is.
int Selected(const QListWidget* list);
// Brings the page to the front and clicks line `row` of its list.
void ClickLine(CPropiedades* sheet, QWidget* page, QListWidget* list, int row);
// Clicks the page's button with id `id`.
void ClickButton(QWidget* page, int id);
// Everything an edit can change, in file form, for before-and-after comparisons.
QByteArray Content(const MapStore& store);
