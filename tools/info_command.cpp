#include "commands.h"
#include "tool_support.h"

#include <QCoreApplication>

int RunInfo(const QStringList& args) {
    CCommandParser parser;
    parser.addPositionalArgument(QCoreApplication::translate("Tool", "mapa"),
                                 QCoreApplication::translate("Tool", "El archivo del mapa."));
    if (const auto done = ParseCommandArgs(parser, QStringLiteral("info"), args, 1))
        return *done;
    std::vector<std::uint8_t> picture;
    const auto store = LoadMapForTool(parser.positionalArguments().at(0), picture);
    if (!store)
        return kExitFailed;

    std::size_t businesses = 0;
    for (const auto& category : store->m_directory.m_listCategories)
        businesses += category->m_listBusinesses.size();
    const auto text = [](const std::string& s) { return QString::fromStdString(s); };
    const auto count = [](std::size_t n) { return QString::number(n); };
    const MapCounters& c = store->m_counters;
    const MapRect& r = store->m_rcBlocks;
    const QString lines[] = {
        QCoreApplication::translate("Tool", "País: %1").arg(text(store->m_strCountry)),
        QCoreApplication::translate("Tool", "Estado: %1").arg(text(store->m_strState)),
        QCoreApplication::translate("Tool", "Ciudad: %1").arg(text(store->m_strTown)),
        QCoreApplication::translate("Tool", "Título: %1").arg(text(store->m_strTitle)),
        QCoreApplication::translate("Tool", "Versión: %1").arg(store->m_nFileVersion),
        QCoreApplication::translate("Tool", "Manzanas: %1").arg(count(store->m_blocks.size())),
        QCoreApplication::translate("Tool", "Etiquetas: %1").arg(count(store->m_labels.size())),
        QCoreApplication::translate("Tool", "Calles trazadas: %1")
            .arg(count(store->m_listStreets.size())),
        QCoreApplication::translate("Tool", "Referencias: %1")
            .arg(count(store->m_listReferences.size())),
        QCoreApplication::translate("Tool", "Rutas: %1").arg(count(store->m_listRoutes.size())),
        QCoreApplication::translate("Tool", "Categorías: %1")
            .arg(count(store->m_directory.m_listCategories.size())),
        QCoreApplication::translate("Tool", "Negocios: %1").arg(count(businesses)),
        QCoreApplication::translate("Tool", "Colonias: %1")
            .arg(count(store->m_listColonies.size())),
        QCoreApplication::translate("Tool", "Zonas: %1").arg(count(store->m_listZones.size())),
        QCoreApplication::translate("Tool", "Contadores: negocio %1, ruta %2, zona %3, reserva %4")
            .arg(c.business)
            .arg(c.route)
            .arg(c.zone)
            .arg(c.spare),
        QCoreApplication::translate("Tool", "Imagen: %1 bytes").arg(picture.size()),
        QCoreApplication::translate("Tool", "Límites de las manzanas: (%1, %2)-(%3, %4)")
            .arg(r.left)
            .arg(r.top)
            .arg(r.right)
            .arg(r.bottom),
    };
    for (const QString& line : lines)
        PrintLine(stdout, line);
    return kExitOk;
}
