#pragma once

// What a map tool may ask of the window it works in: the map point under a
// pixel, the scale, the store, zooming and panning, a change of the map as one
// undo step, a message to the other windows, a repaint, a cursor and a parent
// for its dialogs. Tools see the window only through this.

#include "geometry.h"
#include "map_edit.h"
#include "messages.h"

#include <QPoint>
#include <QString>

#include <cstdint>

class CInfoPopup;
class CmBlock;
class MapStore;
class QCursor;
class QWidget;
struct LayerSwitches;

class CMapToolHost {
public:
    virtual MapStore& Store() = 0;
    virtual MapPoint MapPointAt(QPoint pixel) const = 0;
    virtual float Scale() const = 0;
    // The topmost block under a map point, or nullptr.
    virtual CmBlock* HitBlock(MapPoint p) = 0;

    // Adds `step` to the scale about the map point under `pixel`, which goes to
    // the centre; nothing at the scale's limits. The zoom slider follows.
    virtual void ZoomStep(QPoint pixel, float step) = 0;
    virtual void PanBy(QPoint delta) = 0;
    // Map point (0,0) to the client centre; the scale stays.
    virtual void ResetOrigin() = 0;
    // Switches one of the layers on; the control panel ticks its box.
    virtual void ShowLayer(bool LayerSwitches::*layer) = 0;

    // Makes one change of the map as one undo step named `text`; the pages
    // that list the records it touches are refilled.
    virtual void Edit(const QString& text, MapEdit edit) = 0;
    // Sent to every window of the frame.
    virtual void Broadcast(UserMessage message, std::int64_t wParam, std::int64_t lParam) = 0;

    virtual void Redraw() = 0;
    virtual void SetCursor(const QCursor& cursor) = 0;
    // Gives the keyboard focus back to the map after a dialog.
    virtual void TakeFocus() = 0;
    virtual QWidget* DialogParent() = 0;
    // The business card, made on first use and kept between businesses.
    virtual CInfoPopup& InfoPopup() = 0;

protected:
    ~CMapToolHost() = default;
};
