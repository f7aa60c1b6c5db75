// The map window's printing, copying and export.

#include "image_bitmap.h"
#include "map_store.h"
#include "map_window.h"
#include "print_layout.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace {

void Notice(QWidget* parent, const QString& text, QMessageBox::Icon icon) {
    QMessageBox box(icon, QStringLiteral("Veltrix"), text, QMessageBox::Ok, parent);
    if (QAbstractButton* ok = box.button(QMessageBox::Ok))
        ok->setText(QStringLiteral("Aceptar"));
    box.exec();
}

} // namespace

QImage CMapaWnd::PrintedView() {
    return PrintPicture(RenderView(), PrintFooter(m_store.m_strTitle));
}

bool CMapaWnd::PrintTo(QPrinter& printer, QString& error) {
    printer.setDocName(QString::fromLatin1(kPrintDocumentName));
    printer.setFromTo(1, 1);
    QPainter painter;
    if (!painter.begin(&printer)) {
        error = QStringLiteral("No se pudo empezar a imprimir.");
        return false;
    }
    m_rcPrint = PrintArea(QSize(printer.width(), printer.height()));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool placed = PrintPage(painter, QSize(printer.width(), printer.height()), PrintedView());
    QApplication::restoreOverrideCursor();
    if (!placed) {
        printer.abort();
        painter.end();
        error = QStringLiteral("La página es demasiado pequeña para el mapa.");
        return false;
    }
    if (!painter.end()) {
        error = QStringLiteral("No se pudo terminar la impresión.");
        return false;
    }
    return true;
}

void CMapaWnd::PrintMap() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    // One page, the whole of it: no page numbers, selection or output to a file.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString error;
    if (!PrintTo(printer, error))
        Notice(this, error, QMessageBox::Warning);
}

void CMapaWnd::CopyToClipboard() {
    // What is on the screen, the ruler read-out included.
    CImageBitmap picture;
    picture.CaptureFromDC(grab(), rect());
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (picture.Image().isNull() || !clipboard) {
        Notice(this, QStringLiteral("No se pudo copiar el mapa al portapapeles."),
               QMessageBox::Warning);
        return;
    }
    clipboard->setImage(picture.Image());
    Notice(this, QStringLiteral("Copiado al portapapeles"), QMessageBox::Information);
}

bool CMapaWnd::ExportView(const QString& path, QString& error) {
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return WritePdfPage(path, PrintedView(), error);
    return WritePng(path, RenderView(), error);
}
