#include "page_widgets.h"

#include "edit_history.h"
#include "map_store.h"

#include <QEvent>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

// Remembers the selected line as a mouse button goes down on the list, before
// the list itself sees the press and perhaps moves the selection.
class CLineBeforePress : public QObject {
public:
    explicit CLineBeforePress(QListWidget* list) : QObject(list), m_pList(list) {
        list->viewport()->installEventFilter(this);
    }
    int m_nRow = -1;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress)
            m_nRow = SelectedRow(m_pList);
        return false;
    }

private:
    QListWidget* m_pList;
};

} // namespace

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

void OnLineChosen(QListWidget* list, QObject* receiver, const std::function<void()>& choose) {
    QObject::connect(list, &QListWidget::itemSelectionChanged, receiver, choose);
    auto* before = new CLineBeforePress(list); // owned by the list
    QObject::connect(list, &QListWidget::pressed, receiver,
                     [list, before, choose](const QModelIndex& index) {
                         // A press that moved the selection has been told already.
                         if (index.row() == before->m_nRow && SelectedRow(list) == before->m_nRow)
                             choose();
                     });
}

bool ApplyEdit(CEditHistory* history, MapStore& store, const QString& text, MapEdit edit) {
    if (history)
        return history->Apply(text, std::move(edit));
    edit.Do(store);
    if (!edit.ChangesAnything())
        return false;
    store.MarkChanged();
    return true;
}
