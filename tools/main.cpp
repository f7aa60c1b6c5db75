// veltrix-tool: works on map files without the editor's windows.

#include "app_language.h"
#include "command_table.h"
#include "commands.h"
#include "tool_support.h"
#include "veltrix_version.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstring>
#include <exception>
#include <memory>
#include <new>

namespace {

void PrintUsage(std::FILE* stream) {
    PrintLine(stream, QCoreApplication::translate("Tool", "Uso: veltrix-tool ORDEN [ARGUMENTOS]\n"
                                                          "     veltrix-tool --help | --version\n\n"
                                                          "Órdenes:"));
    for (const ToolCommand& c : ToolCommands())
        PrintLine(stream, QStringLiteral("  %1 %2\n      %3")
                              .arg(QString::fromUtf8(c.name), ToolCommandArguments(c),
                                   ToolCommandSummary(c)));
}

} // namespace

int main(int argc, char* argv[]) {
    // Drawing text needs a GUI application (fonts); it never needs a screen.
    // The other commands keep the plain core application.
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && (std::strcmp(argv[1], "render") == 0 || std::strcmp(argv[1], "guide") == 0)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("veltrix-tool"));
    // The language first, as the editor chooses it, so that a wrong command
    // line is told in it too.
    const std::unique_ptr<QTranslator> english =
        InstallProgramTranslation(SpeaksEnglish(StoredLanguage(), QLocale::system()));

    // Everything after the command's name belongs to the command, options included.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QCoreApplication::translate("Tool", "Muestra esta ayuda."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QCoreApplication::translate("Tool", "Muestra la versión."));
    parser.addOptions({help, version});
    parser.addPositionalArgument(QCoreApplication::translate("Tool", "orden"),
                                 QCoreApplication::translate("Tool", "La orden que se ejecuta."));
    if (!parser.parse(QCoreApplication::arguments())) {
        const QStringList unknown = parser.unknownOptionNames();
        PrintLine(stderr, unknown.isEmpty()
                              ? parser.errorText()
                              : QCoreApplication::translate("Tool", "Opción desconocida: %1")
                                    .arg(unknown.first()));
        PrintUsage(stderr);
        return kExitUsage;
    }
    QStringList args = parser.positionalArguments();
    if (parser.isSet(help) || (!args.isEmpty() && args.first() == QStringLiteral("help"))) {
        PrintUsage(stdout);
        return kExitOk;
    }
    if (parser.isSet(version)) {
        PrintLine(stdout, QStringLiteral("veltrix-tool %1").arg(QLatin1String(kVeltrixVersion)));
        return kExitOk;
    }
    if (args.isEmpty()) {
        PrintUsage(stderr);
        return kExitUsage;
    }
    const QString name = args.takeFirst();
    const ToolCommand* command = FindToolCommand(name);
    if (!command) {
        PrintLine(stderr, QCoreApplication::translate("Tool", "Orden desconocida: %1").arg(name));
        PrintUsage(stderr);
        return kExitUsage;
    }
    try {
        const int status = command->run(args);
        if (status == kExitUsage)
            PrintLine(stderr, QCoreApplication::translate("Tool", "Uso: veltrix-tool %1 %2")
                                  .arg(name, ToolCommandArguments(*command)));
        return status;
    } catch (const std::bad_alloc&) {
        PrintLine(stderr, QCoreApplication::translate("Tool", "No hay memoria suficiente."));
    } catch (const std::exception& e) {
        PrintLine(stderr, QCoreApplication::translate("Tool", "Error inesperado: %1")
                              .arg(QString::fromUtf8(e.what())));
    }
    return kExitFailed;
}
