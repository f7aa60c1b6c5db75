#pragma once

// The map window: shows the open map at a scale and origin, pans and zooms, and
// obeys the program's messages. Its mouse and key events go to the current map
// tool through the tool manager; the tools reach the window only through
// CMapToolHost.

#include "edit_history.h"
#include "map_frame_buffer.h"
#include "map_printer.h"
#include "map_renderer.h"
#include "map_tool_host.h"
#include "map_tool_manager.h"
#include "map_transform.h"
#include "map_viewport.h"
#include "records.h"

#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>

class MapStore;

class CMapaWnd : public QWidget, private CMapToolHost {
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
    // Makes the tool current and shows its cursor and what its buttons do; a
    // value no tool has is kept and leaves the cursor as it is.
    void SetTool(int tool);
    int Tool() const { return m_tools.Tool(); }
    CMapToolManager& Tools() { return m_tools; }
    const CMapToolManager& Tools() const { return m_tools; }
    // Called after the store was replaced by a newly opened map: fill on, scale
    // 3, map point (0,0) at the centre, selection cleared, guide closed, repaint.
    void OnMapLoaded();

    MapStore& Store() override { return m_store; }
    float Scale() const override { return m_view.Scale(); }
    QPoint Origin() const { return m_view.Origin(); }

    // The mapping of this window's client area as it is now.
    MapTransform Transform() const;
    MapPoint MapPointAt(QPoint pixel) const override { return Transform().ToMap(pixel); }
    MapRect VisibleRect() const { return Transform().VisibleRect(); }
    // Moves the origin so that `p` is at the client centre; the scale stays.
    void CenterOn(MapPoint p);
    // Sets the scale (kept within 1 to 20) and centres `p`; repaints.
    void ZoomTo(float scale, MapPoint p);
    // "Ver todo": the largest scale at which every block is in sight, the
    // blocks centred; the zoom slider follows. False when there is no map or
    // no block to show.
    bool ShowWholeMap();
    const LayerSwitches& Layers() const { return m_layers; }
    // The scale bar is a switch of the Ver menu, not of the panel.
    void SetScaleBarShown(bool shown);
    // Leaves out the street names that would cover more important ones, as the printed guide does.
    void SetLabelPlacement(bool on);
    bool LabelPlacement() const { return m_renderer.LabelPlacement(); }
    CmBlock* HitBlock(MapPoint p) override;
    // The picture the window shows, drawn afresh (for tests and export).
    QImage RenderView();
    // The picture the window last put on the screen, as it keeps it between
    // paints.
    const QImage& LastFrame() const { return m_frameBuffer.Image(); }
    // Printing, copying and export of the view as it is now.
    CMapPrinter Printer();

    // The guide window and the business pop-up, once made; their close messages
    // (UM_GUIDE_CLOSED, UM_INFO_CLOSED) close them and keep them for reuse.
    void SetGuideWindow(QWidget* guide) { m_pGuideWnd = guide; }
    void SetInfoWindow(QWidget* info) { m_pInfoWnd = info; }
    QWidget* GuideWindow() const { return m_pGuideWnd; }
    QWidget* InfoWindow() const { return m_pInfoWnd; }

signals:
    // The map point under the mouse, for the status bar.
    void MapPointHovered(int x, int y);
    // Every painted frame ends with the map rectangle it showed.
    void VisibleRectDrawn(const MapRect& rect);
    // A newly opened map is shown.
    void MapLoaded();
    // The guide window was hidden, whoever closed it.
    void GuideClosed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void customEvent(QEvent* event) override;

private:
    // What the tools may ask of the window.
    void ZoomStep(QPoint pixel, float step) override;
    void PanBy(QPoint delta) override;
    void ResetOrigin() override;
    void ShowLayer(bool LayerSwitches::*layer) override;
    void Edit(const QString& text, MapEdit edit) override;
    void Broadcast(UserMessage message, std::int64_t wParam, std::int64_t lParam) override;
    void Redraw() override { update(); }
    void SetCursor(const QCursor& cursor) override { setCursor(cursor); }
    void TakeFocus() override { setFocus(Qt::OtherFocusReason); }
    QWidget* DialogParent() override { return this; }
    CInfoPopup& InfoPopup() override;

    // The tool's hint for the status bar while the pointer is over a shown map.
    void ShowHint();
    void OnToolChanged();
    // Tells the panel the scale and a layer switched on here, so that its
    // slider and boxes always say what the map shows.
    void TellScale();
    void TellLayerShown(bool LayerSwitches::*layer);
    MapOverlay Overlay() const;
    // The view moved from `from` to where the origin is now: the kept picture
    // follows by moving its pixels where it can, and the screen with it.
    void FollowPan(const MapTransform& from);

    MapStore& m_store;
    QWidget* m_pFrame = nullptr;
    QPointer<CEditHistory> m_pHistory;
    QRect m_rcOwnInfoPopup;
    QRect* m_pRcInfoPopup = &m_rcOwnInfoPopup;
    CMapViewport m_view;
    LayerSwitches m_layers;
    CMapToolManager m_tools{*this};

    // The guide window and the business pop-up, owned elsewhere once they exist.
    QPointer<QWidget> m_pGuideWnd;
    QPointer<QWidget> m_pInfoWnd;

    // Until a map has been shown the window is plain white.
    bool m_bViewSet = false;
    bool m_bPointerIn = false;
    CMapRenderer m_renderer;
    CMapFrameBuffer m_frameBuffer{m_renderer, m_store};
};
