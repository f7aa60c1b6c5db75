// A town from the statistics office's framework: block, street and service
// layers as shapefiles or in one GeoPackage, in the office's own projection,
// and the business directory as CSV with latitude and longitude.

#include "codepage.h"
#include "gis_fixtures.h"
#include "gis_source.h"
#include "osm_town.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <map>
#include <set>

namespace {

constexpr int kMexicoLcc = 6372; // ITRF2008 / LCC

// Field names as one edition writes them; another writes them in lower case.
std::string F(const char* name, bool lower) {
    return lower ? QString::fromLatin1(name).toLower().toStdString() : name;
}

std::vector<TestLayer> FrameworkLayers(bool lower) {
    std::vector<TestLayer> layers;
    TestLayer blocks{
        "16m", wkbUnknown, {F("CVEGEO", lower), F("TIPOMZA", lower), F("CVE_AGEB", lower)}, {}};
    const char* agebs[] = {"0010", "0010", "0029", "0029"};
    int n = 0;
    for (double y : {5.0, 105.0}) {
        for (double x : {5.0, 105.0}) {
            blocks.features.push_back({Square(x, y, x + 90, y + 90),
                                       {"160010001000" + std::to_string(n), "Típica", agebs[n]}});
            ++n;
        }
    }
    // One feature with two parts gives two blocks.
    auto pair = std::make_unique<OGRMultiPolygon>();
    pair->addGeometryDirectly(Square(205, 5, 245, 95).release());
    pair->addGeometryDirectly(Square(255, 5, 295, 95).release());
    blocks.features.push_back({std::move(pair), {"1600100010004", "Atípica", "0029"}});
    // A ring that crosses itself is repaired into two triangles.
    blocks.features.push_back(
        {PolygonOf({205, 105, 295, 195, 295, 105, 205, 195}), {"1600100010005", "Típica", "0029"}});
    layers.push_back(std::move(blocks));

    TestLayer streets{"16e", wkbLineString, {F("NOMVIAL", lower), F("TIPOVIAL", lower)}, {}};
    streets.features.push_back({LineThrough({0, 100, 300, 100}), {"Niños Héroes", "Calle"}});
    streets.features.push_back({LineThrough({100, 0, 100, 200}), {"Juárez", "Avenida"}});
    streets.features.push_back({LineThrough({0, 0, 300, 0}), {"Ninguno", "Calle"}});
    layers.push_back(std::move(streets));

    TestLayer services{"16sip", wkbPoint, {F("GEOGRAFICO", lower), F("NOMSERV", lower)}, {}};
    services.features.push_back(
        {PointAt(50, 150), {"Templo", "Templo de Nuestra Señora de la Salud"}});
    services.features.push_back({PointAt(150, 50), {"Mercado", "Mercado Hidalgo"}});
    services.features.push_back({PointAt(250, 50), {"Escuela", "Ninguno"}});
    layers.push_back(std::move(services));

    TestLayer areas{"16sia", wkbPolygon, {F("GEOGRAFICO", lower), F("NOMSERV", lower)}, {}};
    areas.features.push_back({Square(100, 100, 200, 200), {"Jardín", "Jardín Morelos"}});
    layers.push_back(std::move(areas));

    TestLayer localities{"16l", wkbPolygon, {F("NOMGEO", lower), F("CVE_ENT", lower)}, {}};
    localities.features.push_back({Square(-50, -50, 350, 250), {"Santa Clara del Cobre", "16"}});
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

} // namespace
