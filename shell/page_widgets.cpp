#include "page_widgets.h"

#include "edit_history.h"
#include "map_store.h"

#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

QPushButton* MakePageButton(const QString& text, int id, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QStringLiteral("button%1").arg(id));
    button->setAutoDefault(false);
    return button;
}

QListWidget* MakePageList(QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QStringLiteral("list1001"));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    return list;
}

int SelectedRow(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}

int FindLineIgnoringCase(const QListWidget* list, const QString& text) {
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->text().compare(text, Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

void SelectRowQuietly(QListWidget* list, int row) {
    const QSignalBlocker quiet(list);
    if (row < 0) {
        list->clearSelection();
        return;
    }
    list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

bool ApplyEdit(CEditHistory* history, MapStore& store, const QString& text,
               const std::function<void()>& edit) {
    if (history)
        return history->Record(text, edit);
    edit();
    store.MarkChanged();
    return true;
}
