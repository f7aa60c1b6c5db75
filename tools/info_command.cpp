#include "commands.h"
#include "tool_support.h"

int RunInfo(const QStringList& args) {
    CCommandParser parser;
    parser.addPositionalArgument(QStringLiteral("mapa"), QStringLiteral("El archivo del mapa."));
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
        QStringLiteral("País: ") + text(store->m_strCountry),
        QStringLiteral("Estado: ") + text(store->m_strState),
        QStringLiteral("Ciudad: ") + text(store->m_strTown),
        QStringLiteral("Título: ") + text(store->m_strTitle),
        QStringLiteral("Versión: ") + QString::number(store->m_nFileVersion),
        QStringLiteral("Manzanas: ") + count(store->m_blocks.size()),
        QStringLiteral("Etiquetas: ") + count(store->m_labels.size()),
        QStringLiteral("Calles trazadas: ") + count(store->m_listStreets.size()),
        QStringLiteral("Referencias: ") + count(store->m_listReferences.size()),
        QStringLiteral("Rutas: ") + count(store->m_listRoutes.size()),
        QStringLiteral("Categorías: ") + count(store->m_directory.m_listCategories.size()),
        QStringLiteral("Negocios: ") + count(businesses),
        QStringLiteral("Colonias: ") + count(store->m_listColonies.size()),
        QStringLiteral("Zonas: ") + count(store->m_listZones.size()),
        QStringLiteral("Contadores: negocio %1, ruta %2, zona %3, reserva %4")
            .arg(c.business)
            .arg(c.route)
            .arg(c.zone)
            .arg(c.spare),
        QStringLiteral("Imagen: %1 bytes").arg(picture.size()),
        QStringLiteral("Límites de las manzanas: (%1, %2)-(%3, %4)")
            .arg(r.left)
            .arg(r.top)
            .arg(r.right)
            .arg(r.bottom),
    };
    for (const QString& line : lines)
        PrintLine(stdout, line);
    return kExitOk;
}
