#include "gis_export_dialog.h"

#include "file_guard.h"
#include "gis_export.h"
#include "map_document.h"
#include "map_georeference.h"
#include "message_box.h"
#include "problem_text.h"
#include "spanish_file_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The formats as the list offers them: the preferred one first, then the
// others in table order.
std::vector<const GisExportFormat*> ListedFormats() {
    std::vector<const GisExportFormat*> listed;
    for (const GisExportFormat& format : GisExportFormats())
        if (format.preferred)
            listed.push_back(&format);
    for (const GisExportFormat& format : GisExportFormats())
        if (!format.preferred)
            listed.push_back(&format);
    return listed;
}

QString Filter(const GisExportFormat& format) {
    return QStringLiteral("%1 (*.%2)")
        .arg(QLatin1String(format.name), QLatin1String(format.suffix));
}

} // namespace

CGisExportDlg::CGisExportDlg(const CMapDocument& document, QWidget* parent)
    : QDialog(parent), m_document(document), m_formats(ListedFormats()) {
    setObjectName(QStringLiteral("gisExportDlg"));
    setWindowTitle(tr("Exportar datos geográficos"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    if (!ReadGeoreference(document.Path(), m_georeference, m_strGeoreferenceError))
        m_georeference.clear();

    m_pPath = new QLineEdit(this);
    m_pPath->setObjectName(QStringLiteral("exportPath"));
    connect(m_pPath, &QLineEdit::textEdited, this, &CGisExportDlg::OnPathEdited);
    auto* browse = new QPushButton(tr("&Examinar..."), this);
    browse->setObjectName(QStringLiteral("browseExport"));
    connect(browse, &QPushButton::clicked, this, &CGisExportDlg::OnBrowse);
    m_pFormat = new QComboBox(this);
    m_pFormat->setObjectName(QStringLiteral("formatBox"));
    for (const GisExportFormat* format : m_formats)
        m_pFormat->addItem(QLatin1String(format->name), QLatin1String(format->suffix));
    connect(m_pFormat, &QComboBox::activated, this, &CGisExportDlg::OnFormatChosen);
    m_pCrs = new QLineEdit(this);
    m_pCrs->setObjectName(QStringLiteral("crsEdit"));
    m_pCrsNote = new QLabel(this);
    m_pCrsNote->setObjectName(QStringLiteral("crsNote"));
    m_pCrsNote->setWordWrap(true);
    m_pCrsNote->setForegroundRole(QPalette::PlaceholderText);
    auto* note =
        new QLabel(tr("Se escriben todas las capas del mapa tal como se ve ahora: manzanas, "
                      "etiquetas, calles, referencias, colonias, rutas, estaciones y negocios. "
                      "GeoPackage y KML las guardan en un archivo; GeoJSON, Shapefile y CSV, "
                      "en un archivo por capa (nombre-manzanas, nombre-calles...)."),
                   this);
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CGisExportDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_pPath, 1);
    pathRow->addWidget(browse);
    auto* form = new QFormLayout;
    auto* pathLabel = new QLabel(tr("&Archivo:"), this);
    pathLabel->setBuddy(m_pPath);
    form->addRow(pathLabel, pathRow);
    form->addRow(tr("&Formato:"), m_pFormat);
    form->addRow(tr("Sistema de &coordenadas:"), m_pCrs);
    form->addRow(QString(), m_pCrsNote);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(form);
    layout->addWidget(buttons);

    const QFileInfo map(document.Path());
    m_pPath->setText(map.dir().filePath(map.completeBaseName() + QLatin1Char('.') +
                                        QLatin1String(m_formats.front()->suffix)));
    FollowFormat();
    resize(std::max(sizeHint().width(), 560), sizeHint().height());
}

void CGisExportDlg::SetPath(const QString& path) {
    m_pPath->setText(path);
    OnPathEdited(path);
}

QString CGisExportDlg::Path() const {
    return m_pPath->text().trimmed();
}

QString CGisExportDlg::Suffix() const {
    return m_pFormat->currentData().toString();
}

const GisExportFormat& CGisExportDlg::CurrentFormat() const {
    return *m_formats[static_cast<std::size_t>(m_pFormat->currentIndex())];
}

void CGisExportDlg::OnBrowse() {
    QStringList filters;
    for (const GisExportFormat* format : m_formats)
        filters.append(Filter(*format));
    QFileDialog dialog(this, tr("Exportar datos geográficos"), Path(),
                       filters.join(QStringLiteral(";;")));
    dialog.setObjectName(QStringLiteral("exportDialog"));
    SetUpFileDialog(dialog, FileDialogKind::Save);
    dialog.selectNameFilter(Filter(CurrentFormat()));
    dialog.setDefaultSuffix(Suffix());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString path = dialog.selectedFiles().first();
    // A name without a known ending takes the chosen filter's.
    if (!GisExportFormatOf(QFileInfo(path).suffix())) {
        const qsizetype filter = filters.indexOf(dialog.selectedNameFilter());
        if (filter >= 0)
            path += QLatin1Char('.') + QLatin1String(m_formats[filter]->suffix);
    }
    SetPath(path);
}

void CGisExportDlg::OnPathEdited(const QString& text) {
    if (const GisExportFormat* format = GisExportFormatOf(QFileInfo(text.trimmed()).suffix())) {
        m_pFormat->setCurrentIndex(static_cast<int>(
            std::find(m_formats.begin(), m_formats.end(), format) - m_formats.begin()));
        FollowFormat();
    }
}

void CGisExportDlg::OnFormatChosen(int index) {
    // The name keeps what was typed and takes the format's ending.
    QString path = Path();
    if (!path.isEmpty()) {
        const QString suffix = QFileInfo(path).suffix();
        if (GisExportFormatOf(suffix))
            path.chop(suffix.size() + 1);
        m_pPath->setText(path + QLatin1Char('.') +
                         QLatin1String(m_formats[static_cast<std::size_t>(index)]->suffix));
    }
    FollowFormat();
}

void CGisExportDlg::FollowFormat() {
    const GisExportFormat& format = CurrentFormat();
    const QString prj = QFileInfo(GeoreferencePath(m_document.Path())).fileName();
    if (m_georeference.isEmpty()) {
        m_pCrs->clear();
        m_pCrs->setEnabled(false);
        m_pCrsNote->setText(
            format.lonLat ? tr("%1 va en longitud y latitud, y el mapa no tiene georreferencia "
                               "(%2): elija otro formato.")
                                .arg(QLatin1String(format.name), prj)
                          : tr("El mapa no tiene georreferencia (%1): las capas quedan en "
                               "unidades del mapa.")
                                .arg(prj));
    } else if (format.lonLat) {
        m_pCrs->clear();
        m_pCrs->setEnabled(false);
        m_pCrsNote->setText(
            tr("%1 va siempre en longitud y latitud (EPSG:4326).").arg(QLatin1String(format.name)));
    } else {
        m_pCrs->setEnabled(true);
        m_pCrs->setPlaceholderText(tr("el del mapa (%1)").arg(prj));
        m_pCrsNote->setText(tr("Vacío: el sistema del mapa, de %1. Otro: EPSG:N.").arg(prj));
    }
    if (!m_strGeoreferenceError.isEmpty())
        m_pCrsNote->setText(m_strGeoreferenceError);
}

void CGisExportDlg::accept() {
    QString path = Path();
    if (path.isEmpty()) {
        ShowMessage(this, tr("Escriba el nombre del archivo que se escribe."),
                    QMessageBox::Warning);
        return;
    }
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + Suffix();
    if (!GisExportFormatOf(QFileInfo(path).suffix())) {
        ShowMessage(this,
                    tr("El archivo debe terminar en .%1.")
                        .arg(GisExportSuffixes().join(QStringLiteral(", ."))),
                    QMessageBox::Warning);
        return;
    }
    if (!m_strGeoreferenceError.isEmpty()) {
        ShowMessage(this, m_strGeoreferenceError, QMessageBox::Warning);
        return;
    }
    const QString crs = m_pCrs->isEnabled() ? m_pCrs->text().trimmed() : QString();
    QString error;
    if (!crs.isEmpty() && !CheckCrs(crs, error)) {
        ShowMessage(this, error, QMessageBox::Warning);
        m_pCrs->setFocus();
        return;
    }
    path = QFileInfo(path).absoluteFilePath();

    // Written here, on this thread: the store must not change while it is
    // read, and a town of tens of thousands of blocks takes about a second.
    // Everything is written aside first, so the questions below name every
    // file that would be replaced, and "No" leaves them all as they were.
    CGisExport exporter(m_document.Store(), m_georeference);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool written = exporter.Prepare(path, crs);
    QApplication::restoreOverrideCursor();
    m_warnings = exporter.Warnings();
    if (written && !exporter.Existing().isEmpty()) {
        const QStringList& existing = exporter.Existing();
        const QString first = QFileInfo(existing.first()).fileName();
        if (!AskYesNo(this,
                      existing.size() == 1 ? tr("Ya existe %1.\n¿Desea reemplazarlo?").arg(first)
                                           : tr("Ya existen %1 y otros %2 archivos de esta "
                                                "exportación.\n¿Desea reemplazarlos?")
                                                 .arg(first)
                                                 .arg(existing.size() - 1),
                      QMessageBox::Warning))
            return;
    }
    if (written && !exporter.ReadOnly().isEmpty()) {
        const QStringList& readOnly = exporter.ReadOnly();
        const QString reason =
            ProblemText(ReadOnlyFileReason(QFile::encodeName(readOnly.first()).toStdString()));
        if (!AskYesNo(this,
                      tr("%1\n¿Desea reemplazarlo de todos modos? Conservará sus permisos.")
                          .arg(readOnly.size() == 1
                                   ? reason
                                   : tr("%1 Y otros %2 archivos de esta exportación.")
                                         .arg(reason)
                                         .arg(readOnly.size() - 1)),
                      QMessageBox::Warning))
            return;
    }
    if (written)
        written = exporter.Commit();
    if (!written) {
        ShowMessage(this, exporter.ErrorString(), QMessageBox::Warning,
                    m_warnings.join(QLatin1Char('\n')));
        return;
    }
    m_files = exporter.Files();
    QStringList names;
    for (const QString& file : m_files)
        names.append(QFileInfo(file).fileName());
    const QString text = m_files.size() == 1
                             ? tr("Se escribió %1.").arg(names.first())
                             : tr("Se escribieron %1 archivos en %2.")
                                   .arg(m_files.size())
                                   .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
    ShowMessage(this, text, m_warnings.isEmpty() ? QMessageBox::Information : QMessageBox::Warning,
                (m_warnings + names).join(QLatin1Char('\n')));
    m_pPath->setText(path);
    QDialog::accept();
}
