// The undo history: steps that keep only what their edit changed, that find
// their records again after a save has sorted the lists, and a memory limit
// that drops the oldest steps and nothing else.

#include "edit_history.h"
#include "map_store.h"
#include "town_generator.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

#include <string>
#include <vector>

class TestEditHistory : public QObject {
    Q_OBJECT
private slots:
    void stepsPastTheMemoryLimitGoOldestFirst();
    void aStepKeepsOnlyWhatItChangedAndSurvivesASort();
    void headerAndLabelEditsAreStepsAndEveryStepSaysWhatItTouched();
};

namespace {

std::vector<std::string> ZoneNames(const MapStore& store) {
    std::vector<std::string> names;
    for (const auto& z : store.m_listZones)
        names.push_back(z->m_strName);
    return names;
}

void AddZone(CEditHistory& history, MapStore& store, int i) {
    MapEdit edit(store);
    // Long notes make every step cost about the same few kilobytes.
    edit.Insert(0, std::make_unique<CmZonas>("Zona " + std::to_string(i), std::string(3000, 'n'),
                                             edit.Counters()));
    history.Apply(QStringLiteral("Nueva zona %1").arg(i), std::move(edit));
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
    MapEdit rename(store);
    rename.Change<CmCalles>(7, [](CmCalles& s) { s.m_strName = "Calle Nueva"; });
    history.Apply(QStringLiteral("Renombrar calle"), std::move(rename));
    QCOMPARE(street.m_strName, std::string("Calle Nueva")); // changed in place
    MapEdit paint(store);
    paint.SetBlockType(12345, 4);
    history.Apply(QStringLiteral("Pintar manzana"), std::move(paint));
    // Two small changes in a town of twenty thousand blocks and thousands of
    // records: the steps hold a few records, not copies of the lists.
    QVERIFY2(history.MemoryUsed() < 4096, std::to_string(history.MemoryUsed()).c_str());

    auto added = std::make_unique<CmCalles>();
    added->m_strName = "Calle Añadida";
    added->BeginTrace({1, 2});
    MapEdit add(store);
    add.Insert(0, std::move(added));
    history.Apply(QStringLiteral("Nueva calle"), std::move(add));
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

void TestEditHistory::headerAndLabelEditsAreStepsAndEveryStepSaysWhatItTouched() {
    MapStore store;
    store.m_strTown = "Xalapa";
    CmStname label;
    label.m_strText = SharedText("AV. ÁVILA CAMACHO");
    store.m_labels.push_back(label);
    store.MarkSaved();
    CEditHistory history(store);
    std::vector<std::vector<MapChange>> heard;
    connect(&history, &CEditHistory::Changed, &history,
            [&](const std::vector<MapChange>& changes) { heard.push_back(changes); });

    MapEdit header(store);
    header.SetHeader({.country = "México", .state = "Veracruz", .town = "Coatepec", .title = ""});
    QVERIFY(history.Apply(QStringLiteral("Datos del mapa"), std::move(header)));
    QVERIFY(store.IsChanged());
    QCOMPARE(store.m_strTown, std::string("Coatepec"));
    history.MarkSaved();

    MapEdit turn(store);
    CmStname turned = store.m_labels[0];
    turned.m_fAngle = 45.0f;
    turn.ReplaceLabel(0, turned);
    QVERIFY(history.Apply(QStringLiteral("Girar nombre"), std::move(turn)));
    QVERIFY(store.IsChanged());

    // The same label again: no step, nothing to save, nothing heard.
    MapEdit same(store);
    same.ReplaceLabel(0, store.m_labels[0]);
    QVERIFY(!history.Apply(QStringLiteral("Girar nombre"), std::move(same)));
    QCOMPARE(history.Stack().count(), 2);

    QSignalSpy restored(&history, &CEditHistory::ContentRestored);
    history.Stack().undo();
    QCOMPARE(store.m_labels[0].m_fAngle, 0.0f);
    QVERIFY(!store.IsChanged()); // back at the saved state
    history.Stack().undo();
    QCOMPARE(store.m_strTown, std::string("Xalapa"));
    history.Stack().redo();
    QCOMPARE(store.m_strTown, std::string("Coatepec"));
    QCOMPARE(restored.count(), 3);

    const MapChange headerChange{MapRecord::Header, 0};
    const MapChange labelChange{MapRecord::Label, 0};
    // The edits, the undone label and header, the redone header.
    const std::vector<std::vector<MapChange>> expected = {
        {headerChange}, {labelChange}, {labelChange}, {headerChange}, {headerChange}};
    QVERIFY(heard == expected);
}

QTEST_GUILESS_MAIN(TestEditHistory)
#include "edit_history_test.moc"
