#include "test_maps.h"

#include <algorithm>
#include <bit>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <unistd.h>

std::vector<FloatPoint> Outline(std::initializer_list<float> xy) {
    std::vector<FloatPoint> points;
    for (auto it = xy.begin(); it != xy.end(); it += 2)
        points.push_back({*it, *(it + 1)});
    return points;
}

CmBlock& AddBlock(MapStore& store, std::initializer_list<float> xy, std::int32_t type) {
    return store.AddBlock(Outline(xy), type);
}

std::unique_ptr<MapStore> BuildEveryKindMap() {
    auto store = std::make_unique<MapStore>();
    store->m_strCountry = "México";
    store->m_strState = "Nuevo León";
    store->m_strTown = "Ciudad 東京";
    store->m_counters = {7, 5, 4, 9};

    AddBlock(*store, {10, 20, 31, 20, 31, 41, 10, 41}, 2);
    AddBlock(*store, {-5.5f, -5.5f, 100.25f, 3.0f}, 7); // two points
    AddBlock(*store, {}, 0);                            // no points
    AddBlock(*store, {200, 200, 260, 200, 230, 250}, 6);

    CmStname label;
    label.m_x = 12;
    label.m_y = -30;
    label.m_fAngle = 1.0f;
    label.m_strText = "Av. Constitución";
    store->m_labels.push_back(label);
    label.m_strText = "";
    label.m_fAngle = -0.25f;
    store->m_labels.push_back(label);

    for (const char* name : {"Zaragoza", "Álamo", "Ñandú", "alameda", "Benito Juárez"}) {
        auto street = std::make_unique<CmCalles>();
        street->m_strName = name;
        street->m_fZoom = 3.5f;
        street->BeginTrace({1, 2});
        street->AddPoint({-40, 70});
        store->m_listStreets.push_back(std::move(street));
    }
    store->m_listReferences.push_back(std::make_unique<CmRefe>(5, 6, 3, "Catedral"));
    store->m_listReferences.push_back(std::make_unique<CmRefe>(-8, 9, 12, "Museo €uro"));
    store->m_listColonies.push_back(std::make_unique<CmColonias>(50, 60, 4, "Obispado"));
    store->m_listColonies.push_back(std::make_unique<CmColonias>(70, 80, 4, "Centro"));

    CmVias trace(Rgb(0, 128, 255));
    trace.BeginRoute({0, 0});
    trace.AddPoint({100, 0});
    trace.AddStation({0, 0}, "Terminal");
    trace.AddStation({100, 0}, "");
    trace.m_strName = "Ruta 2";
    store->m_listRoutes.push_back(std::make_unique<CmVias>(trace, store->m_counters));
    trace.m_strName = "Ruta 1";
    trace.m_stations.clear();
    store->m_listRoutes.push_back(std::make_unique<CmVias>(trace, store->m_counters));

    auto zone = std::make_unique<CmZonas>("Zona Sur", "notas", store->m_counters);
    zone->m_blockIds = {1, 4, 99};
    store->m_listZones.push_back(std::move(zone));
    store->m_listZones.push_back(std::make_unique<CmZonas>("Zona Norte", "", store->m_counters));

    CmDirectorio& dir = store->m_directory;
    dir.AddCategory("Hoteles");
    dir.AddCategory("Farmacias");
    dir.SelectCategory("Farmacias");
    dir.AddBusiness(10, 10, 3, "Farmacia Ñ", "Hidalgo 12", "81 1234", store->m_counters);
    dir.AddBusiness(0, 20, 3, "Sin lugar", "", "", store->m_counters);
    dir.m_listCategories.back()->AddBusiness(std::make_unique<CmNegocios>(
        -30, 40, 5, "Hotel Plaza", "Zaragoza 1", "81 5555", store->m_counters));
    dir.m_listCategories.back()->m_listBusinesses.front()->m_strExtra3 = "extra";
    dir.m_pCurrent = nullptr;
    return store;
}

Bytes WriteToBytes(const MapStore& store, const Bytes& picture) {
    ArchiveWriter out;
    WriteMap(out, store, picture);
    return out.Bytes();
}

std::unique_ptr<MapStore> ReadFromBytes(const Bytes& bytes, std::string& error,
                                        const MapCounters& carried, Bytes* picture) {
    Bytes local;
    try {
        ArchiveReader in(bytes, "prueba.map");
        return ReadMap(in, carried, picture ? *picture : local);
    } catch (const MapFileError& e) {
        error = e.what();
        return nullptr;
    }
}

std::string Repeat(char c, std::size_t n) {
    return std::string(n, c);
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
    if (!f)
        throw std::runtime_error("cannot write " + path.string());
}

Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f)
        throw std::runtime_error("cannot read " + path.string());
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

ScratchDir::ScratchDir() {
    std::random_device rd;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        m_path = base / ("veltrix-test-" + std::to_string(::getpid()) + "-" +
                         std::to_string(rd() % 1000000));
        if (std::filesystem::create_directory(m_path))
            break;
    }
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::vector<std::string> ScratchDir::Entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(m_path))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

ByteBuilder& ByteBuilder::I32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        m_bytes.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
    return *this;
}

ByteBuilder& ByteBuilder::U8(std::uint8_t v) {
    m_bytes.push_back(v);
    return *this;
}

ByteBuilder& ByteBuilder::F32(float v) {
    return I32(std::bit_cast<std::int32_t>(v));
}

ByteBuilder& ByteBuilder::Text(const std::string& cp1252) {
    U8(static_cast<std::uint8_t>(cp1252.size()));
    m_bytes.insert(m_bytes.end(), cp1252.begin(), cp1252.end());
    return *this;
}

ByteBuilder& ByteBuilder::Raw(const Bytes& bytes) {
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return *this;
}

Bytes HandMadeFile(std::optional<std::int32_t> version, std::int32_t blocks) {
    const bool numbered = version == 1;
    ByteBuilder b;
    b.Text("Espa\xF1"
           "a")
        .Text("Le\xF3n")
        .Text("Pueblo");
    if (version)
        b.I32(*version);
    b.I32(blocks);
    for (std::int32_t i = 0; i < blocks; ++i) {
        const float x = static_cast<float>(i) * 10.0f;
        b.I32(3).I32(1 + i % 6).F32(1.0f).I32(1);
        b.F32(x).F32(0).F32(x + 5).F32(0).F32(x).F32(5);
    }
    b.I32(0); // labels
    b.I32(0); // streets
    b.I32(0); // references
    b.I32(1); // routes
    b.F32(3.0f).Text("Ruta vieja").I32(2).I32(0).I32(0).I32(10).I32(10);
    b.I32(1).I32(0xff0000).I32(0).I32(0).Text("Parada");
    if (numbered)
        b.I32(40);
    b.I32(1).Text("Tiendas").I32(2); // directory: one category, two businesses
    for (int i = 0; i < 2; ++i) {
        b.Text(i == 0 ? "Abarrotes"
                      : "Papeler\xED"
                        "a")
            .I32(10 + i)
            .I32(20)
            .F32(3.0f);
        b.Text("").Text("").Text("Calle 5").Text("555").I32(0x7FFFFFFF).Text("");
        if (numbered)
            b.I32(42 + i);
    }
    b.I32(0); // colonies
    b.I32(1); // zones
    b.Text("Zona").Text("").I32(2).I32(1).I32(2);
    if (numbered)
        b.I32(41);
    if (numbered)
        b.I32(100).I32(200).I32(300).I32(400);
    b.I32(0); // picture
    return b.bytes();
}
