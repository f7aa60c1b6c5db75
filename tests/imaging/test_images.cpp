#include "test_images.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

QString ConvertProgram() {
    const QString configured = QStringLiteral(VELTRIX_CONVERT);
    if (!configured.isEmpty() && !configured.endsWith(QLatin1String("NOTFOUND"))) {
        return configured;
    }
    return QStringLiteral("convert");
}

QTemporaryDir& Scratch() {
    static QTemporaryDir dir;
    return dir;
}

} // namespace

std::string ScratchPath(const std::string& name) {
    return Scratch().filePath(QString::fromStdString(name)).toStdString();
}

bool RunConvert(const QStringList& args, Bytes* out) {
    QProcess process;
    process.start(ConvertProgram(), args);
    if (!process.waitForStarted(30000)) {
        ADD_FAILURE() << "ImageMagick's convert cannot be run (install imagemagick)";
        return false;
    }
    process.closeWriteChannel();
    QByteArray stdoutBytes;
    while (process.state() != QProcess::NotRunning) {
        process.waitForReadyRead(60000);
        stdoutBytes += process.readAllStandardOutput();
    }
    stdoutBytes += process.readAllStandardOutput();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << "convert " << args.join(' ').toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return false;
    }
    if (out != nullptr) {
        out->assign(stdoutBytes.begin(), stdoutBytes.end());
    }
    return true;
}

std::string MakePicture(const QStringList& args, const std::string& name,
                        const std::string& prefix) {
    const std::string path = ScratchPath(name);
    QStringList all = args;
    all << QString::fromStdString(prefix + path);
    return RunConvert(all) ? path : std::string();
}

Bytes ReferenceRgb(const std::string& path) {
    Bytes out;
    RunConvert({QString::fromStdString(path), QStringLiteral("-depth"), QStringLiteral("8"),
                QStringLiteral("rgb:-")},
               &out);
    return out;
}

QStringList PlasmaSource(int width, int height, int seed) {
    return {QStringLiteral("-seed"), QString::number(seed), QStringLiteral("-size"),
            QStringLiteral("%1x%2").arg(width).arg(height), QStringLiteral("plasma:fractal")};
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

int MaxDifference(const Bytes& a, const Bytes& b) {
    if (a.size() != b.size()) {
        return -1;
    }
    int worst = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        worst = std::max(worst, std::abs(int{a[i]} - int{b[i]}));
    }
    return worst;
}

std::uint32_t GetLe32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b.at(at)) | static_cast<std::uint32_t>(b.at(at + 1)) << 8 |
           static_cast<std::uint32_t>(b.at(at + 2)) << 16 |
           static_cast<std::uint32_t>(b.at(at + 3)) << 24;
}

void PutLe32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b.at(at + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(v >> (8 * i));
    }
}
