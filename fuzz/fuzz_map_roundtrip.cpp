// A map that reads must survive being written and read again unchanged: every
// field of every record, floats compared by their bits (NaN payloads included),
// and a second write must give the same bytes as the first.

#include "archive.h"
#include "map_file.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

namespace {

[[noreturn]] void Differs(const char* what) {
    std::fprintf(stderr, "roundtrip difference: %s\n", what);
    std::abort();
}

void Check(bool same, const char* what) {
    if (!same)
        Differs(what);
}

bool SameFloat(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

void CompareTrace(const CmCalles& a, const CmCalles& b) {
    Check(SameFloat(a.m_fZoom, b.m_fZoom), "street zoom");
    Check(a.m_strName == b.m_strName, "street name");
    Check(a.m_points == b.m_points, "street points");
    Check(a.m_crColor == b.m_crColor, "street colour");
    Check(a.m_bShow == b.m_bShow, "street show flag");
}

void ComparePlace(const CmPlace& a, const CmPlace& b) {
    Check(a.m_strName == b.m_strName, "place name");
    Check(a.m_x == b.m_x && a.m_y == b.m_y, "place position");
    Check(SameFloat(a.m_fZoom, b.m_fZoom), "place zoom");
    Check(a.m_bHighlight == b.m_bHighlight, "place highlight");
}

template <typename T, typename Compare>
void CompareList(const std::vector<std::unique_ptr<T>>& a, const std::vector<std::unique_ptr<T>>& b,
                 Compare compare, const char* what) {
    Check(a.size() == b.size(), what);
    for (std::size_t i = 0; i < a.size(); ++i)
        compare(*a[i], *b[i]);
}

void CompareStores(const MapStore& a, const MapStore& b) {
    Check(a.m_strCountry == b.m_strCountry, "country");
    Check(a.m_strState == b.m_strState, "state");
    Check(a.m_strTown == b.m_strTown, "town");
    Check(a.m_strTitle == b.m_strTitle, "title");
    Check(b.m_nFileVersion == 1, "version written");
    Check(a.m_counters == b.m_counters, "counters");
    Check(a.m_rcBlocks == b.m_rcBlocks, "block bounds");

    Check(a.m_blocks.size() == b.m_blocks.size(), "block count");
    for (std::size_t i = 0; i < a.m_blocks.size(); ++i) {
        const CmBlock& x = a.m_blocks[i];
        const CmBlock& y = b.m_blocks[i];
        const std::span<const FloatPoint> xp = a.Outline(x);
        const std::span<const FloatPoint> yp = b.Outline(y);
        Check(xp.size() == x.m_nPoints && xp.size() == yp.size(), "block point count");
        for (std::size_t k = 0; k < xp.size(); ++k)
            Check(SameFloat(xp[k].x, yp[k].x) && SameFloat(xp[k].y, yp[k].y), "block point");
        Check(x.m_nType == y.m_nType, "block type");
        Check(SameFloat(x.m_fScale, y.m_fScale), "block scale");
        Check(x.m_nReserved == y.m_nReserved, "block reserved value");
        Check(x.m_nId == y.m_nId, "block id");
        Check(x.m_crFill == y.m_crFill, "block colour");
        Check(x.m_bSelected == y.m_bSelected, "block selection");
    }

    Check(a.m_labels.size() == b.m_labels.size(), "label count");
    for (std::size_t i = 0; i < a.m_labels.size(); ++i) {
        const CmStname& x = a.m_labels[i];
        const CmStname& y = b.m_labels[i];
        Check(x.m_x == y.m_x && x.m_y == y.m_y, "label position");
        Check(SameFloat(x.m_fAngle, y.m_fAngle), "label angle");
        Check(x.m_strText == y.m_strText, "label text");
        Check(x.m_crColor == y.m_crColor, "label colour");
    }

    CompareList(a.m_listStreets, b.m_listStreets, CompareTrace, "street count");
    CompareList(a.m_listReferences, b.m_listReferences, ComparePlace, "reference count");
    CompareList(a.m_listColonies, b.m_listColonies, ComparePlace, "colony count");
    CompareList(
        a.m_listRoutes, b.m_listRoutes,
        [](const CmVias& x, const CmVias& y) {
            CompareTrace(x, y);
            Check(x.m_stations == y.m_stations, "stations");
            Check(x.m_nRouteNo == y.m_nRouteNo, "route number");
        },
        "route count");
    CompareList(
        a.m_listZones, b.m_listZones,
        [](const CmZonas& x, const CmZonas& y) {
            Check(x.m_strName == y.m_strName, "zone name");
            Check(x.m_strNotes == y.m_strNotes, "zone notes");
            Check(x.m_blockIds == y.m_blockIds, "zone block ids");
            Check(x.m_nZoneNo == y.m_nZoneNo, "zone number");
        },
        "zone count");

    Check(a.m_directory.m_pCurrent == nullptr && b.m_directory.m_pCurrent == nullptr,
          "current category after a load");
    CompareList(
        a.m_directory.m_listCategories, b.m_directory.m_listCategories,
        [](const CmClasificados& x, const CmClasificados& y) {
            Check(x.m_strName == y.m_strName, "category name");
            Check(x.m_pCurrent == nullptr && y.m_pCurrent == nullptr,
                  "current business after a load");
            CompareList(
                x.m_listBusinesses, y.m_listBusinesses,
                [](const CmNegocios& p, const CmNegocios& q) {
                    Check(p.m_x == q.m_x && p.m_y == q.m_y, "business position");
                    Check(SameFloat(p.m_fZoom, q.m_fZoom), "business zoom");
                    Check(p.m_strName == q.m_strName && p.m_strExtra1 == q.m_strExtra1 &&
                              p.m_strExtra2 == q.m_strExtra2 &&
                              p.m_strComments == q.m_strComments && p.m_strPhone == q.m_strPhone &&
                              p.m_strExtra3 == q.m_strExtra3,
                          "business texts");
                    Check(p.m_nBusinessNo == q.m_nBusinessNo, "business number");
                    Check(p.m_bHighlight == q.m_bHighlight, "business highlight");
                },
                "business count");
        },
        "category count");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::unique_ptr<MapStore> first;
    std::vector<std::uint8_t> picture;
    try {
        ArchiveReader in(std::span<const std::uint8_t>(data, size));
        first = ReadMap(in, MapCounters{}, picture);
    } catch (const MapFileError&) {
        return 0; // refused input: fuzz_map_load covers that side
    }

    // The write puts the named lists in name order; the comparison below is
    // with the store as written.
    ArchiveWriter out;
    WriteMap(out, *first, picture);
    const std::vector<std::uint8_t> written = out.Bytes();
    // The write leaves the store as it is and sorts only what it writes.
    first->SortListsByName();

    std::unique_ptr<MapStore> second;
    std::vector<std::uint8_t> secondPicture;
    try {
        ArchiveReader in(written, "roundtrip.map");
        second = ReadMap(in, MapCounters{}, secondPicture);
    } catch (const MapFileError& e) {
        std::fprintf(stderr, "written map does not read back: %s\n", e.what());
        std::abort();
    }
    Check(picture == secondPicture, "picture");
    CompareStores(*first, *second);

    ArchiveWriter again;
    WriteMap(again, *second, secondPicture);
    Check(again.Bytes() == written, "second write");
    return 0;
}
