#include "display_order.h"

#include <QCollator>
#include <QLocale>
#include <QStringList>

#include <algorithm>

namespace {

const QCollator& SpanishCollator() {
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::Spanish, QLocale::Spain)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

} // namespace

int CompareForDisplay(const QString& a, const QString& b) {
    const int order = SpanishCollator().compare(a, b);
    return order != 0 ? order : a.compare(b);
}

void SortForDisplay(QStringList& names) {
    std::sort(names.begin(), names.end(), DisplayLess);
}
