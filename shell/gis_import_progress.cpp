#include "gis_import_progress.h"

#include "overview_picture.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

GisTownResult RunGisImportWithProgress(QWidget* parent, const CGisPreset& preset,
                                       const GisImportOptions& options, const QString& mapPath) {
    std::atomic<int> percent{0};
    std::atomic<bool> cancelled{false};
    GisTownResult result;
    const GisProgress progress = [&](int done) {
        percent.store(done);
        return !cancelled.load();
    };
    std::unique_ptr<QThread> worker(QThread::create([&] {
        result = MakeGisTown(
            preset, options, mapPath, [](const MapStore& town) { return MakeOverviewJpeg(town); },
            progress);
    }));

    QProgressDialog window(
        QCoreApplication::translate("CGisImportDlg", "Importando datos geográficos..."), QString(),
        0, 100, parent);
    window.setObjectName(QStringLiteral("importProgress"));
    window.setWindowTitle(QStringLiteral("Veltrix"));
    window.setWindowModality(Qt::WindowModal);
    window.setAutoClose(false);
    window.setAutoReset(false);
    auto* cancel =
        new QPushButton(QCoreApplication::translate("CGisImportDlg", "Cancelar"), &window);
    window.setCancelButton(cancel);
    // The window stays up after Cancel, saying so, until the import reaches a
    // point where it can stop; Qt's own handling would hide it at once.
    QObject::disconnect(&window, &QProgressDialog::canceled, &window, &QProgressDialog::cancel);
    QObject::connect(&window, &QProgressDialog::canceled, &window, [&] {
        cancelled.store(true);
        cancel->setEnabled(false);
        window.setLabelText(QCoreApplication::translate("CGisImportDlg", "Cancelando..."));
    });

    QEventLoop loop;
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (worker->isFinished()) {
            loop.quit();
            return;
        }
        if (cancelled.load())
            return;
        const int done = percent.load();
        if (done >= 100)
            window.setLabelText(
                QCoreApplication::translate("CGisImportDlg", "Guardando el mapa..."));
        window.setValue(done);
    });
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    // Shown before the work starts, so that a Cancel pressed the moment it
    // appears is never too late.
    window.show();
    worker->start();
    poll.start();
    // A finish that came before the loop ran is caught by the next poll.
    loop.exec();
    worker->wait();
    poll.stop();
    return result;
}
