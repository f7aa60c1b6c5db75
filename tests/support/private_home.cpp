#include "private_home.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

void UsePrivateHome(const QTemporaryDir& home) {
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    QCoreApplication::setOrganizationName(QStringLiteral("KORVEN Soft"));
    QCoreApplication::setApplicationName(QStringLiteral("Veltrix"));
}
