#include "archive.h"
#include "map_edit.h"
#include "test_bytes.h"
#include "test_towns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// The file form of a store holds every stored field, so equal bytes mean equal content.
std::vector<std::uint8_t> FileBytes(const MapStore& store) {
    // WriteMap puts the lists in name order; write them in the order they have.
    const MapStore& copy = store;
    ArchiveWriter w;
    for (const auto& b : copy.m_blocks)
        b.Write(w, copy.Outline(b));
    for (const auto& s : copy.m_listStreets)
        s->Write(w);
    for (const auto& r : copy.m_listReferences)
        r->Write(w);
    for (const auto& c : copy.m_listColonies)
        c->Write(w);
    for (const auto& r : copy.m_listRoutes)
        r->Write(w);
    for (const auto& z : copy.m_listZones)
        z->Write(w);
    copy.m_directory.Write(w);
    copy.m_routeOutline.Write(w);
    for (const auto& l : copy.m_labels)
        l.Write(w);
    w.WriteString(copy.m_strCountry + "|" + copy.m_strState + "|" + copy.m_strTown + "|" +
                  copy.m_strTitle);
    w.WriteU32(copy.m_counters.business);
    w.WriteU32(copy.m_counters.route);
    w.WriteU32(copy.m_counters.zone);
    for (const auto& b : copy.m_blocks)
        w.WriteU32(b.m_crFill);
    return w.Bytes();
}

MapStore SmallTown() {
    MapStore store;
    const FloatPoint square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
    for (int i = 0; i < 3; ++i)
        store.AddBlock(square, i == 2 ? 7 : 1);
    MapStore::AddHead(store.m_listStreets, std::make_unique<CmCalles>());
    store.m_listStreets.front()->m_strName = "Avenida Juárez";
    MapStore::AddHead(store.m_listReferences,
                      std::make_unique<CmRefe>(5, 6, 3, std::string("Catedral")));
    store.m_directory.AddCategory("Farmacias");
    store.m_directory.SelectCategory("Farmacias");
    store.m_directory.AddBusiness(4, 4, 3, "Farmacia Niño", "Centro", "555", store.m_counters);
    CmStname label;
    label.m_strText = SharedText("AV. JUÁREZ");
    store.m_labels.push_back(label);
    store.m_strTown = "Jalapa";
    return store;
}

} // namespace

TEST(MapEdit, UndoAndRedoRestoreEveryKindOfChange) {
    MapStore store = SmallTown();
    const auto before = FileBytes(store);

    MapEdit edit(store);
    edit.Change<CmCalles>(0, [](CmCalles& s) { s.m_strName = "Calle Peñuelas"; });
    edit.Remove<CmRefe>(0);
    edit.Insert(0, std::make_unique<CmZonas>("Centro", "notas", edit.Counters()));
    edit.SetBlockType(0, 2);
    edit.SetBlockType(2, 2); // type 7 kept the type-1 colour; undo must bring it back
    edit.RemoveBusiness(0, 0);
    CmDirectorio categories = CopyDirectory(store.m_directory);
    categories.AddCategory("Bancos");
    edit.ReplaceCategories(categories);
    CmCalles outline = store.m_routeOutline;
    outline.BeginTrace({1, 2});
    edit.SetRouteOutline(outline);
    edit.SetHeader({.country = "México", .state = "Veracruz", .town = "Xalapa", .title = ""});
    CmStname label = store.m_labels[0];
    label.m_fAngle = 90.0f;
    edit.ReplaceLabel(0, label);
    // Stating the edit changes nothing yet.
    ASSERT_EQ(FileBytes(store), before);
    edit.Do(store);
    const auto after = FileBytes(store);
    ASSERT_TRUE(edit.ChangesAnything());
    ASSERT_NE(before, after);
    EXPECT_EQ(store.m_strTown, "Xalapa");
    EXPECT_EQ(store.m_labels[0].m_fAngle, 90.0f);
    EXPECT_EQ(store.m_directory.m_listCategories.size(), 2u);
    EXPECT_TRUE(store.m_directory.m_listCategories[0]->m_listBusinesses.empty() ||
                store.m_directory.m_listCategories[1]->m_listBusinesses.empty());
    // Each step names its record and place, in the order they were stated.
    const std::vector<MapChange> changes = edit.Changes();
    ASSERT_EQ(changes.size(), 10u);
    EXPECT_EQ(changes[0], (MapChange{MapRecord::Street, 0}));
    EXPECT_EQ(changes[4], (MapChange{MapRecord::BlockType, 2}));
    EXPECT_EQ(changes[5], (MapChange{MapRecord::Business, 0, 0}));
    EXPECT_EQ(changes[9], (MapChange{MapRecord::Label, 0}));

    edit.Undo(store);
    EXPECT_EQ(FileBytes(store), before);
    EXPECT_EQ(store.m_blocks[2].m_nType, 7);
    EXPECT_EQ(store.m_blocks[2].m_crFill, kBlockTypeColors[0]);
    edit.Do(store);
    EXPECT_EQ(FileBytes(store), after);
    edit.Undo(store);
    EXPECT_EQ(FileBytes(store), before);
}

TEST(MapEdit, NoChangeIsNoStep) {
    MapStore store = SmallTown();
    MapEdit edit(store);
    edit.SetBlockType(1, 1);
    edit.Change<CmCalles>(0, [](CmCalles& s) { s.m_bShow = !s.m_bShow; }); // not kept in a file
    edit.Remove<CmRefe>(5);                                                // no such reference
    EXPECT_FALSE(edit.ChangesAnything());
}

TEST(MapEdit, CurrentCategoryAndBusinessSurviveARestore) {
    MapStore store = SmallTown();
    store.m_directory.SelectBusiness("Farmacia Niño");
    CmDirectorio after = CopyDirectory(store.m_directory);
    after.DeleteCategory("Farmacias");
    MapEdit edit(store);
    edit.ReplaceCategories(after);
    edit.Do(store);
    EXPECT_EQ(store.m_directory.m_pCurrent, nullptr);
    edit.Undo(store);
    ASSERT_NE(store.m_directory.m_pCurrent, nullptr);
    EXPECT_EQ(store.m_directory.GetBusinessName(), "Farmacia Niño");
    // The restored pointers name the store's own records, not the snapshot's.
    EXPECT_EQ(store.m_directory.m_pCurrent, store.m_directory.m_listCategories.front().get());
}

TEST(MapEdit, ABusinessEditKeepsOnlyThatBusinessAndItsCategoryStaysCurrent) {
    MapStore store = SmallTown();
    CmDirectorio& dir = store.m_directory;
    for (int i = 0; i < 200; ++i)
        dir.AddBusiness(i, i, 3, "Farmacia " + std::to_string(i), "", "", store.m_counters);
    dir.SelectBusiness("Farmacia 50");
    const auto before = FileBytes(store);

    auto changed = std::make_unique<CmNegocios>(*dir.CurrentBusiness());
    changed->m_strName = "Farmacia Cincuenta";
    changed->m_strComments = "Hidalgo 50";
    changed->m_strPhone = "555 0050";
    MapEdit edit(store);
    edit.ReplaceBusiness(static_cast<std::size_t>(dir.CurrentCategoryIndex()),
                         static_cast<std::size_t>(dir.CurrentBusinessIndex()), std::move(changed));
    edit.Do(store);
    ASSERT_TRUE(edit.ChangesAnything());
    EXPECT_EQ(dir.GetBusinessName(), "Farmacia Cincuenta");
    // One business of two hundred, before and after: far less than the category.
    EXPECT_LT(edit.MemoryBytes(), 2 * 1024u);

    edit.Undo(store);
    EXPECT_EQ(FileBytes(store), before);
    // The current business is the store's restored record, not a stale one.
    const CmClasificados* category = dir.m_pCurrent;
    ASSERT_NE(category, nullptr);
    ASSERT_NE(category->m_pCurrent, nullptr);
    EXPECT_EQ(category->m_pCurrent->m_strName, "Farmacia 50");
    EXPECT_TRUE(std::any_of(category->m_listBusinesses.begin(), category->m_listBusinesses.end(),
                            [&](const auto& b) { return b.get() == category->m_pCurrent; }));
    edit.Do(store);
    EXPECT_EQ(dir.GetBusinessName(), "Farmacia Cincuenta");
}
