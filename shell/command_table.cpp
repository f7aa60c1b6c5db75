#include "command_table.h"

#include <Qt>

namespace {

constexpr int Keys(QKeyCombination combination) {
    return combination.toCombined();
}

constexpr CommandRow kCommands[] = {
    {.id = ID_FILE_OPEN_ANY,
     .text = QT_TRANSLATE_NOOP("Command", "A&brir..."),
     .prompt = QT_TRANSLATE_NOOP("Command", "Abre un mapa de cualquier carpeta"),
     .tip = QT_TRANSLATE_NOOP("Command", "Abrir mapa"),
     .icon = "open",
     .shortcut = Keys(Qt::CTRL | Qt::Key_O)},
    {.id = ID_FILE_OPEN_MAP,
     .text = QT_TRANSLATE_NOOP("Command", "&Abrir paquete"),
     .prompt = QT_TRANSLATE_NOOP("Command", "Abre un archivo de mapas"),
     .tip = QT_TRANSLATE_NOOP("Command", "Abrir"),
     .icon = "open"},
    {.id = ID_FILE_SAVE_MAP,
     .text = QT_TRANSLATE_NOOP("Command", "&Guardar"),
     .prompt = QT_TRANSLATE_NOOP("Command", "Guarda los cambios en el archivo"),
     .tip = QT_TRANSLATE_NOOP("Command", "Guardar"),
     .icon = "save",
     .shortcut = Keys(Qt::CTRL | Qt::Key_S),
     .needsMap = true},
    {.id = ID_FILE_SAVE_AS,
     .text = QT_TRANSLATE_NOOP("Command", "Guardar &como..."),
     .prompt = QT_TRANSLATE_NOOP("Command", "Guarda el mapa con otro nombre o en otra carpeta"),
     .tip = QT_TRANSLATE_NOOP("Command", "Guardar como"),
     .shortcut = Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
     .needsMap = true},
    {.id = ID_FILE_PREFERENCES,
     .text = QT_TRANSLATE_NOOP("Command", "Pre&ferencias..."),
     .prompt = QT_TRANSLATE_NOOP(
         "Command", "Cambia cada cuántos minutos se guarda una copia de recuperación")},
    {.id = ID_COPY_MAP,
     .text = QT_TRANSLATE_NOOP("Command", "&Copiar mapa"),
     .prompt = QT_TRANSLATE_NOOP("Command", "Copiar al portapapeles el mapa en pantalla"),
     .tip = QT_TRANSLATE_NOOP("Command", "Copiar"),
     .icon = "copy",
     .needsMap = true},
    {.id = ID_FILE_PRINT,
     .text = QT_TRANSLATE_NOOP("Command", "&Imprimir"),
     .prompt = QT_TRANSLATE_NOOP("Command", "Imprime el mapa"),
     .tip = QT_TRANSLATE_NOOP("Command", "Imprimir"),
     .icon = "print",
     .shortcut = Keys(Qt::CTRL | Qt::Key_P),
     .needsMap = true},
    {.id = ID_FILE_PRINT_GUIDE,
     .text = QT_TRANSLATE_NOOP("Command", "Imprimir &guía..."),
     .prompt =
         QT_TRANSLATE_NOOP("Command", "Hace la guía impresa de la ciudad en PDF: planos por "
                                      "páginas con cuadrícula, índice de calles y directorio"),
     .tip = QT_TRANSLATE_NOOP("Command", "Imprimir guía"),
     .needsMap = true},
    {.id = ID_FILE_EXPORT_VIEW,
     .text = QT_TRANSLATE_NOOP("Command", "&Exportar vista..."),
     .prompt = QT_TRANSLATE_NOOP("Command", "Guarda la vista del mapa en un archivo PNG o PDF"),
     .tip = QT_TRANSLATE_NOOP("Command", "Exportar"),
     .needsMap = true},
    {.id = ID_FILE_IMPORT_GIS,
     .text = QT_TRANSLATE_NOOP("Command", "Importar &datos geográficos..."),
     .prompt =
         QT_TRANSLATE_NOOP("Command", "Crea un mapa a partir de datos geográficos: OpenStreetMap, "
                                      "shapefiles, GeoPackage, GeoJSON, KML o CSV")},
    {.id = ID_FILE_EXPORT_GIS,
     .text = QT_TRANSLATE_NOOP("Command", "E&xportar datos geográficos..."),
     .prompt =
         QT_TRANSLATE_NOOP("Command", "Escribe las capas del mapa para programas de información "
                                      "geográfica: GeoJSON, GeoPackage, Shapefile, KML o CSV"),
     .needsMap = true},
    {.id = ID_EDIT_UNDO,
     .text = QT_TRANSLATE_NOOP("Command", "&Deshacer"),
     .prompt = QT_TRANSLATE_NOOP("Command", "Deshace la última acción"),
     .tip = QT_TRANSLATE_NOOP("Command", "Deshacer"),
     .shortcut = Keys(Qt::CTRL | Qt::Key_Z)},
    {.id = ID_EDIT_REDO,
     .text = QT_TRANSLATE_NOOP("Command", "&Rehacer"),
     .prompt = QT_TRANSLATE_NOOP("Command", "Rehace la acción previamente deshecha"),
     .tip = QT_TRANSLATE_NOOP("Command", "Rehacer"),
     .shortcut = Keys(Qt::CTRL | Qt::Key_Y)},
    {.id = ID_APP_EXIT,
     .text = QT_TRANSLATE_NOOP("Command", "&Salir"),
     .prompt =
         QT_TRANSLATE_NOOP("Command", "Sale de la aplicación; le pide que guarde los documentos"),
     .tip = QT_TRANSLATE_NOOP("Command", "Salir"),
     .shortcut = Keys(Qt::CTRL | Qt::Key_Q)},
    {.id = ID_VIEW_TOOLBAR,
     .text = QT_TRANSLATE_NOOP("Command", "Barra de &herramientas"),
     .prompt = QT_TRANSLATE_NOOP("Command", "Muestra u oculta la barra de herramientas"),
     .tip = QT_TRANSLATE_NOOP("Command", "Alternar Barra de herramientas"),
     .checkable = true},
    {.id = ID_VIEW_STATUS_BAR,
     .text = QT_TRANSLATE_NOOP("Command", "Barra de &estado"),
     .prompt = QT_TRANSLATE_NOOP("Command", "Muestra u oculta la barra de estado"),
     .tip = QT_TRANSLATE_NOOP("Command", "Alternar Barra de estado"),
     .checkable = true},
    {.id = ID_VIEW_GUIDE,
     .text = QT_TRANSLATE_NOOP("Command", "Mostrar &Guía"),
     .prompt = QT_TRANSLATE_NOOP(
         "Command",
         "Despliega una ventana con toda la extensión del mapa y ubica el área desplegada"),
     .tip = QT_TRANSLATE_NOOP("Command", "Guía"),
     .icon = "guide",
     .checkable = true,
     .needsMap = true},
    // Its Home key is the map window's own (see the frame).
    {.id = ID_VIEW_ALL,
     .text = QT_TRANSLATE_NOOP("Command", "Ver &todo"),
     .prompt = QT_TRANSLATE_NOOP("Command", "Muestra la ciudad completa en la ventana"),
     .tip = QT_TRANSLATE_NOOP("Command", "Ver todo"),
     .needsMap = true},
    {.id = ID_VIEW_SCALE_BAR,
     .text = QT_TRANSLATE_NOOP("Command", "Es&cala gráfica"),
     .prompt = QT_TRANSLATE_NOOP("Command", "Muestra u oculta la escala gráfica del mapa"),
     .tip = QT_TRANSLATE_NOOP("Command", "Escala gráfica"),
     .checkable = true},
    {.id = ID_VIEW_PLACE_LABELS,
     .text = QT_TRANSLATE_NOOP("Command", "Nombres sin &encimarse"),
     .prompt =
         QT_TRANSLATE_NOOP("Command", "Deja fuera los nombres de calles que cubrirían a otros "
                                      "más importantes, como en la guía impresa"),
     .tip = QT_TRANSLATE_NOOP("Command", "Nombres sin encimarse"),
     .checkable = true},
    {.id = ID_VIEW_PROPERTIES,
     .text = QT_TRANSLATE_NOOP("Command", "&Propiedades"),
     .prompt = QT_TRANSLATE_NOOP("Command", "Muestra las propiedades del mapa cargado"),
     .tip = QT_TRANSLATE_NOOP("Command", "Propiedades"),
     .needsMap = true},
    {.id = ID_HELP_FINDER, .text = QT_TRANSLATE_NOOP("Command", "Ayuda en &linea...")},
};

} // namespace

std::span<const CommandRow> CommandTable() {
    return kCommands;
}
