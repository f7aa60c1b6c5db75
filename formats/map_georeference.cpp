#include "map_georeference.h"

#include "file_guard.h"
#include "gdal_support.h"
#include "problem_text.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

constexpr qint64 kMaxPrjBytes = 1 << 20;

} // namespace

QString GeoreferencePath(const QString& mapPath) {
    // The map's own spelling of its folder is kept: "pueblo.map" -> "pueblo.prj".
    if (mapPath.endsWith(QLatin1String(".map"), Qt::CaseInsensitive))
        return mapPath.left(mapPath.size() - 4) + QStringLiteral(".prj");
    return mapPath + QStringLiteral(".prj");
}

bool ReadGeoreference(const QString& mapPath, QByteArray& wkt, QString& error) {
    wkt.clear();
    const QString path = GeoreferencePath(mapPath);
    if (!QFileInfo::exists(path))
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxPrjBytes) {
        error =
            QCoreApplication::translate("Georeference", "No se puede leer la georreferencia %1.")
                .arg(path);
        return false;
    }
    const QByteArray text = file.readAll().trimmed();
    if (!CrsFromWkt(text)) {
        error = QCoreApplication::translate(
                    "Georeference", "La georreferencia %1 no es un sistema de coordenadas válido.")
                    .arg(path);
        return false;
    }
    wkt = text;
    return true;
}

bool CheckCrs(const QString& text, QString& error) {
    // Only a code: GDAL would also take a file name, a PROJ string, or a code
    // with anything after its digits.
    static const QRegularExpression code(QStringLiteral("^EPSG:[0-9]{1,9}$"),
                                         QRegularExpression::CaseInsensitiveOption);
    if (!code.match(text.trimmed()).hasMatch()) {
        error =
            QCoreApplication::translate(
                "Georeference", "«%1» no es un código de sistema de coordenadas: escríbalo como "
                                "EPSG:N, con N solo de cifras (por ejemplo EPSG:4326).")
                .arg(text);
        return false;
    }
    if (CrsFromText(text))
        return true;
    error = QCoreApplication::translate("Georeference",
                                        "«%1» no es un sistema de coordenadas conocido.")
                .arg(text);
    return false;
}

CGeoreferenceFile::CGeoreferenceFile(const QString& mapPath) : m_file(GeoreferencePath(mapPath)) {}

bool CGeoreferenceFile::Prepare(const QByteArray& wkt, QString& error) {
    // QSaveFile follows links by itself: where the chain may be a trap, the
    // end of it is checked here first.
    Problem why;
    const std::string target =
        TrustedWriteTarget(QFile::encodeName(m_file.fileName()).toStdString(), why);
    if (target.empty()) {
        error = ProblemText(why);
        return false;
    }
    m_file.setFileName(QFile::decodeName(QByteArray::fromStdString(target)));
    if (!m_file.open(QIODevice::WriteOnly) || m_file.write(wkt + '\n') != wkt.size() + 1) {
        m_file.cancelWriting();
        error = QCoreApplication::translate("Georeference",
                                            "No se puede escribir la georreferencia %1.")
                    .arg(m_file.fileName());
        return false;
    }
    return true;
}

bool CGeoreferenceFile::Commit(QString& error) {
    if (m_file.commit())
        return true;
    error = QCoreApplication::translate("Georeference", "No se pudo guardar la georreferencia %1.")
                .arg(m_file.fileName());
    return false;
}

void CGeoreferenceFile::Cancel() {
    if (m_file.isOpen())
        m_file.cancelWriting();
}
