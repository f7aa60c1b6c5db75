#include "command_table.h"

#include "commands.h"

#include <QCoreApplication>

namespace {

// A new command is one entry here and one source file.
constexpr ToolCommand kCommands[] = {
    {"info", QT_TRANSLATE_NOOP("Tool", "MAPA"),
     QT_TRANSLATE_NOOP("Tool",
                       "textos, cuentas de cada lista, contadores, imagen y límites del mapa"),
     RunInfo},
    {"dump", QT_TRANSLATE_NOOP("Tool", "[--compact] MAPA"),
     QT_TRANSLATE_NOOP("Tool", "el mapa entero como JSON (UTF-8) en la salida estándar"), RunDump},
    {"save", QT_TRANSLATE_NOOP("Tool", "ENTRADA SALIDA [--force]"),
     QT_TRANSLATE_NOOP("Tool", "abre un mapa y lo guarda como el editor (versión 1, listas "
                               "ordenadas por nombre)"),
     RunSave},
    {"check", QT_TRANSLATE_NOOP("Tool", "MAPA"),
     QT_TRANSLATE_NOOP("Tool", "termina con 0 si el mapa se abre y con 1 y el motivo si no"),
     RunCheck},
    {"generate", QT_TRANSLATE_NOOP("Tool", "-o SALIDA [--blocks N] [--seed S] [--force]"),
     QT_TRANSLATE_NOOP("Tool", "crea una ciudad sintética con su imagen de conjunto"), RunGenerate},
    {"render",
     QT_TRANSLATE_NOOP(
         "Tool", "MAPA -o SALIDA.png [--size WxH] [--scale S] [--center X,Y] [--layers LISTA|all]"),
     QT_TRANSLATE_NOOP("Tool", "dibuja una vista del mapa como la ventana del mapa, en PNG"),
     RunRender},
    {"picture", QT_TRANSLATE_NOOP("Tool", "IMAGEN -o SALIDA.png"),
     QT_TRANSLATE_NOOP(
         "Tool",
         "escribe en PNG lo que el editor lee de una imagen JPEG, BMP o GIF (su primer cuadro)"),
     RunPicture},
    {"set-picture", QT_TRANSLATE_NOOP("Tool", "MAPA IMAGEN [--force]"),
     QT_TRANSLATE_NOOP(
         "Tool",
         "reemplaza la imagen de conjunto del mapa (una BMP o GIF se guarda como JPEG) y lo guarda "
         "como el editor"),
     RunSetPicture},
    {"import",
     QT_TRANSLATE_NOOP(
         "Tool",
         "FUENTE... -o SALIDA.map [--preset osm|inegi|veltrix|ARCHIVO] [--country PAÍS] "
         "[--state ESTADO] [--town CIUDAD] [--area LON0,LAT0,LON1,LAT1 | --boundary ARCHIVO] "
         "[--progress] [--crs EPSG:N] [--force]"),
     QT_TRANSLATE_NOOP("Tool", "crea una ciudad con datos geográficos (OpenStreetMap, shapefile, "
                               "GeoPackage, GeoJSON, CSV) "
                               "y su georreferencia SALIDA.prj"),
     RunImport},
    {"export",
     QT_TRANSLATE_NOOP("Tool",
                       "MAPA -o SALIDA.(geojson|gpkg|shp|kml|csv) [--crs EPSG:N] [--force]"),
     QT_TRANSLATE_NOOP("Tool", "escribe todas las capas del mapa en un formato geográfico"),
     RunExport},
    {"guide",
     QT_TRANSLATE_NOOP("Tool",
                       "MAPA -o GUIA.pdf [--scale S] [--paper A4|Carta|\"Doble carta\"] "
                       "[--orientation vertical|horizontal] [--layers LISTA|all] [--force]"),
     QT_TRANSLATE_NOOP(
         "Tool",
         "imprime la guía de la ciudad en PDF: portada, plano de conjunto, páginas del plano con "
         "cuadrícula, índice de calles y directorio"),
     RunGuide},
};

} // namespace

std::span<const ToolCommand> ToolCommands() {
    return kCommands;
}

const ToolCommand* FindToolCommand(const QString& name) {
    for (const ToolCommand& command : kCommands)
        if (name == QLatin1String(command.name))
            return &command;
    return nullptr;
}

QString ToolCommandArguments(const ToolCommand& command) {
    return QCoreApplication::translate("Tool", command.arguments);
}

QString ToolCommandSummary(const ToolCommand& command) {
    return QCoreApplication::translate("Tool", command.summary);
}
