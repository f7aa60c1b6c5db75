#pragma once

// The layers of the sources of an import, one row each: source, layer,
// geometry, features, coordinate system, what the import makes of the layer
// ("Uso") and, for a use the person chose, the field that names its records.
// Uses start as the preset says; changing one gives the import an edited copy
// of the preset, and leaves the preset itself as it was.

#include "gis_preset.h"
#include "gis_source.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTableWidget>

#include <memory>
#include <optional>
#include <vector>

class QComboBox;

class CGisLayerTable : public QTableWidget {
    Q_OBJECT
public:
    enum Column { kSource, kLayer, kGeometry, kFeatures, kCrs, kUse, kName, kColumns };

    explicit CGisLayerTable(QWidget* parent = nullptr);

    // Lists the layers of `sources` with the uses `preset` gives them (none
    // without a preset); earlier changes are dropped.
    void Fill(const QList<GisSourceInfo>& sources, const CGisPreset* preset);
    // The feature counts of a source, counted after Fill.
    void ShowCounts(const GisSourceInfo& source);

    // Whether the person changed the use of any layer.
    bool Edited() const { return m_bEdited; }
    // The preset for the import: a copy of `base` whose rules read each layer
    // as the table says.
    std::unique_ptr<CGisPreset> EditedPreset(const CGisPreset& base) const;
    // The layers used as a kind that needs a name, with no name field chosen.
    QStringList LayersWithoutName() const;
    // The layers that `preset` reads and that say no coordinate system, nor
    // get one from their rules: "«lines» de pueblo.shp".
    QStringList LayersWithoutCrs(const CGisPreset& preset) const;

    // The row of a layer, or -1; and its use, as the person reads it.
    int RowOf(const QString& sourceName, const QString& layer) const;
    QComboBox* UseBox(int row) const;
    QComboBox* NameBox(int row) const;

signals:
    void UsesChanged();

private:
    // A use: the preset's rules, none, or a single kind the person chose.
    static constexpr int kUsePreset = -1;
    static constexpr int kUseNone = -2;

    struct Row {
        QString sourcePath;
        QString driver;
        GisLayerInfo layer;
    };

    void OnUseChosen(int row);
    std::optional<GisKind> ChosenKind(int row) const;
    int Use(int row) const;
    QString LayerLabel(int row) const;

    std::vector<Row> m_rows;
    bool m_bEdited = false;
    bool m_bFilling = false;
};
