#pragma once

// Printing, copying and export of one view of the map: the picture the map
// window shows, printed on one page with a footer naming the map, put on the
// clipboard as it is on the screen, or written to a PNG or PDF file.

#include "map_renderer.h"
#include "map_transform.h"
#include "print_layout.h"

#include <QImage>
#include <QString>

class MapStore;
class QPrinter;
class QWidget;

class CMapPrinter {
public:
    // The view of `store` that `window` shows through `transform`, `layers` and
    // `overlay`. The window is what the clipboard gets and the parent of the
    // dialogs.
    CMapPrinter(const MapStore& store, CMapRenderer& renderer, QWidget& window,
                const MapTransform& transform, const LayerSwitches& layers,
                const MapOverlay& overlay);

    // The view as the window draws it, scale bar included, and as it goes on
    // the page: with the footer, and the scale bar raised above it.
    QImage View();
    QImage PrintedView();

    // Asks for the printer, then prints one page; a failure is shown.
    void PrintMap();
    // Prints one page on a printer already chosen. False with a Spanish reason.
    bool PrintTo(QPrinter& printer, QString& error);
    // The area of the last printed page that the picture was fitted into.
    const PrintRect& LastPrintArea() const { return m_rcPrint; }

    // Puts the window's pixels on the clipboard as a picture and says so.
    void CopyToClipboard();
    // The view as a PNG picture, or as a printed page in a PDF file when the
    // path ends in ".pdf". False with a Spanish reason when nothing was written.
    bool ExportView(const QString& path, QString& error);

private:
    const MapStore& m_store;
    CMapRenderer& m_renderer;
    QWidget& m_window;
    MapTransform m_transform;
    LayerSwitches m_layers;
    MapOverlay m_overlay;
    PrintRect m_rcPrint;
};
