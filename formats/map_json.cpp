#include "map_json.h"

#include <QJsonArray>
#include <QString>

#include <charconv>
#include <cmath>
#include <cstdlib>

QJsonValue FloatToJson(float value) {
    if (!std::isfinite(value))
        return QJsonValue(QJsonValue::Null);
    // The shortest form of the float, read as a double, is the double whose
    // shortest form is that same text; JSON writers print doubles that way.
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text - 1, value);
    *result.ptr = '\0';
    return QJsonValue(std::strtod(text, nullptr));
}

namespace {

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QJsonArray Point(double x, double y) {
    return QJsonArray{x, y};
}

QJsonArray Points(const std::vector<MapPoint>& points) {
    QJsonArray array;
    for (const MapPoint& p : points)
        array.append(Point(p.x, p.y));
    return array;
}

QJsonArray Blocks(const MapStore& store) {
    QJsonArray array;
    for (const CmBlock& block : store.m_blocks) {
        QJsonArray points;
        for (const FloatPoint& p : store.Outline(block))
            points.append(QJsonArray{FloatToJson(p.x), FloatToJson(p.y)});
        array.append(QJsonObject{{QStringLiteral("id"), static_cast<double>(block.m_nId)},
                                 {QStringLiteral("type"), block.m_nType},
                                 {QStringLiteral("scale"), FloatToJson(block.m_fScale)},
                                 {QStringLiteral("reserved"), block.m_nReserved},
                                 {QStringLiteral("points"), points}});
    }
    return array;
}

QJsonArray Labels(const std::vector<CmStname>& labels) {
    QJsonArray array;
    for (const CmStname& label : labels)
        array.append(QJsonObject{{QStringLiteral("x"), label.m_x},
                                 {QStringLiteral("y"), label.m_y},
                                 {QStringLiteral("angle"), FloatToJson(label.m_fAngle)},
                                 {QStringLiteral("text"), Text(label.m_strText)}});
    return array;
}

QJsonArray Streets(const std::vector<std::unique_ptr<CmCalles>>& streets) {
    QJsonArray array;
    for (const auto& street : streets)
        array.append(QJsonObject{{QStringLiteral("name"), Text(street->m_strName)},
                                 {QStringLiteral("zoom"), FloatToJson(street->m_fZoom)},
                                 {QStringLiteral("points"), Points(street->m_points)}});
    return array;
}

template <typename Place>
QJsonArray Places(const std::vector<std::unique_ptr<Place>>& places) {
    QJsonArray array;
    for (const auto& place : places)
        array.append(QJsonObject{{QStringLiteral("name"), Text(place->m_strName)},
                                 {QStringLiteral("x"), place->m_x},
                                 {QStringLiteral("y"), place->m_y},
                                 {QStringLiteral("zoom"), FloatToJson(place->m_fZoom)}});
    return array;
}

QJsonArray Routes(const std::vector<std::unique_ptr<CmVias>>& routes) {
    QJsonArray array;
    for (const auto& route : routes) {
        QJsonArray stations;
        for (const Station& s : route->m_stations)
            stations.append(QJsonObject{{QStringLiteral("x"), s.pt.x},
                                        {QStringLiteral("y"), s.pt.y},
                                        {QStringLiteral("name"), Text(s.name)}});
        array.append(QJsonObject{{QStringLiteral("name"), Text(route->m_strName)},
                                 {QStringLiteral("zoom"), FloatToJson(route->m_fZoom)},
                                 {QStringLiteral("points"), Points(route->m_points)},
                                 {QStringLiteral("color"), static_cast<double>(route->m_crColor)},
                                 {QStringLiteral("number"), static_cast<double>(route->m_nRouteNo)},
                                 {QStringLiteral("stations"), stations}});
    }
    return array;
}

QJsonArray Categories(const CmDirectorio& directory) {
    QJsonArray array;
    for (const auto& category : directory.m_listCategories) {
        QJsonArray businesses;
        for (const auto& b : category->m_listBusinesses)
            businesses.append(
                QJsonObject{{QStringLiteral("name"), Text(b->m_strName)},
                            {QStringLiteral("x"), b->m_x},
                            {QStringLiteral("y"), b->m_y},
                            {QStringLiteral("zoom"), FloatToJson(b->m_fZoom)},
                            {QStringLiteral("phone"), Text(b->m_strPhone)},
                            {QStringLiteral("comments"), Text(b->m_strComments)},
                            {QStringLiteral("extra1"), Text(b->m_strExtra1)},
                            {QStringLiteral("extra2"), Text(b->m_strExtra2)},
                            {QStringLiteral("extra3"), Text(b->m_strExtra3)},
                            {QStringLiteral("number"), static_cast<double>(b->m_nBusinessNo)}});
        array.append(QJsonObject{{QStringLiteral("name"), Text(category->m_strName)},
                                 {QStringLiteral("businesses"), businesses}});
    }
    return array;
}

QJsonArray Zones(const std::vector<std::unique_ptr<CmZonas>>& zones) {
    QJsonArray array;
    for (const auto& zone : zones) {
        QJsonArray ids;
        for (std::uint32_t id : zone->m_blockIds)
            ids.append(static_cast<double>(id));
        array.append(QJsonObject{{QStringLiteral("name"), Text(zone->m_strName)},
                                 {QStringLiteral("notes"), Text(zone->m_strNotes)},
                                 {QStringLiteral("blocks"), ids},
                                 {QStringLiteral("number"), static_cast<double>(zone->m_nZoneNo)}});
    }
    return array;
}

} // namespace

QJsonObject MapToJson(const MapStore& store, std::size_t pictureBytes) {
    const MapCounters& n = store.m_counters;
    return QJsonObject{
        {QStringLiteral("country"), Text(store.m_strCountry)},
        {QStringLiteral("state"), Text(store.m_strState)},
        {QStringLiteral("town"), Text(store.m_strTown)},
        {QStringLiteral("version"), store.m_nFileVersion},
        {QStringLiteral("counters"),
         QJsonObject{{QStringLiteral("business"), static_cast<double>(n.business)},
                     {QStringLiteral("route"), static_cast<double>(n.route)},
                     {QStringLiteral("zone"), static_cast<double>(n.zone)},
                     {QStringLiteral("spare"), static_cast<double>(n.spare)}}},
        {QStringLiteral("blocks"), Blocks(store)},
        {QStringLiteral("labels"), Labels(store.m_labels)},
        {QStringLiteral("streets"), Streets(store.m_listStreets)},
        {QStringLiteral("references"), Places(store.m_listReferences)},
        {QStringLiteral("routes"), Routes(store.m_listRoutes)},
        {QStringLiteral("categories"), Categories(store.m_directory)},
        {QStringLiteral("colonies"), Places(store.m_listColonies)},
        {QStringLiteral("zones"), Zones(store.m_listZones)},
        {QStringLiteral("picture_bytes"), static_cast<double>(pictureBytes)},
    };
}
