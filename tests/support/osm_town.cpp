#include "osm_town.h"

#include <QMap>
#include <QString>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double kOriginLat = 19.70;
constexpr double kOriginLon = -101.19;
constexpr double kEarthRadius = 6378137.0;

using Tags = std::vector<std::pair<QString, QString>>;

// Writes nodes, ways and relations; a node asked for twice at the same place
// is the same node, as streets share their crossings.
class OsmWriter {
public:
    long long Node(double east, double north, const Tags& tags = {}) {
        const QString key = QStringLiteral("%1,%2").arg(east).arg(north);
        if (tags.empty() && m_shared.contains(key))
            return m_shared.value(key);
        const long long id = ++m_nLast;
        const LonLat p = TownPoint(east, north);
        m_nodes += QStringLiteral("  <node id=\"%1\" lat=\"%2\" lon=\"%3\"")
                       .arg(id)
                       .arg(p.lat, 0, 'f', 9)
                       .arg(p.lon, 0, 'f', 9);
        if (tags.empty()) {
            m_nodes += QStringLiteral("/>\n");
            m_shared.insert(key, id);
        } else {
            m_nodes += QStringLiteral(">\n") + TagText(tags) + QStringLiteral("  </node>\n");
        }
        return id;
    }

    // A way through the points (east, north, east, north...).
    long long Way(std::initializer_list<double> points, const Tags& tags, bool closed = false) {
        std::vector<long long> ids;
        for (auto it = points.begin(); it != points.end(); it += 2)
            ids.push_back(Node(*it, *(it + 1)));
        if (closed)
            ids.push_back(ids.front());
        const long long id = ++m_nLast;
        m_ways += QStringLiteral("  <way id=\"%1\">\n").arg(id);
        for (long long n : ids)
            m_ways += QStringLiteral("    <nd ref=\"%1\"/>\n").arg(n);
        m_ways += TagText(tags) + QStringLiteral("  </way>\n");
        return id;
    }

    void Relation(const std::vector<long long>& ways, const std::vector<long long>& stops,
                  const Tags& tags) {
        m_relations += QStringLiteral("  <relation id=\"%1\">\n").arg(++m_nLast);
        for (long long w : ways)
            m_relations +=
                QStringLiteral("    <member type=\"way\" ref=\"%1\" role=\"\"/>\n").arg(w);
        for (long long s : stops)
            m_relations +=
                QStringLiteral("    <member type=\"node\" ref=\"%1\" role=\"stop\"/>\n").arg(s);
        m_relations += TagText(tags) + QStringLiteral("  </relation>\n");
    }

    QByteArray Xml() const {
        return (QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                               "<osm version=\"0.6\" generator=\"veltrix tests\">\n") +
                m_nodes + m_ways + m_relations + QStringLiteral("</osm>\n"))
            .toUtf8();
    }

private:
    static QString TagText(const Tags& tags) {
        QString text;
        for (const auto& [k, v] : tags)
            text += QStringLiteral("    <tag k=\"%1\" v=\"%2\"/>\n").arg(k, v.toHtmlEscaped());
        return text;
    }

    long long m_nLast = 0;
    QMap<QString, long long> m_shared;
    QString m_nodes;
    QString m_ways;
    QString m_relations;
};

Tags Street(const char* name, const char* kind = "residential") {
    return {{QStringLiteral("highway"), QString::fromLatin1(kind)},
            {QStringLiteral("name"), QString::fromUtf8(name)}};
}

} // namespace

LonLat TownPoint(double east, double north) {
    const double toDegrees = 180.0 / std::numbers::pi;
    return {kOriginLon + east / (kEarthRadius * std::cos(kOriginLat / toDegrees)) * toDegrees,
            kOriginLat + north / kEarthRadius * toDegrees};
}

QStringList TownStreetNames() {
    return {QStringLiteral("Calle Miguel Hidalgo"),
            QStringLiteral("Calle José María Morelos"),
            QStringLiteral("Calle Álvaro Obregón"),
            QStringLiteral("Calle Niños Héroes"),
            QStringLiteral("Calle Ignacio Allende"),
            QStringLiteral("Calle Zaragoza"),
            QStringLiteral("Calle Sor Juana Inés de la Cruz"),
            QStringLiteral("Avenida Benito Juárez"),
            QStringLiteral("Callejón del Beso"),
            QStringLiteral("Andador Peñuelas"),
            QStringLiteral("Libramiento Sur"),
            QStringLiteral("Cerrada del Sol"),
            QStringLiteral("Puente de la Alameda")};
}

QByteArray TestTownOsm() {
    OsmWriter osm;
    const QStringList names = TownStreetNames();
    auto name = [&](int i) { return names[i].toUtf8(); };

    // East-west streets every 100 m, with a node every 50 m; the first one
    // starts 3 m east of the corner, where the tiny link meets it.
    osm.Way({0, 0, 3, 0, 50, 0, 100, 0, 150, 0, 200, 0, 250, 0, 300, 0}, Street(name(0)));
    const long long morelos = osm.Way(
        {0, 100, 50, 100, 100, 100, 150, 100, 200, 100, 250, 100, 300, 100}, Street(name(1)));
    osm.Way({0, 200, 50, 200, 100, 200, 150, 200, 200, 200, 250, 200, 300, 200}, Street(name(2)));
    osm.Way({0, 300, 50, 300, 100, 300, 150, 300, 200, 300, 250, 300, 300, 300}, Street(name(3)));
    // North-south streets; the avenue is two ways, split where the route turns.
    osm.Way({0, 0, 0, 3, 0, 50, 0, 100, 0, 150, 0, 200, 0, 250, 0, 300}, Street(name(4)));
    osm.Way({100, 0, 100, 50, 100, 100, 100, 150, 100, 200, 100, 250, 100, 300}, Street(name(5)));
    osm.Way({200, 0, 200, 50, 200, 100, 200, 150, 200, 200, 200, 250, 200, 300}, Street(name(6)));
    osm.Way({300, 0, 300, 50, 300, 100}, Street(name(7), "secondary"));
    const long long juarezNorth =
        osm.Way({300, 100, 300, 150, 300, 200, 300, 250, 300, 300}, Street(name(7), "secondary"));
    // The alley overshoots both streets it crosses and shares no node with them.
    osm.Way({-10, 150, 50, 150, 110, 150}, Street(name(8)));
    // A footpath across a block does not split it.
    osm.Way({210, 10, 290, 90}, Street(name(9), "footway"));
    // A link cutting the south-west corner: a 4.5 m² triangle, too small for a block.
    osm.Way({0, 3, 3, 0}, {{QStringLiteral("highway"), QStringLiteral("residential")}});
    // The ring road encloses 2 km² of open land around the town: no block.
    osm.Way(
        {kRingWest, kRingWest, kRingEast, kRingWest, kRingEast, kRingEast, kRingWest, kRingEast},
        Street(name(10), "tertiary"), true);
    osm.Way({200, 300, 200, 330, 200, 360}, Street(name(11)));
    // A bridge over a block bounds nothing.
    Tags bridge = Street(name(12));
    bridge.push_back({QStringLiteral("bridge"), QStringLiteral("yes")});
    osm.Way({120, 210, 180, 290}, bridge);

    osm.Way({210, 210, 290, 210, 290, 290, 210, 290},
            {{QStringLiteral("leisure"), QStringLiteral("park")},
             {QStringLiteral("name"), QStringLiteral("Jardín Principal")}},
            true);
    osm.Way({110, 10, 190, 10, 190, 90, 110, 90},
            {{QStringLiteral("landuse"), QStringLiteral("commercial")}}, true);
    osm.Way({140, 240, 160, 240, 160, 260, 140, 260},
            {{QStringLiteral("amenity"), QStringLiteral("school")},
             {QStringLiteral("name"), QStringLiteral("Escuela Primaria Benito Juárez")}},
            true);

    auto tags = [](std::initializer_list<const char*> kv) {
        Tags t;
        for (auto it = kv.begin(); it != kv.end(); it += 2)
            t.push_back({QString::fromUtf8(*it), QString::fromUtf8(*(it + 1))});
        return t;
    };
    osm.Node(150, 250, tags({"amenity", "school", "name", "Escuela Primaria Benito Juárez"}));
    osm.Node(50, 250,
             tags({"amenity", "place_of_worship", "name", "Parroquia de San Isidro Labrador"}));
    osm.Node(250, 150, tags({"amenity", "marketplace", "name", "Mercado Municipal"}));
    osm.Node(50, 50, tags({"place", "neighbourhood", "name", "Barrio Ñuu Yɨvi"}));
    osm.Node(250, 250, tags({"place", "suburb", "name", "Colonia Centro"}));
    osm.Node(150, 150,
             tags({"place", "town", "name", "San Isidro de las Peñas", "is_in:state", "Michoacán",
                   "is_in:country", "México"}));
    osm.Node(5000, 5000, tags({"place", "village", "name", "El Rincón"}));

    osm.Node(60, 10,
             tags({"shop", "bakery", "name", "Panadería La Espiga", "phone", "+52 443 123 4567",
                   "addr:street", "Calle Miguel Hidalgo", "addr:housenumber", "12"}));
    osm.Node(40, 290, tags({"shop", "bakery", "name", "Panadería El Trigo"}));
    osm.Node(270, 70, tags({"shop", "bakery"}));
    osm.Node(160, 110, tags({"shop", "convenience", "name", "Abarrotes Doña Lupe"}));
    osm.Node(240, 110,
             tags({"amenity", "pharmacy", "name", "Farmacia del Centro", "addr:street",
                   "Avenida Benito Juárez", "addr:housenumber", "200", "addr:suburb", "Centro"}));
    osm.Node(60, 210, tags({"amenity", "restaurant", "name", "Fonda María"}));
    osm.Node(160, 210, tags({"amenity", "cafe", "name", "Café Ñandú"}));
    osm.Node(260, 60, tags({"shop", "weird", "name", "Tienda Rara"}));
    osm.Node(20000, 0, tags({"shop", "bakery", "name", "Panadería Lejana"}));

    const long long zaragoza =
        osm.Node(95, 103, tags({"highway", "bus_stop", "name", "Parada Zaragoza"}));
    const long long sorJuana =
        osm.Node(195, 97, tags({"highway", "bus_stop", "name", "Parada Sor Juana"}));
    osm.Node(197, 104, tags({"public_transport", "platform", "name", "Parada Sor Juana"}));
    const long long norte =
        osm.Node(303, 250, tags({"highway", "bus_stop", "name", "Parada Juárez Norte"}));
    osm.Node(150, 140, tags({"highway", "bus_stop", "name", "Parada Lejana"}));
    osm.Node(250, 102, tags({"highway", "bus_stop"}));
    osm.Relation(
        {morelos, juarezNorth}, {zaragoza, sorJuana, norte},
        tags({"type", "route", "route", "bus", "name", "Ruta 1 Centro", "colour", "#00AA00"}));
    return osm.Xml();
}
