// The layer table walked row by row, as a user and the tool meet each layer:
// the row's message switches its layer in the map window and ticks its own
// box, the box says the row's text in the panel's order, the map is drawn
// differently with the layer on, and the command line knows it by its name.

#include "ctrl_wnd.h"
#include "editor_fixture.h"
#include "map_layers.h"
#include "map_renderer.h"
#include "map_window.h"
#include "messages.h"
#include "tool_run.h"

#include <QCheckBox>
#include <QImage>
#include <QTest>

namespace {

constexpr float kScale = 12.0f; // close enough for the street names

// Something of every layer in view about (0,0): the editor's town has no
// street names and, as after a load, no business category chosen.
void ShowEveryLayer(MapStore& store) {
    CmStname label;
    label.m_x = -150;
    label.m_y = -20;
    label.m_strText = "AVENIDA JUÁREZ";
    store.m_labels.push_back(label);
    store.m_directory.SelectCategory("Farmacias");
}

LayerSwitches Named(const QString& names) {
    LayerSwitches layers;
    if (!LayerSwitchesNamed(names, layers))
        qFatal("capas desconocidas: %s", qPrintable(names));
    return layers;
}

} // namespace

class LayerTableTest : public QObject {
    Q_OBJECT
private slots:
    void EveryRowWorksFromMessageToPicture_data() {
        QTest::addColumn<int>("index");
        const std::span<const MapLayerRow> rows = MapLayers();
        for (std::size_t i = 0; i < rows.size(); ++i)
            QTest::newRow(rows[i].name) << int(i);
    }

    void EveryRowWorksFromMessageToPicture() {
        QFETCH(int, index);
        const std::span<const MapLayerRow> rows = MapLayers();
        const MapLayerRow& row = rows[static_cast<std::size_t>(index)];

        // A row is the only one with its switch, name, message and box; a box
        // sends its message.
        for (const MapLayerRow& other : rows) {
            if (&other == &row)
                continue;
            QVERIFY(other.switched != row.switched);
            QVERIFY(qstrcmp(other.name, row.name) != 0);
            QVERIFY(row.message == 0 || other.message != row.message);
            QVERIFY(row.box == 0 || (other.box != row.box && other.boxRow != row.boxRow));
        }
        QVERIFY(row.box == 0 || (row.message != 0 && row.text));

        // A new window starts as the row says; on the command line its name
        // switches it alone, and `all` every layer.
        QCOMPARE(LayerSwitches().*row.switched, row.on);
        const LayerSwitches none = Named(QStringLiteral("none"));
        QVERIFY(!(none.*row.switched));
        QVERIFY(Named(QStringLiteral("all")).*row.switched);
        LayerSwitches only = none;
        only.*row.switched = true;
        const QString name = QString::fromLatin1(row.name);
        QVERIFY(Named(name) == only);
        QVERIFY(Named(QLatin1Char(' ') + name + QLatin1String(" ,") + name) == only);
        LayerSwitches unchanged = only;
        QVERIFY(!LayerSwitchesNamed(name + QLatin1Char('s'), unchanged));
        QVERIFY(unchanged == only);

        EditorFixture editor;
        QVERIFY(editor.OpenTestTown());
        ShowEveryLayer(editor.store);

        // Its renderer layer draws it; a layer without one is drawn over the
        // map by whoever shows it, as the tool does.
        if (row.make) {
            const MapTransform probe(QSize(400, 400), kScale, QPoint());
            const MapTransform t(QSize(400, 400), kScale, probe.OriginCentering({0, 0}));
            QVERIFY(RenderMap(editor.store, t, only) != RenderMap(editor.store, t, none));
        } else {
            const QString map = editor.WriteMap(QStringLiteral("capas.map"));
            auto render = [&](const QString& layers) {
                const QString out = editor.Path(layers + QStringLiteral(".png"));
                const ToolRun run = RunTool({QStringLiteral("render"), map, QStringLiteral("-o"),
                                             out, QStringLiteral("--layers"), layers});
                if (run.code != 0)
                    qWarning("%s", qPrintable(run.err));
                return QImage(out);
            };
            const QImage with = render(name);
            QVERIFY(!with.isNull());
            QVERIFY(with != render(QStringLiteral("none")));
        }

        if (row.message == 0)
            return;
        CMapaWnd* map = editor.Map();
        map->ZoomTo(kScale, MapPoint{0, 0});
        const bool was = map->Layers().*row.switched;
        QCheckBox* box = editor.Panel()->Check(row.box);
        QVERIFY(box);
        QCOMPARE(box->text(), QString::fromUtf8(row.text));
        QCOMPARE(box->isChecked(), was);
        for (const MapLayerRow& other : rows) {
            if (other.box != 0 && &other != &row)
                QCOMPARE(editor.Panel()->Check(other.box)->y() < box->y(),
                         other.boxRow < row.boxRow);
        }

        const QImage before = map->grab().toImage();
        SendMessageToDescendants(editor.frame.get(), static_cast<UserMessage>(row.message),
                                 was ? 0 : 1, 0);
        QCOMPARE(map->Layers().*row.switched, !was);
        QCOMPARE(box->isChecked(), !was);
        QVERIFY(map->grab().toImage() != before);
    }
};

QTEST_MAIN(LayerTableTest)
#include "layer_table_test.moc"
