#include "guide_index.h"

#include "display_order.h"
#include "map_store.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <map>
#include <string>

namespace {

void Tidy(std::vector<GuidePlace>& places) {
    std::sort(places.begin(), places.end());
    places.erase(std::unique(places.begin(), places.end()), places.end());
}

bool EntryLess(const GuideEntry& a, const GuideEntry& b) {
    return CompareForDisplay(a.name, b.name) < 0;
}

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8).trimmed();
}

template <typename T>
std::vector<GuideEntry> PlaceEntries(const std::vector<std::unique_ptr<T>>& list,
                                     const CGuideLayout& layout) {
    std::vector<GuideEntry> entries;
    for (const auto& item : list) {
        GuideEntry entry{Text(item->m_strName), {}, {}};
        if (entry.name.isEmpty())
            continue;
        if (const auto place = layout.PlaceOf({item->m_x, item->m_y}))
            entry.places.push_back(*place);
        entries.push_back(std::move(entry));
    }
    std::stable_sort(entries.begin(), entries.end(), EntryLess);
    return entries;
}

} // namespace

GuideIndex BuildGuideIndex(const MapStore& store, const CGuideLayout& layout) {
    GuideIndex index;

    // One entry per name, however many traces and labels carry it.
    std::map<QString, std::vector<GuidePlace>> streets;
    for (const auto& street : store.m_listStreets) {
        const QString name = Text(street->m_strName);
        if (name.isEmpty())
            continue;
        std::vector<GuidePlace>& places = streets[name];
        const std::vector<MapPoint>& points = street->m_points;
        if (points.size() == 1)
            if (const auto place = layout.PlaceOf(points.front()))
                places.push_back(*place);
        for (std::size_t i = 1; i < points.size(); ++i)
            layout.PlacesAlong(points[i - 1], points[i], places);
    }
    // Labels share one copy of each text, so the conversion is done once per text.
    std::map<const std::string*, QString> labelNames;
    for (const CmStname& label : store.m_labels) {
        auto [it, added] = labelNames.try_emplace(&label.m_strText.str());
        if (added)
            it->second = Text(label.m_strText.str());
        if (it->second.isEmpty())
            continue;
        std::vector<GuidePlace>& places = streets[it->second];
        if (const auto place = layout.PlaceOf({label.m_x, label.m_y}))
            places.push_back(*place);
    }
    index.streets.reserve(streets.size());
    for (auto& [name, places] : streets) {
        Tidy(places);
        index.streets.push_back({name, {}, std::move(places)});
    }
    std::sort(index.streets.begin(), index.streets.end(), EntryLess);

    for (const auto& category : store.m_directory.m_listCategories) {
        GuideCategory out{Text(category->m_strName), {}};
        if (out.name.isEmpty())
            out.name = QCoreApplication::translate("Guide", "Sin categoría");
        for (const auto& business : category->m_listBusinesses) {
            GuideEntry entry{Text(business->m_strName), {}, {}};
            if (entry.name.isEmpty())
                continue;
            QStringList detail;
            if (const QString address = Text(business->m_strComments); !address.isEmpty())
                detail << address;
            if (const QString phone = Text(business->m_strPhone); !phone.isEmpty())
                detail << QCoreApplication::translate("Guide", "Tel. %1").arg(phone);
            entry.detail = detail.join(QStringLiteral(" · "));
            if (business->IsDrawable())
                if (const auto place = layout.PlaceOf({business->m_x, business->m_y}))
                    entry.places.push_back(*place);
            out.businesses.push_back(std::move(entry));
        }
        std::stable_sort(out.businesses.begin(), out.businesses.end(), EntryLess);
        index.directory.push_back(std::move(out));
    }
    std::stable_sort(index.directory.begin(), index.directory.end(),
                     [](const GuideCategory& a, const GuideCategory& b) {
                         return CompareForDisplay(a.name, b.name) < 0;
                     });

    index.references = PlaceEntries(store.m_listReferences, layout);
    index.colonies = PlaceEntries(store.m_listColonies, layout);
    return index;
}

QString GuidePlacesText(const std::vector<GuidePlace>& places) {
    if (places.empty())
        return QCoreApplication::translate("Guide", "fuera del plano");
    // One group per page: "12 C3 C4, 13 A3", the page's number said once.
    QString text;
    int page = 0;
    for (const GuidePlace& place : places) {
        if (place.page != page) {
            if (!text.isEmpty())
                text += QStringLiteral(", ");
            text += QString::number(place.page);
            page = place.page;
        }
        text += QLatin1Char(' ') + GuideSquareName(place.column, place.row);
    }
    return text;
}
