#include "label_layer.h"

#include "label_placement.h"
#include "map_painting.h"
#include "map_store.h"
#include "text_layouts.h"

#include <string_view>
#include <unordered_map>

namespace {

TextStyle LabelStyle(CTextLayouts& texts, const MapTransform& t) {
    return texts.Style(MapFont(QStringLiteral("Arial"), QFont::SansSerif,
                               CmStname::FontHeight(t.Scale()), t, false));
}

} // namespace

bool CLabelLayer::Shows(const MapStore& store, const LayerSwitches& layers, const MapTransform& t) {
    return layers.m_bShowStreetNames && t.Scale() > 10.0f && !store.m_labels.empty();
}

void CLabelLayer::EnsureIndex(const std::vector<CmStname>& labels) {
    if (m_index.Matches(labels.data(), labels.size()))
        return;
    std::vector<MapPoint> anchors;
    anchors.reserve(labels.size());
    for (const CmStname& label : labels)
        anchors.push_back({label.m_x, label.m_y});
    m_index.Build(anchors, labels.data(), labels.size());
}

void CLabelLayer::Draw(QPainter& painter, const MapStore& store, const RenderFrame& f) {
    if (!Shows(store, f.layers, f.t))
        return;
    const MapTransform& t = f.t;
    const TextStyle font = LabelStyle(f.texts, t);
    const std::vector<CmStname>& labels = store.m_labels;
    if (f.cull) {
        EnsureIndex(labels);
        m_index.Query(f.visible, m_visible);
    } else {
        m_visible.resize(labels.size());
        for (std::size_t i = 0; i < m_visible.size(); ++i)
            m_visible[i] = static_cast<std::uint32_t>(i);
    }
    if (f.placeLabels)
        m_visible = Placed(labels, f, font);
    const TextReach reach(font.font);
    for (std::uint32_t i : m_visible) {
        const CmStname& label = labels[i];
        if (!f.visible.Contains(label.m_x, label.m_y) || label.m_strText.empty())
            continue;
        if (f.Partial() && !reach.MayReachTurned(f.area, Bounded(t.ToPixel(label.m_x, label.m_y)),
                                                 label.m_strText))
            continue;
        const QStaticText& layout = f.texts.Layout(font, label.m_strText);
        const std::int32_t escapement = label.Escapement();
        if (f.Partial() && !TextBox(t, label.m_x, label.m_y, layout, escapement).intersects(f.area))
            continue;
        DrawMapText(painter, t, label.m_x, label.m_y, layout, font.font,
                    ColorFromRef(label.m_crColor), escapement);
    }
}

const std::vector<int>& CLabelLayer::Weights(const std::vector<CmStname>& labels) {
    if (m_pWeighed == labels.data() && m_nWeighed == labels.size())
        return m_weights;
    std::unordered_map<std::string_view, int> counts;
    for (const CmStname& label : labels)
        ++counts[std::string_view(label.m_strText.str())];
    m_weights.clear();
    m_weights.reserve(labels.size());
    for (const CmStname& label : labels)
        m_weights.push_back(counts[std::string_view(label.m_strText.str())]);
    m_pWeighed = labels.data();
    m_nWeighed = labels.size();
    return m_weights;
}

std::vector<std::uint32_t> CLabelLayer::Placed(const std::vector<CmStname>& labels,
                                               const RenderFrame& f, const TextStyle& font) {
    const std::vector<int>& weights = Weights(labels);
    std::vector<LabelCandidate> candidates;
    candidates.reserve(m_visible.size());
    for (std::uint32_t i : m_visible) {
        const CmStname& label = labels[i];
        if (!f.visible.Contains(label.m_x, label.m_y) || label.m_strText.empty())
            continue;
        // Every name in view takes part, not only those that reach the part
        // drawn, so that a part keeps the names the whole frame keeps.
        const QStaticText& layout = f.texts.Layout(font, label.m_strText);
        candidates.push_back({i, TextBox(f.t, label.m_x, label.m_y, layout, label.Escapement()),
                              weights[i], static_cast<int>(label.m_strText.str().size())});
    }
    return PlaceLabels(std::move(candidates));
}

void CLabelLayer::BeginPan(const MapStore& store, const PanStep& step,
                           std::vector<QRect>& changes) {
    if (!Shows(store, step.layers, step.to))
        return;
    // Which names stay depends on all the names in view: a moved frame is drawn again whole.
    if (step.placeLabels) {
        changes.push_back(QRect(QPoint(0, 0), step.to.ClientSize()));
        return;
    }
    const TextStyle font = LabelStyle(step.texts, step.to);
    const std::vector<CmStname>& labels = store.m_labels;
    EnsureIndex(labels);
    m_index.Query(UnionRect(step.was, step.now), m_visible);
    for (std::uint32_t i : m_visible) {
        const CmStname& label = labels[i];
        if (step.Changes(label.m_x, label.m_y) && !label.m_strText.empty())
            changes.push_back(TextBox(step.to, label.m_x, label.m_y,
                                      step.texts.Layout(font, label.m_strText),
                                      label.Escapement()));
    }
}
