#pragma once

// Recovery copies: what the editor writes now and then while a map has unsaved
// changes, so that a crash or a power cut loses little. One copy per map path
// in a folder of the user's data (named by a hash of the map's path), with a
// small JSON beside it saying which map it belongs to, when it was written and
// which state of the map file it continues.

#include "map_store.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

// A recovery copy found for a map.
struct CRecoveryCopy {
    QString mapPath;
    QString copyPath;
    QDateTime saved;
};

class CRecoveryStore {
public:
    // `folder` empty: the recovery folder of the user's data, looked up when used.
    explicit CRecoveryStore(const QString& folder = QString());

    // <AppDataLocation>/recovery.
    static QString DefaultFolder();
    QString Folder() const;

    // Where the copy of the map at `mapPath` goes.
    QString CopyPath(const QString& mapPath) const;

    // Writes the copy of `mapPath` whole or not at all; the map file is not
    // touched. False with the reason in Spanish.
    bool Write(const MapStore& store, std::span<const std::uint8_t> picture, const QString& mapPath,
               QString& error) const;

    // The copy of `mapPath` when it holds work the map file has not: it was
    // written on top of the file as it is now, or after the file's last change.
    std::optional<CRecoveryCopy> NewerThanMap(const QString& mapPath) const;

    // Reads a copy whole. A copy that does not read is moved aside (never
    // loaded in part) and `error` says so and where it went.
    std::unique_ptr<MapStore> Load(const CRecoveryCopy& copy, const MapCounters& carried,
                                   std::vector<std::uint8_t>& picture, QString& error) const;

    // Removes the copy of `mapPath`, if any.
    void Discard(const QString& mapPath) const;

private:
    QString InfoPath(const QString& mapPath) const;

    QString m_strFolder;
};
