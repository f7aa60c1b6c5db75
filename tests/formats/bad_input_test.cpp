// Imports that cannot work say why in Spanish and make nothing: unreadable and
// unknown files, damaged data, sources without blocks, a missing coordinate
// system, fields a preset asks for and the layer lacks.

#include "gis_fixtures.h"
#include "osm_town.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class BadImport : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    void WriteFile(const QString& name, const QByteArray& bytes) {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // Runs an import that must fail, and gives its message.
    QString Refused(const CGisPreset& preset, const QStringList& sources, GisImportError expected,
                    const QString& crs = {}) {
        GisImportOptions options;
        options.sources = sources;
        options.crs = crs;
        CGisImport importer(preset, options);
        EXPECT_FALSE(importer.Run());
        EXPECT_EQ(importer.Error(), expected) << importer.ErrorString().toStdString();
        EXPECT_TRUE(importer.Georeference().isEmpty());
        return importer.ErrorString();
    }

    QTemporaryDir m_dir;
};

TEST_F(BadImport, UnreadableAndUnknownFiles) {
    const auto osm = ShippedPreset("osm");
    const QString missing = Path(QStringLiteral("no-existe.osm"));
    EXPECT_EQ(Refused(*osm, {missing}, GisImportError::Unreadable),
              QStringLiteral("No se puede leer el archivo %1.").arg(missing));

    WriteFile(QStringLiteral("notas.txt"), "Lista de compras: pan, leche.\n");
    EXPECT_EQ(Refused(*osm, {Path(QStringLiteral("notas.txt"))}, GisImportError::Unreadable),
              QStringLiteral("%1 no está en ningún formato geográfico conocido.")
                  .arg(Path(QStringLiteral("notas.txt"))));

    // An extract cut short in the middle of a way.
    const QByteArray town = TestTownOsm();
    WriteFile(QStringLiteral("cortado.osm"), town.left(town.indexOf("<way") + 40));
    const QString damaged =
        Refused(*osm, {Path(QStringLiteral("cortado.osm"))}, GisImportError::Unreadable);
    EXPECT_TRUE(
        damaged.startsWith(Path(QStringLiteral("cortado.osm")) + QStringLiteral(" está dañado")))
        << damaged.toStdString();
}

TEST_F(BadImport, NothingToMakeBlocksFrom) {
    // Only the framework's service points: neither polygons nor lines.
    std::vector<TestLayer> layers(1);
    layers[0] = {"16sip", wkbPoint, {"GEOGRAFICO", "NOMSERV"}, {}};
    layers[0].features.push_back({PointAt(10, 10), {"Templo", "Templo del Carmen"}});
    WriteLayers(QStringLiteral("ESRI Shapefile"), Path(QStringLiteral("16sip.shp")), 6372, layers);
    const auto inegi = ShippedPreset("inegi");
    EXPECT_EQ(Refused(*inegi, {Path(QStringLiteral("16sip.shp"))}, GisImportError::NoGeometry),
              QStringLiteral("Las fuentes no tienen polígonos de manzanas ni líneas de calles de "
                             "donde sacarlas."));

    // One street encloses nothing.
    WriteFile(QStringLiteral("calle.osm"),
              "<?xml version=\"1.0\"?>\n<osm version=\"0.6\">\n"
              "<node id=\"1\" lat=\"19.70\" lon=\"-101.19\"/>\n"
              "<node id=\"2\" lat=\"19.70\" lon=\"-101.18\"/>\n"
              "<way id=\"3\"><nd ref=\"1\"/><nd ref=\"2\"/>"
              "<tag k=\"highway\" v=\"residential\"/><tag k=\"name\" v=\"Calle Única\"/></way>\n"
              "</osm>\n");
    const auto osm = ShippedPreset("osm");
    EXPECT_EQ(Refused(*osm, {Path(QStringLiteral("calle.osm"))}, GisImportError::NoBlocks),
              QStringLiteral("Las calles de las fuentes no encierran ninguna manzana."));
}

TEST_F(BadImport, LayerWithoutCoordinateSystemNeedsOne) {
    std::vector<TestLayer> layers(1);
    layers[0] = {"16m", wkbPolygon, {"CVEGEO", "TIPOMZA"}, {}};
    layers[0].features.push_back({Square(0, 0, 90, 90), {"1", "Típica"}});
    // Written in degrees but without saying so, as a shapefile without its .prj.
    WriteLayers(QStringLiteral("ESRI Shapefile"), Path(QStringLiteral("16m.shp")), 0, layers);
    const auto inegi = ShippedPreset("inegi");
    const QString source = Path(QStringLiteral("16m.shp"));
    EXPECT_EQ(Refused(*inegi, {source}, GisImportError::MissingCrs),
              QStringLiteral("La capa «16m» de 16m.shp no dice su sistema de coordenadas: "
                             "indíquelo con --crs EPSG:N."));
    EXPECT_EQ(Refused(*inegi, {source}, GisImportError::BadCrs, QStringLiteral("EPSG:99999999")),
              QStringLiteral("«EPSG:99999999» no es un sistema de coordenadas conocido."));
    const auto store = ImportOk(*inegi, {source}, nullptr, QStringLiteral("EPSG:4326"));
    ASSERT_TRUE(store);
    ASSERT_EQ(store->m_blocks.size(), 1u);
    // A 90 m square, whatever the projection did to it.
    const MapRect box = store->m_rcBlocks.Normalized();
    EXPECT_NEAR(box.Width() * 2.001555, 90, 3);
}

TEST_F(BadImport, MissingFieldIsNamed) {
    std::vector<TestLayer> layers(2);
    layers[0] = {"16m", wkbPolygon, {"CVEGEO", "TIPOMZA"}, {}};
    layers[0].features.push_back({Square(0, 0, 90, 90), {"1", "Típica"}});
    // Another edition: the street name is NOMBRE, not NOMVIAL.
    layers[1] = {"16e", wkbLineString, {"NOMBRE", "TIPOVIAL"}, {}};
    layers[1].features.push_back({LineThrough({0, 95, 90, 95}), {"Hidalgo", "Calle"}});
    WriteLayers(QStringLiteral("GPKG"), Path(QStringLiteral("marco.gpkg")), 6372, layers);
    const auto inegi = ShippedPreset("inegi");
    EXPECT_EQ(Refused(*inegi, {Path(QStringLiteral("marco.gpkg"))}, GisImportError::MissingField),
              QStringLiteral("En la capa «16e» de marco.gpkg falta el campo NOMVIAL que pide el "
                             "preajuste «inegi»."));
}

} // namespace
