// The program in a second language: every text of the menus, the tools, the
// panel and the preferences has an English one in the catalogue built from
// translations/veltrix_en.ts, the editor speaks English when the settings or
// the system ask for it, and Spanish, unchanged, otherwise. The failures of
// the map files, the GIS import and export and the picture readers follow.

#include "app_language.h"
#include "command_table.h"
#include "ctrl_wnd.h"
#include "editor_fixture.h"
#include "gis_export.h"
#include "gis_import.h"
#include "gis_import_dialog.h"
#include "gis_layer_table.h"
#include "gis_preset.h"
#include "gis_town.h"
#include "guide_layout.h"
#include "help_wnd.h"
#include "image_bitmap.h"
#include "main_frame.h"
#include "map_layers.h"
#include "map_lock.h"
#include "map_store.h"
#include "map_tool_manager.h"
#include "map_window.h"
#include "mapa_app.h"
#include "modal_script.h"
#include "osm_town.h"
#include "other_editor.h"
#include "private_home.h"
#include "qt_helpers.h"
#include "recent_maps.h"
#include "test_towns.h"
#include "tools.h"
#include "town_guide.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTranslator>

namespace {

// Where on the browser's viewport the first link to `href` is drawn; a point
// off the page when the page shown has none.
QPoint LinkPoint(const QTextBrowser& browser, const QString& href) {
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isAnchor() || fragment.charFormat().anchorHref() != href)
                continue;
            QTextCursor cursor(browser.document());
            cursor.setPosition(fragment.position() + fragment.length() / 2);
            return browser.cursorRect(cursor).center();
        }
    }
    return {-1, -1};
}

QStringList MenuTitles(const CMainFrame& frame) {
    QStringList titles;
    for (const QAction* menu : frame.menuBar()->actions())
        titles << menu->text();
    return titles;
}

// The texts the catalogue leaves untranslated, as "context: text".
QStringList Untranslated(const QTranslator& english, const char* context,
                         std::initializer_list<const char*> texts) {
    QStringList missing;
    for (const char* text : texts)
        if (text && *text && english.translate(context, text).isEmpty())
            missing << QStringLiteral("%1: %2").arg(QLatin1String(context),
                                                    QString::fromUtf8(text));
    return missing;
}

// What the editor says in one language, where the test looks.
struct Said {
    AppLanguage language;
    QString lockedStart; // %1 host, %2 process
    QString month;
    QString lockedEnd;
    QString yes;
    QString readOnlyTitle;
    QString importTitle;
    QString add;
    QString open;
    QString lookIn;
    QStringList headers;
    QString cancel;
    QString ok;
    QString unreadable; // a failure model/ names, for the map nada.map
};

// A 24-bit BMP header that says its picture is 0 x 5 pixels.
std::vector<std::uint8_t> ZeroWidthBmp() {
    std::vector<std::uint8_t> bytes(54, 0);
    const auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, 0);
    put32(22, 5);
    bytes[26] = 1;
    bytes[28] = 24;
    return bytes;
}

// What the import, a preset, the export and the picture readers say when
// given bad input, and the first lines of an import's summary, in whatever
// language is installed.
QStringList FormatsAndPicturesSay(const QString& folder) {
    QStringList said;
    const QString notes = folder + QStringLiteral("/notas.txt");
    QFile file(notes);
    if (file.open(QIODevice::WriteOnly))
        file.write("Lista de compras: pan, leche.\n");
    file.close();
    QString error;
    const auto osm = CGisPreset::Load(QStringLiteral("osm"), error);
    if (!osm)
        return {error};
    GisImportOptions options;
    options.sources = {notes};
    CGisImport import(*osm, options);
    said << (import.Run() ? QStringLiteral("importado") : import.ErrorString());

    const auto preset =
        CGisPreset::FromJson(QByteArray(R"({"rules": [{"kind": "rios", "layer": "agua"}]})"),
                             folder, QStringLiteral("prueba"), error);
    said << (preset ? QStringLiteral("leído") : error);

    const MapStore store;
    CGisExport exporter(store, {});
    said << (exporter.Write(folder + QStringLiteral("/pueblo.gpkg"), QStringLiteral("EPSG:999999"))
                 ? QStringLiteral("escrito")
                 : exporter.ErrorString());

    CImageBitmap picture;
    const std::uint8_t noise[] = {0xFF, 0xD8, 0xFF, 0x00, 0x12, 0x34};
    picture.LoadFromMemory(noise, CImageBitmap::Kind::Jpeg);
    said << picture.ErrorText();
    picture.LoadFromMemory(ZeroWidthBmp(), CImageBitmap::Kind::Bmp);
    said << picture.ErrorText();

    GisImportReport report;
    report.repairedRings = 2;
    const QStringList summary = GisTownSummary(QStringLiteral("pueblo.map"), store, report);
    said << summary.value(0) << summary.value(summary.size() - 1);
    return said;
}

} // namespace

class TranslationTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_home;

private slots:
    void initTestCase() { UsePrivateHome(m_home); }

    void EveryTextOfTheMenusToolsAndPanelHasAnEnglishOne() {
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/veltrix_en.qm")));
        QStringList missing;
        for (const CommandRow& command : CommandTable())
            missing << Untranslated(english, "Command",
                                    {command.text, command.prompt, command.tip});
        for (const MapLayerRow& layer : MapLayers())
            missing << Untranslated(english, "Layer", {layer.text});
        // The tools' actions carry the Spanish texts their classes declare.
        EditorFixture editor;
        const QList<QAction*> tools = editor.Map()->Tools().Actions().actions();
        QVERIFY(tools.size() >= 11);
        for (const QAction* tool : tools) {
            const QByteArray text = tool->text().toUtf8();
            const QByteArray prompt = tool->statusTip().toUtf8();
            const QByteArray tip = tool->toolTip().toUtf8();
            missing << Untranslated(english, "MapTool", {text.data(), prompt.data(), tip.data()});
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
    }

    void TheEditorSpeaksEnglishOnlyWhenAskedAndSpanishUnchangedOtherwise() {
        const QStringList spanish = {QStringLiteral("&Archivo"), QStringLiteral("&Edición"),
                                     QStringLiteral("&Ver"), QStringLiteral("&Herramientas"),
                                     QStringLiteral("Ay&uda")};
        for (const AppLanguage language :
             {AppLanguage::System, AppLanguage::Spanish, AppLanguage::English}) {
            StoreLanguage(language);
            QCOMPARE(StoredLanguage(), language);
            CMapaApp app;
            QVERIFY(app.InitInstance({QStringLiteral("veltrix"), QStringLiteral("--no-splash")}));
            const CMainFrame& frame = *app.MainFrame();
            // The tests run under the C locale (see tests/CMakeLists.txt), which is not English.
            QVERIFY(!SpeaksEnglish(AppLanguage::System, QLocale::system()));
            if (language != AppLanguage::English) {
                QCOMPARE(MenuTitles(frame), spanish);
                QCOMPARE(frame.Action(ID_TOOL_NAVIGATE)->text(), QStringLiteral("&Navegar"));
                continue;
            }
            QCOMPARE(MenuTitles(frame),
                     (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"),
                                  QStringLiteral("&View"), QStringLiteral("&Tools"),
                                  QStringLiteral("&Help")}));
            QCOMPARE(frame.Action(ID_FILE_SAVE_MAP)->statusTip(),
                     QStringLiteral("Saves the changes to the file"));
            QCOMPARE(frame.Action(ID_TOOL_NAVIGATE)->text(), QStringLiteral("&Navigate"));
            QCOMPARE(frame.Action(ID_TOOL_ZOOM)->statusTip(),
                     QStringLiteral("Zooms the map in or out"));
            const auto* fill = frame.CtrlWnd()->findChild<QCheckBox*>(QStringLiteral("check1054"));
            QVERIFY(fill);
            QCOMPARE(fill->text(), QStringLiteral("Fill blocks"));
            const auto* sheet = frame.CtrlWnd()->findChild<QTabWidget*>();
            QVERIFY(sheet);
            QCOMPARE(sheet->tabText(0), QStringLiteral("Streets"));
        }
        StoreLanguage(AppLanguage::System);
        // With the catalogue gone with the application object, Spanish again.
        EditorFixture editor;
        QCOMPARE(MenuTitles(*editor.frame), spanish);
    }

    void TheFileCommandsAndTheGisImportSpeakTheChosenLanguage() {
        const Said spanish{
            AppLanguage::Spanish,
            QStringLiteral("El mapa mitla.map ya está abierto en otro editor: usuario otra, "
                           "equipo %1, proceso %2, desde el "),
            QStringLiteral(" de noviembre de 2023 a las "),
            QStringLiteral(".\n¿Desea abrirlo de solo lectura? Los cambios sólo se podrán "
                           "guardar con otro nombre."),
            QStringLiteral("Sí"),
            QStringLiteral("VELTRIX  Mitla, Oaxaca - México (solo lectura)[*]"),
            QStringLiteral("Importar datos geográficos"),
            QStringLiteral("Agregar..."),
            QStringLiteral("Abrir"),
            QStringLiteral("Buscar en:"),
            {QStringLiteral("Fuente"), QStringLiteral("Capa"), QStringLiteral("Geometría"),
             QStringLiteral("Elementos"), QStringLiteral("Sistema de coordenadas"),
             QStringLiteral("Uso"), QStringLiteral("Campo del nombre")},
            QStringLiteral("Cancelar"),
            QStringLiteral("Aceptar"),
            QStringLiteral("Error inesperado al leer nada.map.")};
        const Said english{
            AppLanguage::English,
            QStringLiteral("The map mitla.map is already open in another editor: user otra, "
                           "computer %1, process %2, since "),
            QStringLiteral("November "),
            QStringLiteral(".\nDo you want to open it read-only? The changes can only be saved "
                           "under another name."),
            QStringLiteral("Yes"),
            QStringLiteral("VELTRIX  Mitla, Oaxaca - México (read-only)[*]"),
            QStringLiteral("Import geographic data"),
            QStringLiteral("Add..."),
            QStringLiteral("Open"),
            QStringLiteral("Look in:"),
            {QStringLiteral("Source"), QStringLiteral("Layer"), QStringLiteral("Geometry"),
             QStringLiteral("Features"), QStringLiteral("Coordinate system"), QStringLiteral("Use"),
             QStringLiteral("Name field")},
            QStringLiteral("Cancel"),
            QStringLiteral("OK"),
            QStringLiteral("Unexpected error while reading nada.map.")};
        for (const Said& said : {spanish, english}) {
            StoreLanguage(said.language);
            CMapaApp app;
            QVERIFY(app.InitInstance({QStringLiteral("veltrix"), QStringLiteral("--no-splash")}));
            CMainFrame& frame = *app.MainFrame();
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("mitla.map"));
            QVERIFY(WriteTestMap(LocalPath(path)).empty());
            OtherEditor other;
            QVERIFY(other.Lock(LocalPath(path)));

            // A map another editor holds: the question, with its date, then read-only.
            QString question;
            {
                CModalScript yes{[&](QWidget* modal) {
                    question = MessageText(modal);
                    ClickText(modal, said.yes);
                }};
                QVERIFY(frame.OpenMap(path));
                QVERIFY(yes.Done());
            }
            const QString start =
                said.lockedStart.arg(QString::fromStdString(MapLock::Self().host)).arg(other.Pid());
            QVERIFY2(question.startsWith(start), qPrintable(question));
            QVERIFY2(question.contains(said.month) && question.contains(QStringLiteral("2023")),
                     qPrintable(question));
            QVERIFY2(question.endsWith(said.lockedEnd), qPrintable(question));
            QCOMPARE(frame.windowTitle(), said.readOnlyTitle);

            // The import: its dialog, the file dialog it opens and the table of layers.
            const QString osm = dir.filePath(QStringLiteral("san-isidro.osm"));
            {
                QFile file(osm);
                QVERIFY(file.open(QIODevice::WriteOnly) && file.write(TestTownOsm()) > 0);
            }
            QString title, lookIn, use, crs;
            QStringList headers;
            bool openButton = false;
            CModalScript script({
                {Named("gisImportDlg"),
                 [&](QWidget* dialog) {
                     title = dialog->windowTitle();
                     ClickLater(dialog, said.add);
                 }},
                {Named("sourcesDialog"),
                 [&](QWidget* window) {
                     openButton = ButtonReading(window, said.open) != nullptr;
                     auto* files = static_cast<QFileDialog*>(window);
                     lookIn = files->labelText(QFileDialog::LookIn);
                     ChooseFile(window, osm);
                 }},
                {Named("gisImportDlg"),
                 [&](QWidget* window) {
                     CGisLayerTable* table = static_cast<CGisImportDlg*>(window)->Table();
                     for (int column = 0; column < table->columnCount(); ++column)
                         headers << table->horizontalHeaderItem(column)->text();
                     ClickText(window, said.cancel);
                 }},
            });
            frame.Action(ID_FILE_IMPORT_GIS)->trigger();
            QVERIFY(script.Done());
            QCOMPARE(title, said.importTitle);
            QVERIFY(openButton);
            QCOMPARE(lookIn, said.lookIn);
            QCOMPARE(headers, said.headers);

            QString refused;
            {
                CModalScript ok{[&](QWidget* modal) {
                    refused = MessageText(modal);
                    ClickText(modal, said.ok);
                }};
                QVERIFY(!frame.OpenMap(dir.filePath(QStringLiteral("nada.map"))));
                QVERIFY(ok.Done());
            }
            QCOMPARE(refused, said.unreadable);
        }
        StoreLanguage(AppLanguage::System);
    }

    void TheGuideIsPrintedInTheEditorsLanguage() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        MapStore store = MakeStore();
        FillTestTown(store);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("guia.pdf"));
        const auto guide = [&] {
            QString error;
            if (!WriteTownGuide(
                    pdf, GuideRequest{store, GuideOptions{}, GuideLayers(), QImage(), {}}, error))
                return error;
            return PdfText(pdf);
        };
        const auto layoutError = [&] {
            GuideOptions options;
            options.scale = 0;
            QString error;
            return CGuideLayout::Make(store, options, error) ? QString() : error;
        };
        const QString spanish = guide();
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/veltrix_en.qm")));
        QVERIFY(QCoreApplication::installTranslator(&english));
        const QString translated = guide();
        const QString translatedError = layoutError();
        QCoreApplication::removeTranslator(&english);

        for (const QString& text :
             {QStringLiteral("Guía de calles"), QStringLiteral("Página "),
              QStringLiteral("Índice de calles"), QStringLiteral("Directorio"),
              QStringLiteral("Referencias"), QStringLiteral("Colonias"),
              QStringLiteral("Impreso el "), QStringLiteral("Plano de conjunto")}) {
            QVERIFY2(spanish.contains(text), qPrintable(text));
            QVERIFY2(!translated.contains(text), qPrintable(text));
        }
        for (const QString& text : {QStringLiteral("Street guide"), QStringLiteral("Page "),
                                    QStringLiteral("Street index"), QStringLiteral("Directory"),
                                    QStringLiteral("Landmarks"), QStringLiteral("Neighbourhoods"),
                                    QStringLiteral("Printed on "), QStringLiteral("Key map")})
            QVERIFY2(translated.contains(text), qPrintable(translated.left(600)));
        // The town's own names stay as they are.
        QVERIFY(translated.contains(QStringLiteral("Avenida Juárez")));
        QCOMPARE(translatedError, QStringLiteral("The scale must be between 1 and 20."));
        QCOMPARE(layoutError(), QStringLiteral("La escala debe estar entre 1 y 20."));
    }

    void TheHelpPagesSpeakTheEditorsLanguageAndNameItsCommandsAsItDoes() {
        struct Case {
            AppLanguage language;
            QString folder;
            QString title;
            QString otherTitle;
            QString fileMenu;
        };
        const Case cases[] = {
            {AppLanguage::English, QStringLiteral("qrc:/shell/help/en/"),
             QStringLiteral("Veltrix Help"), QStringLiteral("Ayuda de Veltrix"),
             QStringLiteral("File menu")},
            {AppLanguage::Spanish, QStringLiteral("qrc:/shell/help/"),
             QStringLiteral("Ayuda de Veltrix"), QStringLiteral("Veltrix Help"),
             QStringLiteral("Menú Archivo")},
            // The tests' C locale is not English.
            {AppLanguage::System, QStringLiteral("qrc:/shell/help/"),
             QStringLiteral("Ayuda de Veltrix"), QStringLiteral("Veltrix Help"),
             QStringLiteral("Menú Archivo")},
        };
        for (const Case& c : cases) {
            StoreLanguage(c.language);
            CMapaApp app;
            QVERIFY(app.InitInstance({QStringLiteral("veltrix"), QStringLiteral("--no-splash")}));
            const CMainFrame& frame = *app.MainFrame();
            frame.Action(ID_HELP_FINDER)->trigger();
            CHelpWnd* help = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* h = qobject_cast<CHelpWnd*>(w))
                    help = h;
            QVERIFY(help);
            QVERIFY(QTest::qWaitForWindowExposed(help));
            QTextBrowser& browser = *help->Browser();
            QCOMPARE(browser.source(), QUrl(c.folder + QStringLiteral("index.html")));
            QVERIFY(browser.toPlainText().contains(c.title));
            QVERIFY(!browser.toPlainText().contains(c.otherTitle));

            // A click on the contents' link to the File menu opens that page in the same language.
            const QPoint link = LinkPoint(browser, QStringLiteral("archivo.html"));
            QVERIFY(browser.viewport()->rect().contains(link));
            QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, link);
            QTRY_COMPARE(browser.source(), QUrl(c.folder + QStringLiteral("archivo.html")));
            QVERIFY(browser.toPlainText().contains(c.fileMenu));
            // Back to the contents in the same language.
            QTest::mouseClick(browser.viewport(), Qt::LeftButton, {},
                              LinkPoint(browser, QStringLiteral("index.html")));
            QTRY_COMPARE(browser.source(), QUrl(c.folder + QStringLiteral("index.html")));

            // Every command of the menus, layer and page is named in the help as the editor shows
            // it.
            QStringList missing;
            const auto lookFor = [&](const QString& page, const QStringList& names) {
                browser.setSource(QUrl(c.folder + page));
                const QString text = browser.toPlainText();
                for (QString name : names)
                    if (!text.contains(name.remove(QLatin1Char('&'))))
                        missing << page + QStringLiteral(": ") + name;
            };
            const QList<QAction*> menus = frame.menuBar()->actions();
            // The recent maps are named by their files, not by the help.
            QList<const QAction*> recent;
            for (int slot = 0; slot < CRecentMaps::kMaxMaps; ++slot)
                recent << frame.Action(ID_FILE_RECENT_FIRST + slot);
            const QString pages[] = {QStringLiteral("archivo.html"), QStringLiteral("archivo.html"),
                                     QStringLiteral("ver.html"),
                                     QStringLiteral("herramientas.html")};
            for (int m = 0; m < 4; ++m) {
                QStringList names;
                for (const QAction* action : menus[m]->menu()->actions())
                    if (!action->isSeparator() && action->isVisible() && !recent.contains(action))
                        names << action->text();
                QVERIFY(names.size() >= 2);
                lookFor(pages[m], names);
            }
            QStringList layers;
            for (const QCheckBox* box : frame.CtrlWnd()->findChildren<QCheckBox*>())
                layers << box->text();
            QCOMPARE(layers.size(), 7);
            lookFor(QStringLiteral("panel.html"), layers);
            const auto* sheet = frame.CtrlWnd()->findChild<QTabWidget*>();
            QVERIFY(sheet);
            QStringList tabs;
            for (int i = 0; i < sheet->count(); ++i)
                tabs << sheet->tabText(i);
            lookFor(QStringLiteral("paginas.html"), tabs);
            QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
        }
        StoreLanguage(AppLanguage::System);
    }

    void TheLanguageIsChosenInThePreferencesOrFollowsTheSystem() {
        const QLocale mexico(QLocale::Spanish, QLocale::Mexico);
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale france(QLocale::French, QLocale::France);
        QVERIFY(SpeaksEnglish(AppLanguage::System, us));
        QVERIFY(!SpeaksEnglish(AppLanguage::System, mexico));
        QVERIFY(!SpeaksEnglish(AppLanguage::System, france));
        QVERIFY(!SpeaksEnglish(AppLanguage::Spanish, us));
        QVERIFY(SpeaksEnglish(AppLanguage::English, mexico));

        EditorFixture editor;
        StoreLanguage(AppLanguage::Spanish);
        QString shown;
        CModalScript choose{[&](QWidget* modal) {
            auto* box = modal->findChild<QComboBox*>(QStringLiteral("language"));
            QVERIFY(box);
            shown = box->currentText();
            box->setCurrentIndex(box->findText(QStringLiteral("English")));
            ClickText(modal, QStringLiteral("Aceptar"));
        }};
        editor.frame->Action(ID_FILE_PREFERENCES)->trigger();
        QCOMPARE(shown, QStringLiteral("Español"));
        QCOMPARE(StoredLanguage(), AppLanguage::English);
        // The menus stay as they are until the next start.
        QCOMPARE(MenuTitles(*editor.frame).front(), QStringLiteral("&Archivo"));
        StoreLanguage(AppLanguage::System);
    }

    void FailuresOfTheGisFormatsAndPicturesAreSaidInEnglishWithTheCatalogue() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString notes = folder.filePath(QStringLiteral("notas.txt"));
        const QStringList spanish = {
            QStringLiteral("%1 no está en ningún formato geográfico conocido.").arg(notes),
            QStringLiteral("El preajuste «prueba» no es válido: «kind» en la regla 1 no es un "
                           "tipo conocido: «rios»."),
            QStringLiteral("«EPSG:999999» no es un sistema de coordenadas conocido."),
            QStringLiteral("El archivo JPEG está dañado o no es una imagen JPEG."),
            QStringLiteral("El archivo BMP indica un tamaño de imagen imposible: 0 x 5 píxeles."),
            QStringLiteral("pueblo.map: 0 manzanas, 0 calles trazadas, 0 etiquetas, "
                           "0 referencias, 0 colonias, 0 negocios en 0 categorías, 0 rutas con "
                           "0 estaciones."),
            QStringLiteral("Aviso: 2 polígonos no válidos reparados."),
        };
        QCOMPARE(FormatsAndPicturesSay(folder.path()), spanish);

        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/veltrix_en.qm")));
        QVERIFY(QCoreApplication::installTranslator(&english));
        const QStringList said = FormatsAndPicturesSay(folder.path());
        QCoreApplication::removeTranslator(&english);
        QCOMPARE(said,
                 (QStringList{
                     QStringLiteral("%1 is not in any known geographic format.").arg(notes),
                     QStringLiteral("The preset “prueba” is not valid: “kind” in rule 1 is not a "
                                    "known kind: “rios”."),
                     QStringLiteral("“EPSG:999999” is not a known coordinate system."),
                     QStringLiteral("The JPEG file is damaged or is not a JPEG picture."),
                     QStringLiteral("The BMP file gives an impossible picture size: 0 x 5 pixels."),
                     QStringLiteral("pueblo.map: 0 blocks, 0 traced streets, 0 labels, "
                                    "0 landmarks, 0 neighbourhoods, 0 businesses in 0 "
                                    "categories, 0 routes with 0 stations."),
                     QStringLiteral("Warning: 2 invalid polygons repaired."),
                 }));
        // Without the catalogue, the same Spanish again.
        QCOMPARE(FormatsAndPicturesSay(folder.path()), spanish);
    }
};

QTEST_MAIN(TranslationTest)
#include "translation_test.moc"
