#include "text_layouts.h"

#include <QTransform>

TextStyle CTextLayouts::Style(const QFont& font) {
    return TextStyle{font, &m_byFont[font.key()]};
}

const QStaticText& CTextLayouts::Layout(const TextStyle& style, const std::string& utf8) {
    auto it = style.layouts->find(utf8);
    if (it == style.layouts->end()) {
        if (style.layouts->size() > 50000)
            style.layouts->clear();
        QStaticText layout(QString::fromStdString(utf8));
        layout.setTextFormat(Qt::PlainText);
        layout.setPerformanceHint(QStaticText::AggressiveCaching);
        layout.prepare(QTransform(), style.font);
        it = style.layouts->emplace(utf8, std::move(layout)).first;
    }
    return it->second;
}

void CTextLayouts::NewFrame() {
    if (m_byFont.size() > 10)
        m_byFont.clear();
}
