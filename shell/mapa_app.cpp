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

// The editor's command line, described once for the parser and the help.
struct EditorOptions {
    QString map = QStringLiteral("Mapa que se abre al arrancar.");
    QCommandLineOption noSplash{QStringLiteral("no-splash"),
                                QStringLiteral("Arranca sin la pantalla de presentación.")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Muestra esta ayuda y termina.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Muestra la versión y termina.")};

    explicit EditorOptions(QCommandLineParser& parser) {
        parser.addOptions({noSplash, help, version});
        parser.addPositionalArgument(QStringLiteral("MAPA"), map, QStringLiteral("[MAPA]"));
    }

    QString HelpText() const {
        QString text = QStringLiteral("Editor de mapas de calles.\n\n"
                                      "Uso: veltrix [--no-splash] [MAPA]\n"
                                      "     veltrix --help | --version\n\n");
        const auto row = [&text](const QString& names, const QString& description) {
            text += QStringLiteral("  %1  %2\n").arg(names, -13).arg(description);
        };
        row(QStringLiteral("MAPA"), map);
        for (const QCommandLineOption* option : {&noSplash, &help, &version}) {
            QStringList names;
            for (const QString& name : option->names())
                names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
            row(names.join(QStringLiteral(", ")), option->description());
        }
        return text;
    }
};

} // namespace

std::optional<int> CMapaApp::AnswerWithoutWindow(const QStringList& arguments) {
    QCommandLineParser parser;
    const EditorOptions options(parser);
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
    QCommandLineParser parser;
    const EditorOptions options(parser);
    if (!parser.parse(arguments) || parser.positionalArguments().size() > 1) {
        const QString error = parser.errorText().isEmpty() ? QStringLiteral("Sobran argumentos.")
                                                           : parser.errorText();
        std::fprintf(stderr, "%s\nUso: veltrix [--no-splash] [MAPA]\n", qPrintable(error));
        return false;
    }
    CStartupSplash::EnableSplashScreen(!parser.isSet(options.noSplash));

    QCoreApplication::setOrganizationName(QStringLiteral("KORVEN Soft"));
    QCoreApplication::setApplicationName(QStringLiteral("Veltrix"));
    const bool english = SpeaksEnglish(StoredLanguage(), QLocale::system());
    m_pQtTranslator = InstallQtTranslations(english);
    m_pTranslator = InstallProgramTranslation(english);
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
