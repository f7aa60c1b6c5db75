// The printed guide: its pages cut the town with overlaps and grids that put
// every point in one square, and the PDF that veltrix-tool guide writes lists
// each street once, in Spanish order, with the squares the layout gives, and
// each business in the square where it lies. The PDF is read back with
// poppler's pdftotext and pdfinfo, as a reader's viewer would read it.

#include "guide_layout.h"
#include "map_save.h"
#include "scratch_dir.h"
#include "test_towns.h"
#include "tool_run.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <map>
#include <set>
#include <vector>

namespace {

constexpr float kScale = 12.0f;

struct Business {
    const char* category;
    const char* name;
    MapPoint at;
};

const Business kBusinesses[] = {
    {"Farmacias", "Farmacia Del Ahorro", {-520, 380}},
    {"Farmacias", "Botica Central", {610, -120}},
    {"Cafés", "Café Ñuñoa", {15, 15}},
    {"Cafés", "Café Álamo", {-300, -400}},
};

// Blocks from (-700,-500) to (700,500), more than one page across and down at
// scale 12 on A4; streets whose names sort differently by bytes and by
// Spanish rules; one avenue across the whole town.
MapStore GuideTown() {
    MapStore store = MakeStore();
    store.m_strTown = "Santa Úrsula";
    store.m_strState = "Oaxaca";
    store.m_strCountry = "México";
    for (int x = -700; x < 700; x += 140)
        for (int y = -500; y < 500; y += 125)
            AddBlock(store, float(x), float(y), float(x + 100), float(y + 90),
                     1 + (x / 140 + 7) % 3);
    const auto street = [&](const std::string& name, int x0, int y0, int x1, int y1) {
        std::vector<MapPoint> points;
        const int n = std::max(std::abs(x1 - x0), std::abs(y1 - y0)) / 5;
        for (int i = 0; i <= n; ++i)
            points.push_back({x0 + (x1 - x0) * i / n, y0 + (y1 - y0) * i / n});
        AddStreet(store, name, kScale, points);
    };
    street("Avenida Larga", -690, 95, 690, 95);
    street("Álamo", -560, -440, -560, -300);
    street("Alameda", -150, 220, -40, 220);
    street("Nogal", 300, -300, 300, -200);
    street("Olmo", 450, 330, 600, 330);
    // Labels alone, and one on a traced street, which must not list it twice.
    for (const auto& [text, x, y] :
         {std::tuple{"Ñandú", -420, -230}, std::tuple{"avenida Central", 130, -470},
          std::tuple{"Zapote", 620, 470}, std::tuple{"Nogal", 310, -460}}) {
        CmStname label;
        label.m_x = x;
        label.m_y = y;
        label.m_strText = std::string(text);
        store.m_labels.push_back(label);
    }
    for (const Business& b : kBusinesses) {
        CmClasificados* category = store.m_directory.FindCategory(b.category);
        if (!category)
            category = &store.m_directory.AddCategory(b.category);
        category->AddBusiness(std::make_unique<CmNegocios>(
            b.at.x, b.at.y, 12, b.name, "Calle Hidalgo 4", "951 555 0101", store.m_counters));
    }
    return store;
}

std::optional<CGuideLayout> Layout(const MapStore& store) {
    GuideOptions options;
    options.scale = kScale;
    QString error;
    auto layout = CGuideLayout::Make(store, options, error);
    EXPECT_TRUE(layout) << error.toStdString();
    return layout;
}

QString Poppler(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool HavePoppler() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

// "12 C3 C4, 13 A3" back into places.
std::vector<GuidePlace> ParsePlaces(const QString& text) {
    std::vector<GuidePlace> places;
    static const QRegularExpression square(QStringLiteral("^([A-Z]+)(\\d+)$"));
    for (const QString& group : text.split(QStringLiteral(","), Qt::SkipEmptyParts)) {
        const QStringList words = group.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() < 2)
            return {};
        const int page = words[0].toInt();
        for (qsizetype i = 1; i < words.size(); ++i) {
            const auto m = square.match(words[i]);
            if (!m.hasMatch())
                return {};
            int column = 0;
            for (QChar c : m.captured(1))
                column = column * 26 + (c.unicode() - u'A' + 1);
            places.push_back({page, column - 1, m.captured(2).toInt() - 1});
        }
    }
    return places;
}

struct ListedEntry {
    QString name;
    QString places;
};

// The entries of one titled part of the lists, in the order printed: a line
// with dot leaders starts an entry, a line of places alone goes on with it.
std::vector<ListedEntry> Entries(const QString& text, const QString& from, const QString& to) {
    std::vector<ListedEntry> entries;
    static const QRegularExpression entry(QStringLiteral("^(.*?)\\s*\\.{3,}\\s*(.*)$"));
    static const QRegularExpression more(QStringLiteral("^\\d+ [A-Z]+\\d+|^[A-Z]+\\d+"));
    bool inside = false;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line == from)
            inside = true;
        else if (line == to)
            inside = false;
        if (!inside)
            continue;
        if (const auto m = entry.match(line); m.hasMatch())
            entries.push_back({m.captured(1), m.captured(2)});
        else if (!entries.empty() && more.match(line).hasMatch())
            entries.back().places += QLatin1Char(' ') + line;
    }
    return entries;
}

class GuideTool : public ::testing::Test {
protected:
    void SetUp() override {
        store = GuideTown();
        map = QString::fromStdString(dir.str() + "guia.map");
        pdf = QString::fromStdString(dir.str() + "guia.pdf");
        Problem error;
        ASSERT_TRUE(SaveMapFile(store, map.toStdString(), {}, error)) << error.Text();
    }
    ToolRun Guide(const QStringList& more = {}) {
        return RunTool(QStringList{QStringLiteral("guide"), map, QStringLiteral("-o"), pdf,
                                   QStringLiteral("--scale"), QString::number(kScale)} +
                       more);
    }

    ScratchDir dir;
    MapStore store;
    QString map;
    QString pdf;
};

} // namespace

TEST(GuideLayout, PagesOverlapTheirNeighboursAndPlaceEveryPointInTheSquareDrawnThere) {
    const MapStore town = GuideTown();
    const auto layout = Layout(town);
    ASSERT_TRUE(layout);
    ASSERT_GE(layout->GridColumns(), 2);
    ASSERT_GE(layout->GridRows(), 2);
    ASSERT_EQ(layout->Pages().size(), std::size_t(layout->GridColumns() * layout->GridRows()));
    EXPECT_EQ(layout->Pages().front().number, 3);
    for (const GuidePage& page : layout->Pages()) {
        const MapRect shown = page.transform.VisibleRect();
        if (page.right) {
            const GuidePage* next = layout->PageNumbered(page.right);
            ASSERT_TRUE(next);
            EXPECT_EQ(next->left, page.number);
            EXPECT_EQ(next->gridRow, page.gridRow);
            // A few percent of the page shown on both, no gap and no half page.
            const double shared = double(shown.right - next->transform.VisibleRect().left);
            EXPECT_GT(shared, 0.03 * shown.Width());
            EXPECT_LT(shared, 0.10 * shown.Width());
        }
        if (page.below) {
            const GuidePage* next = layout->PageNumbered(page.below);
            ASSERT_TRUE(next);
            EXPECT_EQ(next->above, page.number);
            const double shared = double(next->transform.VisibleRect().bottom - shown.top);
            EXPECT_GT(shared, 0.03 * shown.Height());
            EXPECT_LT(shared, 0.10 * shown.Height());
        }
    }
    // Every corner of every block has a place, and that square of that page
    // is where the page draws the point.
    for (const CmBlock& block : town.m_blocks) {
        for (const FloatPoint& fp : town.Outline(block)) {
            const MapPoint p{static_cast<std::int32_t>(fp.x), static_cast<std::int32_t>(fp.y)};
            const auto place = layout->PlaceOf(p);
            ASSERT_TRUE(place) << p.x << "," << p.y;
            const GuidePage* page = layout->PageNumbered(place->page);
            ASSERT_TRUE(page);
            const QPoint pixel = page->transform.ToPixel(p);
            EXPECT_TRUE(layout->SquarePixels(place->column, place->row).contains(QPointF(pixel)))
                << p.x << "," << p.y << " page " << place->page;
        }
    }
    EXPECT_FALSE(layout->PlaceOf({50000, 50000}));
}

TEST(GuideLayout, NamesPapersAndSquaresAsTheGuidePrintsThem) {
    EXPECT_EQ(GuideColumnName(0), QStringLiteral("A"));
    EXPECT_EQ(GuideColumnName(25), QStringLiteral("Z"));
    EXPECT_EQ(GuideColumnName(26), QStringLiteral("AA"));
    EXPECT_EQ(GuideSquareName(2, 2), QStringLiteral("C3"));
    EXPECT_EQ(GuidePaperNamed(QStringLiteral("doble carta")), GuidePaper::DobleCarta);
    EXPECT_FALSE(GuidePaperNamed(QStringLiteral("Oficio")));
    const QSizeF tabloid =
        GuidePaperMillimetres(GuidePaper::DobleCarta, GuideOrientation::Horizontal);
    EXPECT_NEAR(tabloid.width(), 431.8, 0.5);
    EXPECT_NEAR(tabloid.height(), 279.4, 0.5);
    // A bigger paper holds more of the town on a page: fewer pages.
    const MapStore town = GuideTown();
    GuideOptions big;
    big.scale = kScale;
    big.paper = GuidePaper::DobleCarta;
    QString error;
    const auto tabloidLayout = CGuideLayout::Make(town, big, error);
    const auto a4 = Layout(town);
    ASSERT_TRUE(tabloidLayout && a4);
    EXPECT_LT(tabloidLayout->Pages().size(), a4->Pages().size());
    // A map without blocks has nothing to lay out, and says so.
    EXPECT_FALSE(CGuideLayout::Make(MakeStore(), big, error));
    EXPECT_TRUE(error.contains(QStringLiteral("manzanas")));
}

TEST_F(GuideTool, PdfListsEveryStreetOnceInSpanishOrderWithTheLayoutsSquares) {
    if (!HavePoppler())
        GTEST_SKIP() << "pdftotext or pdfinfo (poppler-utils) is not installed.";
    const ToolRun run = Guide();
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const auto layout = Layout(store);
    ASSERT_TRUE(layout);

    // Cover, key map, the map pages, one page of index and one of directory.
    const QString info = Poppler(QStringLiteral("pdfinfo"), {pdf});
    const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    ASSERT_TRUE(pages.hasMatch()) << info.toStdString();
    EXPECT_EQ(pages.captured(1).toInt(), int(layout->Pages().size()) + 4);
    // Vector pages: a few hundred kilobytes at most, text and all.
    EXPECT_LT(QFileInfo(pdf).size(), 2 * 1024 * 1024);

    const QString cover = Poppler(QStringLiteral("pdftotext"),
                                  {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                   QStringLiteral("1"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(cover.contains(QStringLiteral("Santa Úrsula"))) << cover.toStdString();
    EXPECT_TRUE(cover.contains(QStringLiteral("Oaxaca, México")));

    const QString text =
        Poppler(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    const std::vector<ListedEntry> streets =
        Entries(text, QStringLiteral("Índice de calles"), QStringLiteral("Directorio"));
    QStringList names;
    for (const ListedEntry& e : streets)
        names << e.name;
    EXPECT_EQ(names, (QStringList{"Alameda", "Álamo", "avenida Central", "Avenida Larga", "Nogal",
                                  "Ñandú", "Olmo", "Zapote"}));

    // The places each street should have: the squares of its points and labels.
    std::map<QString, std::set<GuidePlace>> expected;
    for (const auto& street : store.m_listStreets)
        for (MapPoint p : street->m_points)
            if (const auto place = layout->PlaceOf(p))
                expected[QString::fromStdString(street->m_strName)].insert(*place);
    for (const CmStname& label : store.m_labels)
        if (const auto place = layout->PlaceOf({label.m_x, label.m_y}))
            expected[QString::fromStdString(label.m_strText.str())].insert(*place);
    for (const ListedEntry& e : streets) {
        const std::vector<GuidePlace> listed = ParsePlaces(e.places);
        EXPECT_EQ(std::set<GuidePlace>(listed.begin(), listed.end()), expected[e.name])
            << e.name.toStdString() << ": " << e.places.toStdString();
        EXPECT_EQ(listed.size(), expected[e.name].size()) << e.name.toStdString();
    }
    std::set<int> avenuePages;
    for (const GuidePlace& place : expected[QStringLiteral("Avenida Larga")])
        avenuePages.insert(place.page);
    EXPECT_GE(avenuePages.size(), 2u);

    // A label's page shows it, and says which page it is.
    const GuidePlace zapote = *layout->PlaceOf({620, 470});
    const QString page =
        Poppler(QStringLiteral("pdftotext"),
                {QStringLiteral("-f"), QString::number(zapote.page), QStringLiteral("-l"),
                 QString::number(zapote.page), pdf, QStringLiteral("-")});
    EXPECT_TRUE(page.contains(QStringLiteral("Zapote"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("Página %1").arg(zapote.page)));
}

TEST_F(GuideTool, DirectoryPutsEachBusinessInTheSquareWhereThePageDrawsIt) {
    if (!HavePoppler())
        GTEST_SKIP() << "pdftotext or pdfinfo (poppler-utils) is not installed.";
    ASSERT_EQ(Guide().code, 0);
    const auto layout = Layout(store);
    ASSERT_TRUE(layout);
    const QString text =
        Poppler(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    const std::vector<ListedEntry> listed =
        Entries(text, QStringLiteral("Directorio"), QStringLiteral("Referencias"));
    // Categories in Spanish order, each business under its own.
    const qsizetype cafes = text.indexOf(QStringLiteral("\nCafés\n"));
    const qsizetype farmacias = text.indexOf(QStringLiteral("\nFarmacias\n"));
    ASSERT_GE(cafes, 0);
    EXPECT_GT(farmacias, cafes);
    ASSERT_EQ(listed.size(), std::size(kBusinesses));
    for (const Business& b : kBusinesses) {
        const QString name = QString::fromUtf8(b.name);
        const auto it = std::find_if(listed.begin(), listed.end(),
                                     [&](const ListedEntry& e) { return e.name == name; });
        ASSERT_NE(it, listed.end()) << b.name;
        const std::vector<GuidePlace> places = ParsePlaces(it->places);
        ASSERT_EQ(places.size(), 1u) << b.name << ": " << it->places.toStdString();
        const GuidePage* page = layout->PageNumbered(places[0].page);
        ASSERT_TRUE(page) << b.name;
        const QPoint pixel = page->transform.ToPixel(b.at);
        EXPECT_TRUE(layout->SquarePixels(places[0].column, places[0].row).contains(QPointF(pixel)))
            << b.name << " is listed in " << it->places.toStdString();
        const bool underCafes = text.indexOf(name) > cafes && text.indexOf(name) < farmacias;
        EXPECT_EQ(underCafes, QString::fromUtf8(b.category) == QStringLiteral("Cafés")) << b.name;
    }
    EXPECT_TRUE(text.contains(QStringLiteral("Calle Hidalgo 4 · Tel. 951 555 0101")));
}

TEST_F(GuideTool, RefusesToReplaceAGuideOrToPrintBadInputAndLeavesNoFile) {
    ASSERT_EQ(Guide().code, 0);
    const qint64 size = QFileInfo(pdf).size();
    ASSERT_GT(size, 0);
    const ToolRun again = Guide({QStringLiteral("--paper"), QStringLiteral("Carta")});
    EXPECT_EQ(again.code, 1);
    EXPECT_TRUE(again.err.contains(QStringLiteral("Ya existe"))) << again.err.toStdString();
    EXPECT_EQ(QFileInfo(pdf).size(), size);
    EXPECT_EQ(Guide({QStringLiteral("--paper"), QStringLiteral("Doble carta"),
                     QStringLiteral("--orientation"), QStringLiteral("horizontal"),
                     QStringLiteral("--force")})
                  .code,
              0);
    EXPECT_NE(QFileInfo(pdf).size(), size);
    ASSERT_TRUE(QFile::remove(pdf));

    for (const QStringList& bad :
         {QStringList{QStringLiteral("--paper"), QStringLiteral("Oficio")},
          QStringList{QStringLiteral("--orientation"), QStringLiteral("diagonal")},
          QStringList{QStringLiteral("--scale"), QStringLiteral("40")},
          QStringList{QStringLiteral("--layers"), QStringLiteral("nombres,tuberias")}}) {
        const ToolRun run = Guide(bad);
        EXPECT_EQ(run.code, 2) << bad.join(' ').toStdString();
        EXPECT_FALSE(run.err.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(pdf));
    }

    // A map with no blocks has no plan to print.
    Problem error;
    ASSERT_TRUE(SaveMapFile(MakeStore(), map.toStdString(), {}, error)) << error.Text();
    const ToolRun empty = Guide();
    EXPECT_EQ(empty.code, 1);
    EXPECT_TRUE(empty.err.contains(QStringLiteral("no tiene manzanas"))) << empty.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"guia.map"});
}
