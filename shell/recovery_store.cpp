#include "recovery_store.h"

#include "map_file.h"
#include "map_save.h"
#include "problem_text.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

#include <sys/stat.h>

namespace {

std::string Local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The same map reached by another way (a link, "..") is the same copy.
QString CanonicalMapPath(const QString& mapPath) {
    const QFileInfo info(mapPath);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

// The map file as it is on disk, to tell later whether it has been written
// since: which file, its size and its time to the nanosecond. Empty when
// there is no file.
QString FileState(const QString& path) {
    struct stat st {};
    if (::stat(Local(path).c_str(), &st) != 0)
        return {};
    return QStringLiteral("%1:%2:%3:%4.%5")
        .arg(qulonglong(st.st_dev))
        .arg(qulonglong(st.st_ino))
        .arg(qlonglong(st.st_size))
        .arg(qlonglong(st.st_mtim.tv_sec))
        .arg(qlonglong(st.st_mtim.tv_nsec), 9, 10, QLatin1Char('0'));
}

bool ModifiedAfter(const struct stat& a, const struct stat& b) {
    if (a.st_mtim.tv_sec != b.st_mtim.tv_sec)
        return a.st_mtim.tv_sec > b.st_mtim.tv_sec;
    return a.st_mtim.tv_nsec > b.st_mtim.tv_nsec;
}

QJsonObject ReadInfo(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.read(64 * 1024)).object();
}

} // namespace

CRecoveryStore::CRecoveryStore(const QString& folder) : m_strFolder(folder) {}

QString CRecoveryStore::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recovery");
}

QString CRecoveryStore::Folder() const {
    return m_strFolder.isEmpty() ? DefaultFolder() : m_strFolder;
}

QString CRecoveryStore::CopyPath(const QString& mapPath) const {
    const QByteArray key =
        QCryptographicHash::hash(CanonicalMapPath(mapPath).toUtf8(), QCryptographicHash::Sha1)
            .toHex();
    return Folder() + QLatin1Char('/') + QString::fromLatin1(key) + QStringLiteral(".map");
}

QString CRecoveryStore::InfoPath(const QString& mapPath) const {
    QString path = CopyPath(mapPath);
    path.chop(4);
    return path + QStringLiteral(".json");
}

bool CRecoveryStore::Write(const MapStore& store, std::span<const std::uint8_t> picture,
                           const QString& mapPath, QString& error) const {
    const QString folder = Folder();
    if (!QDir().mkpath(folder)) {
        error = QCoreApplication::translate("CRecoveryStore", "No se puede crear la carpeta %1.")
                    .arg(folder);
        return false;
    }
    // Copies of a person's maps are theirs alone.
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString base = FileState(mapPath);
    Problem reason;
    if (!WriteMapCopy(store, Local(CopyPath(mapPath)), picture, reason)) {
        error = ProblemText(reason);
        return false;
    }
    // Written after the copy: a copy whose note was cut short falls back on its date.
    QJsonObject info;
    info[QStringLiteral("map")] = CanonicalMapPath(mapPath);
    info[QStringLiteral("saved")] = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
    info[QStringLiteral("base")] = base;
    QSaveFile file(InfoPath(mapPath));
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(info).toJson()) < 0 ||
        !file.commit()) {
        error = QCoreApplication::translate("CRecoveryStore", "No se puede escribir %1.")
                    .arg(file.fileName());
        return false;
    }
    return true;
}

std::optional<CRecoveryCopy> CRecoveryStore::NewerThanMap(const QString& mapPath) const {
    const QString copyPath = CopyPath(mapPath);
    struct stat copy {};
    if (::stat(Local(copyPath).c_str(), &copy) != 0)
        return std::nullopt;
    struct stat map {};
    bool newer = ::stat(Local(mapPath).c_str(), &map) != 0;
    if (!newer) {
        // Times alone cannot tell a copy from a save made in the same tick of
        // the file system's clock; the state the copy continues can.
        const QString base = ReadInfo(InfoPath(mapPath)).value(QStringLiteral("base")).toString();
        newer = (!base.isEmpty() && base == FileState(mapPath)) || ModifiedAfter(copy, map);
    }
    if (!newer)
        return std::nullopt;
    const qint64 ms = qint64(copy.st_mtim.tv_sec) * 1000 + copy.st_mtim.tv_nsec / 1000000;
    return CRecoveryCopy{mapPath, copyPath, QDateTime::fromMSecsSinceEpoch(ms)};
}

std::unique_ptr<MapStore> CRecoveryStore::Load(const CRecoveryCopy& copy,
                                               const MapCounters& carried,
                                               std::vector<std::uint8_t>& picture,
                                               QString& error) const {
    Problem reason;
    auto store = LoadMapFile(Local(copy.copyPath), carried, picture, reason);
    if (store)
        return store;
    // Kept for whoever can still make something of it, but never offered again.
    QString stem = copy.copyPath;
    stem.chop(4);
    const QString aside = stem + QStringLiteral(".dañada-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const bool moved = QFile::rename(copy.copyPath, aside + QStringLiteral(".map"));
    QFile::rename(stem + QStringLiteral(".json"), aside + QStringLiteral(".json"));
    error = moved
                ? QCoreApplication::translate("CRecoveryStore",
                                              "La copia de recuperación de %1 está dañada y no "
                                              "se puede abrir: %2\nSe ha dejado aparte, en %3.")
                      .arg(QFileInfo(copy.mapPath).fileName(), ProblemText(reason),
                           aside + QStringLiteral(".map"))
                : QCoreApplication::translate("CRecoveryStore",
                                              "La copia de recuperación de %1 está dañada y no "
                                              "se puede abrir: %2\nNo se pudo dejar aparte: "
                                              "sigue en %3.")
                      .arg(QFileInfo(copy.mapPath).fileName(), ProblemText(reason), copy.copyPath);
    return nullptr;
}

void CRecoveryStore::Discard(const QString& mapPath) const {
    const QString copyPath = CopyPath(mapPath);
    QFile::remove(InfoPath(mapPath));
    QFile::remove(copyPath);
    QFile::remove(copyPath + QStringLiteral(".tmp"));
}
