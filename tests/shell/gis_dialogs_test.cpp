// Archivo > "Importar datos geográficos..." and "Exportar datos geográficos...",
// driven through the real menu commands, dialogs and file dialogs, headless:
// a town made from an OpenStreetMap extract opens in the editor, a cancelled
// import leaves no file and the open map as it was, a layer without
// coordinate system asks for one, and an export writes what the map shows
// without touching the map.

#include "edit_history.h"
#include "editor_fixture.h"
#include "gis_export_dialog.h"
#include "gis_import_dialog.h"
#include "gis_layer_table.h"
#include "gis_town.h"
#include "main_frame.h"
#include "map_document.h"
#include "map_file.h"
#include "map_georeference.h"
#include "map_store.h"
#include "modal_script.h"
#include "osm_town.h"
#include "overview_picture.h"
#include "private_home.h"
#include "qt_helpers.h"
#include "test_towns.h"

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <set>
#include <vector>

namespace {

// Clicks "Cancelar" the moment an import's progress window shows.
class CancelOnShow : public QObject {
public:
    QString label;
    int clicks = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* progress = qobject_cast<QProgressDialog*>(watched);
        if (progress && event->type() == QEvent::Show) {
            label = progress->labelText();
            if (QAbstractButton* cancel = ButtonReading(progress, QStringLiteral("Cancelar"));
                cancel && cancel->isEnabled()) {
                ++clicks;
                cancel->click();
            }
        }
        return false;
    }
};

// Three 100 m blocks in UTM zone 14 metres, in a shapefile that does not say so.
void WriteBlocksWithoutCrs(const QString& path) {
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("ESRI Shapefile");
    QVERIFY(driver);
    GDALDatasetUniquePtr dataset(
        driver->Create(QFile::encodeName(path).constData(), 0, 0, 0, GDT_Unknown, nullptr));
    QVERIFY(dataset);
    OGRLayer* layer = dataset->CreateLayer("predios", nullptr, wkbPolygon, nullptr);
    QVERIFY(layer);
    OGRFieldDefn field("NOMBRE", OFTString);
    QCOMPARE(layer->CreateField(&field), OGRERR_NONE);
    for (int i = 0; i < 3; ++i) {
        const double x0 = 270000.0 + 120.0 * i, y0 = 2180000.0;
        OGRLinearRing ring;
        for (const auto& [x, y] :
             {std::pair{x0, y0}, {x0 + 100, y0}, {x0 + 100, y0 + 100}, {x0, y0 + 100}, {x0, y0}})
            ring.addPoint(x, y);
        OGRPolygon polygon;
        polygon.addRing(&ring);
        OGRFeature feature(layer->GetLayerDefn());
        feature.SetField(0, "Predio");
        feature.SetGeometry(&polygon);
        QCOMPARE(layer->CreateFeature(&feature), OGRERR_NONE);
    }
}

} // namespace

class GisDialogsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_home;

    // The test town imported from OpenStreetMap as `map`, open in the editor.
    static void OpenImportedTown(EditorFixture& editor, const QString& map) {
        const QString osm = editor.WriteBytes(QStringLiteral("san-isidro.osm"), TestTownOsm());
        QString error;
        auto preset = CGisPreset::Load(QStringLiteral("osm"), error);
        QVERIFY2(preset, qPrintable(error));
        GisImportOptions options;
        options.sources = {osm};
        QVERIFY(MakeGisTown(*preset, options, map, [](const MapStore& town) {
                    return MakeOverviewJpeg(town);
                }).Done());
        QVERIFY(editor.frame->OpenMap(map));
    }

private slots:
    void initTestCase() { UsePrivateHome(m_home); }

    void ImportsAnOpenStreetMapTownFromTheMenu() {
        EditorFixture editor;
        const QString osm = editor.WriteBytes(QStringLiteral("san-isidro.osm"), TestTownOsm());
        const QString map = editor.Path(QStringLiteral("san-isidro.map"));
        QVERIFY(editor.frame->Action(ID_FILE_IMPORT_GIS)->isEnabled());
        QVERIFY(!editor.frame->Action(ID_FILE_EXPORT_GIS)->isEnabled());

        QString preset, use, crs, count, proposed, summary;
        QStringList layers;
        CModalScript script({
            {Named("gisImportDlg"),
             [](QWidget* dialog) { ClickLater(dialog, QStringLiteral("Agregar...")); }},
            {Named("sourcesDialog"), [&](QWidget* window) { ChooseFile(window, osm); }},
            {Named("gisImportDlg"),
             [&](QWidget* window) {
                 auto* dialog = static_cast<CGisImportDlg*>(window);
                 CGisLayerTable* table = dialog->Table();
                 const int lines =
                     table->RowOf(QStringLiteral("san-isidro.osm"), QStringLiteral("lines"));
                 QVERIFY(lines >= 0);
                 preset = dialog->PresetBox()->currentText();
                 for (int row = 0; row < table->rowCount(); ++row)
                     layers.append(table->item(row, CGisLayerTable::kLayer)->text());
                 use = table->UseBox(lines)->currentText();
                 crs = table->item(lines, CGisLayerTable::kCrs)->text();
                 proposed = dialog->MapPath();
                 // The features are counted on a worker; the table fills in.
                 QTRY_VERIFY_WITH_TIMEOUT(
                     table->item(lines, CGisLayerTable::kFeatures)->text().toInt() > 0, 20000);
                 count = table->item(lines, CGisLayerTable::kFeatures)->text();
                 ClickLater(dialog, QStringLiteral("Aceptar"));
             }},
            {MessageStarting(QStringLiteral("Se creó el mapa san-isidro.map.")),
             [&](QWidget* box) {
                 summary = qobject_cast<QMessageBox*>(box)->informativeText();
                 ClickLater(box, QStringLiteral("Aceptar"));
             }},
        });
        editor.frame->Action(ID_FILE_IMPORT_GIS)->trigger();
        QVERIFY(script.Done());

        // The preset was guessed from the file, and the table says what it reads.
        QCOMPARE(preset, QStringLiteral("osm"));
        QVERIFY2(use.startsWith(QStringLiteral("Preajuste: calles")), qPrintable(use));
        QVERIFY2(crs.startsWith(QStringLiteral("EPSG:4326")), qPrintable(crs));
        QVERIFY(count.toInt() >= static_cast<int>(kTownStreets));
        QCOMPARE(proposed, map);

        // The new map is the open one, as saved: blocks, streets, labels.
        QCOMPARE(editor.document.Path(), map);
        QVERIFY(!editor.document.IsModified());
        QCOMPARE(editor.store.m_blocks.size(), kTownBlocks);
        const QStringList streets = Names(editor.store.m_listStreets);
        std::set<QString> labels;
        for (const auto& label : editor.store.m_labels)
            labels.insert(QString::fromStdString(label.m_strText));
        // Every street is traced; a label names one of them (short streets
        // have no room for theirs).
        const QStringList names = TownStreetNames();
        for (const QString& name : names)
            QVERIFY2(streets.contains(name), qPrintable(name));
        for (const QString& text : labels)
            QVERIFY2(names.contains(text), qPrintable(text));
        QCOMPARE(editor.store.m_labels.size(), kTownLabels);
        QVERIFY(editor.frame->windowTitle().contains(QStringLiteral("San Isidro de las Peñas")));
        QVERIFY(FileBytes(GeoreferencePath(map)).contains("2.001555"));
        QVERIFY(!editor.document.Picture().empty());
        QVERIFY(editor.frame->Action(ID_FILE_EXPORT_GIS)->isEnabled());
        // What was made and what was left out, in the message's details.
        QVERIFY2(summary.contains(QStringLiteral("10 manzanas, 13 calles trazadas")),
                 qPrintable(summary));
        QVERIFY(summary.contains(QStringLiteral("Aviso: 1 huecos entre calles")));
        QVERIFY2(summary.contains(QStringLiteral("Capas sin usar: san-isidro.osm: relaciones.")),
                 qPrintable(summary));
        // The reader's layers by their Spanish names, in the table as in the summary.
        QCOMPARE(layers, (QStringList{QStringLiteral("puntos"), QStringLiteral("líneas"),
                                      QStringLiteral("relaciones de líneas"),
                                      QStringLiteral("áreas"), QStringLiteral("relaciones")}));
    }

    void CancelledImportLeavesNoFileAndTheOpenMap() {
        EditorFixture editor;
        const QString osm = editor.WriteBytes(QStringLiteral("san-isidro.osm"), TestTownOsm());
        const QString mitla = editor.Path(QStringLiteral("mitla.map"));
        QCOMPARE(WriteTestMap(LocalPath(mitla)), std::string());
        QVERIFY(editor.frame->OpenMap(mitla));
        MapEdit edit(editor.store);
        edit.Change<CmCalles>(0, [](CmCalles& s) { s.m_strName = "Calle Cambiada"; });
        QVERIFY(editor.document.History().Apply(QStringLiteral("Nombre"), std::move(edit)));
        const QStringList before = editor.Files();
        const QString title = editor.frame->windowTitle();

        CancelOnShow cancel;
        qApp->installEventFilter(&cancel);
        CModalScript script({
            // Unsaved changes: the map stays open as it is, unsaved.
            {MessageStarting(QStringLiteral("El mapa mitla tiene cambios")),
             [](QWidget* box) { ClickLater(box, QStringLiteral("No")); }},
            {Named("gisImportDlg"),
             [&](QWidget* window) {
                 auto* dialog = static_cast<CGisImportDlg*>(window);
                 dialog->AddSources({osm});
                 dialog->SetMapPath(editor.Path(QStringLiteral("nuevo.map")));
                 ClickLater(dialog, QStringLiteral("Aceptar"));
             }},
            {MessageStarting(QStringLiteral("Se canceló la importación: no se creó ningún mapa.")),
             [](QWidget* box) { ClickLater(box, QStringLiteral("Aceptar")); }},
            // The dialog stays open after a cancelled import.
            {Named("gisImportDlg"),
             [](QWidget* dialog) { ClickLater(dialog, QStringLiteral("Cancelar")); }},
        });
        editor.frame->Action(ID_FILE_IMPORT_GIS)->trigger();
        qApp->removeEventFilter(&cancel);
        QVERIFY(script.Done());
        QCOMPARE(cancel.clicks, 1);
        QCOMPARE(cancel.label, QStringLiteral("Importando datos geográficos..."));

        QCOMPARE(editor.Files(), before);
        QCOMPARE(editor.document.Path(), mitla);
        QVERIFY(editor.document.IsModified());
        QCOMPARE(QString::fromStdString(editor.store.m_listStreets.front()->m_strName),
                 QStringLiteral("Calle Cambiada"));
        QCOMPARE(editor.frame->windowTitle(), title);
    }

    void LayerWithoutCoordinateSystemAsksForIt() {
        EditorFixture editor;
        const QString shp = editor.Path(QStringLiteral("predios.shp"));
        WriteBlocksWithoutCrs(shp);
        QVERIFY(QFile::exists(shp));
        const QString junk = editor.WriteBytes(QStringLiteral("notas.dat"), QByteArray(64, '\x07'));
        const QString map = editor.Path(QStringLiteral("predios.map"));

        QString note, asked;
        bool writtenEarly = true;
        CModalScript script({
            {Named("gisImportDlg"),
             [&](QWidget* window) {
                 QTimer::singleShot(0, window, [window, junk, shp] {
                     static_cast<CGisImportDlg*>(window)->AddSources({junk, shp});
                 });
             }},
            // A file in no known format is said and left out.
            {MessageStarting(junk + QStringLiteral(" no está en ningún formato")),
             [](QWidget* box) { ClickLater(box, QStringLiteral("Aceptar")); }},
            {Named("gisImportDlg"),
             [&](QWidget* window) {
                 auto* dialog = static_cast<CGisImportDlg*>(window);
                 QCOMPARE(dialog->findChild<QListWidget*>(QStringLiteral("sourceList"))->count(),
                          1);
                 // No preset knows these layers: the person says what the layer is.
                 QCOMPARE(dialog->PresetBox()->currentIndex(), 0);
                 const int row = dialog->Table()->RowOf(QStringLiteral("predios.shp"),
                                                        QStringLiteral("predios"));
                 QVERIFY(row >= 0);
                 QComboBox* use = dialog->Table()->UseBox(row);
                 QCOMPARE(use->currentText(), QStringLiteral("No usar"));
                 use->setCurrentIndex(use->findText(QStringLiteral("Manzanas")));
                 auto* label = dialog->findChild<QLabel*>(QStringLiteral("crsNote"));
                 note = label->isVisible() ? label->text() : QString();
                 QVERIFY(dialog->CrsEdit()->text().isEmpty());
                 ClickLater(dialog, QStringLiteral("Aceptar"));
             }},
            {MessageStarting(QStringLiteral("«predios» de predios.shp no dice su sistema")),
             [&](QWidget* box) {
                 asked = qobject_cast<QMessageBox*>(box)->text();
                 writtenEarly = QFile::exists(map);
                 ClickLater(box, QStringLiteral("Aceptar"));
             }},
            {Named("gisImportDlg"),
             [&](QWidget* window) {
                 auto* dialog = static_cast<CGisImportDlg*>(window);
                 QTest::keyClicks(dialog->CrsEdit(), QStringLiteral("EPSG:32614"));
                 ClickLater(dialog, QStringLiteral("Aceptar"));
             }},
            {MessageStarting(QStringLiteral("Se creó el mapa predios.map.")),
             [](QWidget* box) { ClickLater(box, QStringLiteral("Aceptar")); }},
        });
        editor.frame->Action(ID_FILE_IMPORT_GIS)->trigger();
        QVERIFY(script.Done());

        QVERIFY2(note.contains(QStringLiteral("«predios» de predios.shp")), qPrintable(note));
        QVERIFY2(asked.contains(QStringLiteral("«Sistema de coordenadas»")), qPrintable(asked));
        QVERIFY(!writtenEarly);
        // The typed system placed the blocks: three 100 m squares, 120 m apart.
        QCOMPARE(editor.document.Path(), map);
        QCOMPARE(editor.store.m_blocks.size(), std::size_t(3));
        const MapRect bounds = editor.store.m_rcBlocks.Normalized();
        QVERIFY2(std::abs(bounds.Width() * kMetresPerMapUnit - 340.0) < 3.0,
                 qPrintable(QString::number(bounds.Width())));
        QVERIFY(FileBytes(GeoreferencePath(map)).contains("2.001555"));
    }

    void ExportWritesTheChosenFormatAndLeavesTheMapAsItWas() {
        EditorFixture editor;
        const QString map = editor.Path(QStringLiteral("pueblo.map"));
        OpenImportedTown(editor, map);
        if (QTest::currentTestFailed())
            return;
        // Unsaved changes, and lists in the file's order, not the name order a save makes.
        MapEdit edit(editor.store);
        edit.Change<CmCalles>(0, [](CmCalles& s) { s.m_strName = "Calle Recién Nombrada"; });
        QVERIFY(editor.document.History().Apply(QStringLiteral("Nombre"), std::move(edit)));
        const QStringList streets = Names(editor.store.m_listStreets);
        const QStringList references = Names(editor.store.m_listReferences);
        QVERIFY(streets != [&] {
            QStringList sorted = streets;
            sorted.sort();
            return sorted;
        }());
        const QByteArray file = FileBytes(map);

        QString done;
        CModalScript script({
            {Named("gisExportDlg"),
             [&](QWidget* window) {
                 auto* dialog = static_cast<CGisExportDlg*>(window);
                 // The format follows the name's ending, and the other way round.
                 dialog->SetPath(editor.Path(QStringLiteral("capas.shp")));
                 QCOMPARE(dialog->FormatBox()->currentText(), QStringLiteral("Shapefile"));
                 QTest::keyClick(dialog->FormatBox(), Qt::Key_Home);
                 QCOMPARE(dialog->FormatBox()->currentText(), QStringLiteral("GeoPackage"));
                 QCOMPARE(dialog->Path(), editor.Path(QStringLiteral("capas.gpkg")));
                 QVERIFY(dialog->CrsEdit()->isEnabled());
                 QTest::keyClicks(dialog->CrsEdit(), QStringLiteral("EPSG:32614"));
                 ClickLater(dialog, QStringLiteral("Aceptar"));
             }},
            {MessageStarting(QStringLiteral("Se escribió capas.gpkg.")),
             [&](QWidget* box) {
                 done = qobject_cast<QMessageBox*>(box)->text();
                 ClickLater(box, QStringLiteral("Aceptar"));
             }},
        });
        editor.frame->Action(ID_FILE_EXPORT_GIS)->trigger();
        QVERIFY(script.Done());

        // The map is as it was: its file, its unsaved change, its order.
        QVERIFY(editor.document.IsModified());
        QCOMPARE(Names(editor.store.m_listStreets), streets);
        QCOMPARE(Names(editor.store.m_listReferences), references);
        QCOMPARE(FileBytes(map), file);
        QCOMPARE(editor.document.Path(), map);

        // The file holds what the map shows now, in the system asked for.
        GDALDatasetUniquePtr written(GDALDataset::Open(
            QFile::encodeName(editor.Path(QStringLiteral("capas.gpkg"))).constData(),
            GDAL_OF_VECTOR | GDAL_OF_READONLY));
        QVERIFY(written);
        OGRLayer* blocks = written->GetLayerByName("manzanas");
        QVERIFY(blocks);
        QCOMPARE(blocks->GetFeatureCount(), static_cast<GIntBig>(kTownBlocks));
        QVERIFY(blocks->GetSpatialRef());
        QCOMPARE(QString::fromLatin1(blocks->GetSpatialRef()->GetAuthorityCode(nullptr)),
                 QStringLiteral("32614"));
        OGRLayer* calles = written->GetLayerByName("calles");
        QVERIFY(calles);
        QSet<QString> names;
        for (const OGRFeatureUniquePtr& feature : *calles)
            names.insert(QString::fromUtf8(feature->GetFieldAsString("nombre")));
        QVERIFY(names.contains(QStringLiteral("Calle Recién Nombrada")));
    }

    // Every file of the export counts: one layer's file already there is
    // asked about, "No" leaves it, and a read-only one is asked about again
    // and keeps its mode when replaced.
    void ExportAsksBeforeReplacingAndKeepsAReadOnlyFileReadOnly() {
        EditorFixture editor;
        const QString map = editor.Path(QStringLiteral("pueblo.map"));
        OpenImportedTown(editor, map);
        if (QTest::currentTestFailed())
            return;
        const QString streets = editor.WriteBytes(QStringLiteral("capas-calles.geojson"), "viejo");
        QVERIFY(QFile::setPermissions(streets, QFile::ReadOwner | QFile::ReadGroup));
        const QStringList before = editor.Files();

        CGisExportDlg dialog(editor.document, editor.frame.get());
        dialog.SetPath(editor.Path(QStringLiteral("capas.geojson")));
        QStringList asked;
        const auto answer = [&](const QString& button) {
            return [&asked, button](QWidget* box) {
                asked.append(MessageText(box));
                ClickLater(box, button);
            };
        };
        {
            CModalScript script({answer(QStringLiteral("No"))});
            dialog.accept();
            QVERIFY(script.Done());
        }
        QCOMPARE(asked, QStringList{QStringLiteral("Ya existe capas-calles.geojson.\n¿Desea "
                                                   "reemplazarlo?")});
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(FileBytes(streets), QByteArray("viejo"));
        QCOMPARE(editor.Files(), before);

        asked.clear();
        {
            CModalScript script({answer(QStringLiteral("Sí")), answer(QStringLiteral("Sí")),
                                 answer(QStringLiteral("Aceptar"))});
            dialog.accept();
            QVERIFY(script.Done());
        }
        QCOMPARE(asked.size(), 3);
        QCOMPARE(asked.at(1),
                 QStringLiteral("El archivo es de solo lectura: %1.\n¿Desea reemplazarlo de todos "
                                "modos? Conservará sus permisos.")
                     .arg(streets));
        QVERIFY(FileBytes(streets).contains("FeatureCollection"));
        QCOMPARE(QFile::permissions(streets) &
                     ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 QFile::ReadOwner | QFile::ReadGroup);
    }
};

QTEST_MAIN(GisDialogsTest)
#include "gis_dialogs_test.moc"
