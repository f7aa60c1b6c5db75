#include "gis_town.h"

#include "map_georeference.h"
#include "map_save.h"
#include "problem_text.h"

#include <QFile>
#include <QFileInfo>

#include <string>
#include <utility>

namespace {

QString Count(std::size_t n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
}

} // namespace

GisTownResult MakeGisTown(const CGisPreset& preset, const GisImportOptions& options,
                          const QString& mapPath, const GisTownPicture& picture,
                          const GisProgress& progress) {
    GisTownResult result;
    CGisImport importer(preset, options);
    importer.SetProgress(progress);
    std::unique_ptr<MapStore> store = importer.Run();
    result.report = importer.Report();
    if (!store) {
        result.importError = importer.Error();
        result.error = importer.ErrorString();
        return result;
    }
    const std::vector<std::uint8_t> jpeg = picture ? picture(*store) : std::vector<std::uint8_t>();
    if (jpeg.empty()) {
        result.stage = GisTownResult::Stage::Picture;
        result.error = QStringLiteral("No se pudo crear la imagen del mapa.");
        return result;
    }

    // The georeference is written aside first and put in place only after the
    // map saved, so that a failure leaves neither file behind.
    result.stage = GisTownResult::Stage::Georeference;
    CGeoreferenceFile prj(mapPath);
    if (!prj.Prepare(importer.Georeference(), result.error))
        return result;
    const bool mapExisted = QFileInfo::exists(mapPath);
    Problem reason;
    SaveOptions save;
    save.replaceReadOnly = options.replaceReadOnly;
    if (!SaveMapFile(*store, QFile::encodeName(mapPath).toStdString(), jpeg, reason, save)) {
        prj.Cancel();
        result.stage = GisTownResult::Stage::Save;
        result.error = ProblemText(reason);
        return result;
    }
    if (!prj.Commit(result.error)) {
        if (!mapExisted)
            QFile::remove(mapPath);
        return result;
    }
    result.stage = GisTownResult::Stage::Done;
    result.store = std::move(store);
    return result;
}

QStringList GisTownSummary(const QString& mapPath, const MapStore& store,
                           const GisImportReport& report) {
    std::size_t businesses = 0, stations = 0;
    for (const auto& category : store.m_directory.m_listCategories)
        businesses += category->m_listBusinesses.size();
    for (const auto& route : store.m_listRoutes)
        stations += route->m_stations.size();
    QStringList lines;
    lines.append(
        QStringLiteral("%1: %2, %3, %4, %5, %6, %7 en %8, %9 con %10.")
            .arg(mapPath, Count(store.m_blocks.size(), "manzana", "manzanas"),
                 Count(store.m_listStreets.size(), "calle trazada", "calles trazadas"),
                 Count(store.m_labels.size(), "etiqueta", "etiquetas"),
                 Count(store.m_listReferences.size(), "referencia", "referencias"),
                 Count(store.m_listColonies.size(), "colonia", "colonias"),
                 Count(businesses, "negocio", "negocios"),
                 Count(store.m_directory.m_listCategories.size(), "categoría", "categorías"),
                 Count(store.m_listRoutes.size(), "ruta", "rutas"))
            .arg(Count(stations, "estación", "estaciones")));
    lines.append(QStringLiteral("Ciudad: %1 (%2)")
                     .arg(QString::fromStdString(store.m_strTitle), GeoreferencePath(mapPath)));
    if (!report.townArea.isEmpty())
        lines.append(QStringLiteral("Recortado %1.").arg(report.townArea));
    for (const QString& note : report.notes)
        lines.append(QStringLiteral("Aviso: %1").arg(note));
    const std::pair<std::size_t, const char*> notes[] = {
        {report.repairedRings, "polígonos no válidos reparados"},
        {report.skippedRings, "polígonos que no sirven de manzana, descartados"},
        {report.tinyFaces, "huecos entre calles demasiado pequeños para ser manzana"},
        {report.hugeFaces, "áreas entre calles demasiado grandes para ser manzana"},
        {report.trimmedFaces, "áreas entre calles recortadas a la tierra construida"},
        {report.emptyFaces, "áreas entre calles sin nada construido, descartadas"},
        {report.outside, "elementos lejos del pueblo o fuera del alcance del mapa, descartados"},
        {report.unnamed, "elementos sin nombre, descartados"},
        {report.droppedRouteParts,
         "tramos cortos de rutas que ninguna calle une al resto, descartados"},
    };
    for (const auto& [n, what] : notes)
        if (n > 0)
            lines.append(QStringLiteral("Aviso: %1 %2.").arg(n).arg(QString::fromUtf8(what)));
    if (!report.splitRoutes.isEmpty())
        lines.append(QStringLiteral("Aviso: rutas partidas en varias porque ninguna calle une "
                                    "sus tramos: %1.")
                         .arg(report.splitRoutes.join(QStringLiteral(", "))));
    if (!report.unusedLayers.isEmpty())
        lines.append(QStringLiteral("Capas sin usar: %1.")
                         .arg(report.unusedLayers.join(QStringLiteral(", "))));
    return lines;
}
