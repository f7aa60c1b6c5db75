#pragma once

// Small maps built in code for the view tests.

#include "map_store.h"

#include <QImage>
#include <QRect>
#include <QWidget>
#include <vector>

// An axis-aligned block from (x0, y0) to (x1, y1), outline closed by its last point.
// A rectangle block from (x0, y0) to (x1, y1), closed, of the given type.
struct BlockRect {
    float x0, y0, x1, y1;
    int type;
};
CmBlock& AddBlock(MapStore& store, float x0, float y0, float x1, float y1, int type);

// A store that counts as an open map.
MapStore MakeStore();

// Pixels of `image` inside `box` that have exactly `color` (0xRRGGBB), and
// those that are not white.
int CountColor(const QImage& image, QRect box, QRgb color);
int CountNonWhite(const QImage& image, QRect box);

// Stands in for the control panel: records every message it is sent.
class CMessageRecorder : public QWidget {
public:
    using QWidget::QWidget;
    struct Entry {
        int message;
        std::int64_t wParam;
        std::int64_t lParam;
    };
    std::vector<Entry> m_entries;
    std::vector<Entry> Of(int message) const;

protected:
    void customEvent(QEvent* event) override;
};
