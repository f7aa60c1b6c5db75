#include "tool_support.h"

#include "map_file.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <unistd.h>

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

namespace {

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool SaveMapForTool(MapStore& store, const QString& path, std::span<const std::uint8_t> picture) {
    std::string error;
    const std::string tempDir = PrivateTempDir(error);
    if (tempDir.empty()) {
        PrintLine(stderr, QString::fromStdString(error));
        return false;
    }
    // A name of our own, so that tool runs side by side never share a picture file.
    std::string picturePath = tempDir + "picture-XXXXXX";
    const int fd = ::mkstemp(picturePath.data());
    if (fd < 0) {
        PrintLine(stderr, QStringLiteral("No se puede crear un archivo temporal en %1.")
                              .arg(QString::fromStdString(tempDir)));
        return false;
    }
    const bool written = WriteAll(fd, picture);
    const bool closed = ::close(fd) == 0;
    bool saved = false;
    if (written && closed)
        saved = SaveMapFile(store, LocalPath(path), picturePath, error);
    else
        error = "No se puede guardar la imagen del mapa en " + tempDir + ".";
    ::unlink(picturePath.c_str());
    if (!saved)
        PrintLine(stderr, QStringLiteral("%1: %2").arg(path, QString::fromStdString(error)));
    return saved;
}
