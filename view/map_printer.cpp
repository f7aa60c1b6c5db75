#include "map_printer.h"

#include "image_bitmap.h"
#include "map_store.h"
#include "scale_bar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace {

void Notice(QWidget* parent, const QString& text, QMessageBox::Icon icon) {
    QMessageBox box(icon, QStringLiteral("Veltrix"), text, QMessageBox::Ok, parent);
    if (QAbstractButton* ok = box.button(QMessageBox::Ok))
        ok->setText(QCoreApplication::translate("MessageBox", "Aceptar"));
    box.exec();
}

} // namespace

CMapPrinter::CMapPrinter(const MapStore& store, CMapRenderer& renderer, QWidget& window,
                         const MapTransform& transform, const LayerSwitches& layers,
                         const MapOverlay& overlay)
    : m_store(store), m_renderer(renderer), m_window(window), m_transform(transform),
      m_layers(layers), m_overlay(overlay) {}

QImage CMapPrinter::View() {
    QImage view = m_renderer.Render(m_store, m_transform, m_layers, m_overlay);
    if (m_layers.m_bShowScaleBar) {
        QPainter painter(&view);
        DrawScaleBar(painter, m_transform, ScaleBarCorner(view.size()));
    }
    return view;
}

QImage CMapPrinter::PrintedView() {
    QImage picture = PrintPicture(m_renderer.Render(m_store, m_transform, m_layers, m_overlay),
                                  PrintFooter(m_store.m_strTitle));
    // The footer takes the lower left corner of the page, so the bar stands above it.
    if (m_layers.m_bShowScaleBar) {
        QPainter painter(&picture);
        DrawScaleBar(painter, m_transform, PrintedScaleBarCorner(picture.size()));
    }
    return picture;
}

bool CMapPrinter::PrintTo(QPrinter& printer, QString& error) {
    printer.setDocName(QString::fromLatin1(kPrintDocumentName));
    printer.setFromTo(1, 1);
    QPainter painter;
    if (!painter.begin(&printer)) {
        error = QCoreApplication::translate("CMapPrinter", "No se pudo empezar a imprimir.");
        return false;
    }
    m_rcPrint = PrintArea(QSize(printer.width(), printer.height()));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool placed = PrintPage(painter, QSize(printer.width(), printer.height()), PrintedView());
    QApplication::restoreOverrideCursor();
    if (!placed) {
        printer.abort();
        painter.end();
        error = QCoreApplication::translate("CMapPrinter",
                                            "La página es demasiado pequeña para el mapa.");
        return false;
    }
    if (!painter.end()) {
        error = QCoreApplication::translate("CMapPrinter", "No se pudo terminar la impresión.");
        return false;
    }
    return true;
}

void CMapPrinter::PrintMap() {
    QPrinter printer(QPrinter::HighResolution);
    // Also names the PDF file the dialog offers.
    printer.setDocName(QString::fromLatin1(kPrintDocumentName));
    QPrintDialog dialog(&printer, &m_window);
    // One page, the whole of it: no page numbers or selection. Printing to a
    // PDF file stays on offer, so that a machine without printers can print.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString error;
    if (!PrintTo(printer, error))
        Notice(&m_window, error, QMessageBox::Warning);
}

void CMapPrinter::CopyToClipboard() {
    // What is on the screen, the ruler read-out included.
    CImageBitmap picture;
    picture.CaptureFromDC(m_window.grab(), m_window.rect());
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (picture.Image().isNull() || !clipboard) {
        Notice(&m_window,
               QCoreApplication::translate("CMapPrinter",
                                           "No se pudo copiar el mapa al portapapeles."),
               QMessageBox::Warning);
        return;
    }
    clipboard->setImage(picture.Image());
    Notice(&m_window, QCoreApplication::translate("CMapPrinter", "Copiado al portapapeles"),
           QMessageBox::Information);
}

bool CMapPrinter::ExportView(const QString& path, QString& error) {
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return WritePdfPage(path, PrintedView(), error);
    return WritePng(path, View(), error);
}
