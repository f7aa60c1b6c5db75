#include "place_layer.h"

#include "map_painting.h"
#include "map_store.h"
#include "text_layouts.h"

namespace {

// Both write their names in one font.
TextStyle NameStyle(CTextLayouts& texts, const MapTransform& t) {
    return texts.Style(MapFont(QStringLiteral("Times New Roman"), QFont::Serif, 8, t, false));
}

// The pin stands on the reference's point.
QRect PinBox(const MapTransform& t, std::int32_t x, std::int32_t y) {
    return IconBox(t, x - 8, y, x + 8, y + 32);
}

} // namespace

void CPlaceLayer::Draw(QPainter& painter, const MapStore& store, const RenderFrame& f) {
    if (f.layers.m_bShowReferences && !store.m_listReferences.empty())
        DrawReferences(painter, store, f);
    if (f.layers.m_bShowColonies && !store.m_listColonies.empty())
        DrawColonies(painter, store, f);
}

void CPlaceLayer::DrawReferences(QPainter& painter, const MapStore& store, const RenderFrame& f) {
    const MapTransform& t = f.t;
    const TextStyle font = NameStyle(f.texts, t);
    const TextReach reach(font.font);
    m_references.ForEach(store.m_listReferences, [&](const CmRefe& ref) {
        const std::int32_t x = ref.m_x, y = ref.m_y;
        if (!f.visible.Contains(x, y))
            return;
        if (f.Partial() &&
            !reach.MayReach(f.area, Bounded(t.ToPixel(x, y)), ref.m_strName, PinBox(t, x, y)))
            return;
        const QStaticText* layout =
            ref.m_strName.empty() ? nullptr : &f.texts.Layout(font, ref.m_strName);
        if (f.Partial() &&
            !(PinBox(t, x, y) | (layout ? TextBox(t, x, y, *layout) : QRect())).intersects(f.area))
            return;
        DrawIcon(painter, t,
                 ref.m_bHighlight ? QStringLiteral("pin_highlight") : QStringLiteral("pin"), x - 8,
                 y, x + 8, y + 32);
        if (layout)
            DrawMapText(
                painter, t, x, y, *layout, font.font,
                ColorFromRef(ref.m_bHighlight ? CmRefe::kHighlightColor : CmRefe::kTextColor));
    });
}

void CPlaceLayer::DrawColonies(QPainter& painter, const MapStore& store, const RenderFrame& f) {
    const MapTransform& t = f.t;
    const TextStyle font = NameStyle(f.texts, t);
    const TextReach reach(font.font);
    m_colonies.ForEach(store.m_listColonies, [&](const CmColonias& col) {
        if (!f.visible.Contains(col.m_x, col.m_y) || col.m_strName.empty())
            return;
        if (f.Partial() &&
            !reach.MayReach(f.area, Bounded(t.ToPixel(col.m_x, col.m_y)), col.m_strName, QRect()))
            return;
        const QStaticText& layout = f.texts.Layout(font, col.m_strName);
        if (f.Partial() && !TextBox(t, col.m_x, col.m_y, layout).intersects(f.area))
            return;
        DrawMapText(
            painter, t, col.m_x, col.m_y, layout, font.font,
            ColorFromRef(col.m_bHighlight ? CmColonias::kHighlightColor : CmColonias::kTextColor));
    });
}

void CPlaceLayer::BeginPan(const MapStore& store, const PanStep& step,
                           std::vector<QRect>& changes) {
    m_references.Begin();
    m_colonies.Begin();
    if (step.layers.m_bShowReferences && !store.m_listReferences.empty()) {
        const TextStyle font = NameStyle(step.texts, step.to);
        for (const auto& ref : store.m_listReferences) {
            const std::int32_t x = ref->m_x, y = ref->m_y;
            if (step.now.Contains(x, y))
                m_references.Add(ref.get());
            if (!step.Changes(x, y))
                continue;
            changes.push_back(PinBox(step.to, x, y));
            if (!ref->m_strName.empty())
                changes.push_back(TextBox(step.to, x, y, step.texts.Layout(font, ref->m_strName)));
        }
    }
    if (step.layers.m_bShowColonies && !store.m_listColonies.empty()) {
        const TextStyle font = NameStyle(step.texts, step.to);
        for (const auto& col : store.m_listColonies) {
            if (step.now.Contains(col->m_x, col->m_y))
                m_colonies.Add(col.get());
            if (step.Changes(col->m_x, col->m_y) && !col->m_strName.empty())
                changes.push_back(
                    TextBox(step.to, col->m_x, col->m_y, step.texts.Layout(font, col->m_strName)));
        }
    }
}

void CPlaceLayer::EndPan() {
    m_references.End();
    m_colonies.End();
}
