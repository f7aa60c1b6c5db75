#pragma once

// The guide: the map's overview picture with a red frame around the part of the
// map that the map window shows. A click in it moves the map window there;
// Enter and Esc ask the map window to close it. It sits at the bottom right of
// the screen and keeps its picture while it is closed and shown again; once
// another map is opened, the next show makes a new guide for it.

#include "geometry.h"
#include "image_bitmap.h"

#include <QDialog>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QString>

class CMapaWnd;

// Map units to guide pixels and back. The picture spans the extent's width,
// and one scale k = width / (R - L) serves both axes: x_pix = k (x + R) and
// y_pix = -k (y + T), T being the extent's smallest y. For a map centred on
// (0,0), as the overview pictures are drawn, the extent's western edge lands on
// x = 0 and its northern edge on y = 0.
struct GuideMapping {
    MapRect extent; // normalised
    int pictureWidth = 0;

    bool IsValid() const { return pictureWidth > 0 && extent.Width() > 0; }
    double Scale() const;
    // A map rectangle as guide pixels, unrounded and normalised.
    QRectF FrameOf(const MapRect& view) const;
    // The same with every edge truncated toward zero, as it is drawn: left and
    // top inclusive, right and bottom exclusive.
    QRect PixelFrameOf(const MapRect& view) const;
    // The map point under a guide position; positions may fall between pixels.
    MapPoint MapPointAt(QPointF position) const;
};

class CGuideWnd : public QDialog {
    Q_OBJECT
public:
    // The size the guide takes when the picture cannot be shown.
    static constexpr int kNoPictureWidth = 320;
    static constexpr int kNoPictureHeight = 120;

    // The guide of the map open in `mapWnd`, shown, with the map's extent and
    // the visible rectangle: made on first use and for each newly opened map,
    // with `picture`, the map's own picture bytes (JPEG).
    static CGuideWnd& ShowFor(CMapaWnd& mapWnd, std::span<const std::uint8_t> picture);
    // Closes the guide of `mapWnd`, if it has one; it is kept for the next show.
    static void CloseFor(CMapaWnd& mapWnd);
    // The guide of `mapWnd`, or nullptr.
    static CGuideWnd* Of(const CMapaWnd& mapWnd);

    // `mapWnd` owns the guide and receives UM_CENTER_AT and UM_GUIDE_CLOSED; the
    // guide follows its view and tells it when it hides. The picture is decoded
    // when the guide is first shown. It is a copy of the map's own, never a
    // file that another editor could change.
    CGuideWnd(CMapaWnd& mapWnd, std::vector<std::uint8_t> picture);
    ~CGuideWnd() override;

    // The map's extent (the map window's block bounds) and the visible map rectangle.
    void SetExtent(const MapRect& extent);
    void SetView(const MapRect& view);
    // Recomputes the frame from the view and repaints.
    void UpdateFrame();

    const GuideMapping& Mapping() const { return m_mapping; }
    const MapRect& View() const { return m_rcView; }
    const QRect& Frame() const { return m_rcFrame; }
    // The frame before truncation; its centre maps back to the view's centre.
    QRectF ExactFrame() const { return m_mapping.FrameOf(m_rcView); }
    const CImageBitmap& Picture() const { return m_picture; }
    bool PictureShown() const { return m_bPictureShown; }
    // Why the picture is not shown, in Spanish; empty when it is.
    const QString& PictureError() const { return m_strPictureError; }

    void setVisible(bool visible) override;

signals:
    // The guide was hidden, by its own keys, the frame's command or a new map.
    void Hidden();

public slots:
    // Follows each frame the map window draws while the guide is up.
    void FollowView(const MapRect& view);
    // Enter and Esc: the map window decides what closing means.
    void accept() override;
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void LoadPicture();
    // The map's picture decoded into m_picture; false when it cannot be.
    bool DecodeUnderWaitCursor();
    void PlaceWindow();

    CImageBitmap m_picture;
    int m_nPictureWidth = kNoPictureWidth;
    int m_nPictureHeight = kNoPictureHeight;
    QWidget* m_pMapWnd;
    GuideMapping m_mapping;
    MapRect m_rcView;
    QRect m_rcFrame;
    std::vector<std::uint8_t> m_pictureBytes;
    QString m_strPictureError;
    bool m_bFirstInit = true;
    bool m_bPictureShown = false;
    // A map was opened since the guide was made: its picture is the old map's.
    bool m_bEarlierMap = false;
};
