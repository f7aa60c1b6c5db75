// Map files: the exact bytes of a save, versions and numbering, name order,
// block ids and bounds, and refusal of every damaged file.

#include "alloc_probe.h"
#include "archive.h"
#include "byte_builder.h"
#include "map_save.h"
#include "scratch_dir.h"
#include "test_bytes.h"
#include "test_towns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

Bytes EmptyMapBytes(std::uint32_t counter) {
    ByteBuilder b;
    b.Text("A").Text("B").Text("C");
    for (int v : {1, 0, 0, 0, 0, 0, 0, 0, 0})
        b.I32(v);
    for (int i = 0; i < 4; ++i)
        b.I32(static_cast<std::int32_t>(counter + i));
    b.I32(0);
    return b.bytes();
}

std::vector<std::string> Names(const auto& list) {
    std::vector<std::string> names;
    for (const auto& item : list)
        names.push_back(item->m_strName);
    return names;
}

bool IsSpanishRefusal(const std::string& error) {
    return error == "Formato de archivo no esperado." ||
           error.starts_with("Error inesperado al leer ");
}

} // namespace

TEST(MapFile, EmptyMapIsSavedAsTextsCountsCountersAndNoPicture) {
    MapStore store;
    store.m_strCountry = "A";
    store.m_strState = "B";
    store.m_strTown = "C";
    store.m_counters = {5, 6, 7, 8};
    EXPECT_EQ(WriteToBytes(store), EmptyMapBytes(5));

    ScratchDir dir;
    Problem error;
    ASSERT_TRUE(SaveMapFile(store, dir.str() + "vacio.map", {}, error)) << error.Text();
    EXPECT_EQ(ReadFile(dir.path() / "vacio.map"), EmptyMapBytes(5));
}

TEST(MapFile, RecordsAreLaidOutFieldByField) {
    ArchiveWriter out;
    MapStore store;
    CmBlock& block = AddBlock(store, {1.5f, -2.0f, 3, 4, 5, 6}, 3);
    block.m_fScale = 2.0f;
    block.m_nReserved = 9;
    block.Write(out, store.Outline(block));
    CmStname label;
    label.m_x = -1;
    label.m_y = 2;
    label.m_fAngle = 0.5f;
    label.m_strText = "Sur";
    label.Write(out);
    CmRefe ref(7, 8, 3, "R");
    ref.Write(out);
    MapCounters counters{11, 12, 13, 14};
    CmVias trace;
    trace.BeginRoute({1, 2});
    trace.AddStation({3, 4}, "E");
    trace.m_strName = "V";
    trace.m_fZoom = 4.0f;
    CmVias route(trace, counters);
    route.m_crColor = 0x00AABBCC;
    route.Write(out);
    CmZonas zone("Z", "N", counters);
    zone.m_blockIds = {3, 1};
    zone.Write(out);
    CmNegocios business(5, 6, 2, "B", "C", "T", counters);
    business.Write(out);

    ByteBuilder e;
    e.I32(3).I32(3).F32(2.0f).I32(9).F32(1.5f).F32(-2.0f).F32(3).F32(4).F32(5).F32(6);
    e.I32(-1).I32(2).F32(0.5f).Text("Sur");
    e.Text("R").I32(7).I32(8).F32(3.0f);
    e.F32(4.0f).Text("V").I32(2).I32(1).I32(2).I32(1).I32(2);
    e.I32(1).I32(0x00AABBCC).I32(3).I32(4).Text("E").I32(12);
    e.Text("Z").Text("N").I32(2).I32(3).I32(1).I32(13);
    e.Text("B").I32(5).I32(6).F32(2.0f).Text("").Text("").Text("C").Text("T").I32(0).Text("");
    e.I32(11);
    EXPECT_EQ(out.Bytes(), e.bytes());
    EXPECT_EQ(counters, (MapCounters{12, 13, 14, 14}));
}

TEST(MapFile, BusinessReservedValueIsIgnoredWhenRead) {
    ByteBuilder b;
    b.Text("Tienda").I32(1).I32(2).F32(3.0f).Text("x1").Text("x2").Text("Calle").Text("555");
    b.I32(static_cast<std::int32_t>(0xDEADBEEF)).Text("x3").I32(77);
    MapCounters counters;
    ReadContext ctx{1, counters};
    const Bytes stored = b.bytes();
    ArchiveReader in(stored);
    CmNegocios business;
    business.Read(in, ctx);
    EXPECT_EQ(business.m_strExtra3, "x3");
    EXPECT_EQ(business.m_nBusinessNo, 77u);
    EXPECT_EQ(counters.business, 77u);
    ArchiveWriter out;
    business.Write(out);
    Bytes expected = b.bytes();
    std::memset(expected.data() + expected.size() - 4 - 3 - 4, 0, 4);
    EXPECT_EQ(out.Bytes(), expected);
}

struct VersionCase {
    const char* name;
    std::optional<std::int32_t> version;
    std::int32_t blocks;
    std::int32_t expectVersion;
    std::uint32_t routeNo, zoneNo, firstBusinessNo;
    MapCounters counters;
};

class MapVersions : public testing::TestWithParam<VersionCase> {};

TEST_P(MapVersions, NumbersComeFromRecordsOnlyInVersionOne) {
    const auto& c = GetParam();
    Problem error;
    const MapCounters carried{20, 30, 40, 50};
    auto store = ReadFromBytes(HandMadeFile(c.version, c.blocks), error, carried);
    ASSERT_NE(store, nullptr) << error.Text();
    EXPECT_EQ(store->m_nFileVersion, c.expectVersion);
    EXPECT_EQ(store->m_blocks.size(), static_cast<std::size_t>(c.blocks));
    EXPECT_EQ(store->m_listRoutes.at(0)->m_nRouteNo, c.routeNo);
    EXPECT_EQ(store->m_listZones.at(0)->m_nZoneNo, c.zoneNo);
    const auto& businesses = store->m_directory.m_listCategories.at(0)->m_listBusinesses;
    EXPECT_EQ(businesses.at(0)->m_nBusinessNo, c.firstBusinessNo);
    EXPECT_EQ(businesses.at(1)->m_nBusinessNo, c.firstBusinessNo + 1);
    EXPECT_EQ(store->m_counters, c.counters);
    EXPECT_EQ(store->m_strTitle, "VELTRIX  Pueblo, León - España");
}

INSTANTIATE_TEST_SUITE_P(
    MapFile, MapVersions,
    testing::Values(
        VersionCase{"NoVersionTwelveBlocks", std::nullopt, 12, 0, 30, 40, 20, {22, 31, 41, 50}},
        VersionCase{"NoVersionTenBlocks", std::nullopt, 10, 0, 30, 40, 20, {22, 31, 41, 50}},
        VersionCase{"Version1", 1, 2, 1, 40, 41, 42, {100, 200, 300, 400}},
        VersionCase{"Version5", 5, 1, 5, 30, 40, 20, {22, 31, 41, 50}},
        VersionCase{"Version9", 9, 0, 9, 30, 40, 20, {22, 31, 41, 50}},
        VersionCase{"Version0Explicit", 0, 3, 0, 30, 40, 20, {22, 31, 41, 50}},
        VersionCase{"NegativeVersion", -3, 0, -3, 30, 40, 20, {22, 31, 41, 50}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MapFile, SecondFileWithoutVersionContinuesTheFirstFilesCounters) {
    Problem error;
    auto first = ReadFromBytes(HandMadeFile(1, 2), error);
    ASSERT_NE(first, nullptr) << error.Text();
    auto second = ReadFromBytes(HandMadeFile(std::nullopt, 10), error, first->m_counters);
    ASSERT_NE(second, nullptr) << error.Text();
    EXPECT_EQ(second->m_listRoutes[0]->m_nRouteNo, 200u);
    EXPECT_EQ(second->m_listZones[0]->m_nZoneNo, 300u);
    EXPECT_EQ(second->m_directory.m_listCategories[0]->m_listBusinesses[1]->m_nBusinessNo, 101u);
    EXPECT_EQ(second->m_counters, (MapCounters{102, 201, 301, 400}));
}

TEST(MapFile, VersionOneRecordsRaiseCountersOnlyUpwards) {
    // A record number below the counter must not lower it.
    MapCounters counters{500, 500, 500, 500};
    ReadContext ctx{1, counters};
    const Bytes low = ByteBuilder().I32(7).bytes();
    ArchiveReader in(low);
    EXPECT_EQ(ReadRecordNumber(in, ctx, counters.route), 7u);
    EXPECT_EQ(counters.route, 500u);
    const Bytes highBytes = ByteBuilder().I32(static_cast<std::int32_t>(0x80000000u)).bytes();
    ArchiveReader high(highBytes);
    EXPECT_EQ(ReadRecordNumber(high, ctx, counters.zone), 0x80000000u); // unsigned compare
    EXPECT_EQ(counters.zone, 0x80000000u);
}

TEST(MapFile, SavingAVersionZeroMapWritesVersionOneWithItsNumbers) {
    Problem error;
    auto old = ReadFromBytes(HandMadeFile(std::nullopt, 10), error, {20, 30, 40, 50});
    ASSERT_NE(old, nullptr) << error.Text();
    const Bytes saved = WriteToBytes(*old);
    auto again = ReadFromBytes(saved, error, {1, 1, 1, 1});
    ASSERT_NE(again, nullptr) << error.Text();
    EXPECT_EQ(again->m_nFileVersion, 1);
    EXPECT_EQ(again->m_listRoutes[0]->m_nRouteNo, 30u);
    EXPECT_EQ(again->m_listZones[0]->m_nZoneNo, 40u);
    EXPECT_EQ(again->m_counters, (MapCounters{22, 31, 41, 50}));
}

TEST(MapFile, FileHoldsNamedListsByCodePageBytesAndTheStoreKeepsItsOrder) {
    auto store = BuildEveryKindMap();
    store->MarkChanged();
    const auto streetsBefore = Names(store->m_listStreets);
    const auto zonesBefore = Names(store->m_listZones);
    const Bytes bytes = WriteToBytes(*store);
    // A second writer (an export, a recovery copy) while edits are pending.
    EXPECT_EQ(WriteToBytes(*store), bytes);
    EXPECT_EQ(Names(store->m_listStreets), streetsBefore);
    EXPECT_EQ(Names(store->m_listZones), zonesBefore);
    EXPECT_TRUE(store->IsChanged());

    const std::vector<std::string> streets{"Benito Juárez", "Zaragoza", "alameda", "Álamo",
                                           "Ñandú"};
    ASSERT_NE(streetsBefore, streets);
    Problem error;
    auto read = ReadFromBytes(bytes, error);
    ASSERT_NE(read, nullptr) << error.Text();
    EXPECT_EQ(Names(read->m_listStreets), streets);
    EXPECT_EQ(Names(read->m_listReferences), (std::vector<std::string>{"Catedral", "Museo €uro"}));
    EXPECT_EQ(Names(read->m_listColonies), (std::vector<std::string>{"Centro", "Obispado"}));
    EXPECT_EQ(Names(read->m_listRoutes), (std::vector<std::string>{"Ruta 1", "Ruta 2"}));
    EXPECT_EQ(Names(read->m_listZones), (std::vector<std::string>{"Zona Norte", "Zona Sur"}));
    // Categories and businesses keep the order they had.
    EXPECT_EQ(Names(read->m_directory.m_listCategories),
              (std::vector<std::string>{"Farmacias", "Hoteles"}));
    EXPECT_EQ(Names(read->m_directory.m_listCategories[0]->m_listBusinesses),
              (std::vector<std::string>{"Sin lugar", "Farmacia Ñ"}));
    ASSERT_EQ(read->m_labels.size(), 2u);
    EXPECT_EQ(read->m_labels[0].m_strText, "Av. Constitución");

    // The sort a person sees after saving puts the store in the file's order.
    store->SortListsByName();
    EXPECT_EQ(Names(store->m_listStreets), streets);
    EXPECT_EQ(WriteToBytes(*store), bytes);
}

TEST(MapFile, EveryFieldSurvivesASaveAndReload) {
    auto store = BuildEveryKindMap();
    const Bytes picture{1, 2, 3, 0, 255};
    const Bytes bytes = WriteToBytes(*store, picture);
    Problem error;
    Bytes picture2;
    auto read = ReadFromBytes(bytes, error, {}, &picture2);
    ASSERT_NE(read, nullptr) << error.Text();
    EXPECT_EQ(picture2, picture);
    EXPECT_EQ(read->m_strTown, "Ciudad 東京");
    EXPECT_EQ(read->m_strState, "Nuevo León");
    EXPECT_EQ(read->m_counters, store->m_counters);
    EXPECT_EQ(WriteToBytes(*read, picture2), bytes);
    const CmVias& route = *read->m_listRoutes[1];
    EXPECT_EQ(route.m_strName, "Ruta 2");
    EXPECT_EQ(route.m_crColor, Rgb(0, 128, 255));
    ASSERT_EQ(route.m_stations.size(), 2u);
    EXPECT_EQ(route.m_stations[0], (Station{{0, 0}, "Terminal"}));
    EXPECT_EQ(route.m_stations[1].name, "");
    EXPECT_TRUE(read->m_listRoutes[0]->m_stations.empty());
    EXPECT_EQ(read->m_blocks[1].m_nType, 7);
    EXPECT_EQ(read->m_blocks[1].m_crFill, kBlockTypeColors[0]);
    // Nothing is current or highlighted after a load.
    EXPECT_EQ(read->m_directory.m_pCurrent, nullptr);
    for (const auto& c : read->m_directory.m_listCategories) {
        EXPECT_EQ(c->m_pCurrent, nullptr);
        for (const auto& b : c->m_listBusinesses)
            EXPECT_FALSE(b->m_bHighlight);
    }
}

// A street's name is kept once for all its labels, however far apart they lie
// in the file; a label copied out of the map keeps its text when the map goes,
// and changing one label's text changes no other.
TEST(MapFile, LabelsOfOneStreetShareTheirText) {
    MapStore store;
    for (const char* text : {"Hidalgo", "Juárez", "Hidalgo", "", "Juárez", "Hidalgo"}) {
        CmStname label;
        label.m_strText = std::string(text);
        store.m_labels.push_back(label);
    }
    const Bytes bytes = WriteToBytes(store);
    Problem error;
    auto read = ReadFromBytes(bytes, error);
    ASSERT_NE(read, nullptr) << error.Text();
    const auto& labels = read->m_labels;
    ASSERT_EQ(labels.size(), 6u);
    EXPECT_EQ(&labels[0].m_strText.str(), &labels[2].m_strText.str());
    EXPECT_EQ(&labels[0].m_strText.str(), &labels[5].m_strText.str());
    EXPECT_EQ(&labels[1].m_strText.str(), &labels[4].m_strText.str());
    EXPECT_NE(&labels[0].m_strText.str(), &labels[1].m_strText.str());
    EXPECT_EQ(labels[3].m_strText, "");
    EXPECT_EQ(WriteToBytes(*read), bytes);

    std::vector<CmStname> kept = {labels[0], labels[1]};
    read->m_labels[2].m_strText = std::string("Morelos");
    EXPECT_EQ(read->m_labels[0].m_strText, "Hidalgo");
    read.reset();
    EXPECT_EQ(kept[0].m_strText, "Hidalgo");
    EXPECT_EQ(kept[1].m_strText, "Juárez");
}

TEST(MapFile, BlockIdsAreFilePositionsAndSurviveASave) {
    auto store = BuildEveryKindMap();
    Problem error;
    auto first = ReadFromBytes(WriteToBytes(*store), error);
    ASSERT_NE(first, nullptr) << error.Text();
    auto second = ReadFromBytes(WriteToBytes(*first), error);
    ASSERT_NE(second, nullptr) << error.Text();
    ASSERT_EQ(second->m_blocks.size(), 4u);
    for (std::uint32_t id = 1; id <= 4; ++id) {
        EXPECT_EQ(second->m_blocks[id - 1].m_nId, id);
        EXPECT_TRUE(std::ranges::equal(second->Outline(*second->FindBlockById(id)),
                                       first->Outline(*first->FindBlockById(id))));
    }
    // The zone still names the same outlines.
    const auto& zone = *second->m_listZones[1];
    ASSERT_EQ(zone.m_strName, "Zona Sur");
    EXPECT_TRUE(std::ranges::equal(second->Outline(*second->FindBlockById(zone.m_blockIds[1])),
                                   store->Outline(store->m_blocks[3])));
}

TEST(MapFile, BlockBoundsOfTheMap) {
    Problem error;
    MapStore empty;
    auto none = ReadFromBytes(WriteToBytes(empty), error);
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->m_rcBlocks, (MapRect{-1, -1, 1, 1}));
    EXPECT_EQ(none->FindBlockById(0), nullptr);
    EXPECT_EQ(none->FindBlockById(1), nullptr);

    MapStore store;
    AddBlock(store, {5000, 5000});                   // one point: nothing
    AddBlock(store, {10, 20, 30.9f, 20, 30, 40.5f}); // reaches the origin
    auto read = ReadFromBytes(WriteToBytes(store), error);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->m_rcBlocks, (MapRect{-1, -1, 30, 40}));
    EXPECT_EQ(read->m_blocks[0].m_nId, 1u);
    EXPECT_EQ(read->FindBlockById(1), &read->m_blocks[0]);

    AddBlock(store, {-50, -60, -10, -20});
    read = ReadFromBytes(WriteToBytes(store), error);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->m_rcBlocks, (MapRect{-50, -60, 30, 40}));
    EXPECT_EQ(read->FindBlockById(3), &read->m_blocks[2]);
    EXPECT_EQ(read->FindBlockById(4), nullptr);
    EXPECT_EQ(read->FindBlockById(0xFFFFFFFFu), nullptr);
}

TEST(MapFile, EveryTruncationIsRefusedWithoutTouchingTheOpenMap) {
    ScratchDir dir;
    auto open = BuildEveryKindMap();
    const Bytes before = WriteToBytes(*open, {9, 9});
    const Bytes whole = WriteToBytes(*BuildEveryKindMap(), {0xFF, 0xD8, 0xFF, 0xE0});
    const std::string path = dir.str() + "corto.map";
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        WriteFile(path, Bytes(whole.begin(), whole.begin() + static_cast<long>(cut)));
        std::vector<std::uint8_t> picture{7};
        Problem error;
        auto loaded = LoadMapFile(path, open->m_counters, picture, error);
        EXPECT_EQ(loaded, nullptr) << "cut at " << cut;
        EXPECT_TRUE(IsSpanishRefusal(error.Text())) << "cut at " << cut << ": " << error.Text();
        EXPECT_TRUE(picture.empty());
        if (loaded || !IsSpanishRefusal(error.Text()))
            break;
    }
    EXPECT_EQ(WriteToBytes(*open, {9, 9}), before);

    WriteFile(path, whole);
    std::vector<std::uint8_t> picture;
    Problem error;
    EXPECT_NE(LoadMapFile(path, {}, picture, error), nullptr) << error.Text();
    EXPECT_EQ(picture, (Bytes{0xFF, 0xD8, 0xFF, 0xE0}));
}

TEST(MapFile, MissingOrUnreadableFileGivesAMessage) {
    ScratchDir dir;
    std::vector<std::uint8_t> picture;
    Problem error;
    EXPECT_EQ(LoadMapFile(dir.str() + "no.map", {}, picture, error), nullptr);
    EXPECT_EQ(error.Text(), "Error inesperado al leer no.map.");
    EXPECT_EQ(LoadMapFile(dir.str(), {}, picture, error), nullptr); // a folder
    EXPECT_TRUE(error);
}

TEST(MapFile, CatalogueTakesOnlyFilesWhoseNumbersFitAfterTheTexts) {
    ScratchDir dir;
    auto header = [&dir](const Bytes& bytes, Problem* error = nullptr) {
        WriteFile(dir.path() / "x.map", bytes);
        MapHeader h;
        Problem reason;
        const bool ok = ReadMapHeader(dir.str() + "x.map", h, reason);
        if (error)
            *error = reason;
        return ok ? h.country + "/" + h.state + "/" + h.town : std::string();
    };
    // Real maps of every version, the smallest possible one included.
    EXPECT_EQ(header(WriteToBytes(*BuildEveryKindMap(), {1, 2, 3})),
              BuildEveryKindMap()->m_strCountry + "/" + BuildEveryKindMap()->m_strState + "/" +
                  BuildEveryKindMap()->m_strTown);
    EXPECT_EQ(header(EmptyMapBytes(1)), "A/B/C");
    EXPECT_FALSE(header(HandMadeFile(std::nullopt, 12)).empty());
    EXPECT_FALSE(header(HandMadeFile(3, 2)).empty());

    // Three texts followed by numbers no map has, or by too few bytes.
    Problem error;
    const Bytes texts = ByteBuilder().Text("Ruido").Text("de").Text("fondo").bytes();
    const Bytes fake[] = {
        texts,
        ByteBuilder().Raw(texts).I32(1).I32(0x7FFFFFFF).Raw(Bytes(64, 0)).bytes(),
        ByteBuilder().Raw(texts).I32(1).I32(-3).Raw(Bytes(64, 0)).bytes(),
        ByteBuilder().Raw(texts).I32(5000).Raw(Bytes(64, 0)).bytes(),
        // A version 1 file with no blocks still needs its counters.
        ByteBuilder().Raw(texts).I32(1).I32(0).Raw(Bytes(40, 0)).bytes(),
    };
    for (const Bytes& bytes : fake) {
        EXPECT_EQ(header(bytes, &error), "");
        EXPECT_TRUE(IsSpanishRefusal(error.Text())) << error.Text();
    }

    // Random bytes after three short texts are never a town.
    std::uint32_t seed = 12345;
    int taken = 0;
    for (int file = 0; file < 200; ++file) {
        ByteBuilder b;
        b.Text("a").Text("b").Text("c");
        for (int i = 0; i < 200; ++i) {
            seed = seed * 1664525u + 1013904223u;
            b.U8(static_cast<std::uint8_t>(seed >> 24));
        }
        taken += header(b.bytes()).empty() ? 0 : 1;
    }
    EXPECT_EQ(taken, 0);
}

namespace {

// A map file cut right after a count, with that count set to an absurd value
// and zero bytes after it up to 100 bytes.
struct HugeCountCase {
    const char* name;
    Bytes head;
};

Bytes Pad100(Bytes bytes) {
    if (bytes.size() < 100)
        bytes.resize(100, 0);
    return bytes;
}

Bytes Head(std::initializer_list<std::int32_t> counts, std::int32_t huge) {
    ByteBuilder b;
    b.Text("P").Text("E").Text("T").I32(1);
    for (auto c : counts)
        b.I32(c);
    b.I32(huge);
    return b.bytes();
}

class HugeCounts : public testing::TestWithParam<HugeCountCase> {};

} // namespace

TEST_P(HugeCounts, RefusedBeforeAnythingLargeIsAllocated) {
    const Bytes bytes = Pad100(GetParam().head);
    Problem error;
    ResetLargestAllocation();
    auto store = ReadFromBytes(bytes, error);
    const std::size_t largest = LargestAllocation();
    EXPECT_EQ(store, nullptr);
    EXPECT_TRUE(IsSpanishRefusal(error.Text())) << error.Text();
    EXPECT_LT(largest, 4096u) << "allocated " << largest << " bytes for a 100-byte file";
}

INSTANTIATE_TEST_SUITE_P(
    MapFile, HugeCounts,
    testing::Values(
        HugeCountCase{"Blocks", Head({}, 0x7FFFFFFF)},
        HugeCountCase{"BlocksWithoutVersion",
                      ByteBuilder().Text("").Text("").Text("").I32(0x7FFFFFFF).bytes()},
        HugeCountCase{"NegativeBlocks", Head({}, -5)},
        HugeCountCase{"BlockPoints", Head({1}, 0x7FFFFFFF)},
        HugeCountCase{"Labels", Head({0}, 0x7FFFFFFF)},
        HugeCountCase{"Streets", Head({0, 0}, 0x7FFFFFFF)},
        HugeCountCase{"StreetPoints",
                      ByteBuilder().Raw(Head({0, 0}, 1)).F32(1).Text("c").I32(0x7FFFFFFF).bytes()},
        HugeCountCase{"References", Head({0, 0, 0}, 0x7FFFFFFF)},
        HugeCountCase{"Routes", Head({0, 0, 0, 0}, 0x7FFFFFFF)},
        HugeCountCase{"Stations", ByteBuilder()
                                      .Raw(Head({0, 0, 0, 0}, 1))
                                      .F32(1)
                                      .Text("r")
                                      .I32(0)
                                      .I32(0x7FFFFFFF)
                                      .bytes()},
        HugeCountCase{"Categories", Head({0, 0, 0, 0, 0}, -1)},
        HugeCountCase{"Businesses",
                      ByteBuilder().Raw(Head({0, 0, 0, 0, 0}, 1)).Text("c").I32(-1).bytes()},
        HugeCountCase{"Colonies", Head({0, 0, 0, 0, 0, 0}, 0x7FFFFFFF)},
        HugeCountCase{"Zones", Head({0, 0, 0, 0, 0, 0, 0}, 0x7FFFFFFF)},
        HugeCountCase{
            "ZoneIds",
            ByteBuilder().Raw(Head({0, 0, 0, 0, 0, 0, 0}, 1)).Text("z").Text("").I32(-1).bytes()},
        HugeCountCase{"Picture", Head({0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1}, 0x7FFFFFFF)},
        HugeCountCase{"TextLength", ByteBuilder().U8(0xFF).U8(0xFF).U8(0xFF).I32(-1).bytes()},
        HugeCountCase{
            "Utf16TextLength",
            ByteBuilder().U8(0xFF).U8(0xFE).U8(0xFF).U8(0xFF).U8(0xFF).U8(0xFF).I32(-1).bytes()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MapFile, VersionZeroFileWithManyPlainBusinessesReads) {
    // Businesses without numbers take 22 bytes when every text is empty; a
    // category of them at the end of a file must not be taken for damage.
    ByteBuilder b;
    b.Text("").Text("").Text("").I32(10);
    for (int i = 0; i < 10; ++i)
        b.I32(0).I32(1).F32(1).I32(1);
    b.I32(0).I32(0).I32(0).I32(0);
    b.I32(1).Text("").I32(40);
    for (int i = 0; i < 40; ++i)
        b.Text("").I32(1).I32(1).F32(1).Text("").Text("").Text("").Text("").I32(0).Text("");
    b.I32(0).I32(0).I32(0);
    Problem error;
    auto store = ReadFromBytes(b.bytes(), error);
    ASSERT_NE(store, nullptr) << error.Text();
    EXPECT_EQ(store->m_directory.m_listCategories[0]->m_listBusinesses.size(), 40u);
    EXPECT_EQ(store->m_counters.business, 41u);
}
