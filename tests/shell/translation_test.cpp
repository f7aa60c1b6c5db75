// The program in a second language: every text of the menus, the tools, the
// panel and the preferences has an English one in the catalogue built from
// translations/veltrix_en.ts, the editor speaks English when the settings or
// the system ask for it, and Spanish, unchanged, otherwise.

#include "app_language.h"
#include "command_table.h"
#include "ctrl_wnd.h"
#include "editor_fixture.h"
#include "main_frame.h"
#include "map_layers.h"
#include "map_tool_manager.h"
#include "map_window.h"
#include "mapa_app.h"
#include "modal_script.h"
#include "private_home.h"
#include "qt_helpers.h"
#include "tools.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QMenuBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

namespace {

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
};

QTEST_MAIN(TranslationTest)
#include "translation_test.moc"
