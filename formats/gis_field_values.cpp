#include "gis_field_values.h"

#include "gdal_support.h"

#include <algorithm>

namespace {

QString FieldText(const OGRFeature& feature, int index, bool spreadsheetSafe) {
    if (!feature.IsFieldSetAndNotNull(index))
        return {};
    const char* raw = feature.GetFieldAsString(index);
    if (spreadsheetSafe && raw[0] == '\'' && feature.GetFieldDefnRef(index)->GetType() == OFTString)
        ++raw;
    return TextFromGdal(raw);
}

QString FirstOf(const OGRFeature& feature, const std::vector<int>& indexes, bool spreadsheetSafe) {
    for (int index : indexes) {
        QString value = FieldText(feature, index, spreadsheetSafe);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

} // namespace

QString FoldValue(const QString& text) {
    // Most values (OpenStreetMap tags) are plain ASCII: no accents to take off.
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return text.toLower().trimmed();
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            out.append(c);
    return out.toCaseFolded().trimmed();
}

QString ReadFieldValue(const OGRFeature& feature, const ResolvedField& field) {
    QString value;
    if (field.declared->text.isEmpty()) {
        value = FirstOf(feature, field.indexes, field.spreadsheetSafe);
    } else {
        // Empty fields drop out with the separator before them.
        for (std::size_t k = 0; k < field.groups.size(); ++k) {
            const QString part = FirstOf(feature, field.groups[k], field.spreadsheetSafe);
            if (part.isEmpty())
                continue;
            if (!value.isEmpty() || k == 0)
                value += field.literals[static_cast<qsizetype>(k)];
            value += part;
        }
        if (!value.isEmpty())
            value += field.literals.last();
        value = value.trimmed();
    }
    if (field.table.empty() && !field.declared->other)
        return value;
    const QString folded = FoldValue(value);
    const std::pair<QString, QString>* best = nullptr;
    if (!folded.isEmpty()) {
        for (const auto& entry : field.table) {
            bool hit = false;
            switch (field.declared->match) {
            case GisField::Match::Exact:
                hit = folded == entry.first;
                break;
            case GisField::Match::Prefix:
                hit = folded.startsWith(entry.first);
                break;
            case GisField::Match::Contains:
                hit = folded.contains(entry.first);
                break;
            }
            // The longest key that fits wins, so "farmacia veterinaria" beats "farmacia".
            if (hit && (!best || entry.first.size() > best->first.size()))
                best = &entry;
        }
    }
    if (best)
        return best->second;
    return field.declared->other ? *field.declared->other : value;
}

bool PassesCondition(const OGRFeature& feature, const ResolvedCondition& condition) {
    const QString value = FoldValue(FirstOf(feature, condition.indexes, false));
    const bool hit =
        condition.values.isEmpty() ? !value.isEmpty() : condition.values.contains(value);
    return hit != condition.declared->negate;
}

std::optional<Color> ParseGisColor(const QString& text, const CGisPreset& preset) {
    QString value = text.trimmed();
    if (!value.startsWith(QLatin1Char('#')))
        value = preset.m_colors.value(FoldValue(value));
    if (value.size() == 4 && value.startsWith(QLatin1Char('#'))) // #rgb
        value = QStringLiteral("#%1%1%2%2%3%3").arg(value[1]).arg(value[2]).arg(value[3]);
    bool ok = false;
    const uint rgb = value.mid(1).toUInt(&ok, 16);
    if (value.size() != 7 || !value.startsWith(QLatin1Char('#')) || !ok)
        return std::nullopt;
    return Rgb(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8), static_cast<int>(rgb));
}
