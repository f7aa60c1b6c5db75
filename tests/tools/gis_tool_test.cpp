// veltrix-tool import and export, run as a user runs them: an OpenStreetMap
// extract becomes a town with its picture and georeference, the town goes back
// out as GIS layers, and every failure leaves the files as they were.

#include "jpeg_decode.h"
#include "map_file.h"
#include "osm_town.h"
#include "qt_helpers.h"
#include "tool_run.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <set>

namespace {

class GisTool : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QFile file(Path(QStringLiteral("san-isidro.osm")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(TestTownOsm());
    }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QStringList Files() const {
        return QDir(m_dir.path())
            .entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_dir;
};

TEST_F(GisTool, ImportMakesATownAndExportGivesItBack) {
    const QString map = Path(QStringLiteral("pueblo.map"));
    ToolRun run = RunTool({QStringLiteral("import"), Path(QStringLiteral("san-isidro.osm")),
                           QStringLiteral("-o"), map, QStringLiteral("--progress")});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(QLatin1Char('\n'));
    EXPECT_EQ(lines.first(),
              QStringLiteral("%1: 10 manzanas, 13 calles trazadas, 21 etiquetas, 4 referencias, 2 "
                             "colonias, 7 negocios en 6 categorías, 1 ruta con 3 estaciones.")
                  .arg(map));
    EXPECT_EQ(lines.at(1), QStringLiteral("Ciudad: VELTRIX  San Isidro de las Peñas, Michoacán - "
                                          "México (%1)")
                               .arg(Path(QStringLiteral("pueblo.prj"))));
    // The percentage climbs to the end on standard error.
    const QStringList progress = run.err.trimmed().split(QLatin1Char('\n'));
    ASSERT_GE(progress.size(), 3);
    EXPECT_EQ(progress.last(), QStringLiteral("100 %"));

    EXPECT_TRUE(FileBytes(Path(QStringLiteral("pueblo.prj"))).contains("2.001555"));
    Problem error;
    std::vector<std::uint8_t> picture;
    const auto store = LoadMapFile(map.toStdString(), {}, picture, error);
    ASSERT_TRUE(store) << error.Text();
    EXPECT_EQ(store->m_blocks.size(), kTownBlocks);
    EXPECT_EQ(store->m_strTown, "San Isidro de las Peñas");
    // A name Windows-1252 cannot hold comes back whole from the file.
    std::set<std::string> colonies;
    for (const auto& c : store->m_listColonies)
        colonies.insert(c->m_strName);
    EXPECT_TRUE(colonies.count("Barrio Ñuu Yɨvi"));
    // The overview spans the blocks, north up, so its shape is theirs.
    const DecodedJpeg jpeg = DecodeJpeg(picture);
    ASSERT_TRUE(jpeg.ok);
    EXPECT_EQ(jpeg.width, 512);
    const MapRect bounds = store->m_rcBlocks.Normalized();
    EXPECT_NEAR(jpeg.height, 512.0 * bounds.Height() / bounds.Width(), 1.0);

    run = RunTool({QStringLiteral("export"), map, QStringLiteral("-o"),
                   Path(QStringLiteral("capas.geojson")), QStringLiteral("--crs"),
                   QStringLiteral("EPSG:4326")});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed().split(QLatin1Char('\n')).size(), 9);
    for (const char* layer : {"manzanas", "etiquetas", "calles", "referencias", "colonias", "rutas",
                              "estaciones", "negocios", "mapa"})
        EXPECT_TRUE(QFile::exists(Path(QStringLiteral("capas-%1.geojson").arg(layer)))) << layer;
    EXPECT_TRUE(
        FileBytes(Path(QStringLiteral("capas-manzanas.geojson"))).contains("urn:ogc:def:crs:"));

    // And the exported layers make the same town again.
    QStringList again{QStringLiteral("import"), QStringLiteral("-o"),
                      Path(QStringLiteral("otra.map"))};
    for (const QString& f : QDir(m_dir.path()).entryList({QStringLiteral("capas-*.geojson")}))
        again.append(Path(f));
    run = RunTool(again);
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(
        run.out.startsWith(QStringLiteral("%1: 10 manzanas, 13 calles trazadas, 21 etiquetas")
                               .arg(Path(QStringLiteral("otra.map")))))
        << run.out.toStdString();
}

TEST_F(GisTool, HeaderOptionsAndPresetByName) {
    const ToolRun run = RunTool(
        {QStringLiteral("import"), Path(QStringLiteral("san-isidro.osm")), QStringLiteral("-o"),
         Path(QStringLiteral("a.map")), QStringLiteral("--preset"), QStringLiteral("osm"),
         QStringLiteral("--town"), QStringLiteral("Peñitas"), QStringLiteral("--state"),
         QStringLiteral("Jalisco"), QStringLiteral("--country"), QStringLiteral("México")});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    Problem error;
    std::vector<std::uint8_t> picture;
    const auto store = LoadMapFile(Path(QStringLiteral("a.map")).toStdString(), {}, picture, error);
    ASSERT_TRUE(store) << error.Text();
    EXPECT_EQ(store->m_strTown, "Peñitas");
    EXPECT_EQ(store->m_strState, "Jalisco");
    EXPECT_EQ(store->m_strCountry, "México");
}

TEST_F(GisTool, FailedImportLeavesTheFilesAsTheyWere) {
    const QString map = Path(QStringLiteral("pueblo.map"));
    ASSERT_EQ(RunTool({QStringLiteral("import"), Path(QStringLiteral("san-isidro.osm")),
                       QStringLiteral("-o"), map})
                  .code,
              0);
    const QByteArray oldMap = FileBytes(map);
    const QByteArray oldPrj = FileBytes(Path(QStringLiteral("pueblo.prj")));

    QFile points(Path(QStringLiteral("puntos.osm")));
    ASSERT_TRUE(points.open(QIODevice::WriteOnly));
    points.write("<?xml version=\"1.0\"?>\n<osm version=\"0.6\">\n"
                 "<node id=\"1\" lat=\"19.7\" lon=\"-101.19\"><tag k=\"amenity\" v=\"school\"/>"
                 "<tag k=\"name\" v=\"Escuela\"/></node>\n</osm>\n");
    points.close();
    struct Case {
        QStringList args;
        int code;
        QString message;
    };
    const QString missing = Path(QStringLiteral("no-existe.osm"));
    const Case cases[] = {
        {{missing}, 1, QStringLiteral("No se puede leer el archivo %1.").arg(missing)},
        {{Path(QStringLiteral("puntos.osm"))},
         1,
         QStringLiteral("Las fuentes no tienen polígonos de manzanas ni líneas de calles de donde "
                        "sacarlas.")},
        {{Path(QStringLiteral("san-isidro.osm")), QStringLiteral("--preset"),
          QStringLiteral("catastro")},
         2,
         {}},
        {{Path(QStringLiteral("san-isidro.osm")), QStringLiteral("--crs"),
          QStringLiteral("EPSG:0")},
         2,
         QStringLiteral("«EPSG:0» no es un sistema de coordenadas conocido.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const ToolRun run = RunTool(QStringList{QStringLiteral("import")} + c.args +
                                    QStringList{QStringLiteral("-o"), map});
        EXPECT_EQ(run.code, c.code);
        if (!c.message.isEmpty()) {
            EXPECT_EQ(run.err.split(QLatin1Char('\n')).first(), c.message);
        }
        EXPECT_EQ(FileBytes(map), oldMap);
        EXPECT_EQ(FileBytes(Path(QStringLiteral("pueblo.prj"))), oldPrj);
    }
    // A new town that fails leaves neither the map nor its georeference.
    const ToolRun run = RunTool({QStringLiteral("import"), Path(QStringLiteral("puntos.osm")),
                                 QStringLiteral("-o"), Path(QStringLiteral("nuevo.map"))});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(Files(),
              (QStringList{QStringLiteral("pueblo.map"), QStringLiteral("pueblo.prj"),
                           QStringLiteral("puntos.osm"), QStringLiteral("san-isidro.osm")}));
}

TEST_F(GisTool, WrongUseAndExportFailures) {
    const QString osm = Path(QStringLiteral("san-isidro.osm"));
    EXPECT_EQ(RunTool({QStringLiteral("import"), osm}).code, 2);
    EXPECT_EQ(
        RunTool({QStringLiteral("import"), QStringLiteral("-o"), Path(QStringLiteral("a.map"))})
            .code,
        2);
    ToolRun run = RunTool(
        {QStringLiteral("import"), osm, QStringLiteral("-o"), Path(QStringLiteral("a.txt"))});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("El mapa de salida debe terminar en .map.")));

    ASSERT_EQ(RunTool({QStringLiteral("import"), osm, QStringLiteral("-o"),
                       Path(QStringLiteral("a.map"))})
                  .code,
              0);
    run = RunTool({QStringLiteral("export"), Path(QStringLiteral("a.map")), QStringLiteral("-o"),
                   Path(QStringLiteral("a.dxf"))});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.startsWith(
        QStringLiteral("La salida debe terminar en .geojson, .gpkg, .shp, .kml, .csv.")))
        << run.err.toStdString();
    run = RunTool({QStringLiteral("export"), Path(QStringLiteral("no.map")), QStringLiteral("-o"),
                   Path(QStringLiteral("a.gpkg"))});
    EXPECT_EQ(run.code, 1);

    // Without its georeference a map goes out in map units, with a warning, and
    // cannot go out in degrees.
    ASSERT_TRUE(QFile::remove(Path(QStringLiteral("a.prj"))));
    run = RunTool({QStringLiteral("export"), Path(QStringLiteral("a.map")), QStringLiteral("-o"),
                   Path(QStringLiteral("a.gpkg"))});
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("Aviso: el mapa no tiene georreferencia")));
    run = RunTool({QStringLiteral("export"), Path(QStringLiteral("a.map")), QStringLiteral("-o"),
                   Path(QStringLiteral("b.gpkg")), QStringLiteral("--crs"),
                   QStringLiteral("EPSG:4326")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err.trimmed(),
              QStringLiteral("%1: El mapa no tiene georreferencia: no se puede pasar a EPSG:4326.")
                  .arg(Path(QStringLiteral("a.map"))));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("b.gpkg"))));
    // A damaged georeference is said to be so.
    QFile prj(Path(QStringLiteral("a.prj")));
    ASSERT_TRUE(prj.open(QIODevice::WriteOnly));
    prj.write("PROJCS[roto");
    prj.close();
    run = RunTool({QStringLiteral("export"), Path(QStringLiteral("a.map")), QStringLiteral("-o"),
                   Path(QStringLiteral("c.gpkg"))});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err.trimmed(),
              QStringLiteral("La georreferencia %1 no es un sistema de coordenadas válido.")
                  .arg(Path(QStringLiteral("a.prj"))));
}

} // namespace
