#include "tool_support.h"

#include "map_file.h"
#include "map_save.h"

#include <QFile>

void PrintLine(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fputc('\n', stream);
}

bool ParseCommandArgs(QCommandLineParser& parser, const QString& name, const QStringList& args,
                      qsizetype positionals) {
    return ParseCommandArgs(parser, name, args, positionals, positionals);
}

bool ParseCommandArgs(QCommandLineParser& parser, const QString& name, const QStringList& args,
                      qsizetype least, qsizetype most) {
    // The parser skips the first entry, which is normally the program.
    if (!parser.parse(QStringList{QStringLiteral("veltrix-tool ") + name} + args)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            PrintLine(stderr, QStringLiteral("Opción desconocida: %1").arg(unknown.first()));
        else
            PrintLine(stderr, QStringLiteral("Argumentos no válidos: %1").arg(parser.errorText()));
        return false;
    }
    const qsizetype given = parser.positionalArguments().size();
    if (given < least) {
        PrintLine(stderr, QStringLiteral("Faltan argumentos."));
        return false;
    }
    if (given > most) {
        PrintLine(stderr, QStringLiteral("Sobran argumentos."));
        return false;
    }
    return true;
}

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

std::unique_ptr<MapStore> LoadMapForTool(const QString& path, std::vector<std::uint8_t>& picture) {
    std::string error;
    // A tool run starts like the program does: every counter at 1.
    auto store = LoadMapFile(LocalPath(path), MapCounters{}, picture, error);
    if (!store)
        PrintLine(stderr, QString::fromStdString(error));
    return store;
}

bool SaveMapForTool(const MapStore& store, const QString& path,
                    std::span<const std::uint8_t> picture) {
    std::string error;
    if (SaveMapFile(store, LocalPath(path), picture, error))
        return true;
    PrintLine(stderr, QStringLiteral("%1: %2 %3")
                          .arg(path, QString::fromStdString(SaveErrorText()),
                               QString::fromStdString(error)));
    return false;
}
