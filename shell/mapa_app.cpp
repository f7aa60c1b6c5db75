#include "mapa_app.h"

#include "app_language.h"
#include "main_frame.h"
#include "map_window.h"
#include "preferencias_dialog.h"
#include "qt_translations.h"
#include "startup_splash.h"
#include "veltrix_version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QThread>
#include <QTranslator>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

constexpr int kStartupPauseMs = 2000;
constexpr int kPauseSliceMs = 10;

// The start-up pause: the splash stays up and the frame waits. Windows still
// paint, but key and mouse presses wait and reach the splash afterwards, and
// no timer fires: the splash's timer, started with the splash, comes due in
// the pause and closes it as soon as the frame is up.
void StartupPause() {
    const QDeadlineTimer end(kStartupPauseMs);
    while (!end.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::X11ExcludeTimers);
        QThread::msleep(
            static_cast<unsigned long>(std::clamp<qint64>(end.remainingTime(), 0, kPauseSliceMs)));
    }
}

// A text of the command line in the program's language. --help is answered
// before QApplication exists, when no catalogue can be installed, so the
// English one is then asked directly.
QString CommandLineText(const QTranslator* english, const char* text) {
    if (english) {
        const QString translated = english->translate("CMapaApp", text);
        if (!translated.isEmpty())
            return translated;
    }
    return QCoreApplication::translate("CMapaApp", text);
}

// The editor's command line, described once for the parser and the help.
struct EditorOptions {
    const QTranslator* english;
    QString map =
        CommandLineText(english, QT_TRANSLATE_NOOP("CMapaApp", "Mapa que se abre al arrancar."));
    QString mapName = CommandLineText(english, QT_TRANSLATE_NOOP("CMapaApp", "MAPA"));
    QCommandLineOption noSplash{
        QStringLiteral("no-splash"),
        CommandLineText(english,
                        QT_TRANSLATE_NOOP("CMapaApp", "Arranca sin la pantalla de presentación."))};
    QCommandLineOption help{
        {QStringLiteral("h"), QStringLiteral("help")},
        CommandLineText(english, QT_TRANSLATE_NOOP("CMapaApp", "Muestra esta ayuda y termina."))};
    QCommandLineOption version{
        {QStringLiteral("v"), QStringLiteral("version")},
        CommandLineText(english, QT_TRANSLATE_NOOP("CMapaApp", "Muestra la versión y termina."))};

    EditorOptions(QCommandLineParser& parser, const QTranslator* englishCatalogue)
        : english(englishCatalogue) {
        parser.addOptions({noSplash, help, version});
        parser.addPositionalArgument(mapName, map, QStringLiteral("[%1]").arg(mapName));
    }

    QString Usage() const {
        return CommandLineText(english,
                               QT_TRANSLATE_NOOP("CMapaApp", "Uso: veltrix [--no-splash] [MAPA]"));
    }

    QString HelpText() const {
        QString text = CommandLineText(
            english, QT_TRANSLATE_NOOP("CMapaApp", "Editor de mapas de calles.\n\n"
                                                   "Uso: veltrix [--no-splash] [MAPA]\n"
                                                   "     veltrix --help | --version\n\n"));
        const auto row = [&text](const QString& names, const QString& description) {
            text += QStringLiteral("  %1  %2\n").arg(names, -13).arg(description);
        };
        row(mapName, map);
        for (const QCommandLineOption* option : {&noSplash, &help, &version}) {
            QStringList names;
            for (const QString& name : option->names())
                names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
            row(names.join(QStringLiteral(", ")), option->description());
        }
        return text;
    }
};

// The names the settings are kept under, set before any setting is read.
void NameTheProgram() {
    QCoreApplication::setOrganizationName(QString::fromLatin1(kSettingsOrganization));
    QCoreApplication::setApplicationName(QString::fromLatin1(kSettingsApplication));
}

} // namespace

std::optional<int> CMapaApp::AnswerWithoutWindow(const QStringList& arguments) {
    NameTheProgram();
    const std::unique_ptr<QTranslator> english =
        LoadProgramTranslation(SpeaksEnglish(StoredLanguage(), QLocale::system()));
    QCommandLineParser parser;
    const EditorOptions options(parser, english.get());
    // Options Qt itself takes (-platform, -style, ...) are unknown here; the
    // parser still records the ones it knows, and InitInstance judges the rest
    // once QApplication has removed Qt's own.
    parser.parse(arguments);
    if (parser.isSet(options.help)) {
        std::fputs(qPrintable(options.HelpText()), stdout);
        return 0;
    }
    if (parser.isSet(options.version)) {
        std::printf("veltrix %s\n", kVeltrixVersion);
        return 0;
    }
    return std::nullopt;
}

CMapaApp::CMapaApp() = default;

CMapaApp::~CMapaApp() = default;

bool CMapaApp::InitInstance(const QStringList& arguments) {
    // The language first, so that a wrong command line is told in it too.
    NameTheProgram();
    const bool english = SpeaksEnglish(StoredLanguage(), QLocale::system());
    m_pQtTranslator = InstallQtTranslations(english);
    m_pTranslator = InstallProgramTranslation(english);
    QCommandLineParser parser;
    const EditorOptions options(parser, nullptr);
    if (!parser.parse(arguments) || parser.positionalArguments().size() > 1) {
        const QString error = parser.errorText().isEmpty()
                                  ? QCoreApplication::translate("CMapaApp", "Sobran argumentos.")
                                  : parser.errorText();
        std::fprintf(stderr, "%s\n%s\n", qPrintable(error), qPrintable(options.Usage()));
        return false;
    }
    CStartupSplash::EnableSplashScreen(!parser.isSet(options.noSplash));

    m_pSettings = std::make_unique<QSettings>();
    m_document.SetAutosaveInterval(std::chrono::minutes(CPreferenciasDlg::StoredAutosaveMinutes()));

    const QString mapArgument =
        parser.positionalArguments().isEmpty() ? QString() : parser.positionalArguments().front();
    // The catalogue and the save work in the folder of a map named at start-up.
    m_strProgramDir =
        mapArgument.isEmpty() ? QDir::currentPath() : QFileInfo(mapArgument).absolutePath();
    if (!m_strProgramDir.endsWith(QLatin1Char('/')))
        m_strProgramDir += QLatin1Char('/');

    m_pMainWnd = std::make_unique<CMainFrame>(m_document, m_strProgramDir);
    m_pMainWnd->MapWnd()->SetInfoPopupRect(&m_rcInfoPopup);
    const bool placed = m_pMainWnd->SetSettings(m_pSettings.get());
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!placed && screen) {
        QRect place = m_pMainWnd->geometry();
        place.moveCenter(screen->availableGeometry().center());
        m_pMainWnd->move(place.topLeft());
    }
    if (CStartupSplash::ShowSplashScreen(m_pMainWnd.get()))
        StartupPause();
    m_pMainWnd->show();
    if (CStartupSplash* splash = CStartupSplash::Current())
        splash->raise();
    if (!mapArgument.isEmpty())
        m_pMainWnd->OpenMap(QFileInfo(mapArgument).absoluteFilePath());
    return true;
}
