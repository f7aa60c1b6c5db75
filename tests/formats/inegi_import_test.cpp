// A town from the statistics office's framework: block, street and service
// layers as shapefiles or in one GeoPackage, in the office's own projection,
// and the business directory as CSV with latitude and longitude.

#include "codepage.h"
#include "gis_fixtures.h"
#include "gis_source.h"
#include "osm_town.h"

#include <gdal_utils.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <map>
#include <set>

namespace {

constexpr int kMexicoLcc = 6372; // ITRF2008 / LCC

// The fields of each layer as the office publishes them. One edition writes
// their names in capitals, another in lower case.
const std::vector<std::string> kBlockFields{"CVEGEO",   "CVE_ENT", "CVE_MUN", "CVE_LOC",
                                            "CVE_AGEB", "CVE_MZA", "AMBITO",  "TIPOMZA"};
const std::vector<std::string> kStreetFields{"CVEGEO",  "CVE_ENT", "CVE_MUN", "CVE_LOC",
                                             "CVEVIAL", "CVESEG",  "NOMVIAL", "TIPOVIAL",
                                             "AMBITO",  "SENTIDO", "TIPOSEN"};
const std::vector<std::string> kServiceFields{"CVEGEO",   "CVE_ENT",   "CVE_MUN",  "CVE_LOC",
                                              "CVE_AGEB", "CVE_MZA",   "CVE_SERV", "NOMSERV",
                                              "TIPO",     "GEOGRAFICO"};
const std::vector<std::string> kLocalityFields{"CVEGEO",  "CVE_ENT", "CVE_MUN",
                                               "CVE_LOC", "NOMGEO",  "AMBITO"};
const std::vector<std::string> kMunicipalityFields{"CVEGEO", "CVE_ENT", "CVE_MUN", "NOMGEO"};
const std::vector<std::string> kStateFields{"CVEGEO", "CVE_ENT", "NOMGEO"};

using Values = std::map<std::string, std::string>;

TestLayer Layer(const std::string& name, OGRwkbGeometryType type,
                const std::vector<std::string>& fields, bool lower) {
    TestLayer layer{name, type, {}, {}};
    for (const std::string& f : fields)
        layer.fields.push_back(lower ? QString::fromStdString(f).toLower().toStdString() : f);
    return layer;
}

// A feature of the town of Morelia's first locality unless `values` say
// otherwise; the fields it does not give stay as a state's layer has them.
void Add(TestLayer& layer, std::unique_ptr<OGRGeometry> geometry, const Values& values) {
    const Values defaults{{"CVE_ENT", "16"},           {"CVE_MUN", "053"},   {"CVE_LOC", "0001"},
                          {"CVE_AGEB", "0010"},        {"AMBITO", "Urbana"}, {"TIPO", "Urbana"},
                          {"SENTIDO", "Dos sentidos"}, {"TIPOSEN", "Doble"}};
    TestFeature feature{std::move(geometry), {}};
    for (const std::string& field : layer.fields) {
        const std::string upper = QString::fromStdString(field).toUpper().toStdString();
        std::string value;
        if (const auto v = values.find(upper); v != values.end())
            value = v->second;
        else if (const auto d = defaults.find(upper); d != defaults.end())
            value = d->second;
        feature.values.push_back(value);
    }
    layer.features.push_back(std::move(feature));
}

std::vector<TestLayer> FrameworkLayers(bool lower) {
    std::vector<TestLayer> layers;
    TestLayer blocks = Layer("16m", wkbUnknown, kBlockFields, lower);
    const char* agebs[] = {"0010", "0010", "0029", "0029"};
    int n = 0;
    for (double y : {5.0, 105.0}) {
        for (double x : {5.0, 105.0}) {
            Add(blocks, Square(x, y, x + 90, y + 90),
                {{"CVEGEO", "160530001" + std::string(agebs[n]) + "00" + std::to_string(n)},
                 {"CVE_MZA", "00" + std::to_string(n)},
                 {"TIPOMZA", "Típica"},
                 {"CVE_AGEB", agebs[n]}});
            ++n;
        }
    }
    // One feature with two parts gives two blocks.
    auto pair = std::make_unique<OGRMultiPolygon>();
    pair->addGeometryDirectly(Square(205, 5, 245, 95).release());
    pair->addGeometryDirectly(Square(255, 5, 295, 95).release());
    Add(blocks, std::move(pair),
        {{"CVEGEO", "1605300010029004"},
         {"CVE_MZA", "004"},
         {"TIPOMZA", "Atípica"},
         {"CVE_AGEB", "0029"}});
    // A ring that crosses itself is repaired into two triangles.
    Add(blocks, PolygonOf({205, 105, 295, 195, 295, 105, 205, 195}),
        {{"CVEGEO", "1605300010029005"},
         {"CVE_MZA", "005"},
         {"TIPOMZA", "Típica"},
         {"CVE_AGEB", "0029"}});
    layers.push_back(std::move(blocks));

    TestLayer streets = Layer("16e", wkbLineString, kStreetFields, lower);
    Add(streets, LineThrough({0, 100, 300, 100}),
        {{"CVEVIAL", "00001"}, {"NOMVIAL", "Niños Héroes"}, {"TIPOVIAL", "Calle"}});
    Add(streets, LineThrough({100, 0, 100, 200}),
        {{"CVEVIAL", "00002"}, {"NOMVIAL", "Juárez"}, {"TIPOVIAL", "Avenida"}});
    Add(streets, LineThrough({0, 0, 300, 0}),
        {{"CVEVIAL", "00003"}, {"NOMVIAL", "Ninguno"}, {"TIPOVIAL", "Calle"}});
    layers.push_back(std::move(streets));

    TestLayer services = Layer("16sip", wkbPoint, kServiceFields, lower);
    Add(services, PointAt(50, 150),
        {{"GEOGRAFICO", "Templo"}, {"NOMSERV", "Templo de Nuestra Señora de la Salud"}});
    Add(services, PointAt(150, 50), {{"GEOGRAFICO", "Mercado"}, {"NOMSERV", "Mercado Hidalgo"}});
    Add(services, PointAt(250, 50), {{"GEOGRAFICO", "Escuela"}, {"NOMSERV", "Ninguno"}});
    layers.push_back(std::move(services));

    TestLayer areas = Layer("16sia", wkbPolygon, kServiceFields, lower);
    Add(areas, Square(100, 100, 200, 200),
        {{"GEOGRAFICO", "Jardín"}, {"NOMSERV", "Jardín Morelos"}});
    layers.push_back(std::move(areas));

    TestLayer localities = Layer("16l", wkbPolygon, kLocalityFields, lower);
    Add(localities, Square(-50, -50, 350, 250),
        {{"CVEGEO", "160530001"}, {"NOMGEO", "Santa Clara del Cobre"}});
    layers.push_back(std::move(localities));
    return layers;
}

// The directory as published: Windows-1252 text, coordinates in degrees.
void WriteDirectory(const QString& path) {
    QString csv = QStringLiteral("id,nom_estab,nombre_act,telefono,latitud,longitud,nom_vial,"
                                 "numero_ext,nomb_asent\n");
    struct Row {
        const char* name;
        const char* activity;
        const char* phone;
        double east;
        double north;
        const char* street;
        const char* number;
        const char* settlement;
    };
    const Row rows[] = {
        {"ABARROTES LA GUADALUPANA",
         "Comercio al por menor en tiendas de abarrotes, ultramarinos y misceláneas", "4431234567",
         20, 20, "MORELOS", "15", "CENTRO"},
        {"FARMACIA SAN JOSÉ", "Farmacias sin minisúper", "", 120, 20, "JUÁREZ", "", "CENTRO"},
        {"TACOS DOÑA ÑICO", "Servicios de preparación de antojitos", "", 20, 120, "", "", ""},
        {"TALLER EL GÜERO", "Reparación y mantenimiento de maquinaria", "", 120, 120, "HIDALGO",
         "3", ""},
    };
    int id = 0;
    for (const Row& r : rows) {
        const LonLat p = TownPoint(r.east, r.north);
        csv += QStringLiteral("%1,\"%2\",\"%3\",%4,%5,%6,%7,%8,%9\n")
                   .arg(++id)
                   .arg(QString::fromUtf8(r.name), QString::fromUtf8(r.activity),
                        QString::fromUtf8(r.phone))
                   .arg(p.lat, 0, 'f', 8)
                   .arg(p.lon, 0, 'f', 8)
                   .arg(QString::fromUtf8(r.street), QString::fromUtf8(r.number),
                        QString::fromUtf8(r.settlement));
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const auto bytes = Utf8ToCp1252(csv.toStdString());
    ASSERT_TRUE(bytes);
    file.write(bytes->data(), static_cast<qint64>(bytes->size()));
}

class FrameworkImport : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

// Shapefiles with the field names in capitals, or one GeoPackage in lower case.
TEST_P(FrameworkImport, MakesTheTownWithItsNamesAndDirectory) {
    const bool geopackage = GetParam();
    std::vector<TestLayer> layers = FrameworkLayers(geopackage);
    QStringList sources;
    if (geopackage) {
        WriteLayers(QStringLiteral("GPKG"), Path(QStringLiteral("marco.gpkg")), kMexicoLcc, layers);
        sources.append(Path(QStringLiteral("marco.gpkg")));
    } else {
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("shp")));
        WriteLayers(QStringLiteral("ESRI Shapefile"), Path(QStringLiteral("shp")), kMexicoLcc,
                    layers);
        for (const char* name : {"16m", "16e", "16sip", "16sia", "16l"})
            sources.append(Path(QStringLiteral("shp/%1.shp").arg(QString::fromLatin1(name))));
    }
    if (HasFatalFailure())
        return;
    WriteDirectory(Path(QStringLiteral("denue_inegi_16_.csv")));
    sources.append(Path(QStringLiteral("denue_inegi_16_.csv")));

    QList<GisSourceInfo> infos;
    for (const QString& source : sources) {
        GisSourceInfo info;
        QString error;
        ASSERT_TRUE(InspectGisSource(source, nullptr, info, error)) << error.toStdString();
        infos.append(info);
    }
    ASSERT_EQ(GuessGisPreset(infos), QStringLiteral("inegi"));

    const auto preset = ShippedPreset("inegi");
    GisImportReport report;
    const auto store = ImportOk(*preset, sources, &report);
    ASSERT_TRUE(store);
    EXPECT_EQ(store->m_strTown, "Santa Clara del Cobre");
    EXPECT_EQ(store->m_strState, "Michoacán de Ocampo");
    EXPECT_EQ(store->m_strCountry, "México");

    // Four squares, two parts of one feature, and the crossed ring as two triangles.
    ASSERT_EQ(store->m_blocks.size(), 8u);
    EXPECT_EQ(report.repairedRings, 1u);
    int green = 0;
    for (const CmBlock& block : store->m_blocks)
        green += block.m_nType == 2 ? 1 : 0;
    EXPECT_EQ(green, 1); // the block under the garden
    std::map<std::string, std::size_t> zones;
    for (const auto& zone : store->m_listZones)
        zones[zone->m_strName] = zone->m_blockIds.size();
    EXPECT_EQ(zones, (std::map<std::string, std::size_t>{{"AGEB 0010", 2}, {"AGEB 0029", 6}}));

    std::set<std::string> streets;
    for (const auto& s : store->m_listStreets)
        streets.insert(s->m_strName);
    EXPECT_EQ(streets, (std::set<std::string>{"Calle Niños Héroes", "Avenida Juárez"}));
    // The avenue is too short to keep its name clear of the longer street's
    // label where they cross.
    ASSERT_EQ(store->m_labels.size(), 1u);
    EXPECT_EQ(store->m_labels.front().m_strText, "Calle Niños Héroes");
    std::set<std::string> references;
    for (const auto& r : store->m_listReferences)
        references.insert(r->m_strName);
    EXPECT_EQ(references, (std::set<std::string>{"Templo de Nuestra Señora de la Salud",
                                                 "Mercado Hidalgo", "Jardín Morelos"}));

    std::map<std::string, std::string> categoryOf;
    std::map<std::string, std::string> commentOf;
    for (const auto& category : store->m_directory.m_listCategories) {
        for (const auto& b : category->m_listBusinesses) {
            categoryOf[b->m_strName] = category->m_strName;
            commentOf[b->m_strName] = b->m_strComments;
        }
    }
    EXPECT_EQ(categoryOf, (std::map<std::string, std::string>{
                              {"ABARROTES LA GUADALUPANA", "Abarrotes"},
                              {"FARMACIA SAN JOSÉ", "Farmacias"},
                              {"TACOS DOÑA ÑICO", "Restaurantes"},
                              // No table entry fits: the activity names the category.
                              {"TALLER EL GÜERO", "Reparación y mantenimiento de maquinaria"}}));
    EXPECT_EQ(commentOf["ABARROTES LA GUADALUPANA"], "MORELOS 15, CENTRO");
    EXPECT_EQ(commentOf["FARMACIA SAN JOSÉ"], "JUÁREZ, CENTRO");
    EXPECT_EQ(commentOf["TACOS DOÑA ÑICO"], "");
    EXPECT_EQ(commentOf["TALLER EL GÜERO"], "HIDALGO 3");
}

INSTANTIATE_TEST_SUITE_P(ShapefilesAndGeoPackage, FrameworkImport, ::testing::Bool(),
                         [](const auto& info) {
                             return info.param ? std::string("GeoPackage")
                                               : std::string("Shapefiles");
                         });

// Two towns of one state: the locality 0001 of the municipality 053 around
// the origin, and another of another municipality 3 km to the east.
std::vector<TestLayer> StateLayers(bool lower) {
    struct Town {
        double east;
        const char* mun;
        const char* loc;
        const char* locality;
        const char* municipality;
        const char* street;
        const char* school;
    };
    const Town towns[] = {{0, "053", "0001", "Jesús del Monte", "Morelia", "Allende",
                           "Escuela Primaria Benito Juárez"},
                          {3000, "088", "0005", "Uruétaro", "Tarímbaro", "Zaragoza",
                           "Escuela Secundaria Técnica 12"}};
    TestLayer blocks = Layer("16m", wkbPolygon, kBlockFields, lower);
    TestLayer streets = Layer("16e", wkbLineString, kStreetFields, lower);
    TestLayer points = Layer("16sip", wkbPoint, kServiceFields, lower);
    TestLayer areas = Layer("16sia", wkbPolygon, kServiceFields, lower);
    TestLayer localities = Layer("16l", wkbPolygon, kLocalityFields, lower);
    TestLayer municipalities = Layer("16mun", wkbPolygon, kMunicipalityFields, lower);
    TestLayer state = Layer("16ent", wkbPolygon, kStateFields, lower);
    for (const Town& t : towns) {
        const double e = t.east;
        const Values here{{"CVE_MUN", t.mun}, {"CVE_LOC", t.loc}};
        auto with = [&](Values more) {
            more.insert(here.begin(), here.end());
            return more;
        };
        int n = 0;
        for (double y : {5.0, 105.0})
            for (double x : {5.0, 105.0})
                Add(blocks, Square(e + x, y, e + x + 90, y + 90),
                    with(
                        {{"CVEGEO", std::string("16") + t.mun + t.loc + "0010" + std::to_string(n)},
                         {"CVE_MZA", "00" + std::to_string(n++)},
                         {"TIPOMZA", "Típica"}}));
        Add(streets, LineThrough({e, 100, e + 200, 100}),
            with({{"CVEVIAL", "00001"}, {"NOMVIAL", t.street}, {"TIPOVIAL", "Calle"}}));
        Add(points, PointAt(e + 150, 150),
            with({{"CVE_SERV", "001"}, {"GEOGRAFICO", "Escuela"}, {"NOMSERV", t.school}}));
        Add(areas, Square(e, 0, e + 100, 100),
            with({{"CVE_SERV", "002"}, {"GEOGRAFICO", "Parque"}, {"NOMSERV", "Ninguno"}}));
        Add(localities, Square(e - 50, -50, e + 250, 250),
            with({{"CVEGEO", std::string("16") + t.mun + t.loc}, {"NOMGEO", t.locality}}));
        Add(municipalities, Square(e - 1400, -1400, e + 1400, 1400),
            {{"CVEGEO", std::string("16") + t.mun},
             {"CVE_MUN", t.mun},
             {"NOMGEO", t.municipality}});
    }
    // The state layer's own name wins over the table of state names.
    Add(state, Square(-5000, -5000, 8000, 5000), {{"CVEGEO", "16"}, {"NOMGEO", "Michoacán"}});
    std::vector<TestLayer> layers;
    for (TestLayer* l : {&blocks, &streets, &points, &areas, &localities, &municipalities, &state})
        layers.push_back(std::move(*l));
    return layers;
}

struct CutOutCase {
    const char* name;
    bool lower;
    std::vector<const char*> whole; // the state's layers given whole besides the cut-out
    const char* town;
    const char* state;
};

class CutOutImport : public ::testing::TestWithParam<CutOutCase> {
protected:
    QTemporaryDir m_dir;
};

// A town cut out of a state's layers as the README says, under names of the
// person's choosing; the header comes from the layers there are.
TEST_P(CutOutImport, TakesTheTownAndItsHeader) {
    const CutOutCase& c = GetParam();
    ASSERT_TRUE(m_dir.isValid());
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("estado")));
    std::vector<TestLayer> layers = StateLayers(c.lower);
    WriteLayers(QStringLiteral("ESRI Shapefile"), m_dir.filePath(QStringLiteral("estado")),
                kMexicoLcc, layers);
    if (HasFatalFailure())
        return;
    QStringList sources;
    for (const char* layer : {"16m", "16e", "16sip", "16sia"}) {
        const QString from = m_dir.filePath(QStringLiteral("estado/%1.shp").arg(layer));
        const QString to = m_dir.filePath(QStringLiteral("%1-morelia.shp").arg(layer));
        // What `ogr2ogr -where "CVE_MUN='053' AND CVE_LOC='0001'" TO FROM` does.
        const char* args[] = {"-where", "CVE_MUN='053' AND CVE_LOC='0001'", nullptr};
        GDALVectorTranslateOptions* options =
            GDALVectorTranslateOptionsNew(const_cast<char**>(args), nullptr);
        GDALDatasetH source = GDALOpenEx(QFile::encodeName(from).constData(), GDAL_OF_VECTOR,
                                         nullptr, nullptr, nullptr);
        ASSERT_TRUE(source && options);
        int usage = 0;
        GDALDatasetH cut = GDALVectorTranslate(QFile::encodeName(to).constData(), nullptr, 1,
                                               &source, options, &usage);
        ASSERT_TRUE(cut) << CPLGetLastErrorMsg();
        GDALClose(cut);
        GDALClose(source);
        GDALVectorTranslateOptionsFree(options);
        sources.append(to);
    }
    for (const char* layer : c.whole)
        sources.append(m_dir.filePath(QStringLiteral("estado/%1.shp").arg(layer)));

    QList<GisSourceInfo> infos;
    for (const QString& source : sources) {
        GisSourceInfo info;
        QString error;
        ASSERT_TRUE(InspectGisSource(source, nullptr, info, error)) << error.toStdString();
        infos.append(info);
    }
    EXPECT_EQ(GuessGisPreset(infos), QStringLiteral("inegi"));
    GisImportReport report;
    const auto store = ImportOk(*ShippedPreset("inegi"), sources, &report);
    ASSERT_TRUE(store);
    EXPECT_TRUE(report.unusedLayers.isEmpty())
        << report.unusedLayers.join(QStringLiteral(", ")).toStdString();
    EXPECT_EQ(store->m_strTown, c.town);
    EXPECT_EQ(store->m_strState, c.state);
    EXPECT_EQ(store->m_strCountry, "México");

    // Only the town that was cut out, with its park.
    ASSERT_EQ(store->m_blocks.size(), 4u);
    EXPECT_EQ(std::count_if(store->m_blocks.begin(), store->m_blocks.end(),
                            [](const CmBlock& b) { return b.m_nType == 2; }),
              1);
    ASSERT_EQ(store->m_listStreets.size(), 1u);
    EXPECT_EQ(store->m_listStreets.front()->m_strName, "Calle Allende");
    ASSERT_EQ(store->m_listReferences.size(), 1u);
    EXPECT_EQ(store->m_listReferences.front()->m_strName, "Escuela Primaria Benito Juárez");
}

INSTANTIATE_TEST_SUITE_P(
    Layers, CutOutImport,
    ::testing::Values(
        CutOutCase{"LocalityMunicipalityAndState",
                   false,
                   {"16l", "16mun", "16ent"},
                   "Jesús del Monte",
                   "Michoacán"},
        CutOutCase{
            "LowerCaseFields", true, {"16l", "16mun", "16ent"}, "Jesús del Monte", "Michoacán"},
        CutOutCase{"MunicipalityOnly", false, {"16mun"}, "Morelia", "Michoacán de Ocampo"},
        CutOutCase{"BlocksAlone", true, {}, "16m-morelia", "Michoacán de Ocampo"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every block type the office publishes, and every kind of area service, as
// the type of the block.
TEST(InegiBlockTypes, EveryPublishedValueHasItsType) {
    struct Row {
        const char* field; // TIPOMZA on the block, or GEOGRAFICO of an area over it
        const char* value;
        int type;
    };
    const Row rows[] = {
        {"TIPOMZA", "Típica", 1},
        {"TIPOMZA", "Atípica", 1},
        {"TIPOMZA", "Contenedora", 1},
        {"TIPOMZA", "Contenida", 1},
        {"TIPOMZA", "Agrupada", 1},
        {"TIPOMZA", "Económica", 3},
        {"TIPOMZA", "Glorieta", 2},
        {"TIPOMZA", "Camellón", 2},
        {"TIPOMZA", "Parque o jardín", 2},
        {"TIPOMZA", "PARQUE O JARDIN", 2},
        {"TIPOMZA", "Hospital", 4},
        {"TIPOMZA", "Escuela", 4},
        {"TIPOMZA", "Panteón", 2},
        {"TIPOMZA", "Mercado", 3},
        {"TIPOMZA", "Deportivo", 2},
        {"TIPOMZA", "Templo", 4},
        {"TIPOMZA", "Industria", 5},
        {"TIPOMZA", "Cuerpo de agua", 6},
        {"TIPOMZA", "Sin clasificar", 1},
        {"TIPOMZA", "", 1},
        {"GEOGRAFICO", "Escuela", 4},
        {"GEOGRAFICO", "Centro de Salud", 4},
        {"GEOGRAFICO", "Hospital", 4},
        {"GEOGRAFICO", "Jardín", 2},
        {"GEOGRAFICO", "Parque", 2},
        {"GEOGRAFICO", "Mercado", 3},
        {"GEOGRAFICO", "Templo", 4},
        {"GEOGRAFICO", "Plaza", 2},
        {"GEOGRAFICO", "Cementerio", 2},
        {"GEOGRAFICO", "Palacio de Gobierno", 4},
        {"GEOGRAFICO", "Deportivo o Unidad Deportiva", 2},
        {"GEOGRAFICO", "Camellón", 2},
        {"GEOGRAFICO", "Glorieta", 2},
        {"GEOGRAFICO", "Tanque de Agua", 6},
        {"GEOGRAFICO", "Caseta de vigilancia", 1},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TestLayer blocks = Layer("manzanas", wkbPolygon, kBlockFields, true);
    TestLayer areas = Layer("servicios", wkbPolygon, kServiceFields, false);
    int i = 0;
    for (const Row& row : rows) {
        const double x = 100.0 * (i % 8), y = 100.0 * (i / 8);
        const bool block = std::string_view(row.field) == "TIPOMZA";
        Add(blocks, Square(x, y, x + 90, y + 90),
            {{"CVEGEO", "16053000100" + std::to_string(i)},
             {"CVE_MZA", std::to_string(i)},
             {"CVE_AGEB", std::to_string(i)},
             {"TIPOMZA", block ? row.value : "Típica"}});
        if (!block)
            Add(areas, Square(x - 5, y - 5, x + 95, y + 95),
                {{"CVE_SERV", std::to_string(i)},
                 {"GEOGRAFICO", row.value},
                 {"NOMSERV", "Ninguno"}});
        ++i;
    }
    std::vector<TestLayer> layers;
    layers.push_back(std::move(blocks));
    layers.push_back(std::move(areas));
    WriteLayers(QStringLiteral("GPKG"), dir.filePath(QStringLiteral("tipos.gpkg")), kMexicoLcc,
                layers);
    if (HasFatalFailure())
        return;
    const auto store =
        ImportOk(*ShippedPreset("inegi"), {dir.filePath(QStringLiteral("tipos.gpkg"))});
    ASSERT_TRUE(store);
    ASSERT_EQ(store->m_blocks.size(), std::size(rows));
    std::map<std::uint32_t, int> typeOf;
    for (const CmBlock& b : store->m_blocks)
        typeOf[b.m_nId] = b.m_nType;
    std::map<std::string, int> byZone;
    for (const auto& zone : store->m_listZones)
        for (std::uint32_t id : zone->m_blockIds)
            byZone[zone->m_strName] = typeOf[id];
    i = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.field) + " " + row.value);
        EXPECT_EQ(byZone["AGEB " + std::to_string(i++)], row.type);
    }
}

} // namespace
