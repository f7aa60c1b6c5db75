#include "gis_export.h"

#include "file_guard.h"
#include "gdal_support.h"
#include "map_georeference.h"
#include "map_save.h"
#include "problem_text.h"

#include <ogrsf_frmts.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <numbers>
#include <set>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

struct Field {
    const char* name;
    OGRFieldType type;
};

// One output layer: its rows hold the geometry in map units and the values as
// texts, which GDAL turns into the field's type.
struct Layer {
    const char* name;
    OGRwkbGeometryType type;
    std::vector<Field> fields;
    struct Row {
        std::unique_ptr<OGRGeometry> geometry;
        QStringList values;
    };
    std::vector<Row> rows;
};

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QString ColorText(Color c) {
    return QStringLiteral("#%1%2%3")
        .arg(c & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((c >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((c >> 16) & 0xFF, 2, 16, QLatin1Char('0'));
}

std::unique_ptr<OGRGeometry> PointAt(std::int32_t x, std::int32_t y) {
    return std::make_unique<OGRPoint>(x, y);
}

std::unique_ptr<OGRGeometry> LineOf(const std::vector<MapPoint>& points) {
    if (points.size() < 2)
        return nullptr;
    auto line = std::make_unique<OGRLineString>();
    line->setNumPoints(static_cast<int>(points.size()), FALSE);
    for (std::size_t i = 0; i < points.size(); ++i)
        line->setPoint(static_cast<int>(i), points[i].x, points[i].y);
    return line;
}

std::vector<Layer> LayersOf(const MapStore& store) {
    std::vector<Layer> layers;

    std::map<std::uint32_t, QStringList> zonesOf;
    for (const auto& zone : store.m_listZones)
        for (std::uint32_t id : zone->m_blockIds)
            zonesOf[id].append(Text(zone->m_strName));
    Layer blocks{"manzanas",
                 wkbPolygon,
                 {{"id", OFTInteger}, {"tipo", OFTInteger}, {"zona", OFTString}},
                 {}};
    for (const CmBlock& block : store.m_blocks) {
        const std::span<const FloatPoint> outline = store.Outline(block);
        if (outline.size() < 3)
            continue;
        auto ring = std::make_unique<OGRLinearRing>();
        for (const FloatPoint& p : outline)
            ring->addPoint(p.x, p.y);
        ring->closeRings();
        auto polygon = std::make_unique<OGRPolygon>();
        polygon->addRingDirectly(ring.release());
        blocks.rows.push_back({std::move(polygon),
                               {QString::number(block.m_nId), QString::number(block.m_nType),
                                zonesOf[block.m_nId].join(QStringLiteral(", "))}});
    }
    layers.push_back(std::move(blocks));

    Layer labels{"etiquetas", wkbPoint, {{"texto", OFTString}, {"angulo", OFTReal}}, {}};
    for (const CmStname& label : store.m_labels)
        labels.rows.push_back(
            {PointAt(label.m_x, label.m_y),
             {Text(label.m_strText),
              QString::number(static_cast<double>(label.m_fAngle) * 180.0 / std::numbers::pi, 'g',
                              10)}});
    layers.push_back(std::move(labels));

    Layer streets{"calles", wkbLineString, {{"nombre", OFTString}}, {}};
    for (const auto& street : store.m_listStreets)
        if (auto line = LineOf(street->m_points))
            streets.rows.push_back({std::move(line), {Text(street->m_strName)}});
    layers.push_back(std::move(streets));

    Layer references{"referencias", wkbPoint, {{"nombre", OFTString}}, {}};
    for (const auto& r : store.m_listReferences)
        references.rows.push_back({PointAt(r->m_x, r->m_y), {Text(r->m_strName)}});
    layers.push_back(std::move(references));

    Layer colonies{"colonias", wkbPoint, {{"nombre", OFTString}}, {}};
    for (const auto& c : store.m_listColonies)
        colonies.rows.push_back({PointAt(c->m_x, c->m_y), {Text(c->m_strName)}});
    layers.push_back(std::move(colonies));

    Layer routes{"rutas",
                 wkbLineString,
                 {{"nombre", OFTString}, {"numero", OFTInteger}, {"color", OFTString}},
                 {}};
    Layer stations{"estaciones",
                   wkbPoint,
                   {{"ruta", OFTString}, {"orden", OFTInteger}, {"nombre", OFTString}},
                   {}};
    for (const auto& route : store.m_listRoutes) {
        if (auto line = LineOf(route->m_points))
            routes.rows.push_back({std::move(line),
                                   {Text(route->m_strName), QString::number(route->m_nRouteNo),
                                    ColorText(route->m_crColor)}});
        int order = 0;
        for (const Station& s : route->m_stations)
            stations.rows.push_back(
                {PointAt(s.pt.x, s.pt.y),
                 {Text(route->m_strName), QString::number(++order), Text(s.name)}});
    }
    layers.push_back(std::move(routes));
    layers.push_back(std::move(stations));

    Layer businesses{"negocios",
                     wkbPoint,
                     {{"nombre", OFTString},
                      {"categoria", OFTString},
                      {"telefono", OFTString},
                      {"comentario", OFTString},
                      {"numero", OFTInteger}},
                     {}};
    for (const auto& category : store.m_directory.m_listCategories)
        for (const auto& b : category->m_listBusinesses)
            // A business that was never placed keeps its row without a point.
            businesses.rows.push_back(
                {b->IsDrawable() ? PointAt(b->m_x, b->m_y) : nullptr,
                 {Text(b->m_strName), Text(category->m_strName), Text(b->m_strPhone),
                  Text(b->m_strComments), QString::number(b->m_nBusinessNo)}});
    layers.push_back(std::move(businesses));

    // The header travels as one point at the map's origin, the town's centre,
    // so that an import takes it back as the town's place in every format and
    // puts the origin where it was.
    Layer header{
        "mapa", wkbPoint, {{"pais", OFTString}, {"estado", OFTString}, {"ciudad", OFTString}}, {}};
    if (!store.m_strTown.empty() || !store.m_strState.empty() || !store.m_strCountry.empty())
        header.rows.push_back(
            {std::make_unique<OGRPoint>(0.0, 0.0),
             {Text(store.m_strCountry), Text(store.m_strState), Text(store.m_strTown)}});
    layers.push_back(std::move(header));
    return layers;
}

std::vector<const char*> Terminated(std::vector<const char*> options) {
    options.push_back(nullptr);
    return options;
}

FileOps& PlainFileOps() {
    static FileOps ops;
    return ops;
}

// A text a spreadsheet would run as a formula (OWASP's list: = + - @, tab and
// carriage return) is kept a text by an apostrophe before it; a text that
// already begins with one gets another, so that the import can take exactly
// one off again.
QString SpreadsheetSafe(const QString& text) {
    static const QString risky = QStringLiteral("=+-@\t\r'");
    if (!text.isEmpty() && risky.contains(text.front()))
        return QLatin1Char('\'') + text;
    return text;
}

std::string Local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The permission bits a new file gets: 0666 less the umask, read without
// changing it where the system can tell it.
mode_t NewFileMode() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    return static_cast<mode_t>(0666 & ~mask);
            }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

QString SystemWords(int err) {
    return err == 0 ? QString() : QString::fromLocal8Bit(std::strerror(err));
}

// What a failed commit left where: nothing changed, or the old files that
// could not be put back under their names.
QString KeptFiles(const QStringList& kept) {
    if (kept.isEmpty())
        return QCoreApplication::translate("GisExport", "No se cambió ningún archivo.");
    return QCoreApplication::translate("GisExport", "Lo anterior quedó en %1.")
        .arg(kept.join(QStringLiteral(", ")));
}

// Copies a file's bytes into `to`, for a file that cannot be renamed across
// disks. 0 or the errno value.
int CopyBytes(const std::string& from, const std::string& to) {
    QFile in(QFile::decodeName(QByteArray::fromStdString(from)));
    QFile out(QFile::decodeName(QByteArray::fromStdString(to)));
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return errno != 0 ? errno : EIO;
    while (!in.atEnd()) {
        const QByteArray block = in.read(1 << 20);
        if (block.isEmpty() || out.write(block) != block.size())
            return errno != 0 ? errno : EIO;
    }
    return 0;
}

int SyncFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int err = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return err;
}

// The coordinate systems of one export: what the layers say they are in, and
// how the map's coordinates get there.
struct ExportCrs {
    std::unique_ptr<OGRSpatialReference> map; // null when the map has no georeference
    std::unique_ptr<OGRSpatialReference> out; // null: the map's own
    // Without a georeference the layers still say what their numbers are: a
    // plane measured in map units, so that no tool takes them for degrees.
    OGRSpatialReference plane;
    std::unique_ptr<OGRCoordinateTransformation> transform; // null: none needed
    QString wanted;                                         // as the person asked, or implied

    OGRSpatialReference* OfLayers() { return out ? out.get() : map ? map.get() : &plane; }
};

// Settles the output's coordinate system from the map's georeference, the
// format and what was asked. False with the reason in `error`; `warnings`
// gets what the person should know.
bool SettleCrs(const QByteArray& georeference, const GisExportFormat& format, const QString& crs,
               ExportCrs& systems, QStringList& warnings, QString& error) {
    if (!georeference.isEmpty()) {
        systems.map = CrsFromWkt(georeference);
        if (!systems.map) {
            error = QCoreApplication::translate("GisExport",
                                                "La georreferencia del mapa no es válida.");
            return false;
        }
    }
    QString& wanted = systems.wanted;
    wanted = crs;
    if (format.lonLat && !crs.isEmpty() && !crs.trimmed().startsWith(QLatin1String("EPSG:4326"))) {
        warnings.append(QCoreApplication::translate(
                            "GisExport", "Aviso: %1 siempre va en longitud y latitud (EPSG:4326).")
                            .arg(QLatin1String(format.driver)));
        wanted = QStringLiteral("EPSG:4326");
    }
    if (format.lonLat && wanted.isEmpty() && systems.map)
        wanted = QStringLiteral("EPSG:4326");
    if (!wanted.isEmpty()) {
        systems.out = CrsFromText(wanted);
        if (!systems.out) {
            error = QCoreApplication::translate("GisExport",
                                                "«%1» no es un sistema de coordenadas conocido.")
                        .arg(wanted);
            return false;
        }
        if (!systems.map) {
            error = QCoreApplication::translate(
                        "GisExport", "El mapa no tiene georreferencia: no se puede pasar a %1.")
                        .arg(wanted);
            return false;
        }
    } else if (!systems.map) {
        if (format.lonLat) {
            error = QCoreApplication::translate("GisExport",
                                                "%1 va en longitud y latitud, y el mapa no tiene "
                                                "georreferencia.")
                        .arg(QLatin1String(format.driver));
            return false;
        }
        warnings.append(QCoreApplication::translate(
            "GisExport", "Aviso: el mapa no tiene georreferencia; las coordenadas "
                         "quedan en unidades del mapa."));
    }
    systems.plane.SetLocalCS("Veltrix: unidades del mapa");
    systems.plane.SetLinearUnits("Veltrix map unit (2.001555 m)", kMetresPerMapUnit);
    if (systems.out && !systems.out->IsSame(systems.map.get())) {
        systems.transform.reset(
            OGRCreateCoordinateTransformation(systems.map.get(), systems.out.get()));
        if (!systems.transform) {
            error = QCoreApplication::translate("GisExport",
                                                "No se pueden pasar las coordenadas del mapa a %1.")
                        .arg(wanted);
            return false;
        }
    }
    return true;
}

// The layers that go out: every one that has rows, and the blocks always, so
// that even an empty map gives a file.
std::vector<Layer> LayersToWrite(const MapStore& store) {
    std::vector<Layer> layers = LayersOf(store);
    std::erase_if(layers, [](const Layer& l) {
        return l.rows.empty() && std::string_view(l.name) != "manzanas";
    });
    return layers;
}

// One file of the export and the layers it holds.
struct Dataset {
    QString name;
    std::vector<Layer*> layers;
};

// One file for all the layers, or one per layer named after the output.
std::vector<Dataset> DatasetsOf(std::vector<Layer>& layers, const QFileInfo& target,
                                const GisExportFormat& format) {
    std::vector<Dataset> datasets;
    if (format.oneFile) {
        datasets.push_back({target.fileName(), {}});
        for (Layer& layer : layers)
            datasets.back().layers.push_back(&layer);
    } else {
        const QString base = target.completeBaseName();
        const QString suffix = target.suffix();
        for (Layer& layer : layers)
            datasets.push_back(
                {QStringLiteral("%1-%2.%3").arg(base, QString::fromLatin1(layer.name), suffix),
                 {&layer}});
    }
    return datasets;
}

// Writes the files of one export through one GDAL driver.
class CDatasetWriter {
public:
    CDatasetWriter(GDALDriver& driver, const GisExportFormat& format, ExportCrs& systems,
                   const CGdalErrorTrap& trap)
        : m_driver(driver), m_systems(systems), m_trap(trap),
          m_datasetOptions(Terminated(format.datasetOptions)),
          m_layerOptions(Terminated(format.layerOptions)),
          m_bEscapeFormulas(std::string_view(format.driver) == "CSV") {}

    // `file` is where it is written, `name` how messages call it.
    bool Write(const QString& file, const QString& name, const std::vector<Layer*>& layers,
               QString& error) {
        const QByteArray local = QFile::encodeName(file);
        GDALDatasetUniquePtr dataset(m_driver.Create(local.constData(), 0, 0, 0, GDT_Unknown,
                                                     const_cast<char**>(m_datasetOptions.data())));
        if (!dataset) {
            error = WithGdalDetail(
                QCoreApplication::translate("GisExport", "No se pudo crear %1").arg(name),
                m_trap.LastError());
            return false;
        }
        for (Layer* layer : layers)
            if (!WriteLayer(*dataset, *layer, name, error))
                return false;
        dataset.reset(); // flushes and closes
        if (!m_trap.LastError().isEmpty()) {
            error = WithGdalDetail(
                QCoreApplication::translate("GisExport", "No se pudo escribir %1").arg(name),
                m_trap.LastError());
            return false;
        }
        return true;
    }

private:
    bool WriteLayer(GDALDataset& dataset, Layer& layer, const QString& name, QString& error) {
        OGRLayer* out = dataset.CreateLayer(layer.name, m_systems.OfLayers(), layer.type,
                                            const_cast<char**>(m_layerOptions.data()));
        std::vector<int> index;
        bool ok = out != nullptr && CreateFields(*out, layer, index);
        for (std::size_t i = 0; ok && i < layer.rows.size(); ++i) {
            if (!WriteRow(*out, layer, layer.rows[i], index, ok, error))
                return false;
        }
        if (!ok) {
            error = WithGdalDetail(
                QCoreApplication::translate("GisExport", "No se pudo escribir la capa %1 en %2")
                    .arg(QString::fromLatin1(layer.name), name),
                m_trap.LastError());
            return false;
        }
        return true;
    }

    // `index` gets where each field went: some drivers put fields of their own
    // first (KML: Name, description).
    static bool CreateFields(OGRLayer& out, const Layer& layer, std::vector<int>& index) {
        for (const Field& f : layer.fields) {
            OGRFieldDefn field(f.name, f.type);
            if (out.CreateField(&field) != OGRERR_NONE)
                return false;
        }
        for (const Field& f : layer.fields) {
            index.push_back(out.GetLayerDefn()->GetFieldIndex(f.name));
            if (index.back() < 0)
                return false;
        }
        return true;
    }

    // False, with `error`, when the row cannot be placed in the output's
    // coordinates; `written` says whether the driver took it.
    bool WriteRow(OGRLayer& out, const Layer& layer, Layer::Row& row, const std::vector<int>& index,
                  bool& written, QString& error) {
        OGRFeature feature(out.GetLayerDefn());
        for (qsizetype i = 0; i < row.values.size(); ++i) {
            const auto field = static_cast<std::size_t>(i);
            const QString& value = row.values[i];
            feature.SetField(index[field],
                             (m_bEscapeFormulas && layer.fields[field].type == OFTString
                                  ? SpreadsheetSafe(value)
                                  : value)
                                 .toUtf8()
                                 .constData());
        }
        if (row.geometry) {
            if (m_systems.transform &&
                row.geometry->transform(m_systems.transform.get()) != OGRERR_NONE) {
                error = QCoreApplication::translate(
                            "GisExport", "No se pudo pasar a %1 un elemento de la capa %2.")
                            .arg(m_systems.wanted, QString::fromLatin1(layer.name));
                return false;
            }
            feature.SetGeometryDirectly(row.geometry.release());
        }
        written = out.CreateFeature(&feature) == OGRERR_NONE;
        return true;
    }

    GDALDriver& m_driver;
    ExportCrs& m_systems;
    const CGdalErrorTrap& m_trap;
    const std::vector<const char*> m_datasetOptions;
    const std::vector<const char*> m_layerOptions;
    const bool m_bEscapeFormulas;
};

} // namespace

CGisExport::CGisExport(const MapStore& store, QByteArray georeference)
    : CGisExport(store, std::move(georeference), PlainFileOps()) {}

CGisExport::CGisExport(const MapStore& store, QByteArray georeference, FileOps& ops)
    : m_store(store), m_ops(ops), m_georeference(std::move(georeference)) {}

CGisExport::~CGisExport() {
    Cancel();
}

bool CGisExport::Fail(const QString& error) {
    m_strError = error;
    Cancel();
    return false;
}

bool CGisExport::Write(const QString& path, const QString& crs) {
    return Prepare(path, crs) && Commit();
}

bool CGisExport::Stage(const QString& written, const QString& output) {
    Problem why;
    const std::string target = TrustedWriteTarget(Local(output), why);
    if (target.empty())
        return Fail(ProblemText(why));
    if (const Problem notFile = NotAFileReason(target))
        return Fail(ProblemText(notFile));
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    // A replaced file keeps its permission bits (a read-only one stays so);
    // a new one gets what any new file of the person gets.
    const mode_t mode = existed ? (old.st_mode & 0777) : NewFileMode();

    // The name is taken first, so that nobody else's file can be in its way.
    std::string temp = FolderOf(target) + "." + NameOf(target) + ".veltrix-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return Fail(
            QCoreApplication::translate("GisExport", "No se puede escribir en la carpeta %1.")
                .arg(QFile::decodeName(QByteArray::fromStdString(FolderOf(target)))));
    ::close(fd);
    m_staged.push_back({temp, target, {}, existed});
    int err = m_ops.Rename(Local(written), temp);
    if (err == EXDEV)
        err = CopyBytes(Local(written), temp);
    if (err == 0)
        err = SyncFile(temp);
    // A replaced file keeps its owner and group where the person may give
    // them (root replacing a user's file), else at least its group.
    if (err == 0 && existed && ::chown(temp.c_str(), old.st_uid, old.st_gid) != 0)
        (void)!::chown(temp.c_str(), static_cast<uid_t>(-1), old.st_gid);
    if (err == 0 && ::chmod(temp.c_str(), mode) != 0)
        err = errno;
    if (err != 0)
        return Fail(WithGdalDetail(
            QCoreApplication::translate("GisExport", "No se pudo escribir %1").arg(output),
            SystemWords(err)));
    if (existed) {
        m_existing.append(output);
        if (IsReadOnlyFile(target))
            m_readOnly.append(output);
    }
    return true;
}

bool CGisExport::Commit() {
    m_strError.clear();
    // Puts back what was replaced before `done`, newest first.
    const auto undo = [this](std::size_t done) {
        QStringList kept;
        for (std::size_t i = done; i-- > 0;) {
            Staged& s = m_staged[i];
            if (!s.existed) {
                m_ops.Remove(s.target);
            } else if (!s.backup.empty()) {
                if (m_ops.Rename(s.backup, s.target) != 0)
                    kept.append(QFile::decodeName(QByteArray::fromStdString(s.backup)));
                s.backup.clear();
            }
        }
        return kept;
    };
    for (std::size_t i = 0; i < m_staged.size(); ++i) {
        Staged& s = m_staged[i];
        const QString shown = QFile::decodeName(QByteArray::fromStdString(s.target));
        bool movedAway = false;
        int err = 0;
        if (s.existed) {
            // The old file keeps a second name until all the new ones are in;
            // disks without hard links have it moved there instead.
            s.backup = s.temp + ".old";
            err = m_ops.Link(s.target, s.backup);
            if (err != 0 && err != EEXIST) {
                err = m_ops.Rename(s.target, s.backup);
                movedAway = err == 0;
            }
            if (err != 0) {
                s.backup.clear();
                const QStringList kept = undo(i);
                return Fail(
                    WithGdalDetail(QCoreApplication::translate("GisExport", "No se pudo apartar %1")
                                       .arg(shown),
                                   SystemWords(err)) +
                    QLatin1Char(' ') + KeptFiles(kept));
            }
        }
        err = m_ops.Rename(s.temp, s.target);
        if (err != 0) {
            QStringList kept = undo(i);
            if (!s.backup.empty()) {
                // A hard-linked old file never left its name.
                if (!movedAway)
                    m_ops.Remove(s.backup);
                else if (m_ops.Rename(s.backup, s.target) != 0)
                    kept.append(QFile::decodeName(QByteArray::fromStdString(s.backup)));
                s.backup.clear();
            }
            return Fail(WithGdalDetail(QCoreApplication::translate(
                                           "GisExport", "No se pudo poner %1 en su sitio")
                                           .arg(shown),
                                       SystemWords(err)) +
                        QLatin1Char(' ') + KeptFiles(kept));
        }
        s.temp.clear();
    }
    // The new names reach the disk, as a saved map's do: a crash after the
    // export said it was done must not bring the old files back.
    std::set<std::string> folders;
    for (const Staged& s : m_staged) {
        if (!s.backup.empty())
            m_ops.Remove(s.backup);
        folders.insert(FolderOf(s.target));
    }
    for (const std::string& folder : folders)
        m_ops.SyncFolder(folder);
    m_staged.clear();
    m_existing.clear();
    m_readOnly.clear();
    return true;
}

void CGisExport::Cancel() {
    for (const Staged& s : m_staged)
        if (!s.temp.empty())
            m_ops.Remove(s.temp);
    m_staged.clear();
    m_existing.clear();
    m_readOnly.clear();
}

bool CGisExport::Prepare(const QString& path, const QString& crs) {
    EnsureGdalRegistered();
    CGdalErrorTrap trap;
    Cancel();
    m_strError.clear();
    m_warnings.clear();
    m_files.clear();

    const QFileInfo target(path);
    const GisExportFormat* format = GisExportFormatOf(target.suffix());
    if (!format) {
        QStringList endings = GisExportSuffixes();
        const QString last = endings.takeLast();
        m_strError =
            QCoreApplication::translate("GisExport", "No se sabe escribir %1: use .%2 o .%3.")
                .arg(path, endings.join(QStringLiteral(", .")), last);
        return false;
    }
    ExportCrs systems;
    if (!SettleCrs(m_georeference, *format, crs, systems, m_warnings, m_strError))
        return false;
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(format->driver);
    if (!driver) {
        m_strError =
            QCoreApplication::translate("GisExport", "Esta instalación de GDAL no escribe %1.")
                .arg(QLatin1String(format->driver));
        return false;
    }
    // Everything is written in a folder beside the output and moved into place
    // at the end, so a failure leaves no half-written file behind.
    const QString folder = target.absolutePath();
    QTemporaryDir work(QDir(folder).filePath(QStringLiteral(".veltrix-export-XXXXXX")));
    if (!work.isValid()) {
        m_strError =
            QCoreApplication::translate("GisExport", "No se puede escribir en la carpeta %1.")
                .arg(folder);
        return false;
    }

    std::vector<Layer> layers = LayersToWrite(m_store);
    CDatasetWriter writer(*driver, *format, systems, trap);
    for (const Dataset& dataset : DatasetsOf(layers, target, *format)) {
        if (!writer.Write(work.filePath(dataset.name), dataset.name, dataset.layers, m_strError))
            return false;
        m_files.append(QDir(folder).filePath(dataset.name));
    }
    return StageAll(work.path(), folder);
}

// Each file waits beside the one it becomes, so that Commit() only renames.
bool CGisExport::StageAll(const QString& work, const QString& folder) {
    for (const QFileInfo& file : QDir(work).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (!Stage(file.absoluteFilePath(), QDir(folder).filePath(file.fileName())))
            return false;
    }
    return true;
}
