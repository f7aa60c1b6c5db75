#include "gdal_support.h"

#include "codepage.h"
#include "gis_preset.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cpl_string.h>
#include <cpl_vsi.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

std::atomic<unsigned> g_nextFolder{0};

// GDAL takes option lists as NULL-terminated arrays of C strings.
class CStringList {
public:
    explicit CStringList(const QStringList& list) {
        for (const QString& s : list)
            m_bytes.push_back(s.toUtf8());
        for (const QByteArray& b : m_bytes)
            m_pointers.push_back(b.constData());
        m_pointers.push_back(nullptr);
    }
    const char* const* Get() const { return m_pointers.data(); }

private:
    std::vector<QByteArray> m_bytes;
    std::vector<const char*> m_pointers;
};

} // namespace

void EnsureGdalRegistered() {
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
}

CGdalErrorTrap::CGdalErrorTrap() {
    CPLPushErrorHandlerEx(&CGdalErrorTrap::Handler, this);
}

CGdalErrorTrap::~CGdalErrorTrap() {
    CPLPopErrorHandler();
}

void CPL_STDCALL CGdalErrorTrap::Handler(CPLErr level, CPLErrorNum, const char* message) {
    auto* trap = static_cast<CGdalErrorTrap*>(CPLGetErrorHandlerUserData());
    if (trap && level >= CE_Failure)
        trap->m_strLastError = GdalWords(message);
}

QString GdalWords(const char* message) {
    QString words = QString::fromUtf8(message ? message : "").trimmed();
    // The system's text for "no error" says nothing of what failed.
    for (const QLatin1String tail : {QLatin1String(": Success."), QLatin1String(": Success")})
        if (words.endsWith(tail)) {
            words.chop(tail.size());
            break;
        }
    return words.trimmed();
}

QString WithGdalDetail(const QString& sentence, const QString& detail) {
    const QString words = detail.trimmed();
    return words.isEmpty() ? sentence + QLatin1Char('.') : sentence + QStringLiteral(": ") + words;
}

QString TextFromGdal(const char* text) {
    if (!text || !*text)
        return {};
    const int length = static_cast<int>(std::strlen(text));
    if (CPLIsUTF8(text, length))
        return QString::fromUtf8(text, length).trimmed();
    return QString::fromStdString(Cp1252ToUtf8(std::string_view(text, length))).trimmed();
}

CPresetFiles::CPresetFiles(const CGisPreset* preset) : m_pPreset(preset) {
    if (!preset || preset->m_files.isEmpty())
        return;
    m_strFolder = QStringLiteral("/vsimem/veltrix-preset-%1/").arg(g_nextFolder.fetch_add(1));
    for (auto it = preset->m_files.begin(); it != preset->m_files.end(); ++it) {
        const QString path = m_strFolder + it.key();
        const QByteArray& bytes = it.value();
        auto* buffer = static_cast<GByte*>(VSIMalloc(static_cast<size_t>(bytes.size()) + 1));
        if (!buffer)
            continue;
        std::memcpy(buffer, bytes.constData(), static_cast<size_t>(bytes.size()));
        VSILFILE* file = VSIFileFromMemBuffer(path.toUtf8().constData(), buffer,
                                              static_cast<vsi_l_offset>(bytes.size()), TRUE);
        if (!file) {
            VSIFree(buffer);
            continue;
        }
        VSIFCloseL(file);
        m_paths.append(path);
    }
}

CPresetFiles::~CPresetFiles() {
    for (const QString& path : m_paths)
        VSIUnlink(path.toUtf8().constData());
}

QStringList CPresetFiles::OpenOptions(const QString& driver) const {
    if (!m_pPreset)
        return {};
    QStringList options = m_pPreset->m_openOptions.value(driver.toUpper());
    for (QString& option : options) {
        const qsizetype eq = option.indexOf(QLatin1Char('='));
        const QString value = option.mid(eq + 1);
        if (value.startsWith(QLatin1String("preset:")))
            option = option.left(eq + 1) + m_strFolder + value.mid(7);
    }
    return options;
}

GDALDatasetUniquePtr OpenVectorSource(const QString& path, const CPresetFiles& files,
                                      QString& error) {
    EnsureGdalRegistered();
    const QFileInfo info(path);
    if (!info.exists() || !info.isReadable()) {
        error =
            QCoreApplication::translate("GisImport", "No se puede leer el archivo %1.").arg(path);
        return nullptr;
    }
    const QByteArray local = QFile::encodeName(path);
    CGdalErrorTrap trap;
    // The driver is found first, so that only its own options are passed on.
    GDALDriverH driver = GDALIdentifyDriverEx(local.constData(), GDAL_OF_VECTOR, nullptr, nullptr);
    if (!driver) {
        error = QCoreApplication::translate("GisImport",
                                            "%1 no está en ningún formato geográfico conocido.")
                    .arg(path);
        return nullptr;
    }
    const QString name = QString::fromUtf8(GDALGetDriverShortName(driver));
    const CStringList options(files.OpenOptions(name));
    const char* const allowed[] = {GDALGetDriverShortName(driver), nullptr};
    GDALDatasetUniquePtr dataset(GDALDataset::Open(
        local.constData(), GDAL_OF_VECTOR | GDAL_OF_READONLY, allowed, options.Get(), nullptr));
    if (!dataset) {
        const QString why = trap.LastError();
        error = WithGdalDetail(
            QCoreApplication::translate("GisImport", "No se puede leer %1 como %2").arg(path, name),
            why);
        return nullptr;
    }
    return dataset;
}

std::unique_ptr<OGRSpatialReference> CrsFromText(const QString& text) {
    EnsureGdalRegistered();
    if (text.trimmed().isEmpty())
        return nullptr;
    CGdalErrorTrap trap;
    auto crs = std::make_unique<OGRSpatialReference>();
    // Only definitions in the text itself: never a file name or a URL.
    const char* const options[] = {"ALLOW_NETWORK_ACCESS=NO", "ALLOW_FILE_ACCESS=NO", nullptr};
    if (crs->SetFromUserInput(text.trimmed().toUtf8().constData(), options) != OGRERR_NONE)
        return nullptr;
    crs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return crs;
}

std::unique_ptr<OGRSpatialReference> CrsFromWkt(const QByteArray& wkt) {
    EnsureGdalRegistered();
    CGdalErrorTrap trap;
    auto crs = std::make_unique<OGRSpatialReference>();
    if (wkt.isEmpty() || crs->importFromWkt(wkt.constData()) != OGRERR_NONE)
        return nullptr;
    crs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return crs;
}

QString DescribeCrs(const OGRSpatialReference& crs) {
    const QString name = QString::fromUtf8(crs.GetName() ? crs.GetName() : "");
    const char* authority = crs.GetAuthorityName(nullptr);
    const char* code = crs.GetAuthorityCode(nullptr);
    if (authority && code)
        return QStringLiteral("%1:%2 (%3)")
            .arg(QString::fromUtf8(authority), QString::fromUtf8(code), name);
    return name;
}
