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
        array.append(QJsonObject{{"id", static_cast<double>(block.m_nId)},
                                 {"type", block.m_nType},
                                 {"scale", FloatToJson(block.m_fScale)},
                                 {"reserved", block.m_nReserved},
                                 {"points", points}});
    }
    return array;
}

QJsonArray Labels(const std::vector<CmStname>& labels) {
    QJsonArray array;
    for (const CmStname& label : labels)
        array.append(QJsonObject{{"x", label.m_x},
                                 {"y", label.m_y},
                                 {"angle", FloatToJson(label.m_fAngle)},
                                 {"text", Text(label.m_strText)}});
    return array;
}

QJsonArray Streets(const std::vector<std::unique_ptr<CmCalles>>& streets) {
    QJsonArray array;
    for (const auto& street : streets)
        array.append(QJsonObject{{"name", Text(street->m_strName)},
                                 {"zoom", FloatToJson(street->m_fZoom)},
                                 {"points", Points(street->m_points)}});
    return array;
}

template <typename Place>
QJsonArray Places(const std::vector<std::unique_ptr<Place>>& places) {
    QJsonArray array;
    for (const auto& place : places)
        array.append(QJsonObject{{"name", Text(place->m_strName)},
                                 {"x", place->m_x},
                                 {"y", place->m_y},
                                 {"zoom", FloatToJson(place->m_fZoom)}});
    return array;
}

QJsonArray Routes(const std::vector<std::unique_ptr<CmVias>>& routes) {
    QJsonArray array;
    for (const auto& route : routes) {
        QJsonArray stations;
        for (const Station& s : route->m_stations)
            stations.append(QJsonObject{{"x", s.pt.x}, {"y", s.pt.y}, {"name", Text(s.name)}});
        array.append(QJsonObject{{"name", Text(route->m_strName)},
                                 {"zoom", FloatToJson(route->m_fZoom)},
                                 {"points", Points(route->m_points)},
                                 {"color", static_cast<double>(route->m_crColor)},
                                 {"number", static_cast<double>(route->m_nRouteNo)},
                                 {"stations", stations}});
    }
    return array;
}

QJsonArray Categories(const CmDirectorio& directory) {
    QJsonArray array;
    for (const auto& category : directory.m_listCategories) {
        QJsonArray businesses;
        for (const auto& b : category->m_listBusinesses)
            businesses.append(QJsonObject{{"name", Text(b->m_strName)},
                                          {"x", b->m_x},
                                          {"y", b->m_y},
                                          {"zoom", FloatToJson(b->m_fZoom)},
                                          {"phone", Text(b->m_strPhone)},
                                          {"comments", Text(b->m_strComments)},
                                          {"extra1", Text(b->m_strExtra1)},
                                          {"extra2", Text(b->m_strExtra2)},
                                          {"extra3", Text(b->m_strExtra3)},
                                          {"number", static_cast<double>(b->m_nBusinessNo)}});
        array.append(QJsonObject{{"name", Text(category->m_strName)}, {"businesses", businesses}});
    }
    return array;
}

QJsonArray Zones(const std::vector<std::unique_ptr<CmZonas>>& zones) {
    QJsonArray array;
    for (const auto& zone : zones) {
        QJsonArray ids;
        for (std::uint32_t id : zone->m_blockIds)
            ids.append(static_cast<double>(id));
        array.append(QJsonObject{{"name", Text(zone->m_strName)},
                                 {"notes", Text(zone->m_strNotes)},
                                 {"blocks", ids},
                                 {"number", static_cast<double>(zone->m_nZoneNo)}});
    }
    return array;
}

} // namespace

QJsonObject MapToJson(const MapStore& store, std::size_t pictureBytes) {
    const MapCounters& n = store.m_counters;
    return QJsonObject{
        {"country", Text(store.m_strCountry)},
        {"state", Text(store.m_strState)},
        {"town", Text(store.m_strTown)},
        {"version", store.m_nFileVersion},
        {"counters", QJsonObject{{"business", static_cast<double>(n.business)},
                                 {"route", static_cast<double>(n.route)},
                                 {"zone", static_cast<double>(n.zone)},
                                 {"spare", static_cast<double>(n.spare)}}},
        {"blocks", Blocks(store)},
        {"labels", Labels(store.m_labels)},
        {"streets", Streets(store.m_listStreets)},
        {"references", Places(store.m_listReferences)},
        {"routes", Routes(store.m_listRoutes)},
        {"categories", Categories(store.m_directory)},
        {"colonies", Places(store.m_listColonies)},
        {"zones", Zones(store.m_listZones)},
        {"picture_bytes", static_cast<double>(pictureBytes)},
    };
}
