#include "gis_town.h"

#include "map_georeference.h"
#include "map_save.h"
#include "problem_text.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <string>
#include <utility>

namespace {

// A count with its noun, one text for one and another for the rest.
QString Count(std::size_t n, const char* one, const char* many) {
    return QCoreApplication::translate("GisImport", n == 1 ? one : many).arg(n);
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
        result.error =
            QCoreApplication::translate("GisImport", "No se pudo crear la imagen del mapa.");
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
        QCoreApplication::translate("GisImport", "%1: %2, %3, %4, %5, %6, %7 en %8, %9 con %10.")
            .arg(mapPath,
                 Count(store.m_blocks.size(), QT_TRANSLATE_NOOP("GisImport", "%1 manzana"),
                       QT_TRANSLATE_NOOP("GisImport", "%1 manzanas")),
                 Count(store.m_listStreets.size(),
                       QT_TRANSLATE_NOOP("GisImport", "%1 calle trazada"),
                       QT_TRANSLATE_NOOP("GisImport", "%1 calles trazadas")),
                 Count(store.m_labels.size(), QT_TRANSLATE_NOOP("GisImport", "%1 etiqueta"),
                       QT_TRANSLATE_NOOP("GisImport", "%1 etiquetas")),
                 Count(store.m_listReferences.size(),
                       QT_TRANSLATE_NOOP("GisImport", "%1 referencia"),
                       QT_TRANSLATE_NOOP("GisImport", "%1 referencias")),
                 Count(store.m_listColonies.size(), QT_TRANSLATE_NOOP("GisImport", "%1 colonia"),
                       QT_TRANSLATE_NOOP("GisImport", "%1 colonias")),
                 Count(businesses, QT_TRANSLATE_NOOP("GisImport", "%1 negocio"),
                       QT_TRANSLATE_NOOP("GisImport", "%1 negocios")),
                 Count(store.m_directory.m_listCategories.size(),
                       QT_TRANSLATE_NOOP("GisImport", "%1 categoría"),
                       QT_TRANSLATE_NOOP("GisImport", "%1 categorías")),
                 Count(store.m_listRoutes.size(), QT_TRANSLATE_NOOP("GisImport", "%1 ruta"),
                       QT_TRANSLATE_NOOP("GisImport", "%1 rutas")))
            .arg(Count(stations, QT_TRANSLATE_NOOP("GisImport", "%1 estación"),
                       QT_TRANSLATE_NOOP("GisImport", "%1 estaciones"))));
    lines.append(QCoreApplication::translate("GisImport", "Ciudad: %1 (%2)")
                     .arg(QString::fromStdString(store.m_strTitle), GeoreferencePath(mapPath)));
    if (!report.townArea.isEmpty())
        lines.append(report.townArea);
    for (const QString& note : report.notes)
        lines.append(QCoreApplication::translate("GisImport", "Aviso: %1").arg(note));
    const std::pair<std::size_t, const char*> notes[] = {
        {report.repairedRings,
         QT_TRANSLATE_NOOP("GisImport", "Aviso: %1 polígonos no válidos reparados.")},
        {report.skippedRings,
         QT_TRANSLATE_NOOP("GisImport",
                           "Aviso: %1 polígonos que no sirven de manzana, descartados.")},
        {report.tinyFaces,
         QT_TRANSLATE_NOOP("GisImport",
                           "Aviso: %1 huecos entre calles demasiado pequeños para ser manzana.")},
        {report.hugeFaces,
         QT_TRANSLATE_NOOP("GisImport",
                           "Aviso: %1 áreas entre calles demasiado grandes para ser manzana.")},
        {report.trimmedFaces,
         QT_TRANSLATE_NOOP("GisImport",
                           "Aviso: %1 áreas entre calles recortadas a la tierra construida.")},
        {report.emptyFaces,
         QT_TRANSLATE_NOOP("GisImport",
                           "Aviso: %1 áreas entre calles sin nada construido, descartadas.")},
        {report.outside,
         QT_TRANSLATE_NOOP("GisImport", "Aviso: %1 elementos lejos del pueblo o fuera del alcance "
                                        "del mapa, descartados.")},
        {report.unnamed,
         QT_TRANSLATE_NOOP("GisImport", "Aviso: %1 elementos sin nombre, descartados.")},
        {report.droppedRouteParts,
         QT_TRANSLATE_NOOP("GisImport", "Aviso: %1 tramos cortos de rutas que ninguna calle une al "
                                        "resto, descartados.")},
    };
    for (const auto& [n, text] : notes)
        if (n > 0)
            lines.append(QCoreApplication::translate("GisImport", text).arg(n));
    if (!report.splitRoutes.isEmpty())
        lines.append(QCoreApplication::translate("GisImport",
                                                 "Aviso: rutas partidas en varias porque ninguna "
                                                 "calle une sus tramos: %1.")
                         .arg(report.splitRoutes.join(QStringLiteral(", "))));
    if (!report.unusedLayers.isEmpty())
        lines.append(QCoreApplication::translate("GisImport", "Capas sin usar: %1.")
                         .arg(report.unusedLayers.join(QStringLiteral(", "))));
    return lines;
}
