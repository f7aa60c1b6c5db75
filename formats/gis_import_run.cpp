#include "gis_import_run.h"

#include <QCoreApplication>

#include <algorithm>

int CGisImportRun::CrsIndex(const OGRSpatialReference& crs) {
    for (std::size_t i = 0; i < m_crs.size(); ++i)
        if (m_crs[i]->IsSame(&crs))
            return static_cast<int>(i);
    auto copy = std::make_unique<OGRSpatialReference>(crs);
    copy->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    m_crs.push_back(std::move(copy));
    return static_cast<int>(m_crs.size() - 1);
}

bool CGisImportRun::Fail(GisImportError kind, const QString& message) {
    m_error = kind;
    m_strError = message;
    return false;
}

bool CGisImportRun::Tick(int percent) {
    percent = std::clamp(percent, 0, 100);
    if (percent <= m_nPercent)
        return true;
    m_nPercent = percent;
    if (m_progress && !m_progress(percent))
        return Fail(GisImportError::Cancelled,
                    QCoreApplication::translate("GisImport", "Importación cancelada."));
    return true;
}
