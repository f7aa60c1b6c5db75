#pragma once

// Controls and small operations shared by the property pages: controls named
// by their control numbers so that they can be found ("button1004",
// "list1001"), the selected line, quiet selection, and running a change as one
// undo step.

#include "map_edit.h"

#include <functional>

class CEditHistory;
class MapStore;
class QListWidget;
class QObject;
class QPushButton;
class QString;
class QWidget;

QPushButton* MakePageButton(const QString& text, int id, QWidget* parent);
QListWidget* MakePageList(QWidget* parent);

// The selected line, or -1 when none is.
int SelectedRow(const QListWidget* list);
// The first line equal to `text`, letter case ignored; -1 when none is.
int FindLineIgnoringCase(const QListWidget* list, const QString& text);
// Selects `row` (or nothing for -1) without the list telling anyone.
void SelectRowQuietly(QListWidget* list, int row);
// Runs `choose` whenever the user chooses a line: when the selection moves (by
// mouse or keys) and at every click on the line already selected, so that
// choosing it again shows the element again after the map has moved on.
void OnLineChosen(QListWidget* list, QObject* receiver, const std::function<void()>& choose);

// Makes `edit` on the store as one step named `text` of the undo history; with
// no history the edit is made directly. Returns whether the store changed.
bool ApplyEdit(CEditHistory* history, MapStore& store, const QString& text, MapEdit edit);
