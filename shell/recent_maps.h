#pragma once

// The maps last opened or saved, newest first, at most eight, kept in the
// settings so that the Archivo menu offers them at the next start.

#include <QString>
#include <QStringList>

class QSettings;

class CRecentMaps {
public:
    static constexpr int kMaxMaps = 8;

    // Reads the list from `settings` and keeps it there from now on; without
    // settings the list lives as long as the program.
    void UseSettings(QSettings* settings);

    const QStringList& Paths() const { return m_paths; }
    // `path` goes first, once, and the oldest beyond eight drops off.
    void Add(const QString& path);
    void Remove(const QString& path);

private:
    void Store() const;

    QSettings* m_pSettings = nullptr;
    QStringList m_paths;
};
