#pragma once

// The map window: shows the open map at a scale and origin, pans and zooms, and
// obeys the program's messages. (Public interface agreed with the shell; the
// view layer fills in the rest.)

#include "edit_history.h"
#include "map_renderer.h"
#include "map_transform.h"
#include "print_layout.h"
#include "records.h"

#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>

class CGuideWnd;
class MapStore;
class QPrinter;

class CMapaWnd : public QWidget {
    Q_OBJECT
public:
    CMapaWnd(MapStore& store, QWidget* parent = nullptr);
    ~CMapaWnd() override;

    // The window whose descendants receive this window's broadcasts.
    void SetFrame(QWidget* frame) { m_pFrame = frame; }
    // Where the tools record their changes as undo steps. Without one the
    // changes are still made and the map is marked as changed.
    void SetHistory(CEditHistory* history);
    // The application's memory of where the business pop-up was last dropped;
    // without one the window keeps its own.
    void SetInfoPopupRect(QRect* rect) { m_pRcInfoPopup = rect ? rect : &m_rcOwnInfoPopup; }
    // Stores the tool and shows its cursor; a value no tool has keeps the cursor.
    void SetTool(int tool);
    int Tool() const { return m_nTool; }
    // Called after the store was replaced by a newly opened map: fill on, scale
    // 3, map point (0,0) at the centre, selection cleared, repaint.
    void OnMapLoaded();

    float Scale() const { return m_fScale; }
    QPoint Origin() const { return m_ptOrigin; }

    // The mapping of this window's client area as it is now.
    MapTransform Transform() const;
    MapPoint MapPointAt(QPoint pixel) const { return Transform().ToMap(pixel); }
    MapRect VisibleRect() const { return Transform().VisibleRect(); }
    // Moves the origin so that `p` is at the client centre; the scale stays.
    void CenterOn(MapPoint p);
    // Sets the scale (kept within 1 to 20) and centres `p`; repaints.
    void ZoomTo(float scale, MapPoint p);
    const LayerSwitches& Layers() const { return m_layers; }
    // The topmost block under a map point, or nullptr.
    CmBlock* HitBlock(MapPoint p);
    // The picture the window shows, drawn afresh (for copying and tests).
    QImage RenderView();

    // The guide window and the business pop-up, once made; their close messages
    // (UM_GUIDE_CLOSED, UM_INFO_CLOSED) close them and keep them for reuse.
    void SetGuideWindow(QWidget* guide) { m_pGuideWnd = guide; }
    void SetInfoWindow(QWidget* info) { m_pInfoWnd = info; }
    QWidget* GuideWindow() const { return m_pGuideWnd; }
    QWidget* InfoWindow() const { return m_pInfoWnd; }

    // The guide (guide_window.cpp): made on first use for the open map, given
    // the map's extent and the visible rectangle, and shown; closing keeps it.
    void ShowGuide();
    void CloseGuide();
    CGuideWnd* Guide() const;

    // Printing, copying and export (map_printer.cpp). PrintMap asks for the
    // printer first; PrintTo prints one page on a printer already chosen.
    void PrintMap();
    bool PrintTo(QPrinter& printer, QString& error);
    // The area of the last printed page that the picture was fitted into.
    const PrintRect& LastPrintArea() const { return m_rcPrint; }
    // The view with the footer, as it goes on the page.
    QImage PrintedView();
    // Puts the visible map on the clipboard as a picture and says so.
    void CopyToClipboard();
    // The view as a PNG picture, or as a printed page in a PDF file when the
    // path ends in ".pdf". False with a Spanish reason when nothing was written.
    bool ExportView(const QString& path, QString& error);

    // The cursor each tool shows; the closed hand while panning.
    static QCursor ToolCursor(int tool);
    static QCursor PanCursor();
    // What the tool does with each mouse button, for the status bar.
    static QString ToolHint(int tool);

    // Tool state, for the frame and the tests.
    bool TracingStreet() const { return m_bTracingStreet; }
    bool TracingRoute() const { return m_bTracingRoute; }
    const CmCalles& StreetTrace() const { return m_traceStreet; }
    const CmVias& RouteTrace() const { return m_traceRoute; }
    float RulerLength() const { return m_fRulerLength; }
    // Ends both traces without storing anything (Esc).
    void CancelTraces();

signals:
    // The map point under the mouse, for the status bar.
    void MapPointHovered(int x, int y);
    // Every painted frame ends with the map rectangle it showed.
    void VisibleRectDrawn(const MapRect& rect);
    // The guide window was hidden, whoever closed it.
    void GuideClosed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void customEvent(QEvent* event) override;

private:
    void Broadcast(int message, std::int64_t wParam, std::int64_t lParam);
    void OnSetZoom(std::int64_t position);
    void OnLocateItem(std::int64_t kind, std::int64_t index);
    void OnZoneShow(std::int64_t hide, std::int64_t show);
    void OnZoneAssign(std::int64_t zone);
    void ZoomStep(QPoint pixel, float step);
    MapOverlay Overlay() const;

    // The editing tools (map_tools.cpp).
    void ToolLeftDown(QPoint point, Qt::KeyboardModifiers modifiers);
    void ToolRightDown(QPoint point, Qt::KeyboardModifiers modifiers);
    void ToolMove(QPoint point);
    void ToolLeftUp();
    void AddPlace(QPoint point, bool colony);
    void AddBusiness(QPoint point);
    void ShowBusinessInfo(QPoint point);
    void EndStreetTrace(MapPoint p);
    void AddRouteStation(MapPoint p);
    void ApplyBand();
    // Runs one change of the map as one undo step and marks the map changed.
    void Edit(const QString& text, const std::function<bool()>& change);

    MapStore& m_store;
    QWidget* m_pFrame = nullptr;
    QPointer<CEditHistory> m_pHistory;
    QRect m_rcOwnInfoPopup;
    QRect* m_pRcInfoPopup = &m_rcOwnInfoPopup;
    QPoint m_ptOrigin;
    float m_fScale = 1.0f;
    float m_fRulerLength = 0.0f;
    int m_nTool = 1;
    LayerSwitches m_layers;

    // Traces in progress and the mouse capture; the editing tools drive them.
    CmCalles m_traceStreet{Rgb(0, 0, 255)};
    CmVias m_traceRoute{Rgb(255, 0, 0)};
    bool m_bTracingStreet = false;
    bool m_bTracingRoute = false;
    bool m_bBand = false;
    MapRect m_rcBand;
    bool m_bDragging = false;
    QPoint m_ptLastMouse;

    // The guide window and the business pop-up, owned elsewhere once they exist.
    QPointer<QWidget> m_pGuideWnd;
    QPointer<QWidget> m_pInfoWnd;
    // Counts map loads, so that a guide made for an earlier map is not reused.
    std::uint64_t m_nMapLoads = 0;
    PrintRect m_rcPrint;

    // Until a map has been shown the window is plain white.
    bool m_bViewSet = false;
    CMapRenderer m_renderer;
    QImage m_imgBuffer;
};
