#include "guide_print.h"

#include "image_bitmap.h"
#include "map_store.h"
#include "message_box.h"
#include "town_guide.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>
#include <QVBoxLayout>

#include <atomic>
#include <memory>

CGuiaDlg::CGuiaDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("guiaDlg"));
    setWindowTitle(tr("Imprimir guía"));
    m_pScale = new QSpinBox(this);
    m_pScale->setObjectName(QStringLiteral("scale"));
    // The map window's scales: larger is closer, so more pages.
    m_pScale->setRange(static_cast<int>(kGuideMinScale), static_cast<int>(kGuideMaxScale));
    m_pScale->setValue(static_cast<int>(GuideOptions{}.scale));
    m_pPaper = new QComboBox(this);
    m_pPaper->setObjectName(QStringLiteral("paper"));
    m_pPaper->addItem(QStringLiteral("A4"), static_cast<int>(GuidePaper::A4));
    m_pPaper->addItem(tr("Carta"), static_cast<int>(GuidePaper::Carta));
    m_pPaper->addItem(tr("Doble carta"), static_cast<int>(GuidePaper::DobleCarta));
    m_pOrientation = new QComboBox(this);
    m_pOrientation->setObjectName(QStringLiteral("orientation"));
    m_pOrientation->addItem(tr("Vertical"), static_cast<int>(GuideOrientation::Vertical));
    m_pOrientation->addItem(tr("Horizontal"), static_cast<int>(GuideOrientation::Horizontal));

    auto* form = new QFormLayout;
    form->addRow(tr("&Escala:"), m_pScale);
    form->addRow(tr("&Papel:"), m_pPaper);
    form->addRow(tr("&Orientación:"), m_pOrientation);
    auto* note =
        new QLabel(tr("Portada, plano de conjunto, planos por páginas con cuadrícula, índice "
                      "de calles y directorio, en un archivo PDF."),
                   this);
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

GuideOptions CGuiaDlg::Options() const {
    GuideOptions options;
    options.scale = static_cast<float>(m_pScale->value());
    options.paper = static_cast<GuidePaper>(m_pPaper->currentData().toInt());
    options.orientation = static_cast<GuideOrientation>(m_pOrientation->currentData().toInt());
    return options;
}

bool MakeTownGuide(QWidget* parent, const MapStore& store, const std::vector<std::uint8_t>& picture,
                   const GuideOptions& options, const QString& path, QString& error) {
    GuideRequest request{.store = store, .options = options, .overview = {}, .progress = {}};
    if (!picture.empty()) {
        CImageBitmap overview;
        // A picture that cannot be read leaves the cover without it, as the map window does.
        if (overview.LoadFromMemory(picture, CImageBitmap::Kind::Jpeg))
            request.overview = overview.Image();
    }
    QProgressDialog progress(QCoreApplication::translate("CGuiaDlg", "Haciendo la guía..."),
                             QCoreApplication::translate("CGuiaDlg", "Cancelar"), 0, 0, parent);
    progress.setObjectName(QStringLiteral("guideProgress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    QPointer<QProgressDialog> shown(&progress);
    // The worker only reads the store; the modal progress keeps the editor from changing it.
    std::atomic<bool> stop = false;
    request.progress = [&](int done, int total) {
        QMetaObject::invokeMethod(
            &progress,
            [shown, done, total] {
                if (shown) {
                    shown->setMaximum(total);
                    shown->setValue(done);
                }
            },
            Qt::QueuedConnection);
        return !stop.load();
    };
    QObject::connect(&progress, &QProgressDialog::canceled, [&stop] { stop = true; });
    bool written = false;
    QString reason;
    std::unique_ptr<QThread> worker(
        QThread::create([&] { written = WriteTownGuide(path, request, reason); }));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    progress.show();
    worker->start();
    loop.exec();
    worker->wait();
    error = reason;
    return written;
}

void PrintTownGuide(QWidget* parent, const MapStore& store,
                    const std::vector<std::uint8_t>& picture, const QString& folder) {
    CGuiaDlg dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString pdf = QCoreApplication::translate("CGuiaDlg", "Documento PDF (*.pdf)");
    QString path = QFileDialog::getSaveFileName(
        parent, QCoreApplication::translate("CGuiaDlg", "Guardar la guía"),
        folder + QString::fromStdString(store.m_strMapName) + QStringLiteral("-guia.pdf"), pdf);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0)
        path += QStringLiteral(".pdf");
    QString error;
    if (MakeTownGuide(parent, store, picture, dialog.Options(), path, error))
        ShowMessage(parent,
                    QCoreApplication::translate("CGuiaDlg", "Se guardó la guía en %1.")
                        .arg(QFileInfo(path).fileName()),
                    QMessageBox::Information);
    else if (!error.isEmpty())
        ShowMessage(parent, error, QMessageBox::Warning);
}
