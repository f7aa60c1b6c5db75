#include "scale_bar.h"

#include "street.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kEdge = 10;
// The printed footer's text cell starts 40 pixels above the picture's bottom.
constexpr int kPrintedEdge = 48;
constexpr int kPadding = 4;
constexpr int kTick = 6;
constexpr int kLine = 2;

double PixelsPerMetre(const MapTransform& t) {
    const double units = std::abs(t.WindowExtent().width());
    const double pixels = std::abs(t.ViewportExtent().width());
    return pixels / units / kMetresPerMapUnit;
}

QString LengthText(int metres) {
    if (metres >= 1000)
        return QStringLiteral("%1 km").arg(metres / 1000);
    return QStringLiteral("%1 m").arg(metres);
}

QFont BarFont() {
    QFont font;
    font.setPixelSize(11);
    return font;
}

} // namespace

ScaleBarLength ChooseScaleBar(const MapTransform& transform) {
    const double perMetre = PixelsPerMetre(transform);
    ScaleBarLength chosen;
    // From one metre up to five thousand kilometres, far past what 1 to 20 need.
    for (int power = 1; power <= 1000000; power *= 10) {
        for (int step : {1, 2, 5}) {
            const int metres = step * power;
            const int pixels = static_cast<int>(std::lround(metres * perMetre));
            if (pixels > kScaleBarMaxPixels && chosen.metres != 0)
                return chosen;
            chosen = {metres, std::max(pixels, 1), LengthText(metres)};
        }
    }
    return chosen;
}

namespace {

QRect BoxOf(const ScaleBarLength& bar, const QFontMetrics& metrics, QPoint corner) {
    const int textWidth = metrics.horizontalAdvance(bar.text);
    const int width = std::max(bar.pixels, textWidth) + 2 * kPadding;
    const int height = kPadding + metrics.height() + 2 + kTick + kPadding;
    return QRect(corner.x(), corner.y() - height, width, height);
}

} // namespace

QRect ScaleBarBox(const MapTransform& transform, QPoint corner) {
    return BoxOf(ChooseScaleBar(transform), QFontMetrics(BarFont()), corner);
}

void DrawScaleBar(QPainter& painter, const MapTransform& transform, QPoint corner) {
    const ScaleBarLength bar = ChooseScaleBar(transform);
    const QFont font = BarFont();
    const QFontMetrics metrics(font);
    const QRect box = BoxOf(bar, metrics, corner);
    const int width = box.width();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(box, QColor(255, 255, 255, 200));
    const int left = box.left() + kPadding + (width - 2 * kPadding - bar.pixels) / 2;
    const int bottom = box.bottom() - kPadding;
    const QColor ink(Qt::black);
    // The line covers exactly bar.pixels columns, its end ticks inside them.
    painter.fillRect(QRect(left, bottom - kLine + 1, bar.pixels, kLine), ink);
    painter.fillRect(QRect(left, bottom - kTick + 1, kLine, kTick), ink);
    painter.fillRect(QRect(left + bar.pixels - kLine, bottom - kTick + 1, kLine, kTick), ink);
    painter.setFont(font);
    painter.setPen(ink);
    const QRect textCell(box.left(), box.top() + kPadding, width, metrics.height());
    painter.drawText(textCell, Qt::AlignHCenter | Qt::AlignTop, bar.text);
    painter.restore();
}

QPoint ScaleBarCorner(QSize client) {
    return {kEdge, client.height() - kEdge};
}

QPoint PrintedScaleBarCorner(QSize picture) {
    return {kEdge, picture.height() - kPrintedEdge};
}
