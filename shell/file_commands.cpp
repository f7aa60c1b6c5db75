#include "file_commands.h"

#include "abrir_mapa_dialog.h"
#include "app_language.h"
#include "gis_export_dialog.h"
#include "gis_import_dialog.h"
#include "map_document.h"
#include "map_save.h"
#include "message_box.h"
#include "messages.h"
#include "preferencias_dialog.h"
#include "problem_text.h"
#include "spanish_file_dialog.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>

#include <chrono>
#include <optional>

namespace {

// "1 de mayo de 2024 a las 10:22". The locale's name is a text of the
// catalogue too, so that the month names follow the language.
QString ShownDateTime(const QDateTime& when) {
    const QLocale locale(QCoreApplication::translate("CFileCommands", "es_MX"));
    return locale.toString(
        when.toLocalTime(),
        QCoreApplication::translate("CFileCommands", "d 'de' MMMM 'de' yyyy 'a las' HH:mm"));
}

QString LockedQuestion(const QString& path, const LockOwner& holder) {
    const QString name = QFileInfo(path).fileName();
    if (holder.unknown)
        return QCoreApplication::translate(
                   "CFileCommands",
                   "El mapa %1 ya está abierto en otro editor.\n¿Desea abrirlo de solo lectura? "
                   "Los cambios sólo se podrán guardar con otro nombre.")
            .arg(name);
    const QString user = QString::fromStdString(holder.user);
    const QString host = QString::fromStdString(holder.host);
    const QString pid = QString::number(holder.pid);
    if (holder.since <= 0)
        return QCoreApplication::translate(
                   "CFileCommands",
                   "El mapa %1 ya está abierto en otro editor: usuario %2, equipo %3, proceso "
                   "%4.\n¿Desea abrirlo de solo lectura? Los cambios sólo se podrán guardar con "
                   "otro nombre.")
            .arg(name, user, host, pid);
    return QCoreApplication::translate(
               "CFileCommands",
               "El mapa %1 ya está abierto en otro editor: usuario %2, equipo %3, proceso %4, "
               "desde el %5.\n¿Desea abrirlo de solo lectura? Los cambios sólo se podrán "
               "guardar con otro nombre.")
        .arg(name, user, host, pid, ShownDateTime(QDateTime::fromSecsSinceEpoch(holder.since)));
}

// A menu shows '&' as a mnemonic; a file name shows it as it is.
QString MenuText(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// Reading or writing a whole map takes a moment on a large town.
bool UnderWaitCursor(const std::function<bool()>& work) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool done = work();
    QApplication::restoreOverrideCursor();
    return done;
}

} // namespace

CFileCommands::CFileCommands(CMapDocument& document, QWidget& frame, const QString& programDir)
    : m_document(document), m_frame(frame), m_strProgramDir(programDir) {
    connect(&m_document, &CMapDocument::Saved, this, [this] {
        m_recent.Add(m_document.Path());
        UpdateRecentMenu();
    });
}

void CFileCommands::UseSettings(QSettings* settings) {
    m_recent.UseSettings(settings);
    UpdateRecentMenu();
}

void CFileCommands::ShowRecentIn(const QList<QAction*>& actions, QAction* separator) {
    m_recentSlots = actions;
    m_pRecentSeparator = separator;
    for (int slot = 0; slot < m_recentSlots.size(); ++slot) {
        m_recentSlots[slot]->setVisible(false);
        connect(m_recentSlots[slot], &QAction::triggered, this,
                [this, slot] { OnOpenRecent(slot); });
    }
    UpdateRecentMenu();
}

void CFileCommands::UpdateRecentMenu() {
    const QStringList& paths = m_recent.Paths();
    for (int slot = 0; slot < m_recentSlots.size(); ++slot) {
        QAction* action = m_recentSlots[slot];
        const bool used = slot < paths.size();
        action->setVisible(used);
        if (!used)
            continue;
        // The name in the menu, the whole path in the status bar.
        const QFileInfo file(paths[slot]);
        action->setText(QStringLiteral("&%1 %2").arg(slot + 1).arg(MenuText(file.fileName())));
        action->setStatusTip(QDir::toNativeSeparators(file.absoluteFilePath()));
    }
    if (m_pRecentSeparator)
        m_pRecentSeparator->setVisible(!paths.isEmpty());
}

bool CFileCommands::SaveModified() {
    if (!m_document.IsModified())
        return true;
    const QString question =
        tr("El mapa %1 tiene cambios que no se han guardado.\n¿Desea guardar los "
           "cambios antes de continuar?")
            .arg(QString::fromStdString(m_document.Store().m_strMapName));
    switch (AskYesNoCancel(&m_frame, question)) {
    case QMessageBox::Yes:
        return SaveMap();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

void CFileCommands::OnFileOpen() {
    if (!SaveModified())
        return;
    CAbrirMapaDlg dialog(m_strProgramDir, &m_frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    OpenMap(dialog.m_strPath);
}

void CFileCommands::OnFileOpenAny() {
    if (!SaveModified())
        return;
    // Where the user last worked: the open map's folder, else the newest recent one's.
    QString folder = m_strProgramDir;
    if (!m_document.Path().isEmpty())
        folder = QFileInfo(m_document.Path()).absolutePath();
    else if (!m_recent.Paths().isEmpty())
        folder = QFileInfo(m_recent.Paths().front()).absolutePath();
    const QString path = QFileDialog::getOpenFileName(
        &m_frame, tr("Abrir mapa"), folder, tr("Mapas (*.map *.MAP);;Todos los archivos (*)"));
    if (!path.isEmpty())
        OpenMap(path);
}

void CFileCommands::OnOpenRecent(int slot) {
    if (slot < 0 || slot >= m_recent.Paths().size())
        return;
    const QString path = m_recent.Paths()[slot];
    if (!QFileInfo(path).isFile()) {
        const QString question = tr("El mapa %1 ya no existe.\n¿Desea quitarlo de la "
                                    "lista de mapas recientes?")
                                     .arg(QDir::toNativeSeparators(path));
        if (AskYesNo(&m_frame, question, QMessageBox::Warning)) {
            m_recent.Remove(path);
            UpdateRecentMenu();
        }
        return;
    }
    OpenAfterAsking(path);
}

void CFileCommands::OpenAfterAsking(const QString& path) {
    if (SaveModified())
        OpenMap(path);
}

bool CFileCommands::OpenMap(const QString& path) {
    bool readOnly = false;
    if (const std::optional<LockOwner> holder = CMapDocument::OpenElsewhere(path)) {
        if (!AskYesNo(&m_frame, LockedQuestion(path, *holder), QMessageBox::Warning))
            return false;
        readOnly = true;
    }
    QString error;
    if (!UnderWaitCursor([&] { return m_document.Open(path, error, readOnly); })) {
        ShowMessage(&m_frame, error, QMessageBox::Warning);
        return false;
    }
    m_recent.Add(path);
    UpdateRecentMenu();
    OfferRecovery();
    return true;
}

void CFileCommands::OfferRecovery() {
    const std::optional<CRecoveryCopy> copy = m_document.RecoveryCopy();
    if (!copy)
        return;
    const QString question =
        tr("Se encontró una copia de recuperación de %1 guardada el %2.\n¿Desea "
           "recuperarla?")
            .arg(QFileInfo(copy->mapPath).fileName(), ShownDateTime(copy->saved));
    if (!AskYesNo(&m_frame, question, QMessageBox::Question)) {
        m_document.DiscardRecovery();
        return;
    }
    QString error;
    if (!UnderWaitCursor([&] { return m_document.Recover(error); }))
        ShowMessage(&m_frame, error, QMessageBox::Warning);
}

bool CFileCommands::ReportSave(const std::function<bool(QString& error)>& save) {
    QString error;
    const bool saved = UnderWaitCursor([&] { return save(error); });
    // A save puts the named lists in name order even when writing then fails, and
    // the pages address elements by line, so they are refilled either way.
    SendMessageToDescendants(&m_frame, UM_REFRESH_PAGES, PAGE_ALL, REFRESH_BUSINESSES);
    if (!saved) {
        ShowMessage(&m_frame, ProblemText(SaveErrorText()), QMessageBox::Warning, error);
        return false;
    }
    ShowMessage(&m_frame, tr("Done"));
    return true;
}

bool CFileCommands::SaveMap() {
    if (!m_document.IsOpen())
        return false;
    if (m_document.IsReadOnly())
        return OnFileSaveAs();
    if (m_document.ChangedOnDisk()) {
        const QString question =
            tr("El archivo cambió en el disco desde que se abrió o se guardó aquí: "
               "otro programa escribió %1.\nSi guarda ahora, ese cambio se perderá; "
               "si lo vuelve a abrir, se perderán los cambios hechos aquí.")
                .arg(QFileInfo(m_document.Path()).fileName());
        switch (AskChoice(&m_frame, question,
                          {tr("Guardar de todos modos"), tr("Volver a abrir"), tr("Cancelar")})) {
        case 0:
            break;
        case 1:
            // What the other program wrote, without this editor's changes.
            if (QString error; !UnderWaitCursor([&] {
                    return m_document.Open(m_document.Path(), error, m_document.IsReadOnly());
                }))
                ShowMessage(&m_frame, error, QMessageBox::Warning);
            return false;
        default:
            return false;
        }
    }
    bool replaceReadOnly = false;
    if (!MayReplaceReadOnly(m_document.Path(), replaceReadOnly))
        return false;
    return ReportSave([this, replaceReadOnly](QString& error) {
        return m_document.Save(error, replaceReadOnly);
    });
}

bool CFileCommands::MayReplaceReadOnly(const QString& path, bool& replace) {
    replace = IsReadOnlyFile(SaveTarget(QFile::encodeName(path).toStdString()));
    return !replace || AskYesNo(&m_frame,
                                tr("El archivo es de solo lectura: %1.\n¿Desea reemplazarlo de "
                                   "todos modos? Seguirá siendo de solo lectura.")
                                    .arg(QFileInfo(path).fileName()),
                                QMessageBox::Warning);
}

bool CFileCommands::SaveMapAs(const QString& path) {
    if (!m_document.IsOpen())
        return false;
    bool replaceReadOnly = false;
    if (!MayReplaceReadOnly(path, replaceReadOnly))
        return false;
    return ReportSave([this, &path, replaceReadOnly](QString& error) {
        return m_document.SaveAs(path, error, replaceReadOnly);
    });
}

bool CFileCommands::OnFileSaveAs() {
    if (!m_document.IsOpen())
        return false;
    QFileDialog dialog(&m_frame, tr("Guardar como"), m_document.Path(), tr("Mapas (*.map)"));
    dialog.setObjectName(QStringLiteral("saveAsDialog"));
    SetUpFileDialog(dialog, FileDialogKind::Save);
    dialog.setDefaultSuffix(QStringLiteral("map"));
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        const QString path = dialog.selectedFiles().front();
        // A read-only file gets its own question from the save.
        if (!QFileInfo::exists(path) ||
            IsReadOnlyFile(SaveTarget(QFile::encodeName(path).toStdString())) ||
            AskYesNo(&m_frame,
                     tr("Ya existe %1.\n¿Desea reemplazarlo?").arg(QFileInfo(path).fileName()),
                     QMessageBox::Warning))
            return SaveMapAs(path);
    }
}

void CFileCommands::OnPreferences() {
    const auto minutes =
        std::chrono::duration_cast<std::chrono::minutes>(m_document.AutosaveInterval());
    CPreferenciasDlg dialog(static_cast<int>(minutes.count()), StoredLanguage(), &m_frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    CPreferenciasDlg::StoreAutosaveMinutes(dialog.Minutes());
    StoreLanguage(dialog.Language());
    m_document.SetAutosaveInterval(std::chrono::minutes(dialog.Minutes()));
}

void CFileCommands::OnImportGis() {
    if (!SaveModified())
        return;
    CGisImportDlg dialog(m_strProgramDir, &m_frame);
    if (dialog.exec() != QDialog::Accepted || !OpenMap(dialog.MapPath()))
        return;
    ShowMessage(&m_frame, tr("Se creó el mapa %1.").arg(QFileInfo(dialog.MapPath()).fileName()),
                QMessageBox::Information, dialog.Summary().join(QLatin1Char('\n')));
}

void CFileCommands::OnExportGis() {
    if (!m_document.IsOpen())
        return;
    CGisExportDlg dialog(m_document, &m_frame);
    dialog.exec();
}
