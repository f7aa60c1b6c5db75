#include "page_fixture.h"

#include "archive.h"
#include "propiedades.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

PageEditor::PageEditor() {
    if (!OpenTestTown())
        qWarning("the test town did not open");
}

int Selected(const QListWidget* list) {
    const auto items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.front());
}

void ClickLine(CPropiedades* sheet, QWidget* page, QListWidget* list, int row) {
    sheet->setCurrentWidget(page);
    QListWidgetItem* item = list->item(row);
    QVERIFY(item);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    QCOMPARE(Selected(list), row);
}

void ClickButton(QWidget* page, int id) {
    auto* button = page->findChild<QPushButton*>(QStringLiteral("button%1").arg(id));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

QByteArray Content(const MapStore& store) {
    ArchiveWriter out;
    auto list = [&out](const auto& records) {
        out.WriteU32(static_cast<std::uint32_t>(records.size()));
        for (const auto& record : records)
            record->Write(out);
    };
    list(store.m_listStreets);
    list(store.m_listReferences);
    list(store.m_listColonies);
    list(store.m_listRoutes);
    list(store.m_listZones);
    store.m_directory.Write(out);
    out.WriteU32(store.m_counters.business);
    out.WriteU32(store.m_counters.route);
    out.WriteU32(store.m_counters.zone);
    for (const CmBlock& block : store.m_blocks)
        out.WriteI32(block.m_nType);
    const auto& bytes = out.Bytes();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}
