// A town given back to GIS tools: every layer in every format, placed on the
// earth by the map's georeference, and a round trip through each format that
// makes the same town again, with its header and its stations.

#include "gdal_support.h"
#include "gis_export.h"
#include "gis_fixtures.h"
#include "gis_source.h"
#include "map_georeference.h"
#include "map_save.h"
#include "osm_town.h"
#include "qt_helpers.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cmath>
#include <map>
#include <set>
#include <sys/stat.h>
#include <vector>

namespace {

class GisExport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const QString osm = Path(QStringLiteral("san-isidro.osm"));
        QFile file(osm);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(TestTownOsm());
        file.close();
        const auto preset = ShippedPreset("osm");
        CGisImport importer(*preset, {{osm}, {}, {}, {}, {}});
        m_store = importer.Run();
        ASSERT_TRUE(m_store) << importer.ErrorString().toStdString();
        m_wkt = importer.Georeference();
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    std::map<QString, qint64> LayerCounts(const QString& path) {
        GisSourceInfo info;
        QString error;
        EXPECT_TRUE(InspectGisSource(path, nullptr, info, error)) << error.toStdString();
        std::map<QString, qint64> counts;
        for (const GisLayerInfo& layer : info.layers)
            counts[layer.name] = layer.features;
        return counts;
    }

    std::map<QString, qint64> StoreCounts() const {
        qint64 stations = 0, businesses = 0;
        for (const auto& r : m_store->m_listRoutes)
            stations += static_cast<qint64>(r->m_stations.size());
        for (const auto& c : m_store->m_directory.m_listCategories)
            businesses += static_cast<qint64>(c->m_listBusinesses.size());
        return {
            {QStringLiteral("manzanas"), static_cast<qint64>(m_store->m_blocks.size())},
            {QStringLiteral("etiquetas"), static_cast<qint64>(m_store->m_labels.size())},
            {QStringLiteral("calles"), static_cast<qint64>(m_store->m_listStreets.size())},
            {QStringLiteral("referencias"), static_cast<qint64>(m_store->m_listReferences.size())},
            {QStringLiteral("colonias"), static_cast<qint64>(m_store->m_listColonies.size())},
            {QStringLiteral("rutas"), static_cast<qint64>(m_store->m_listRoutes.size())},
            {QStringLiteral("estaciones"), stations},
            {QStringLiteral("negocios"), businesses},
            {QStringLiteral("mapa"), 1}};
    }

    QTemporaryDir m_dir;
    std::unique_ptr<MapStore> m_store;
    QByteArray m_wkt;
};

TEST_F(GisExport, RoundTripThroughGeoJsonInDegreesMakesTheSameTown) {
    CGisExport exporter(*m_store, m_wkt);
    ASSERT_TRUE(exporter.Write(Path(QStringLiteral("pueblo.geojson")), QStringLiteral("EPSG:4326")))
        << exporter.ErrorString().toStdString();
    EXPECT_TRUE(exporter.Warnings().isEmpty());
    QStringList files = exporter.Files();
    ASSERT_EQ(files.size(), 9);
    EXPECT_TRUE(files.contains(Path(QStringLiteral("pueblo-manzanas.geojson"))));
    GisSourceInfo blocks;
    QString error;
    ASSERT_TRUE(InspectGisSource(files.first(), nullptr, blocks, error));
    EXPECT_TRUE(blocks.layers.first().crs.startsWith(QStringLiteral("EPSG:4326")));
    // Nothing is left over from the writing.
    EXPECT_EQ(QDir(m_dir.path())
                  .entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot)
                  .size(),
              10);

    QList<GisSourceInfo> infos;
    for (const QString& f : files) {
        GisSourceInfo info;
        ASSERT_TRUE(InspectGisSource(f, nullptr, info, error));
        infos.append(info);
    }
    ASSERT_EQ(GuessGisPreset(infos), QStringLiteral("veltrix"));
    const auto preset = ShippedPreset("veltrix");
    const auto again = ImportOk(*preset, files);
    ASSERT_TRUE(again);

    ASSERT_EQ(again->m_blocks.size(), m_store->m_blocks.size());
    for (std::size_t i = 0; i < m_store->m_blocks.size(); ++i) {
        const CmBlock& a = m_store->m_blocks[i];
        const CmBlock& b = again->m_blocks[i];
        EXPECT_EQ(b.m_nType, a.m_nType);
        const auto pa = m_store->Outline(a);
        const auto pb = again->Outline(b);
        ASSERT_EQ(pb.size(), pa.size()) << i;
        for (std::size_t k = 0; k < pa.size(); ++k) {
            EXPECT_NEAR(pb[k].x, pa[k].x, 1.0);
            EXPECT_NEAR(pb[k].y, pa[k].y, 1.0);
        }
    }
    ASSERT_EQ(again->m_labels.size(), m_store->m_labels.size());
    for (std::size_t i = 0; i < m_store->m_labels.size(); ++i) {
        const CmStname& a = m_store->m_labels[i];
        const CmStname& b = again->m_labels[i];
        EXPECT_EQ(b.m_strText, a.m_strText);
        EXPECT_NEAR(b.m_x, a.m_x, 1);
        EXPECT_NEAR(b.m_y, a.m_y, 1);
        EXPECT_NEAR(b.m_fAngle, a.m_fAngle, 0.001);
    }
    auto names = [](const auto& list) {
        std::multiset<std::string> out;
        for (const auto& item : list)
            out.insert(item->m_strName);
        return out;
    };
    EXPECT_EQ(names(again->m_listStreets), names(m_store->m_listStreets));
    EXPECT_EQ(names(again->m_listReferences), names(m_store->m_listReferences));
    EXPECT_EQ(names(again->m_listColonies), names(m_store->m_listColonies));
    auto directory = [](const MapStore& s) {
        std::map<std::string, std::tuple<std::string, std::string, std::string>> out;
        for (const auto& c : s.m_directory.m_listCategories)
            for (const auto& b : c->m_listBusinesses)
                out[b->m_strName] = {c->m_strName, b->m_strPhone, b->m_strComments};
        return out;
    };
    EXPECT_EQ(directory(*again), directory(*m_store));
    ASSERT_EQ(again->m_listRoutes.size(), 1u);
    const CmVias& route = *again->m_listRoutes.front();
    EXPECT_EQ(route.m_strName, "Ruta 1 Centro");
    EXPECT_EQ(route.m_crColor, m_store->m_listRoutes.front()->m_crColor);
    EXPECT_EQ(route.m_stations, m_store->m_listRoutes.front()->m_stations);
}

TEST_F(GisExport, EveryFormatHoldsEveryLayer) {
    const std::map<QString, qint64> expected = StoreCounts();
    for (const char* suffix : {"gpkg", "kml"}) {
        SCOPED_TRACE(suffix);
        CGisExport exporter(*m_store, m_wkt);
        const QString out = Path(QStringLiteral("pueblo.%1").arg(QString::fromLatin1(suffix)));
        ASSERT_TRUE(exporter.Write(out, {})) << exporter.ErrorString().toStdString();
        EXPECT_EQ(exporter.Files(), QStringList{out});
        EXPECT_EQ(LayerCounts(out), expected);
    }
    for (const char* suffix : {"shp", "csv"}) {
        SCOPED_TRACE(suffix);
        CGisExport exporter(*m_store, m_wkt);
        ASSERT_TRUE(
            exporter.Write(Path(QStringLiteral("pueblo.%1").arg(QString::fromLatin1(suffix))), {}))
            << exporter.ErrorString().toStdString();
        std::map<QString, qint64> counts;
        for (const QString& file : exporter.Files()) {
            const auto one = LayerCounts(file);
            ASSERT_EQ(one.size(), 1u);
            counts[QFileInfo(file).completeBaseName().section(QLatin1Char('-'), 1)] =
                one.begin()->second;
        }
        EXPECT_EQ(counts, expected);
    }
    // The shapefile of blocks keeps the map's own projection and accents.
    GisSourceInfo info;
    QString error;
    ASSERT_TRUE(
        InspectGisSource(Path(QStringLiteral("pueblo-manzanas.shp")), nullptr, info, error));
    EXPECT_TRUE(info.layers.first().crs.contains(QStringLiteral("Veltrix")))
        << info.layers.first().crs.toStdString();
    EXPECT_EQ(info.layers.first().fields,
              (QStringList{QStringLiteral("id"), QStringLiteral("tipo"), QStringLiteral("zona")}));
    const auto streets =
        ImportOk(*ShippedPreset("veltrix"), {Path(QStringLiteral("pueblo-manzanas.shp")),
                                             Path(QStringLiteral("pueblo-calles.shp"))});
    ASSERT_TRUE(streets);
    std::set<std::string> names;
    for (const auto& s : streets->m_listStreets)
        names.insert(s->m_strName);
    EXPECT_TRUE(names.count("Calle Álvaro Obregón"));
}

// The one table the dialog and the tool offer: each ending, in any case,
// writes through a GDAL driver that exists, into one file or one per layer
// as the table says, and exactly one format is the one offered first.
TEST_F(GisExport, EveryFormatOfTheTableWritesWhatItSays) {
    int preferred = 0;
    for (const GisExportFormat& format : GisExportFormats()) {
        SCOPED_TRACE(format.suffix);
        preferred += format.preferred ? 1 : 0;
        const QString suffix = QString::fromLatin1(format.suffix);
        EXPECT_EQ(GisExportFormatOf(suffix.toUpper()), &format);
        EXPECT_TRUE(GisExportSuffixes().contains(suffix));
        CGisExport exporter(*m_store, m_wkt);
        const QString out = Path(QStringLiteral("tabla.%1").arg(suffix.toUpper()));
        ASSERT_TRUE(exporter.Write(out, {})) << exporter.ErrorString().toStdString();
        if (format.oneFile) {
            EXPECT_EQ(exporter.Files(), QStringList{out});
        } else {
            EXPECT_GT(exporter.Files().size(), 1);
            for (const QString& file : exporter.Files())
                EXPECT_TRUE(file.endsWith(QLatin1Char('.') + suffix.toUpper()))
                    << file.toStdString();
        }
    }
    EXPECT_EQ(preferred, 1);
    EXPECT_EQ(GisExportFormatOf(QStringLiteral("dxf")), nullptr);
    EXPECT_EQ(GisExportFormatOf(QString()), nullptr);
}

TEST_F(GisExport, WithoutGeoreferenceStaysInMapUnits) {
    CGisExport plain(*m_store, {});
    ASSERT_TRUE(plain.Write(Path(QStringLiteral("unidades.gpkg")), {}));
    EXPECT_EQ(plain.Warnings(),
              QStringList{QStringLiteral("Aviso: el mapa no tiene georreferencia; las coordenadas "
                                         "quedan en unidades del mapa.")});
    GDALAllRegister();
    GDALDatasetUniquePtr dataset(GDALDataset::Open(
        QFile::encodeName(Path(QStringLiteral("unidades.gpkg"))).constData(), GDAL_OF_VECTOR));
    ASSERT_TRUE(dataset);
    OGRLayer* blocks = dataset->GetLayerByName("manzanas");
    ASSERT_TRUE(blocks);
    const OGRSpatialReference* crs = blocks->GetSpatialRef();
    ASSERT_TRUE(crs);
    EXPECT_TRUE(crs->IsLocal());
    EXPECT_DOUBLE_EQ(crs->GetLinearUnits(), kMetresPerMapUnit);
    OGRFeatureUniquePtr first(blocks->GetNextFeature());
    ASSERT_TRUE(first);
    const OGRLinearRing* ring = first->GetGeometryRef()->toPolygon()->getExteriorRing();
    EXPECT_FLOAT_EQ(static_cast<float>(ring->getX(0)), m_store->Outline(m_store->m_blocks[0])[0].x);
    EXPECT_FLOAT_EQ(static_cast<float>(ring->getY(0)), m_store->Outline(m_store->m_blocks[0])[0].y);

    CGisExport degrees(*m_store, {});
    EXPECT_FALSE(degrees.Write(Path(QStringLiteral("grados.gpkg")), QStringLiteral("EPSG:4326")));
    EXPECT_EQ(degrees.ErrorString(),
              QStringLiteral("El mapa no tiene georreferencia: no se puede pasar a EPSG:4326."));
    EXPECT_FALSE(degrees.Write(Path(QStringLiteral("grados.kml")), {}));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("grados.gpkg"))));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("grados.kml"))));
}

TEST_F(GisExport, RefusesWhatItCannotWriteAndLeavesNothing) {
    CGisExport exporter(*m_store, m_wkt);
    EXPECT_FALSE(exporter.Write(Path(QStringLiteral("pueblo.dxf")), {}));
    EXPECT_EQ(exporter.ErrorString(),
              QStringLiteral("No se sabe escribir %1: use .geojson, .gpkg, .shp, .kml o .csv.")
                  .arg(Path(QStringLiteral("pueblo.dxf"))));
    EXPECT_FALSE(exporter.Write(Path(QStringLiteral("falta/pueblo.gpkg")), {}));
    EXPECT_EQ(exporter.ErrorString(), QStringLiteral("No se puede escribir en la carpeta %1.")
                                          .arg(Path(QStringLiteral("falta"))));
    EXPECT_FALSE(exporter.Write(Path(QStringLiteral("pueblo.gpkg")), QStringLiteral("EPSG:0")));
    EXPECT_EQ(QDir(m_dir.path())
                  .entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("san-isidro.osm")});

    // A second export replaces the first whole.
    QFile old(Path(QStringLiteral("pueblo.gpkg")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("viejo");
    old.close();
    ASSERT_TRUE(exporter.Write(Path(QStringLiteral("pueblo.gpkg")), {}));
    EXPECT_EQ(LayerCounts(Path(QStringLiteral("pueblo.gpkg"))), StoreCounts());
}

// Moves of new files into their places that fail from the n-th on, as a
// disk that fills up would, on a disk with or without hard links.
class FailingMoves : public FileOps {
public:
    FailingMoves(int failAt, bool noLinks) : m_nFailAt(failAt), m_bNoLinks(noLinks) {}
    int Link(const std::string& from, const std::string& to) override {
        return m_bNoLinks ? EPERM : FileOps::Link(from, to);
    }
    int Rename(const std::string& from, const std::string& to) override {
        const bool moveIn = from.find(".veltrix-") != std::string::npos &&
                            to.find(".veltrix-") == std::string::npos && !from.ends_with(".old");
        if (moveIn && ++m_nMoves >= m_nFailAt)
            return ENOSPC;
        return FileOps::Rename(from, to);
    }
    int SyncFolder(const std::string& folder) override {
        m_synced.push_back({folder, m_nMoves});
        return FileOps::SyncFolder(folder);
    }
    int Moves() const { return m_nMoves; }
    // Each folder synced, with the moves made before.
    std::vector<std::pair<std::string, int>> m_synced;

private:
    int m_nMoves = 0;
    int m_nFailAt;
    bool m_bNoLinks;
};

struct FolderState {
    std::map<QString, QByteArray> bytes;
    std::map<QString, unsigned> modes;
    friend bool operator==(const FolderState&, const FolderState&) = default;
};

FolderState StateOf(const QString& folder) {
    FolderState state;
    for (const QString& name :
         QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        const QString path = QDir(folder).filePath(name);
        struct stat st {};
        ::lstat(LocalPath(path).c_str(), &st);
        state.bytes[name] = FileBytes(path);
        state.modes[name] = st.st_mode & 07777;
    }
    return state;
}

TEST_F(GisExport, AFileThatCannotBePutInPlaceBringsEveryOldOneBack) {
    const QString out = Path(QStringLiteral("pueblo.shp"));
    CGisExport first(*m_store, m_wkt);
    ASSERT_TRUE(first.Write(out, {})) << first.ErrorString().toStdString();
    // Old files unlike the new ones, a read-only one, and one the export adds.
    for (const char* name : {"pueblo-calles.dbf", "pueblo-manzanas.shp", "pueblo-rutas.shp"}) {
        QFile file(Path(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("viejo");
    }
    ASSERT_EQ(::chmod(LocalPath(Path(QStringLiteral("pueblo-manzanas.shp"))).c_str(), 0444), 0);
    ASSERT_TRUE(QFile::remove(Path(QStringLiteral("pueblo-negocios.dbf"))));
    const FolderState before = StateOf(m_dir.path());

    struct Case {
        int failAt;
        bool noLinks;
    };
    for (const Case c : {Case{1, false}, Case{7, false}, Case{40, false}, Case{12, true}}) {
        SCOPED_TRACE(testing::Message()
                     << "move " << c.failAt << (c.noLinks ? " without links" : ""));
        FailingMoves ops(c.failAt, c.noLinks);
        CGisExport exporter(*m_store, m_wkt, ops);
        EXPECT_FALSE(exporter.Write(out, {}));
        EXPECT_TRUE(exporter.ErrorString().startsWith(QStringLiteral("No se pudo poner ")))
            << exporter.ErrorString().toStdString();
        EXPECT_TRUE(exporter.ErrorString().endsWith(QStringLiteral("No se cambió ningún archivo.")))
            << exporter.ErrorString().toStdString();
        EXPECT_TRUE(StateOf(m_dir.path()) == before);
    }
    // Put in place at last, the read-only file keeps its mode, and when root
    // replaces another user's file, its owner.
    const std::string manzanas = LocalPath(Path(QStringLiteral("pueblo-manzanas.shp")));
    constexpr uid_t kNobody = 65534;
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(manzanas.c_str(), kNobody, kNobody), 0);
    }
    CGisExport again(*m_store, m_wkt);
    ASSERT_TRUE(again.Prepare(out, {}));
    EXPECT_EQ(again.ReadOnly(), QStringList{Path(QStringLiteral("pueblo-manzanas.shp"))});
    EXPECT_FALSE(again.Existing().contains(Path(QStringLiteral("pueblo-negocios.dbf"))));
    ASSERT_TRUE(again.Commit()) << again.ErrorString().toStdString();
    EXPECT_EQ(StateOf(m_dir.path()).modes.at(QStringLiteral("pueblo-manzanas.shp")), 0444u);
    struct stat replaced {};
    ASSERT_EQ(::stat(manzanas.c_str(), &replaced), 0);
    EXPECT_EQ(replaced.st_uid, root ? kNobody : ::geteuid());
    if (root) {
        EXPECT_EQ(replaced.st_gid, kNobody);
    }
    EXPECT_EQ(LayerCounts(Path(QStringLiteral("pueblo-manzanas.shp"))).begin()->second,
              static_cast<qint64>(m_store->m_blocks.size()));
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("pueblo-negocios.dbf"))));

    // The new names reach the disk once all are in place: one sync of the folder.
    FailingMoves watched(1000, false);
    CGisExport synced(*m_store, m_wkt, watched);
    ASSERT_TRUE(synced.Write(out, {})) << synced.ErrorString().toStdString();
    EXPECT_GT(watched.Moves(), 10);
    EXPECT_EQ(watched.m_synced, (std::vector<std::pair<std::string, int>>{
                                    {LocalPath(m_dir.path()) + "/", watched.Moves()}}));
}

TEST_F(GisExport, CsvKeepsFormulasFromSpreadsheetsAndTheImportTakesThemBack) {
    const std::vector<std::string> risky = {
        "=HYPERLINK(\"http://x\")", "+52 443 1234", "-Norte", "@SUMA(A1)", "'Cita", "Calle Normal"};
    std::size_t i = 0;
    for (auto& street : m_store->m_listStreets) {
        street->m_strName = risky[i % risky.size()] + (i >= risky.size() ? " 2" : "");
        ++i;
    }
    m_store->m_labels.front().m_fAngle = -0.5f;
    const auto names = [](const MapStore& store) {
        std::set<std::string> out;
        for (const auto& street : store.m_listStreets)
            out.insert(street->m_strName);
        return out;
    };

    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("csv")));
    CGisExport exporter(*m_store, m_wkt);
    ASSERT_TRUE(exporter.Write(Path(QStringLiteral("csv/pueblo.csv")), {}))
        << exporter.ErrorString().toStdString();
    const QByteArray streets = FileBytes(Path(QStringLiteral("csv/pueblo-calles.csv")));
    for (const char* cell : {",\"'=HYPERLINK(\"\"http://x\"\")\"", ",'+52 443 1234", ",'-Norte",
                             ",'@SUMA(A1)", ",''Cita", ",Calle Normal"})
        EXPECT_TRUE(streets.contains(cell)) << cell << "\n" << streets.toStdString();
    // Numbers stay numbers: a negative angle is not a formula.
    const QByteArray labels = FileBytes(Path(QStringLiteral("csv/pueblo-etiquetas.csv")));
    EXPECT_TRUE(labels.contains(",-28.6")) << labels.left(400).toStdString();
    EXPECT_FALSE(labels.contains("'-"));

    const auto back = ImportOk(*ShippedPreset("veltrix"), exporter.Files());
    ASSERT_TRUE(back);
    EXPECT_EQ(names(*back), names(*m_store));
}

TEST(CrsCodes, OnlyAWellFormedCodeGdalKnowsIsTaken) {
    struct Row {
        const char* text;
        bool taken;
        const char* says; // a part of the message
    };
    const Row rows[] = {
        {"EPSG:4326", true, ""},
        {" epsg:32614 ", true, ""},
        {"EPSG:4326x", false, "EPSG:N"},
        {"EPSG:", false, "EPSG:N"},
        {"EPSG:-4326", false, "EPSG:N"},
        {"4326", false, "EPSG:N"},
        {"+proj=longlat +datum=WGS84", false, "EPSG:N"},
        {"/etc/passwd", false, "EPSG:N"},
        {"EPSG:999999", false, "no es un sistema de coordenadas conocido"},
    };
    for (const Row& row : rows) {
        QString error;
        EXPECT_EQ(CheckCrs(QString::fromLatin1(row.text), error), row.taken) << row.text;
        EXPECT_TRUE(error.contains(QString::fromUtf8(row.says)))
            << row.text << ": " << error.toStdString();
        if (!row.taken) {
            EXPECT_TRUE(error.startsWith(QStringLiteral("«%1»").arg(QString::fromLatin1(row.text))))
                << error.toStdString();
        }
    }
}

TEST(GdalMessages, FollowASpanishSentenceAndNeverSaySuccess) {
    CGdalErrorTrap trap;
    CPLError(CE_Failure, CPLE_FileIO, "Failed to create file pueblo.shp: Success");
    EXPECT_EQ(WithGdalDetail(QStringLiteral("No se pudo crear pueblo.shp"), trap.LastError()),
              QStringLiteral("No se pudo crear pueblo.shp: Failed to create file pueblo.shp"));
    CPLError(CE_Failure, CPLE_AppDefined, "sqlite3_exec() failed: no such table: gpkg_contents");
    EXPECT_EQ(WithGdalDetail(QStringLiteral("No se puede leer a.gpkg como GPKG"), trap.LastError()),
              QStringLiteral("No se puede leer a.gpkg como GPKG: sqlite3_exec() failed: no such "
                             "table: gpkg_contents"));
    // Nothing said: the sentence ends there.
    EXPECT_EQ(
        WithGdalDetail(QStringLiteral("No se pudo escribir pueblo.kml"), GdalWords(": Success.")),
        QStringLiteral("No se pudo escribir pueblo.kml."));
}

// What a person checks of a town: its header, how many of each thing it has,
// and the stations of each route in order.
struct TownSummary {
    std::string town, state, country;
    std::map<std::string, std::size_t> counts;
    std::map<std::string, std::vector<Station>> stations;
};

TownSummary Summarize(const MapStore& store) {
    TownSummary s{store.m_strTown, store.m_strState, store.m_strCountry, {}, {}};
    std::size_t businesses = 0;
    for (const auto& c : store.m_directory.m_listCategories)
        businesses += c->m_listBusinesses.size();
    s.counts = {{"manzanas", store.m_blocks.size()},
                {"etiquetas", store.m_labels.size()},
                {"calles", store.m_listStreets.size()},
                {"referencias", store.m_listReferences.size()},
                {"colonias", store.m_listColonies.size()},
                {"rutas", store.m_listRoutes.size()},
                {"negocios", businesses}};
    for (const auto& r : store.m_listRoutes)
        s.stations[r->m_strName] = r->m_stations;
    return s;
}

class GisExportRoundTrip : public GisExport, public ::testing::WithParamInterface<const char*> {};

// Every format gives back the header, the counts and the stations of every
// route in their order, even those a bus would meet in another order, that
// lie away from the line or share a name.
TEST_P(GisExportRoundTrip, MakesTheSameTownWithItsHeaderAndStations) {
    ASSERT_FALSE(m_store->m_strTown.empty());
    ASSERT_FALSE(m_store->m_strState.empty());
    ASSERT_FALSE(m_store->m_strCountry.empty());
    const MapRect box = m_store->m_rcBlocks.Normalized();
    const std::int32_t midY = box.top + static_cast<std::int32_t>(box.Height() / 2);
    auto across = [&](double part, std::int32_t y) {
        return MapPoint{
            box.left + static_cast<std::int32_t>(static_cast<double>(box.Width()) * part), y};
    };
    CmVias odd(Rgb(0, 128, 255));
    odd.m_strName = "Ruta 7 Mercado";
    odd.m_points = {across(0, midY), across(1, midY)};
    odd.AddStation(across(0.75, midY + 4), "Mercado");
    odd.AddStation(across(0.5, midY + 100), "Plaza Principal"); // 200 m away
    odd.AddStation(across(0.25, midY - 2), "Mercado");
    // A stop both routes serve.
    const Station shared = m_store->m_listRoutes.front()->m_stations.front();
    odd.AddStation(shared.pt, shared.name);
    MapStore::AddHead(m_store->m_listRoutes, std::make_unique<CmVias>(odd, m_store->m_counters));
    // A road out of town, labelled where it leaves the map's surroundings.
    auto road = std::make_unique<CmCalles>();
    road->m_strName = "Camino a la Presa";
    road->m_points = {across(1, midY), {box.right + 2000, midY}};
    m_store->m_listStreets.push_back(std::move(road));
    CmStname far;
    far.m_x = box.right + 1500; // 3 km out
    far.m_y = midY;
    far.m_strText = "Camino a la Presa";
    m_store->m_labels.push_back(std::move(far));

    const QString suffix = QString::fromLatin1(GetParam());
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(suffix));
    CGisExport exporter(*m_store, m_wkt);
    ASSERT_TRUE(exporter.Write(Path(QStringLiteral("%1/pueblo.%1").arg(suffix)), {}))
        << exporter.ErrorString().toStdString();
    const auto again = ImportOk(*ShippedPreset("veltrix"), exporter.Files());
    ASSERT_TRUE(again);

    const TownSummary before = Summarize(*m_store), after = Summarize(*again);
    EXPECT_EQ(after.town, before.town);
    EXPECT_EQ(after.state, before.state);
    EXPECT_EQ(after.country, before.country);
    EXPECT_EQ(after.counts, before.counts);
    ASSERT_EQ(after.stations.size(), before.stations.size());
    for (const auto& [route, stations] : before.stations) {
        SCOPED_TRACE(route);
        const std::vector<Station>& back = after.stations.at(route);
        ASSERT_EQ(back.size(), stations.size());
        for (std::size_t i = 0; i < stations.size(); ++i) {
            EXPECT_EQ(back[i].name, stations[i].name);
            EXPECT_NEAR(back[i].pt.x, stations[i].pt.x, 1);
            EXPECT_NEAR(back[i].pt.y, stations[i].pt.y, 1);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, GisExportRoundTrip,
                         ::testing::Values("geojson", "gpkg", "shp", "kml", "csv"),
                         [](const auto& info) { return std::string(info.param); });

} // namespace
