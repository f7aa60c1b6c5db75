#include "archive.h"
#include "store_snapshot.h"
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
    return store;
}

} // namespace

TEST(StoreEdit, UndoAndRedoRestoreEveryKindOfChange) {
    MapStore store = SmallTown();
    const auto before = FileBytes(store);

    StoreSnapshot snap = StoreSnapshot::Capture(store);
    store.m_listStreets.front()->m_strName = "Calle Peñuelas";
    store.m_listReferences.clear();
    MapStore::AddHead(store.m_listZones,
                      std::make_unique<CmZonas>("Centro", "notas", store.m_counters));
    store.m_blocks[0].SetType(2);
    store.m_blocks[2].SetType(2); // type 7 kept the type-1 colour; undo must bring it back
    store.m_directory.DeleteBusiness();
    store.m_directory.AddCategory("Bancos");
    store.m_routeOutline.BeginTrace({1, 2});
    StoreEdit edit(std::move(snap), store);
    const auto after = FileBytes(store);
    ASSERT_TRUE(edit.ChangedAnything());
    ASSERT_NE(before, after);

    edit.Undo(store);
    EXPECT_EQ(FileBytes(store), before);
    EXPECT_EQ(store.m_blocks[2].m_nType, 7);
    EXPECT_EQ(store.m_blocks[2].m_crFill, kBlockTypeColors[0]);
    edit.Redo(store);
    EXPECT_EQ(FileBytes(store), after);
    edit.Undo(store);
    EXPECT_EQ(FileBytes(store), before);
}

TEST(StoreEdit, NoChangeIsNoStep) {
    MapStore store = SmallTown();
    StoreSnapshot snap = StoreSnapshot::Capture(store);
    store.m_blocks[1].SetType(1);
    StoreEdit edit(std::move(snap), store);
    EXPECT_FALSE(edit.ChangedAnything());
}

TEST(StoreEdit, CurrentCategoryAndBusinessSurviveARestore) {
    MapStore store = SmallTown();
    store.m_directory.SelectBusiness("Farmacia Niño");
    StoreSnapshot snap = StoreSnapshot::Capture(store);
    store.m_directory.DeleteCategory("Farmacias");
    StoreEdit edit(std::move(snap), store);
    edit.Undo(store);
    ASSERT_NE(store.m_directory.m_pCurrent, nullptr);
    EXPECT_EQ(store.m_directory.GetBusinessName(), "Farmacia Niño");
    // The restored pointers name the store's own records, not the snapshot's.
    EXPECT_EQ(store.m_directory.m_pCurrent, store.m_directory.m_listCategories.front().get());
}

TEST(StoreEdit, ABusinessEditKeepsOnlyThatBusinessAndItsCategoryStaysCurrent) {
    MapStore store = SmallTown();
    CmDirectorio& dir = store.m_directory;
    for (int i = 0; i < 200; ++i)
        dir.AddBusiness(i, i, 3, "Farmacia " + std::to_string(i), "", "", store.m_counters);
    dir.SelectBusiness("Farmacia 50");
    StoreSnapshot baseline = StoreSnapshot::Capture(store);
    const auto before = FileBytes(store);

    dir.UpdateBusiness("Farmacia Cincuenta", "Hidalgo 50", "555 0050");
    const StoreEdit edit = StoreEdit::Record(baseline, store);
    ASSERT_TRUE(edit.ChangedAnything());
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
    edit.Redo(store);
    EXPECT_EQ(dir.GetBusinessName(), "Farmacia Cincuenta");
}
