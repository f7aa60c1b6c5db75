// The undo history: steps that keep only what their edit changed, that find
// their records again after a save has sorted the lists, and a memory limit
// that drops the oldest steps and nothing else.

#include "edit_history.h"
#include "map_store.h"
#include "town_generator.h"

#include <QCoreApplication>
#include <QTest>

#include <string>
#include <vector>

class TestEditHistory : public QObject {
    Q_OBJECT
private slots:
    void stepsPastTheMemoryLimitGoOldestFirst();
    void aStepKeepsOnlyWhatItChangedAndSurvivesASort();
};

namespace {

std::vector<std::string> ZoneNames(const MapStore& store) {
    std::vector<std::string> names;
    for (const auto& z : store.m_listZones)
        names.push_back(z->m_strName);
    return names;
}

void AddZone(CEditHistory& history, MapStore& store, int i) {
    history.Record(QStringLiteral("Nueva zona %1").arg(i), [&] {
        // Long notes make every step cost about the same few kilobytes.
        MapStore::AddHead(store.m_listZones,
                          std::make_unique<CmZonas>("Zona " + std::to_string(i),
                                                    std::string(3000, 'n'), store.m_counters));
    });
}

} // namespace

void TestEditHistory::stepsPastTheMemoryLimitGoOldestFirst() {
    MapStore store;
    CEditHistory history(store);
    AddZone(history, store, 1);
    const std::size_t step = history.MemoryUsed();
    QVERIFY(step > 3000);
    // Room for three and a half steps.
    history.SetMemoryLimit(step * 7 / 2);
    AddZone(history, store, 2);
    history.MarkSaved(); // a saved state that is about to fall out of the history
    for (int i = 3; i <= 10; ++i)
        AddZone(history, store, i);
    const std::vector<std::string> all = ZoneNames(store);

    QUndoStack& stack = history.Stack();
    QCOMPARE(stack.count(), 3);
    QVERIFY(history.MemoryUsed() <= history.MemoryLimit());
    QCOMPARE(stack.undoText(), QStringLiteral("Nueva zona 10"));
    for (int i = 0; i < 5; ++i)
        stack.undo(); // the last two find nothing left to undo
    QCOMPARE(ZoneNames(store), std::vector<std::string>(all.begin() + 3, all.end()));
    QCOMPARE(store.m_counters.zone, 8u);
    QVERIFY(!stack.canUndo());
    // The saved state went with the oldest steps: no undo leads back to it.
    QVERIFY(store.IsChanged());
    for (int i = 0; i < 3; ++i)
        stack.redo();
    QCOMPARE(ZoneNames(store), all);
    QCOMPARE(store.m_counters.zone, 11u);

    // A step larger than the whole limit still stays, alone.
    history.SetMemoryLimit(1);
    AddZone(history, store, 11);
    QCOMPARE(stack.count(), 1);
    stack.undo();
    QCOMPARE(ZoneNames(store), all);
}

void TestEditHistory::aStepKeepsOnlyWhatItChangedAndSurvivesASort() {
    MapStore store = GenerateTown({.blocks = 20000, .seed = 4});
    QVERIFY(store.m_listStreets.size() > 20);
    CEditHistory history(store);
    CmCalles& street = *store.m_listStreets[7];
    const std::string name = street.m_strName;
    const std::int32_t type = store.m_blocks[12345].m_nType;
    QVERIFY(type != 4);
    history.Record(QStringLiteral("Renombrar calle"), [&] { street.m_strName = "Calle Nueva"; });
    history.Record(QStringLiteral("Pintar manzana"), [&] { store.m_blocks[12345].SetType(4); });
    // Two small changes in a town of twenty thousand blocks and thousands of
    // records: the steps hold a few records, not copies of the lists.
    QVERIFY2(history.MemoryUsed() < 4096, std::to_string(history.MemoryUsed()).c_str());

    history.Record(QStringLiteral("Nueva calle"), [&] {
        auto added = std::make_unique<CmCalles>();
        added->m_strName = "Calle Añadida";
        added->BeginTrace({1, 2});
        MapStore::AddHead(store.m_listStreets, std::move(added));
    });
    const std::size_t streets = store.m_listStreets.size();
    // Saving sorts the lists behind the history's back.
    store.SortListsByName();
    QUndoStack& stack = history.Stack();
    stack.undo();
    QCOMPARE(store.m_listStreets.size(), streets - 1);
    for (const auto& s : store.m_listStreets)
        QVERIFY(s->m_strName != "Calle Añadida");
    stack.undo();
    QCOMPARE(store.m_blocks[12345].m_nType, type);
    stack.undo();
    QVERIFY(std::any_of(store.m_listStreets.begin(), store.m_listStreets.end(),
                        [&](const auto& s) { return s->m_strName == name; }));
    for (int i = 0; i < 3; ++i)
        stack.redo();
    QCOMPARE(store.m_listStreets.size(), streets);
    QCOMPARE(store.m_blocks[12345].m_nType, 4);
    QCOMPARE(std::count_if(store.m_listStreets.begin(), store.m_listStreets.end(),
                           [](const auto& s) { return s->m_strName == "Calle Nueva"; }),
             std::ptrdiff_t{1});
}

QTEST_GUILESS_MAIN(TestEditHistory)
#include "edit_history_test.moc"
