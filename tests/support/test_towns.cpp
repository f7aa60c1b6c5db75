#include "test_towns.h"

#include "byte_builder.h"
#include "map_save.h"

std::vector<FloatPoint> Outline(std::initializer_list<float> xy) {
    std::vector<FloatPoint> points;
    for (auto it = xy.begin(); it != xy.end(); it += 2)
        points.push_back({*it, *(it + 1)});
    return points;
}

CmBlock& AddBlock(MapStore& store, std::initializer_list<float> xy, std::int32_t type) {
    return store.AddBlock(Outline(xy), type);
}

CmBlock& AddBlock(MapStore& store, float x0, float y0, float x1, float y1, int type) {
    return AddBlock(store, {x0, y0, x1, y0, x1, y1, x0, y1, x0, y0}, type);
}

CmCalles& AddStreet(MapStore& store, const std::string& name, float zoom,
                    std::vector<MapPoint> points) {
    auto street = std::make_unique<CmCalles>();
    street->m_strName = name;
    street->m_fZoom = zoom;
    street->m_points = std::move(points);
    store.m_listStreets.push_back(std::move(street));
    return *store.m_listStreets.back();
}

MapStore MakeStore() {
    MapStore store;
    store.m_strMapName = "prueba";
    return store;
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

    // Traced as the tool starts a trace: the first point twice.
    for (const char* name : {"Zaragoza", "Álamo", "Ñandú", "alameda", "Benito Juárez"})
        AddStreet(*store, name, 3.5f, {{1, 2}, {1, 2}, {-40, 70}});
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

void FillTestTown(MapStore& store, const TestMapContents& contents) {
    store.m_strCountry = contents.country;
    store.m_strState = contents.state;
    store.m_strTown = contents.town;
    store.ClearBlocks();
    const auto square = [&store](float x, float y, float side, int type) {
        AddBlock(store, {x, y, x + side, y, x + side, y + side, x, y + side}, type);
    };
    square(-200, -200, 150, 1);
    square(50, -200, 150, 2);
    square(-200, 50, 150, 3);
    square(50, 50, 150, 1);

    // Names already in name order, so the saved file keeps this order.
    AddStreet(store, "Avenida Juárez", 7.5f, {{-300, 0}, {300, 0}});
    AddStreet(store, "Calle Hidalgo", 3.0f, {{-300, 0}, {300, 0}});
    store.m_listReferences.push_back(std::make_unique<CmRefe>(10, 20, 8, "Mercado"));
    store.m_listReferences.push_back(std::make_unique<CmRefe>(-40, 60, 18, "Zócalo"));
    store.m_listColonies.push_back(std::make_unique<CmColonias>(100, 100, 5, "Centro"));
    for (const char* name : {"Alameda", "", "Norte"}) {
        auto route = std::make_unique<CmVias>(Rgb(255, 0, 0));
        route->m_strName = name;
        route->m_points = {{0, 0}, {100, 100}};
        store.m_listRoutes.push_back(std::move(route));
    }
    store.m_listZones.push_back(
        std::make_unique<CmZonas>("Mercados", "Zona de abasto", store.m_counters));
    store.m_listZones.push_back(std::make_unique<CmZonas>("Parques", "", store.m_counters));
    CmClasificados& category = store.m_directory.AddCategory("Farmacias");
    category.AddBusiness(std::make_unique<CmNegocios>(30, 40, 12, "Farmacia Luz", "Centro",
                                                      "555-0101", store.m_counters));
    category.AddBusiness(std::make_unique<CmNegocios>(60, 80, 16, "Botica Sol", "Norte", "555-0102",
                                                      store.m_counters));
    store.m_directory.AddCategory("Escuelas");
}

std::string WriteTestMap(const std::string& path, const TestMapContents& contents) {
    MapStore store;
    FillTestTown(store, contents);
    Problem error;
    if (!SaveMapFile(store, path, {}, error))
        return error ? error.Text() : std::string("no se pudo guardar");
    return {};
}
