#include "gis_layer_table.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QSignalBlocker>

#include <algorithm>

namespace {

// What the import makes of a layer of one kind, as the person reads it.
QString KindText(GisKind kind) {
    switch (kind) {
    case GisKind::Blocks:
        return QCoreApplication::translate("CGisLayerTable", "Manzanas");
    case GisKind::Areas:
        return QCoreApplication::translate("CGisLayerTable", "Áreas");
    case GisKind::Streets:
        return QCoreApplication::translate("CGisLayerTable", "Calles");
    case GisKind::Labels:
        return QCoreApplication::translate("CGisLayerTable", "Etiquetas");
    case GisKind::References:
        return QCoreApplication::translate("CGisLayerTable", "Referencias");
    case GisKind::Colonies:
        return QCoreApplication::translate("CGisLayerTable", "Colonias");
    case GisKind::Businesses:
        return QCoreApplication::translate("CGisLayerTable", "Negocios");
    case GisKind::Routes:
        return QCoreApplication::translate("CGisLayerTable", "Rutas");
    case GisKind::Stops:
        return QCoreApplication::translate("CGisLayerTable", "Paradas");
    case GisKind::Places:
        return QCoreApplication::translate("CGisLayerTable", "Localidad");
    }
    return {};
}

// The kinds a person may give a layer of this geometry. Areas and labels are
// left to presets: they need a type or an angle, not just a name.
QList<GisKind> KindsFor(GisGeometry geometry) {
    const QList<GisKind> polygons{GisKind::Blocks, GisKind::References, GisKind::Colonies,
                                  GisKind::Businesses, GisKind::Places};
    const QList<GisKind> lines{GisKind::Streets, GisKind::Routes};
    const QList<GisKind> points{GisKind::References, GisKind::Colonies, GisKind::Businesses,
                                GisKind::Stops, GisKind::Places};
    switch (geometry) {
    case GisGeometry::Polygons:
        return polygons;
    case GisGeometry::Lines:
        return lines;
    case GisGeometry::Points:
        return points;
    case GisGeometry::Mixed:
        return {GisKind::Blocks,     GisKind::Streets, GisKind::References, GisKind::Colonies,
                GisKind::Businesses, GisKind::Routes,  GisKind::Stops,      GisKind::Places};
    case GisGeometry::None:
        break;
    }
    return {};
}

bool NeedsName(GisKind kind) {
    return kind != GisKind::Blocks && kind != GisKind::Streets && kind != GisKind::Areas;
}

// The field most likely to hold the names; empty when none looks like it.
QString NameFieldGuess(const QStringList& fields) {
    static const QStringList likely{QStringLiteral("name"),    QStringLiteral("nombre"),
                                    QStringLiteral("nom"),     QStringLiteral("nomvial"),
                                    QStringLiteral("nomserv"), QStringLiteral("nom_estab"),
                                    QStringLiteral("nomgeo"),  QStringLiteral("nom_loc"),
                                    QStringLiteral("texto"),   QStringLiteral("name_es")};
    for (const QString& wanted : likely)
        for (const QString& field : fields)
            if (field.compare(wanted, Qt::CaseInsensitive) == 0)
                return field;
    for (const QString& field : fields)
        if (field.contains(QLatin1String("nombre"), Qt::CaseInsensitive) ||
            field.contains(QLatin1String("name"), Qt::CaseInsensitive))
            return field;
    return {};
}

// A layer pattern that matches this name alone: the wildcard characters are
// put in brackets. "|" separates patterns, so it stands as any one character.
QString ExactPattern(const QString& name) {
    QString pattern;
    for (const QChar c : name) {
        if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('['))
            pattern += QLatin1Char('[') + c + QLatin1Char(']');
        else if (c == QLatin1Char('|'))
            pattern += QLatin1Char('?');
        else
            pattern += c;
    }
    return pattern;
}

QString CountText(qint64 features, bool counting) {
    if (features >= 0)
        return QString::number(features);
    return counting ? QCoreApplication::translate("CGisLayerTable", "contando…")
                    : QStringLiteral("?");
}

QTableWidgetItem* ReadOnlyItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

CGisLayerTable::CGisLayerTable(QWidget* parent) : QTableWidget(0, kColumns, parent) {
    setObjectName(QStringLiteral("layerTable"));
    setHorizontalHeaderLabels({tr("Fuente"), tr("Capa"), tr("Geometría"), tr("Elementos"),
                               tr("Sistema de coordenadas"), tr("Uso"), tr("Campo del nombre")});
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The use says the most and gets the room left; the whole text is its tip.
    horizontalHeader()->setSectionResizeMode(kUse, QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(kName, QHeaderView::Interactive);
    horizontalHeader()->resizeSection(kName,
                                      fontMetrics().horizontalAdvance(QStringLiteral("W")) * 9);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
}

void CGisLayerTable::Fill(const QList<GisSourceInfo>& sources, const CGisPreset* preset) {
    m_bFilling = true;
    m_bEdited = false;
    m_rows.clear();
    setRowCount(0);
    for (const GisSourceInfo& source : sources) {
        for (const GisLayerInfo& layer : source.layers) {
            const int row = rowCount();
            insertRow(row);
            m_rows.push_back({source.path, source.driver, layer});
            setItem(row, kSource, ReadOnlyItem(QFileInfo(source.path).fileName()));
            setItem(row, kLayer, ReadOnlyItem(GisLayerDisplayName(source.driver, layer.name)));
            setItem(row, kGeometry, ReadOnlyItem(GisGeometryName(layer.geometry)));
            setItem(row, kFeatures, ReadOnlyItem(CountText(layer.features, true)));
            setItem(row, kCrs, ReadOnlyItem(layer.crs.isEmpty() ? tr("no lo dice") : layer.crs));

            // The preset's kinds for this layer, each once, in the preset's order.
            QStringList kinds;
            if (preset)
                for (const GisRule* rule : preset->RulesForLayer(layer.name, layer.fields))
                    if (!kinds.contains(KindText(rule->kind).toLower()))
                        kinds.append(KindText(rule->kind).toLower());
            auto* use = new QComboBox(this);
            use->setObjectName(QStringLiteral("use%1").arg(row));
            if (!kinds.isEmpty())
                use->addItem(tr("Preajuste: %1").arg(kinds.join(QStringLiteral(", "))), kUsePreset);
            use->addItem(tr("No usar"), kUseNone);
            for (GisKind kind : KindsFor(layer.geometry))
                use->addItem(KindText(kind), static_cast<int>(kind));
            use->setToolTip(use->currentText());
            setCellWidget(row, kUse, use);
            auto* name = new QComboBox(this);
            name->setObjectName(QStringLiteral("name%1").arg(row));
            name->setEnabled(false);
            setCellWidget(row, kName, name);
            connect(use, &QComboBox::currentIndexChanged, this, [this, row] { OnUseChosen(row); });
        }
    }
    m_bFilling = false;
}

void CGisLayerTable::ShowCounts(const GisSourceInfo& source) {
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        Row& row = m_rows[i];
        if (row.sourcePath != source.path)
            continue;
        for (const GisLayerInfo& layer : source.layers) {
            if (layer.name != row.layer.name)
                continue;
            row.layer.features = layer.features;
            item(static_cast<int>(i), kFeatures)->setText(CountText(layer.features, false));
        }
    }
}

int CGisLayerTable::Use(int row) const {
    return UseBox(row)->currentData().toInt();
}

std::optional<GisKind> CGisLayerTable::ChosenKind(int row) const {
    const int use = Use(row);
    if (use < 0)
        return std::nullopt;
    return static_cast<GisKind>(use);
}

QComboBox* CGisLayerTable::UseBox(int row) const {
    return qobject_cast<QComboBox*>(cellWidget(row, kUse));
}

QComboBox* CGisLayerTable::NameBox(int row) const {
    return qobject_cast<QComboBox*>(cellWidget(row, kName));
}

QString CGisLayerTable::LayerLabel(int row) const {
    const Row& r = m_rows[static_cast<std::size_t>(row)];
    return tr("«%1» de %2")
        .arg(GisLayerDisplayName(r.driver, r.layer.name), QFileInfo(r.sourcePath).fileName());
}

int CGisLayerTable::RowOf(const QString& sourceName, const QString& layer) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].layer.name == layer &&
            QFileInfo(m_rows[i].sourcePath).fileName() == sourceName)
            return static_cast<int>(i);
    return -1;
}

void CGisLayerTable::OnUseChosen(int row) {
    if (m_bFilling)
        return;
    m_bEdited = true;
    // Rules read layers by name, so every layer of that name, in any source,
    // takes the same use.
    const int use = Use(row);
    UseBox(row)->setToolTip(UseBox(row)->currentText());
    const QString& layerName = m_rows[static_cast<std::size_t>(row)].layer.name;
    for (int other = 0; other < rowCount(); ++other) {
        if (m_rows[static_cast<std::size_t>(other)].layer.name.compare(layerName,
                                                                       Qt::CaseInsensitive) != 0)
            continue;
        QComboBox* box = UseBox(other);
        if (other != row) {
            const QSignalBlocker quiet(box);
            const int index = box->findData(use);
            box->setCurrentIndex(index >= 0 ? index : box->findData(kUseNone));
        }
        QComboBox* name = NameBox(other);
        name->clear();
        const std::optional<GisKind> kind = ChosenKind(other);
        name->setEnabled(kind && *kind != GisKind::Blocks);
        if (!name->isEnabled())
            continue;
        const QStringList& fields = m_rows[static_cast<std::size_t>(other)].layer.fields;
        if (!NeedsName(*kind))
            name->addItem(tr("(ninguno)"), QString());
        for (const QString& field : fields)
            name->addItem(field, field);
        const QString guess = NameFieldGuess(fields);
        if (!guess.isEmpty())
            name->setCurrentIndex(name->findData(guess));
    }
    emit UsesChanged();
}

std::unique_ptr<CGisPreset> CGisLayerTable::EditedPreset(const CGisPreset& base) const {
    auto preset = std::make_unique<CGisPreset>(base);
    preset->m_rules.clear();
    QStringList kept;
    std::vector<const GisLayerInfo*> keptLayers;
    for (int row = 0; row < rowCount(); ++row) {
        const GisLayerInfo& layer = m_rows[static_cast<std::size_t>(row)].layer;
        if (Use(row) == kUsePreset && !kept.contains(layer.name, Qt::CaseInsensitive)) {
            kept.append(layer.name);
            keptLayers.push_back(&layer);
        }
    }
    // The preset's rules, in their order (earlier ones win where that
    // matters), each narrowed to the layers that keep them.
    for (const GisRule& rule : base.m_rules) {
        QStringList patterns;
        for (const GisLayerInfo* layer : keptLayers)
            if (rule.MatchesLayer(layer->name, layer->fields))
                patterns.append(ExactPattern(layer->name));
        if (patterns.isEmpty())
            continue;
        GisRule narrowed = rule;
        narrowed.layer = patterns.join(QLatin1Char('|'));
        narrowed.layerFields.clear();
        preset->m_rules.append(std::move(narrowed));
    }
    QStringList chosen;
    for (int row = 0; row < rowCount(); ++row) {
        const QString& name = m_rows[static_cast<std::size_t>(row)].layer.name;
        const std::optional<GisKind> kind = ChosenKind(row);
        if (!kind || chosen.contains(name, Qt::CaseInsensitive))
            continue;
        chosen.append(name);
        GisRule rule;
        rule.kind = *kind;
        rule.layer = ExactPattern(name);
        rule.boundsBlocks = *kind == GisKind::Streets;
        const QString field = NameBox(row)->currentData().toString();
        if (!field.isEmpty()) {
            GisField value;
            value.names = QStringList{field};
            rule.fields.insert(QStringLiteral("name"), value);
        }
        preset->m_rules.append(std::move(rule));
    }
    return preset;
}

QStringList CGisLayerTable::LayersWithoutName() const {
    QStringList layers;
    for (int row = 0; row < rowCount(); ++row) {
        const std::optional<GisKind> kind = ChosenKind(row);
        if (kind && NeedsName(*kind) && NameBox(row)->currentData().toString().isEmpty())
            layers.append(LayerLabel(row));
    }
    return layers;
}

QStringList CGisLayerTable::LayersWithoutCrs(const CGisPreset& preset) const {
    QStringList layers;
    for (int row = 0; row < rowCount(); ++row) {
        const GisLayerInfo& layer = m_rows[static_cast<std::size_t>(row)].layer;
        if (!layer.crs.isEmpty() || layer.geometry == GisGeometry::None)
            continue;
        const QList<const GisRule*> rules = preset.RulesForLayer(layer.name, layer.fields);
        if (!rules.isEmpty() && std::none_of(rules.begin(), rules.end(), [](const GisRule* rule) {
                return !rule->crs.isEmpty();
            }))
            layers.append(LayerLabel(row));
    }
    return layers;
}
