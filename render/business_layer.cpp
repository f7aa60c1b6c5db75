#include "business_layer.h"

#include "map_painting.h"
#include "map_store.h"
#include "text_layouts.h"

namespace {

TextStyle NameStyle(CTextLayouts& texts, const MapTransform& t) {
    return texts.Style(MapFont(QStringLiteral("Arial"), QFont::SansSerif, 10, t, false));
}

// The sign stands on the business's point.
QRect SignBox(const MapTransform& t, std::int32_t x, std::int32_t y) {
    return IconBox(t, x - 14, y, x + 13, y + 32);
}

} // namespace

void CBusinessLayer::Draw(QPainter& painter, const MapStore& store, const RenderFrame& f) {
    const CmClasificados* category = store.m_directory.m_pCurrent;
    if (!f.layers.m_bShowMarks || !category)
        return;
    const MapTransform& t = f.t;
    const TextStyle font = NameStyle(f.texts, t);
    const TextReach reach(font.font);
    m_businesses.ForEach(category->m_listBusinesses, [&](const CmNegocios& b) {
        const std::int32_t x = b.m_x, y = b.m_y;
        if (!b.IsDrawable() || !f.visible.Contains(x, y))
            return;
        if (f.Partial() &&
            !reach.MayReach(f.area, Bounded(t.ToPixel(x, y)), b.m_strName, SignBox(t, x, y)))
            return;
        const QStaticText* layout =
            b.m_strName.empty() ? nullptr : &f.texts.Layout(font, b.m_strName);
        if (f.Partial() &&
            !(SignBox(t, x, y) | (layout ? TextBox(t, x, y, *layout) : QRect())).intersects(f.area))
            return;
        DrawIcon(painter, t,
                 b.m_bHighlight ? QStringLiteral("sign_highlight") : QStringLiteral("sign"), x - 14,
                 y, x + 13, y + 32);
        if (layout)
            DrawMapText(painter, t, x, y, *layout, font.font,
                        ColorFromRef(b.m_bHighlight ? CmNegocios::kHighlightColor
                                                    : CmNegocios::kTextColor));
    });
}

void CBusinessLayer::BeginPan(const MapStore& store, const PanStep& step,
                              std::vector<QRect>& changes) {
    m_businesses.Begin();
    const CmClasificados* category = store.m_directory.m_pCurrent;
    if (!step.layers.m_bShowMarks || !category)
        return;
    const TextStyle font = NameStyle(step.texts, step.to);
    for (const auto& b : category->m_listBusinesses) {
        const std::int32_t x = b->m_x, y = b->m_y;
        if (step.now.Contains(x, y))
            m_businesses.Add(b.get());
        if (!b->IsDrawable() || !step.Changes(x, y))
            continue;
        changes.push_back(SignBox(step.to, x, y));
        if (!b->m_strName.empty())
            changes.push_back(TextBox(step.to, x, y, step.texts.Layout(font, b->m_strName)));
    }
}
