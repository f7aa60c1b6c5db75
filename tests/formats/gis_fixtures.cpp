#include "gis_fixtures.h"

#include "osm_town.h"

#include <gtest/gtest.h>

#include <QFile>

std::unique_ptr<OGRGeometry> PointAt(double east, double north) {
    const LonLat p = TownPoint(east, north);
    return std::make_unique<OGRPoint>(p.lon, p.lat);
}

namespace {

std::unique_ptr<OGRLinearRing> RingOf(std::initializer_list<double> eastNorth) {
    auto ring = std::make_unique<OGRLinearRing>();
    for (auto it = eastNorth.begin(); it != eastNorth.end(); it += 2) {
        const LonLat p = TownPoint(*it, *(it + 1));
        ring->addPoint(p.lon, p.lat);
    }
    ring->closeRings();
    return ring;
}

} // namespace

std::unique_ptr<OGRGeometry> LineThrough(std::initializer_list<double> eastNorth) {
    auto line = std::make_unique<OGRLineString>();
    for (auto it = eastNorth.begin(); it != eastNorth.end(); it += 2) {
        const LonLat p = TownPoint(*it, *(it + 1));
        line->addPoint(p.lon, p.lat);
    }
    return line;
}

std::unique_ptr<OGRGeometry> PolygonOf(std::initializer_list<double> eastNorth) {
    auto polygon = std::make_unique<OGRPolygon>();
    polygon->addRingDirectly(RingOf(eastNorth).release());
    return polygon;
}

std::unique_ptr<OGRGeometry> Square(double x0, double y0, double x1, double y1) {
    return PolygonOf({x0, y0, x1, y0, x1, y1, x0, y1});
}

void WriteLayers(const QString& driverName, const QString& path, int epsg,
                 std::vector<TestLayer>& layers) {
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName.toUtf8().constData());
    ASSERT_TRUE(driver);
    GDALDatasetUniquePtr dataset(
        driver->Create(QFile::encodeName(path).constData(), 0, 0, 0, GDT_Unknown, nullptr));
    ASSERT_TRUE(dataset) << CPLGetLastErrorMsg();
    OGRSpatialReference wgs84;
    wgs84.importFromEPSG(4326);
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    OGRSpatialReference target;
    std::unique_ptr<OGRCoordinateTransformation> project;
    if (epsg != 0) {
        target.importFromEPSG(epsg);
        target.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        project.reset(OGRCreateCoordinateTransformation(&wgs84, &target));
        ASSERT_TRUE(project);
    }
    const char* const options[] = {"ENCODING=UTF-8", nullptr};
    for (TestLayer& layer : layers) {
        OGRLayer* out = dataset->CreateLayer(
            layer.name.c_str(), epsg != 0 ? &target : nullptr, layer.type,
            driverName == QLatin1String("ESRI Shapefile") ? const_cast<char**>(options) : nullptr);
        ASSERT_TRUE(out) << CPLGetLastErrorMsg();
        for (const std::string& field : layer.fields) {
            OGRFieldDefn defn(field.c_str(), OFTString);
            ASSERT_EQ(out->CreateField(&defn), OGRERR_NONE);
        }
        for (TestFeature& f : layer.features) {
            OGRFeature feature(out->GetLayerDefn());
            for (std::size_t i = 0; i < f.values.size(); ++i)
                feature.SetField(static_cast<int>(i), f.values[i].c_str());
            if (project) {
                ASSERT_EQ(f.geometry->transform(project.get()), OGRERR_NONE);
            }
            feature.SetGeometry(f.geometry.get());
            ASSERT_EQ(out->CreateFeature(&feature), OGRERR_NONE);
        }
    }
}

std::unique_ptr<CGisPreset> ShippedPreset(const char* name) {
    QString error;
    auto preset = CGisPreset::Load(QString::fromLatin1(name), error);
    EXPECT_TRUE(preset) << error.toStdString();
    return preset;
}

std::unique_ptr<MapStore> ImportOk(const CGisPreset& preset, const QStringList& sources,
                                   GisImportReport* report, const QString& crs) {
    GisImportOptions options;
    options.sources = sources;
    options.crs = crs;
    CGisImport importer(preset, options);
    auto store = importer.Run();
    EXPECT_TRUE(store) << importer.ErrorString().toStdString();
    if (report)
        *report = importer.Report();
    return store;
}
