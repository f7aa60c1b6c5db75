#include "tool_support.h"

#include "command_table.h"
#include "commands.h"

#include "map_file.h"
#include "map_lock.h"
#include "map_save.h"
#include "problem_text.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>

#include <algorithm>

void PrintLine(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fputc('\n', stream);
}

void CCommandParser::addPositionalArgument(const QString& name, const QString& description) {
    m_parser.addPositionalArgument(name, description);
    m_positionals.append({name, description});
}

void CCommandParser::addOption(const QCommandLineOption& option) {
    m_parser.addOption(option);
    m_options.append(option);
}

void CCommandParser::addOptions(const QList<QCommandLineOption>& options) {
    for (const QCommandLineOption& option : options)
        addOption(option);
}

QString CCommandParser::HelpText(const QString& name) const {
    const ToolCommand* command = FindToolCommand(name);
    QString text = QCoreApplication::translate("Tool", "Uso: veltrix-tool %1 %2")
                       .arg(name, command ? ToolCommandArguments(*command) : QString()) +
                   QLatin1Char('\n');
    if (command) {
        QString summary = ToolCommandSummary(*command);
        summary[0] = summary[0].toUpper();
        text += QStringLiteral("\n%1.\n").arg(summary);
    }
    // Each entry on the left, its description lined up after the longest.
    QList<std::pair<QString, QString>> rows;
    for (const auto& [argument, description] : m_positionals)
        rows.append({argument.toUpper(), description});
    const qsizetype arguments = rows.size();
    for (const QCommandLineOption& option : m_options) {
        QStringList names;
        for (const QString& n : option.names())
            names.append(n.size() == 1 ? QStringLiteral("-") + n : QStringLiteral("--") + n);
        QString left = names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty())
            left += QStringLiteral(" <%1>").arg(option.valueName());
        rows.append({left, option.description()});
    }
    rows.append(
        {QStringLiteral("-h, --help"), QCoreApplication::translate("Tool", "Muestra esta ayuda.")});
    qsizetype width = 0;
    for (const auto& row : rows)
        width = std::max(width, row.first.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (i == 0 && arguments > 0)
            text += QLatin1Char('\n') + QCoreApplication::translate("Tool", "Argumentos:") +
                    QLatin1Char('\n');
        if (i == arguments)
            text += QLatin1Char('\n') + QCoreApplication::translate("Tool", "Opciones:") +
                    QLatin1Char('\n');
        text += QStringLiteral("  %1  %2\n").arg(rows[i].first, -width).arg(rows[i].second);
    }
    text.chop(1);
    return text;
}

std::optional<int> ParseCommandArgs(CCommandParser& parser, const QString& name,
                                    const QStringList& args, qsizetype positionals) {
    return ParseCommandArgs(parser, name, args, positionals, positionals);
}

std::optional<int> ParseCommandArgs(CCommandParser& parser, const QString& name,
                                    const QStringList& args, qsizetype least, qsizetype most) {
    QCommandLineParser& qt = parser.Parser();
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QCoreApplication::translate("Tool", "Muestra esta ayuda."));
    qt.addOption(help);
    // The parser skips the first entry, which is normally the program.
    const bool parsed = qt.parse(QStringList{QStringLiteral("veltrix-tool ") + name} + args);
    // Help is asked for even beside arguments that are wrong or missing.
    if (qt.isSet(help) || (!parsed && (args.contains(QStringLiteral("--help")) ||
                                       args.contains(QStringLiteral("-h"))))) {
        PrintLine(stdout, parser.HelpText(name));
        return kExitOk;
    }
    if (!parsed) {
        const QStringList unknown = qt.unknownOptionNames();
        if (!unknown.isEmpty())
            PrintLine(
                stderr,
                QCoreApplication::translate("Tool", "Opción desconocida: %1").arg(unknown.first()));
        else
            PrintLine(stderr, QCoreApplication::translate("Tool", "Argumentos no válidos: %1")
                                  .arg(qt.errorText()));
        return kExitUsage;
    }
    const qsizetype given = qt.positionalArguments().size();
    if (given < least) {
        PrintLine(stderr, QCoreApplication::translate("Tool", "Faltan argumentos."));
        return kExitUsage;
    }
    if (given > most) {
        PrintLine(stderr, QCoreApplication::translate("Tool", "Sobran argumentos."));
        return kExitUsage;
    }
    return std::nullopt;
}

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

std::unique_ptr<MapStore> LoadMapForTool(const QString& path, std::vector<std::uint8_t>& picture) {
    Problem error;
    // A tool run starts like the program does: every counter at 1.
    auto store = LoadMapFile(LocalPath(path), MapCounters{}, picture, error);
    if (!store)
        PrintLine(stderr, ProblemText(error));
    return store;
}

QCommandLineOption ForceOption() {
    return QCommandLineOption(
        QStringLiteral("force"),
        QCoreApplication::translate(
            "Tool", "Escribe el mapa aunque otro editor lo tenga abierto o sea de solo lectura."));
}

bool MayWriteMap(const QString& path, bool force) {
    const std::optional<LockOwner> holder = MapLock::HeldByOther(LocalPath(path));
    if (!holder || force)
        return true;
    QString text;
    if (holder->unknown) {
        text = QCoreApplication::translate(
                   "Tool", "%1: el mapa está abierto en otro editor y su próximo guardado "
                           "desharía este cambio. Ciérrelo allí, o use --force para escribirlo "
                           "de todos modos.")
                   .arg(path);
    } else if (holder->since > 0) {
        text = QCoreApplication::translate(
                   "Tool", "%1: el mapa está abierto en otro editor (usuario %2, equipo %3, "
                           "proceso %4, desde %5) y su próximo guardado desharía este cambio. "
                           "Ciérrelo allí, o use --force para escribirlo de todos modos.")
                   .arg(path, QString::fromStdString(holder->user),
                        QString::fromStdString(holder->host), QString::number(holder->pid),
                        QDateTime::fromSecsSinceEpoch(holder->since)
                            .toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    } else {
        text = QCoreApplication::translate(
                   "Tool", "%1: el mapa está abierto en otro editor (usuario %2, equipo %3, "
                           "proceso %4) y su próximo guardado desharía este cambio. Ciérrelo "
                           "allí, o use --force para escribirlo de todos modos.")
                   .arg(path, QString::fromStdString(holder->user),
                        QString::fromStdString(holder->host), QString::number(holder->pid));
    }
    PrintLine(stderr, text);
    return false;
}

bool SaveMapForTool(const MapStore& store, const QString& path,
                    std::span<const std::uint8_t> picture, bool force) {
    Problem error;
    SaveOptions options;
    options.replaceReadOnly = force;
    if (SaveMapFile(store, LocalPath(path), picture, error, options))
        return true;
    const QString format =
        !force && IsReadOnlyFile(SaveTarget(LocalPath(path)))
            ? QCoreApplication::translate("Tool", "%1: %2 %3 Use --force para reemplazarlo.")
            : QStringLiteral("%1: %2 %3");
    PrintLine(stderr, format.arg(path, ProblemText(SaveErrorText()), ProblemText(error)));
    return false;
}
