#include "gis_import_dialog.h"

#include "gis_import_progress.h"
#include "gis_layer_table.h"
#include "map_document.h"
#include "map_georeference.h"
#include "map_save.h"
#include "message_box.h"
#include "problem_text.h"
#include "spanish_file_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPromise>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QThreadPool>
#include <QVBoxLayout>

namespace {

const QString kPickPresetFile = QStringLiteral("?archivo");

// A function, not a constant, so that the filters follow the catalogue
// installed at start-up.
QString SourceFilters() {
    return QCoreApplication::translate(
        "CGisImportDlg",
        "Datos geográficos (*.osm *.pbf *.shp *.gpkg *.geojson *.json *.kml *.csv);;"
        "OpenStreetMap (*.osm *.osm.pbf);;Shapefile (*.shp);;GeoPackage (*.gpkg);;"
        "GeoJSON (*.geojson *.json);;KML (*.kml);;CSV (*.csv);;Todos los archivos (*)");
}

// The system all the layers that say one share, as "EPSG:N"; empty when they
// differ or it has no such code.
QString SharedCrs(const QList<GisSourceInfo>& sources) {
    static const QRegularExpression code(QStringLiteral("^([A-Za-z]+:[0-9]+)( |$)"));
    QString shared;
    for (const GisSourceInfo& source : sources) {
        for (const GisLayerInfo& layer : source.layers) {
            if (layer.crs.isEmpty())
                continue;
            const QRegularExpressionMatch m = code.match(layer.crs);
            if (!m.hasMatch() || (!shared.isEmpty() && shared != m.captured(1)))
                return {};
            shared = m.captured(1);
        }
    }
    return shared;
}

QLabel* NoteLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

} // namespace

CGisImportDlg::CGisImportDlg(const QString& programDir, QWidget* parent)
    : QDialog(parent), m_strProgramDir(programDir) {
    setObjectName(QStringLiteral("gisImportDlg"));
    setWindowTitle(tr("Importar datos geográficos"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_pSources = new QListWidget(this);
    m_pSources->setObjectName(QStringLiteral("sourceList"));
    m_pSources->setMaximumHeight(fontMetrics().height() * 5);
    auto* add = new QPushButton(tr("&Agregar..."), this);
    add->setObjectName(QStringLiteral("addSources"));
    auto* remove = new QPushButton(tr("&Quitar"), this);
    remove->setObjectName(QStringLiteral("removeSource"));
    connect(add, &QPushButton::clicked, this, &CGisImportDlg::OnAddSources);
    connect(remove, &QPushButton::clicked, this, &CGisImportDlg::OnRemoveSource);

    m_pPreset = new QComboBox(this);
    m_pPreset->setObjectName(QStringLiteral("presetBox"));
    m_pPreset->addItem(tr("Ninguno: el uso de cada capa se elige en la tabla"), QString());
    for (const QString& name : CGisPreset::BuiltinNames())
        m_pPreset->addItem(name, name);
    m_pPreset->addItem(tr("Otro archivo..."), kPickPresetFile);
    connect(m_pPreset, &QComboBox::activated, this, &CGisImportDlg::OnPresetChosen);
    m_pPresetNote = NoteLabel(this);

    m_pTable = new CGisLayerTable(this);
    connect(m_pTable, &CGisLayerTable::UsesChanged, this, &CGisImportDlg::FollowMissingCrs);

    auto edit = [this](const char* name, const QString& placeholder) {
        auto* line = new QLineEdit(this);
        line->setObjectName(QString::fromLatin1(name));
        line->setPlaceholderText(placeholder);
        return line;
    };
    const QString fromData = tr("de los datos");
    m_pCountry = edit("countryEdit", fromData);
    m_pState = edit("stateEdit", fromData);
    m_pTown = edit("townEdit", fromData);
    m_pCrs = edit("crsEdit", tr("sólo para capas que no lo dicen, p. ej. EPSG:4326"));
    connect(m_pCrs, &QLineEdit::textEdited, this, [this] { m_bCrsTyped = true; });
    m_pCrsNote = NoteLabel(this);
    m_pCrsNote->setObjectName(QStringLiteral("crsNote"));
    m_pCrsNote->hide();
    m_pMap = edit("mapEdit", QString());
    connect(m_pMap, &QLineEdit::textEdited, this, [this] { m_bMapPathTyped = true; });
    auto* browse = new QPushButton(tr("&Examinar..."), this);
    browse->setObjectName(QStringLiteral("browseMap"));
    connect(browse, &QPushButton::clicked, this, &CGisImportDlg::OnBrowseMap);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CGisImportDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* sourceButtons = new QVBoxLayout;
    sourceButtons->addWidget(add);
    sourceButtons->addWidget(remove);
    sourceButtons->addStretch(1);
    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(m_pSources, 1);
    sourceRow->addLayout(sourceButtons);
    auto* presetRow = new QHBoxLayout;
    auto* presetLabel = new QLabel(tr("&Preajuste:"), this);
    presetLabel->setBuddy(m_pPreset);
    presetRow->addWidget(presetLabel);
    presetRow->addWidget(m_pPreset, 1);
    auto* mapRow = new QHBoxLayout;
    mapRow->addWidget(m_pMap, 1);
    mapRow->addWidget(browse);
    auto* form = new QFormLayout;
    form->addRow(tr("Pa&ís:"), m_pCountry);
    form->addRow(tr("E&stado:"), m_pState);
    form->addRow(tr("&Ciudad:"), m_pTown);
    form->addRow(tr("Sistema de &coordenadas:"), m_pCrs);
    form->addRow(QString(), m_pCrsNote);
    auto* mapLabel = new QLabel(tr("&Mapa nuevo:"), this);
    mapLabel->setBuddy(m_pMap);
    form->addRow(mapLabel, mapRow);

    auto* layout = new QVBoxLayout(this);
    auto* sourcesLabel = new QLabel(tr("&Fuentes de datos:"), this);
    sourcesLabel->setBuddy(m_pSources);
    layout->addWidget(sourcesLabel);
    layout->addLayout(sourceRow);
    layout->addLayout(presetRow);
    layout->addWidget(m_pPresetNote);
    auto* layersLabel = new QLabel(tr("Ca&pas y su uso:"), this);
    layersLabel->setBuddy(m_pTable);
    layout->addWidget(layersLabel);
    layout->addWidget(m_pTable, 1);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(940, 640);
}

CGisImportDlg::~CGisImportDlg() {
    StopCounting();
}

void CGisImportDlg::OnAddSources() {
    QFileDialog dialog(this, tr("Fuentes de datos geográficos"),
                       m_sources.isEmpty() ? m_strProgramDir
                                           : QFileInfo(m_sources.last().path).absolutePath(),
                       SourceFilters());
    dialog.setObjectName(QStringLiteral("sourcesDialog"));
    SetUpFileDialog(dialog, FileDialogKind::OpenMany);
    if (dialog.exec() == QDialog::Accepted)
        AddSources(dialog.selectedFiles());
}

void CGisImportDlg::AddSources(const QStringList& paths) {
    QStringList errors;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (const QString& path : paths) {
        const QString absolute = QFileInfo(path).absoluteFilePath();
        if (std::any_of(m_sources.begin(), m_sources.end(),
                        [&](const GisSourceInfo& s) { return s.path == absolute; }))
            continue;
        GisSourceInfo info;
        QString error;
        // Read without a preset first: what it shows is what the preset is guessed from.
        if (!InspectGisSource(absolute, nullptr, info, error, false)) {
            errors.append(error);
            continue;
        }
        m_sources.append(info);
        auto* item = new QListWidgetItem(QFileInfo(absolute).fileName(), m_pSources);
        item->setToolTip(absolute);
    }
    QApplication::restoreOverrideCursor();
    if (!m_bPresetPicked) {
        const QString guessed = GuessGisPreset(m_sources);
        const int index = guessed.isEmpty() ? -1 : m_pPreset->findData(guessed);
        if (index >= 0 && index != m_nPresetIndex) {
            QString error;
            if (auto preset = CGisPreset::Load(guessed, error)) {
                m_pChosen = std::move(preset);
                m_nPresetIndex = index;
                m_pPreset->setCurrentIndex(index);
                m_pPresetNote->setText(m_pChosen->m_strDescription);
            }
        }
    }
    ProposeMapPath();
    Refresh();
    if (!errors.isEmpty())
        ShowMessage(this, errors.join(QLatin1Char('\n')), QMessageBox::Warning);
}

void CGisImportDlg::OnRemoveSource() {
    const int row = m_pSources->currentRow();
    if (row < 0 || row >= m_sources.size())
        return;
    delete m_pSources->takeItem(row);
    m_sources.removeAt(row);
    ProposeMapPath();
    Refresh();
}

void CGisImportDlg::OnPresetChosen(int index) {
    const QString data = m_pPreset->itemData(index).toString();
    auto back = [this] {
        const QSignalBlocker quiet(m_pPreset);
        m_pPreset->setCurrentIndex(m_nPresetIndex);
    };
    std::unique_ptr<CGisPreset> preset;
    if (data == kPickPresetFile) {
        QFileDialog dialog(this, tr("Preajuste"), m_strProgramDir,
                           tr("Preajustes (*.json);;Todos los archivos (*)"));
        dialog.setObjectName(QStringLiteral("presetDialog"));
        SetUpFileDialog(dialog, FileDialogKind::Open);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return back();
        const QString path = dialog.selectedFiles().first();
        QString error;
        preset = CGisPreset::Load(path, error);
        if (!preset) {
            back();
            ShowMessage(this, error, QMessageBox::Warning);
            return;
        }
        index = m_pPreset->findData(path);
        if (index < 0) {
            index = m_pPreset->count() - 1;
            m_pPreset->insertItem(index, QFileInfo(path).fileName(), path);
        }
        m_pPreset->setCurrentIndex(index);
    } else if (!data.isEmpty()) {
        QString error;
        preset = CGisPreset::Load(data, error);
        if (!preset) {
            back();
            ShowMessage(this, error, QMessageBox::Warning);
            return;
        }
    }
    m_pChosen = std::move(preset);
    m_nPresetIndex = index;
    m_bPresetPicked = true;
    m_pPresetNote->setText(m_pChosen ? m_pChosen->m_strDescription : QString());
    Refresh();
}

void CGisImportDlg::OnBrowseMap() {
    QFileDialog dialog(this, tr("Mapa nuevo"), MapPath(), tr("Mapas (*.map)"));
    dialog.setObjectName(QStringLiteral("mapDialog"));
    SetUpFileDialog(dialog, FileDialogKind::Save);
    dialog.setDefaultSuffix(QStringLiteral("map"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    SetMapPath(dialog.selectedFiles().first());
}

void CGisImportDlg::SetMapPath(const QString& path) {
    m_pMap->setText(path);
    m_bMapPathTyped = true;
}

QString CGisImportDlg::MapPath() const {
    return m_pMap->text().trimmed();
}

void CGisImportDlg::ProposeMapPath() {
    if (m_bMapPathTyped || m_sources.isEmpty())
        return;
    const QFileInfo first(m_sources.first().path);
    QString name = first.fileName().section(QLatin1Char('.'), 0, 0);
    if (name.isEmpty())
        name = QStringLiteral("mapa");
    const QString folder = m_strProgramDir.isEmpty() ? first.absolutePath() : m_strProgramDir;
    m_pMap->setText(QDir(folder).filePath(name + QStringLiteral(".map")));
}

void CGisImportDlg::Refresh() {
    StopCounting();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (GisSourceInfo& source : m_sources) {
        GisSourceInfo info;
        QString error;
        if (InspectGisSource(source.path, m_pChosen.get(), info, error, false))
            source = info;
    }
    QApplication::restoreOverrideCursor();
    m_pTable->Fill(m_sources, m_pChosen.get());
    FollowMissingCrs();
    StartCounting();
}

void CGisImportDlg::StartCounting() {
    auto stop = std::make_shared<std::atomic<bool>>(false);
    m_pStopCounting = stop;
    // Each worker reads with its own copy: the dialog's preset may change meanwhile.
    std::shared_ptr<const CGisPreset> preset;
    if (m_pChosen)
        preset = std::make_shared<const CGisPreset>(*m_pChosen);
    for (const GisSourceInfo& source : m_sources) {
        if (std::all_of(source.layers.begin(), source.layers.end(),
                        [](const GisLayerInfo& l) { return l.features >= 0; }))
            continue;
        auto promise = std::make_shared<QPromise<GisSourceInfo>>();
        auto* watcher = new QFutureWatcher<GisSourceInfo>(this);
        connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, stop] {
            if (!stop->load() && watcher->future().resultCount() > 0)
                m_pTable->ShowCounts(watcher->future().result());
            watcher->deleteLater();
        });
        watcher->setFuture(promise->future());
        promise->start();
        QThreadPool::globalInstance()->start([promise, path = source.path, preset, stop] {
            GisSourceInfo info;
            QString error;
            if (InspectGisSource(path, preset.get(), info, error, true,
                                 [&stop] { return !stop->load(); }))
                promise->addResult(info);
            promise->finish();
        });
    }
}

void CGisImportDlg::StopCounting() {
    if (m_pStopCounting)
        m_pStopCounting->store(true);
}

std::unique_ptr<CGisPreset> CGisImportDlg::PresetForImport() const {
    const CGisPreset none;
    const CGisPreset& base = m_pChosen ? *m_pChosen : none;
    if (!m_pTable->Edited())
        return std::make_unique<CGisPreset>(base);
    return m_pTable->EditedPreset(base);
}

void CGisImportDlg::FollowMissingCrs() {
    const QStringList missing = m_pTable->LayersWithoutCrs(*PresetForImport());
    if (missing.isEmpty()) {
        m_pCrsNote->hide();
        if (!m_bCrsTyped)
            m_pCrs->clear();
        return;
    }
    m_pCrsNote->setText(tr("Sin sistema de coordenadas: %1. Escríbalo arriba (por "
                           "ejemplo EPSG:4326, longitud y latitud).")
                            .arg(missing.join(QStringLiteral(", "))));
    m_pCrsNote->show();
    if (!m_bCrsTyped && m_pCrs->text().isEmpty())
        m_pCrs->setText(SharedCrs(m_sources));
}

bool CGisImportDlg::CheckBeforeImport(const CGisPreset& preset, QString& mapPath) {
    if (m_sources.isEmpty()) {
        ShowMessage(this, tr("Agregue al menos una fuente de datos."), QMessageBox::Warning);
        return false;
    }
    const QStringList unnamed = m_pTable->LayersWithoutName();
    if (!unnamed.isEmpty()) {
        ShowMessage(this,
                    tr("Elija el campo del nombre de %1.").arg(unnamed.join(QStringLiteral(", "))),
                    QMessageBox::Warning);
        return false;
    }
    const QString crs = m_pCrs->text().trimmed();
    QString error;
    if (!crs.isEmpty() && !CheckCrs(crs, error)) {
        ShowMessage(this, error, QMessageBox::Warning);
        m_pCrs->setFocus();
        return false;
    }
    const QStringList missing = m_pTable->LayersWithoutCrs(preset);
    if (crs.isEmpty() && !missing.isEmpty()) {
        ShowMessage(this,
                    tr("%1 no dice su sistema de coordenadas: escríbalo en «Sistema de "
                       "coordenadas» (por ejemplo EPSG:4326 para longitud y latitud).")
                        .arg(missing.join(QStringLiteral(", "))),
                    QMessageBox::Warning);
        m_pCrs->setFocus();
        return false;
    }

    mapPath = MapPath();
    if (mapPath.isEmpty()) {
        ShowMessage(this, tr("Escriba el nombre del mapa nuevo."), QMessageBox::Warning);
        m_pMap->setFocus();
        return false;
    }
    if (QFileInfo(mapPath).suffix().isEmpty())
        mapPath += QStringLiteral(".map");
    if (QFileInfo(mapPath).suffix().compare(QLatin1String("map"), Qt::CaseInsensitive) != 0) {
        ShowMessage(this, tr("El mapa nuevo debe terminar en .map."), QMessageBox::Warning);
        m_pMap->setFocus();
        return false;
    }
    mapPath = QFileInfo(mapPath).absoluteFilePath();
    const QString name = QFileInfo(mapPath).fileName();
    if (CMapDocument::OpenElsewhere(mapPath)) {
        ShowMessage(this,
                    tr("El mapa %1 está abierto en otro editor: no se puede guardar "
                       "con ese nombre.")
                        .arg(name),
                    QMessageBox::Warning);
        return false;
    }
    return !QFileInfo::exists(mapPath) ||
           AskYesNo(this, tr("Ya existe %1.\n¿Desea reemplazarlo?").arg(name),
                    QMessageBox::Warning);
}

void CGisImportDlg::accept() {
    const std::unique_ptr<CGisPreset> preset = PresetForImport();
    QString mapPath;
    if (!CheckBeforeImport(*preset, mapPath))
        return;
    GisImportOptions options;
    for (const GisSourceInfo& source : m_sources)
        options.sources.append(source.path);
    options.country = m_pCountry->text().trimmed();
    options.state = m_pState->text().trimmed();
    options.town = m_pTown->text().trimmed();
    options.crs = m_pCrs->text().trimmed();

    // The counts are only for the table; the import reads the files itself.
    StopCounting();
    const GisTownResult result = RunGisImportWithProgress(this, *preset, options, mapPath);
    if (!result.Done()) {
        switch (result.stage == GisTownResult::Stage::Import ? result.importError
                                                             : GisImportError::None) {
        case GisImportError::Cancelled:
            ShowMessage(this, tr("Se canceló la importación: no se creó ningún mapa."));
            break;
        case GisImportError::MissingCrs:
            ShowMessage(this,
                        tr("Una capa no dice su sistema de coordenadas: escríbalo en "
                           "«Sistema de coordenadas» (por ejemplo EPSG:4326)."),
                        QMessageBox::Warning, result.error);
            m_pCrs->setFocus();
            break;
        default:
            if (result.stage == GisTownResult::Stage::Save)
                ShowMessage(this, ProblemText(SaveErrorText()), QMessageBox::Warning, result.error);
            else
                ShowMessage(this, result.error, QMessageBox::Warning);
        }
        StartCounting();
        return;
    }
    m_pMap->setText(mapPath);
    m_summary = GisTownSummary(mapPath, *result.store, result.report);
    QDialog::accept();
}
