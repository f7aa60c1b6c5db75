#include "recent_maps.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString kKey = QStringLiteral("mapasRecientes");

// One spelling per file, so that a map opened twice by different routes is one line.
QString Canonical(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

} // namespace

void CRecentMaps::UseSettings(QSettings* settings) {
    m_pSettings = settings;
    if (!m_pSettings)
        return;
    m_paths.clear();
    for (const QString& path : m_pSettings->value(kKey).toStringList()) {
        if (!path.isEmpty() && !m_paths.contains(path) && m_paths.size() < kMaxMaps)
            m_paths << path;
    }
}

void CRecentMaps::Add(const QString& path) {
    const QString file = Canonical(path);
    m_paths.removeAll(file);
    m_paths.prepend(file);
    while (m_paths.size() > kMaxMaps)
        m_paths.removeLast();
    Store();
}

void CRecentMaps::Remove(const QString& path) {
    m_paths.removeAll(path);
    Store();
}

void CRecentMaps::Store() const {
    if (!m_pSettings)
        return;
    m_pSettings->setValue(kKey, m_paths);
    m_pSettings->sync();
}
