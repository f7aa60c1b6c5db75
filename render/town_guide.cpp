#include "town_guide.h"

#include "map_renderer.h"
#include "map_store.h"
#include "print_layout.h"
#include "scale_bar.h"
#include "street.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

namespace {

constexpr double kMm = kGuideDpi / 25.4;
constexpr double kMarginMm = 10.0;
constexpr double kColumnGapMm = 8.0;
const QColor kInk(30, 30, 30);
const QColor kGrid(40, 40, 140);
const QColor kFaint(100, 100, 100);
const QColor kKeyPage(180, 0, 0);

QFont GuideFont(double points, bool bold = false) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QString GuideFailure(const QString& path) {
    return QCoreApplication::translate("Guide", "No se pudo guardar la guía en %1.").arg(path);
}

QPageSize::PageSizeId PageSizeOf(GuidePaper paper) {
    switch (paper) {
    case GuidePaper::Carta:
        return QPageSize::Letter;
    case GuidePaper::DobleCarta:
        return QPageSize::Tabloid;
    case GuidePaper::A4:
        break;
    }
    return QPageSize::A4;
}

QString TownName(const MapStore& store) {
    QString town = QString::fromStdString(store.m_strTown).trimmed();
    if (town.isEmpty())
        town = QString::fromStdString(store.m_strTitle).trimmed();
    return town.isEmpty() ? QCoreApplication::translate("Guide", "Plano de la ciudad") : town;
}

// The text with the characters drawn centred on `centre`'s x and with its
// baseline at `centre`'s y.
void DrawCentred(QPainter& p, QPointF centre, const QString& text) {
    const double w = QFontMetricsF(p.font()).horizontalAdvance(text);
    p.drawText(QPointF(centre.x() - w / 2, centre.y()), text);
}

// The text centred on `centre` both ways.
void DrawMiddle(QPainter& p, QPointF centre, const QString& text) {
    const QFontMetricsF fm(p.font());
    DrawCentred(p, QPointF(centre.x(), centre.y() + (fm.ascent() - fm.descent()) / 2), text);
}

class CGuideWriter {
public:
    CGuideWriter(QPdfWriter& writer, QPainter& painter, const CGuideLayout& layout,
                 const GuideRequest& request)
        : m_writer(writer), m_p(painter), m_layout(layout), m_request(request),
          m_page(layout.PagePixels()), m_town(TownName(request.store)) {
        // Paper shows every name it keeps: none may cover another.
        m_renderer.SetLabelPlacement(true);
    }

    bool Write(const GuideIndex& index);
    // The progress asked for the guide to stop.
    bool Stopped() const { return m_bStopped; }

private:
    bool NextPage();
    void Header(const QString& title);
    void Cover();
    void KeyMap();
    void MapPage(const GuidePage& page);
    void Lists(const GuideIndex& index);

    // The lists flow down two columns, page after page.
    void BeginSection(const QString& title);
    void Heading(const QString& text);
    void Entry(const GuideEntry& entry);
    void Room(double height);
    double ColumnWidth() const;
    double ColumnLeft() const;

    QPdfWriter& m_writer;
    QPainter& m_p;
    const CGuideLayout& m_layout;
    const GuideRequest& m_request;
    QSizeF m_page;
    QString m_town;
    CMapRenderer m_renderer;
    int m_nPage = 0; // the number of the page being drawn
    bool m_bStopped = false;
    int m_nDone = 0;
    int m_nTotal = 0;

    QString m_section;
    int m_nColumn = 0;
    double m_y = 0;
    double m_top = 0;
    double m_bottom = 0;
};

bool CGuideWriter::NextPage() {
    if (m_nPage > 0) {
        if (m_request.progress && !m_request.progress(++m_nDone, m_nTotal)) {
            m_bStopped = true;
            return false;
        }
        if (!m_writer.newPage())
            return false;
    }
    ++m_nPage;
    return true;
}

void CGuideWriter::Header(const QString& title) {
    const double baseline = (kMarginMm + 5.0) * kMm;
    m_p.setPen(kInk);
    m_p.setFont(GuideFont(10, true));
    m_p.drawText(QPointF(kMarginMm * kMm, baseline), title);
    const QString number = QCoreApplication::translate("Guide", "Página %1").arg(m_nPage);
    const double w = QFontMetricsF(m_p.font()).horizontalAdvance(number);
    m_p.drawText(QPointF(m_page.width() - kMarginMm * kMm - w, baseline), number);
    m_p.setPen(QPen(kFaint, 0.6));
    m_p.drawLine(QPointF(kMarginMm * kMm, baseline + 2.0 * kMm),
                 QPointF(m_page.width() - kMarginMm * kMm, baseline + 2.0 * kMm));
}

void CGuideWriter::Cover() {
    const MapStore& store = m_request.store;
    const double cx = m_page.width() / 2;
    m_p.setPen(kInk);
    m_p.setFont(GuideFont(30, true));
    DrawCentred(m_p, QPointF(cx, 45 * kMm), m_town);
    m_p.setFont(GuideFont(16));
    DrawCentred(m_p, QPointF(cx, 58 * kMm), QCoreApplication::translate("Guide", "Guía de calles"));
    QStringList where;
    for (const std::string* part : {&store.m_strState, &store.m_strCountry})
        if (const QString text = QString::fromStdString(*part).trimmed(); !text.isEmpty())
            where << text;
    m_p.setFont(GuideFont(14));
    if (!where.isEmpty())
        DrawCentred(m_p, QPointF(cx, 70 * kMm), where.join(QStringLiteral(", ")));

    if (!m_request.overview.isNull()) {
        const QRectF box(25 * kMm, 85 * kMm, m_page.width() - 50 * kMm,
                         m_page.height() - 135 * kMm);
        QSizeF size = QSizeF(m_request.overview.size()).scaled(box.size(), Qt::KeepAspectRatio);
        const QRectF target(box.center().x() - size.width() / 2,
                            box.center().y() - size.height() / 2, size.width(), size.height());
        m_p.drawImage(target, m_request.overview);
    }

    // The locale's name is a text of the catalogue too, so that the month
    // names follow the language.
    const QLocale locale(QCoreApplication::translate("Guide", "es_MX"));
    m_p.setFont(GuideFont(12));
    DrawCentred(
        m_p, QPointF(cx, m_page.height() - 35 * kMm),
        QCoreApplication::translate("Guide", "Impreso el %1")
            .arg(locale.toString(QDate::currentDate(),
                                 QCoreApplication::translate("Guide", "d 'de' MMMM 'de' yyyy"))));
    m_p.setFont(GuideFont(9));
    m_p.setPen(kFaint);
    DrawCentred(m_p, QPointF(cx, m_page.height() - 18 * kMm),
                QStringLiteral("%1 · %2").arg(QString::fromLatin1(kPrintDocumentName),
                                              QString::fromLatin1(kPrintWebAddress)));
}

void CGuideWriter::KeyMap() {
    Header(QCoreApplication::translate("Guide", "%1 · Plano de conjunto").arg(m_town));
    const QRectF frame = m_layout.Frame();
    const QSize client(static_cast<int>(frame.width()), static_cast<int>(frame.height()));
    // The whole of what the pages show, fitted into the frame.
    MapRect all{};
    for (const GuidePage& page : m_layout.Pages())
        all = UnionRect(all, page.transform.VisibleRect());
    const double fit = std::min(client.width() / double(std::max<std::int64_t>(all.Width(), 1)),
                                client.height() / double(std::max<std::int64_t>(all.Height(), 1)));
    const float scale = static_cast<float>(10.0 * fit * 0.98);
    const MapTransform probe(client, scale, QPoint());
    const MapPoint centre{static_cast<std::int32_t>(all.left + all.Width() / 2),
                          static_cast<std::int32_t>(all.top + all.Height() / 2)};
    const MapTransform t(client, scale, probe.OriginCentering(centre));
    // Blocks only: at this size names and marks would be a smudge.
    LayerSwitches layers;
    for (bool LayerSwitches::*s :
         {&LayerSwitches::m_bShowStreetNames, &LayerSwitches::m_bShowMarks,
          &LayerSwitches::m_bShowReferences, &LayerSwitches::m_bShowTracedStreets,
          &LayerSwitches::m_bShowColonies, &LayerSwitches::m_bShowAllRoutes,
          &LayerSwitches::m_bShowScaleBar})
        layers.*s = false;
    layers.m_bFillBlocks = m_request.layers.m_bFillBlocks;

    m_p.save();
    m_p.translate(frame.topLeft());
    m_p.setClipRect(QRect(QPoint(0, 0), client));
    m_renderer.DrawLayers(m_p, m_request.store, t, layers);
    m_p.setPen(QPen(kKeyPage, 1.2));
    m_p.setBrush(Qt::NoBrush);
    for (const GuidePage& page : m_layout.Pages()) {
        const QPointF a = t.ToPixel(static_cast<std::int32_t>(std::lround(page.coreLeft)),
                                    static_cast<std::int32_t>(std::lround(page.coreTop)));
        const QPointF b = t.ToPixel(static_cast<std::int32_t>(std::lround(page.coreRight)),
                                    static_cast<std::int32_t>(std::lround(page.coreBottom)));
        const QRectF r = QRectF(a, b).normalized();
        m_p.drawRect(r);
        m_p.setFont(GuideFont(std::clamp(r.height() / kMm * 1.2, 4.0, 16.0), true));
        DrawMiddle(m_p, r.center(), QString::number(page.number));
    }
    m_p.restore();
    m_p.setPen(QPen(kInk, 1.0));
    m_p.drawRect(frame);
}

void CGuideWriter::MapPage(const GuidePage& page) {
    Header(QCoreApplication::translate("Guide", "%1 · Escala 1:%2")
               .arg(m_town)
               .arg(GuidePaperScale(m_layout)));
    const QRectF frame = m_layout.Frame();
    const MapTransform& t = page.transform;
    m_p.save();
    m_p.translate(frame.topLeft());
    m_p.setClipRect(QRect(QPoint(0, 0), t.ClientSize()));
    m_renderer.DrawLayers(m_p, m_request.store, t, m_request.layers);
    if (m_request.layers.m_bShowScaleBar)
        DrawScaleBar(m_p, t, ScaleBarCorner(t.ClientSize()));
    m_p.restore();

    // The grid, its letters across and numbers down on every side.
    const int columns = m_layout.Columns(), rows = m_layout.Rows();
    m_p.setPen(QPen(kGrid, 0.7));
    for (int c = 1; c < columns; ++c) {
        const double x = frame.left() + m_layout.SquarePixels(c, 0).left();
        m_p.drawLine(QPointF(x, frame.top()), QPointF(x, frame.bottom()));
    }
    for (int r = 1; r < rows; ++r) {
        const double y = frame.top() + m_layout.SquarePixels(0, r).top();
        m_p.drawLine(QPointF(frame.left(), y), QPointF(frame.right(), y));
    }
    m_p.setPen(QPen(kInk, 1.4));
    m_p.drawRect(frame);
    m_p.setPen(kGrid);
    m_p.setFont(GuideFont(9, true));
    const double band = 2.5 * kMm;
    for (int c = 0; c < columns; ++c) {
        const QRectF square = m_layout.SquarePixels(c, 0).translated(frame.topLeft());
        DrawMiddle(m_p, QPointF(square.center().x(), frame.top() - band), GuideColumnName(c));
        DrawMiddle(m_p, QPointF(square.center().x(), frame.bottom() + band), GuideColumnName(c));
    }
    for (int r = 0; r < rows; ++r) {
        const QRectF square = m_layout.SquarePixels(0, r).translated(frame.topLeft());
        DrawMiddle(m_p, QPointF(frame.left() - band, square.center().y()), QString::number(r + 1));
        DrawMiddle(m_p, QPointF(frame.right() + band, square.center().y()), QString::number(r + 1));
    }

    // Where the map goes on, in the band outside the letters and numbers.
    m_p.setPen(kInk);
    m_p.setFont(GuideFont(8));
    const auto next = [](int number) {
        return QCoreApplication::translate("Guide", "Continúa en la página %1").arg(number);
    };
    const double out = 2 * band + 3.0 * kMm;
    if (page.above)
        DrawMiddle(m_p, QPointF(frame.center().x(), frame.top() - out), next(page.above));
    if (page.below)
        DrawMiddle(m_p, QPointF(frame.center().x(), frame.bottom() + out), next(page.below));
    for (const auto& [number, x, angle] : {std::tuple{page.left, frame.left() - out, -90.0},
                                           std::tuple{page.right, frame.right() + out, 90.0}}) {
        if (!number)
            continue;
        m_p.save();
        m_p.translate(x, frame.center().y());
        m_p.rotate(angle);
        DrawMiddle(m_p, QPointF(0, 0), next(number));
        m_p.restore();
    }
}

double CGuideWriter::ColumnWidth() const {
    return (m_page.width() - 2 * kMarginMm * kMm - kColumnGapMm * kMm) / 2;
}

double CGuideWriter::ColumnLeft() const {
    return kMarginMm * kMm + m_nColumn * (ColumnWidth() + kColumnGapMm * kMm);
}

void CGuideWriter::BeginSection(const QString& title) {
    if (!NextPage())
        return;
    m_section = title;
    Header(QStringLiteral("%1 · %2").arg(m_town, title));
    m_p.setPen(kInk);
    m_p.setFont(GuideFont(16, true));
    m_p.drawText(QPointF(kMarginMm * kMm, (kMarginMm + 18.0) * kMm), title);
    m_nColumn = 0;
    m_top = (kMarginMm + 12.0) * kMm;
    m_y = (kMarginMm + 24.0) * kMm;
    m_bottom = m_page.height() - kMarginMm * kMm;
}

// Moves to the next column, or the next page of the section, when `height`
// does not fit below what the column holds.
void CGuideWriter::Room(double height) {
    if (m_bStopped || m_y + height <= m_bottom)
        return;
    if (m_nColumn == 0) {
        m_nColumn = 1;
    } else {
        if (!NextPage())
            return;
        Header(QStringLiteral("%1 · %2").arg(m_town, m_section));
        m_nColumn = 0;
    }
    m_y = m_top + 4.0 * kMm;
}

void CGuideWriter::Heading(const QString& text) {
    const QFont font = GuideFont(10, true);
    const double line = QFontMetricsF(font).lineSpacing();
    // A heading never ends a column alone.
    Room(line * 1.5 + QFontMetricsF(GuideFont(8)).lineSpacing() * 2);
    if (m_bStopped)
        return;
    m_y += line * 0.5;
    m_p.setFont(font);
    m_p.setPen(kInk);
    m_y += QFontMetricsF(font).ascent();
    m_p.drawText(QPointF(ColumnLeft(), m_y), text);
    m_y += line - QFontMetricsF(font).ascent();
}

void CGuideWriter::Entry(const GuideEntry& entry) {
    const QFont font = GuideFont(8);
    const QFont small = GuideFont(7);
    const QFontMetricsF fm(font), fs(small);
    const double width = ColumnWidth();
    // The places, broken into lines of at most half the column between
    // squares, never between a page's number and its first square.
    QStringList words;
    int page = 0;
    for (const GuidePlace& place : entry.places) {
        const QString square = GuideSquareName(place.column, place.row);
        if (place.page != page) {
            if (!words.isEmpty())
                words.last() += QLatin1Char(',');
            words << QStringLiteral("%1 %2").arg(place.page).arg(square);
            page = place.page;
        } else {
            words << square;
        }
    }
    if (words.isEmpty())
        words << GuidePlacesText(entry.places);
    QStringList lines;
    for (const QString& word : words) {
        if (!lines.isEmpty() &&
            fm.horizontalAdvance(lines.last() + QLatin1Char(' ') + word) <= width * 0.5)
            lines.last() += QLatin1Char(' ') + word;
        else
            lines << word;
    }
    const double height =
        fm.lineSpacing() * lines.size() + (entry.detail.isEmpty() ? 0 : fs.lineSpacing());
    Room(height);
    if (m_bStopped)
        return;
    const double left = ColumnLeft(), right = left + width;
    m_p.setPen(kInk);
    m_p.setFont(font);
    double y = m_y + fm.ascent();
    const double placesWidth = fm.horizontalAdvance(lines.first());
    const double dot = fm.horizontalAdvance(QLatin1Char('.'));
    const double space = fm.horizontalAdvance(QLatin1Char(' '));
    const QString name =
        fm.elidedText(entry.name, Qt::ElideRight, width - placesWidth - 4 * dot - 2 * space);
    m_p.drawText(QPointF(left, y), name);
    const double nameEnd = left + fm.horizontalAdvance(name) + space;
    const double placesStart = right - placesWidth;
    const int dots = static_cast<int>((placesStart - space - nameEnd) / dot);
    if (dots > 0)
        m_p.drawText(QPointF(placesStart - space - dots * dot, y), QString(dots, QLatin1Char('.')));
    m_p.drawText(QPointF(placesStart, y), lines.first());
    for (int i = 1; i < lines.size(); ++i) {
        y += fm.lineSpacing();
        m_p.drawText(QPointF(right - fm.horizontalAdvance(lines[i]), y), lines[i]);
    }
    m_y += fm.lineSpacing() * lines.size();
    if (!entry.detail.isEmpty()) {
        m_p.setFont(small);
        m_p.setPen(kFaint);
        const double indent = 3.0 * kMm;
        m_p.drawText(QPointF(left + indent, m_y + fs.ascent()),
                     fs.elidedText(entry.detail, Qt::ElideRight, width - indent));
        m_y += fs.lineSpacing();
    }
}

void CGuideWriter::Lists(const GuideIndex& index) {
    BeginSection(QCoreApplication::translate("Guide", "Índice de calles"));
    for (const GuideEntry& entry : index.streets)
        Entry(entry);
    if (m_bStopped)
        return;
    BeginSection(QCoreApplication::translate("Guide", "Directorio"));
    for (const GuideCategory& category : index.directory) {
        Heading(category.name);
        for (const GuideEntry& entry : category.businesses)
            Entry(entry);
    }
    for (const auto& [title, entries] :
         {std::pair{QCoreApplication::translate("Guide", "Referencias"), &index.references},
          std::pair{QCoreApplication::translate("Guide", "Colonias"), &index.colonies}}) {
        if (entries->empty() || m_bStopped)
            continue;
        Heading(title);
        for (const GuideEntry& entry : *entries)
            Entry(entry);
    }
}

bool CGuideWriter::Write(const GuideIndex& index) {
    // The lists' pages are not known before they are laid out; they count as two.
    m_nTotal = 2 + static_cast<int>(m_layout.Pages().size()) + 2;
    if (!NextPage())
        return false;
    Cover();
    if (!NextPage())
        return false;
    KeyMap();
    for (const GuidePage& page : m_layout.Pages()) {
        if (!NextPage())
            return false;
        MapPage(page);
    }
    Lists(index);
    if (m_bStopped)
        return false;
    if (m_request.progress && !m_request.progress(m_nTotal, m_nTotal)) {
        m_bStopped = true;
        return false;
    }
    return true;
}

} // namespace

LayerSwitches GuideLayers() {
    LayerSwitches layers = LayerSwitches::All();
    layers.m_bShowAllRoutes = false;
    return layers;
}

int GuidePaperScale(const CGuideLayout& layout) {
    if (layout.Pages().empty())
        return 0;
    const MapTransform& t = layout.Pages().front().transform;
    const double unitsPerPixel =
        std::abs(double(t.WindowExtent().width()) / t.ViewportExtent().width());
    const double metresPerPixel = unitsPerPixel * kMetresPerMapUnit;
    const double denominator = metresPerPixel * 1000.0 / (25.4 / kGuideDpi);
    return static_cast<int>(std::lround(denominator / 10.0) * 10);
}

bool WriteTownGuide(const QString& path, const GuideRequest& request, QString& error) {
    GuideOptions options = request.options;
    options.firstPage = 3; // after the cover and the key map
    const std::optional<CGuideLayout> layout = CGuideLayout::Make(request.store, options, error);
    if (!layout)
        return false;
    const GuideIndex index = BuildGuideIndex(request.store, *layout);

    QString target;
    if (!SaveFileTarget(path, target, error))
        return false;
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        error = GuideFailure(path);
        return false;
    }
    bool written = false;
    bool stopped = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(static_cast<int>(kGuideDpi));
        writer.setTitle(QCoreApplication::translate("Guide", "%1 · Guía de calles")
                            .arg(TownName(request.store)));
        writer.setCreator(QString::fromLatin1(kPrintDocumentName));
        writer.setPageLayout(QPageLayout(QPageSize(PageSizeOf(options.paper)),
                                         options.orientation == GuideOrientation::Horizontal
                                             ? QPageLayout::Landscape
                                             : QPageLayout::Portrait,
                                         QMarginsF()));
        QPainter painter;
        if (painter.begin(&writer)) {
            CGuideWriter guide(writer, painter, *layout, request);
            written = guide.Write(index);
            stopped = guide.Stopped();
            written = painter.end() && written;
        }
    }
    if (!written) {
        file.cancelWriting();
        error = stopped ? QString() : GuideFailure(path);
        return false;
    }
    if (!file.commit()) {
        error = GuideFailure(path);
        return false;
    }
    return true;
}
