// Printing, copying and export: the page layout arithmetic, a printed PDF page
// read back (one page, the picture where the layout puts it, the footer in
// it), the clipboard picture, the exported files and the scale bar they carry.

#include "image_bitmap.h"
#include "map_printer.h"
#include "map_save.h"
#include "map_window.h"
#include "modal_script.h"
#include "output_fixture.h"
#include "print_layout.h"
#include "qt_helpers.h"
#include "scale_bar.h"
#include "tool_run.h"

#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QPrinter>
#include <QRegularExpression>
#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(PrintRect)

namespace {

struct PdfStream {
    QByteArray dict;
    QByteArray data;
};

// The streams of a PDF file as Qt writes it, with their dictionaries.
QList<PdfStream> StreamsOf(const QByteArray& pdf) {
    QList<PdfStream> out;
    qsizetype from = 0;
    while (true) {
        const qsizetype start = pdf.indexOf("\nstream\n", from);
        if (start < 0)
            break;
        const qsizetype end = pdf.indexOf("endstream", start);
        if (end < 0)
            break;
        const qsizetype obj = pdf.lastIndexOf(" obj", start);
        PdfStream s;
        s.dict = pdf.mid(obj, start - obj);
        s.data = pdf.mid(start + 8, end - start - 8);
        out.append(s);
        from = end;
    }
    return out;
}

QByteArray Inflate(const QByteArray& deflated) {
    // qUncompress wants the expected size first; it grows past a low guess.
    QByteArray framed("\0\0\x10\0", 4);
    framed += deflated;
    return qUncompress(framed);
}

int NearBlackPixels(const QImage& image, const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            n += (qRed(c) < 90 && qGreen(c) < 90 && qBlue(c) < 90) ? 1 : 0;
        }
    return n;
}

// Where the footer is written in a 800 x 600 view.
const QRect kFooterBand(10, 600 - 40, 400, 20);

// The longest run of near-black pixels along one row of `area`: the scale bar.
struct DarkRun {
    int length = 0;
    int left = 0;
    int row = -1;
};

bool Dark(QRgb c) {
    return qRed(c) < 60 && qGreen(c) < 60 && qBlue(c) < 60;
}

DarkRun LongestDarkRun(const QImage& image, const QRect& area) {
    DarkRun best;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        int run = 0;
        for (int x = area.left(); x <= area.right() + 1; ++x) {
            if (x <= area.right() && Dark(image.pixel(x, y))) {
                ++run;
                continue;
            }
            if (run > best.length)
                best = {run, x - run, y};
            run = 0;
        }
    }
    return best;
}

// The columns holding dark pixels in `area`, as a span.
std::pair<int, int> DarkColumns(const QImage& image, const QRect& area) {
    int first = -1;
    int last = -1;
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (Dark(image.pixel(x, y))) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
    return {first, last};
}

} // namespace

class TestMapPrinter : public QObject {
    Q_OBJECT
private slots:
    void printAreaKeepsMargins();
    void placementFormula_data();
    void placementFormula();
    void footerIsWrittenIntoThePicture();
    void printsOnePdfPageWithPictureWhereTheLayoutPutsIt();
    void copyPutsTheWindowOnTheClipboard();
    void exportWritesPngAndPdf();
    void exportToAMissingFolderSaysSoAndWritesNothing();
    void scaleBarLengthAndText_data();
    void scaleBarLengthAndText();
    void scaleBarOnScreenOnPaperAndSwitchedOff();
    void toolDrawsWhatTheWindowShows();
};

void TestMapPrinter::printAreaKeepsMargins() {
    QCOMPARE(PrintArea(QSize(4960, 7016)), (PrintRect{100, 100, 4860, 6916}));
    QCOMPARE(PrintFooter("VELTRIX  Pueblo, Estado - País"),
             QStringLiteral("VELTRIX  Pueblo, Estado - País  www.veltrix.mx"));
}

void TestMapPrinter::placementFormula_data() {
    QTest::addColumn<QSize>("view");
    QTest::addColumn<PrintRect>("area");
    QTest::addColumn<QRect>("placed");
    const PrintRect portrait{100, 100, 4860, 6916};
    // Wide window on a portrait page: the full width, centred in height by
    // halving the bottom edge, 50 pixels above the area's true centre.
    QTest::newRow("wide on portrait") << QSize(800, 600) << portrait << QRect(50, 1673, 4760, 3570);
    // Tall window: the full height; 50 pixels left of the true centre.
    QTest::newRow("tall on portrait") << QSize(300, 800) << portrait << QRect(1152, 50, 2556, 6816);
    // Integer division truncates: 1001 * 6816 / 999 = 6829.6.
    QTest::newRow("truncating") << QSize(1001, 999) << PrintRect{100, 100, 7000, 6916}
                                << QRect(85, 50, 6829, 6816);
    QTest::newRow("no height") << QSize(800, 0) << portrait << QRect();
    QTest::newRow("no width") << QSize(0, 600) << portrait << QRect();
    QTest::newRow("page inside its margins")
        << QSize(800, 600) << PrintRect{100, 100, 150, 90} << QRect();
    QTest::newRow("too wide to keep a row")
        << QSize(30000, 1) << PrintRect{100, 100, 200, 200} << QRect();
}

void TestMapPrinter::placementFormula() {
    QFETCH(QSize, view);
    QFETCH(PrintRect, area);
    QFETCH(QRect, placed);
    QCOMPARE(PrintPlacement(view, area), placed);
}

void TestMapPrinter::footerIsWrittenIntoThePicture() {
    OutputFixture f;
    f.wnd->ZoomTo(20.0f, MapPoint{0, 0}); // nothing but white near the bottom
    f.wnd->SetScaleBarShown(false);       // it has tests of its own
    const QImage view = f.wnd->RenderView();
    const QImage printed = f.wnd->Printer().PrintedView();
    QCOMPARE(printed.size(), view.size());
    QCOMPARE(NearBlackPixels(view, kFooterBand), 0);
    QVERIFY(NearBlackPixels(printed, kFooterBand) > 40);
    // Above the footer the picture is the view.
    const QRect above(0, 0, 800, 600 - 45);
    QCOMPARE(printed.copy(above), view.convertToFormat(printed.format()).copy(above));
}

void TestMapPrinter::printsOnePdfPageWithPictureWhereTheLayoutPutsIt() {
    OutputFixture f;
    f.wnd->ZoomTo(20.0f, MapPoint{0, 0});
    const QString path = f.tempRoot.filePath(QStringLiteral("pagina.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QString error;
    CMapPrinter mapPrinter = f.wnd->Printer();
    QVERIFY2(mapPrinter.PrintTo(printer, error), qPrintable(error));
    const QSize printable(printer.width(), printer.height());
    QCOMPARE(mapPrinter.LastPrintArea(), PrintArea(printable));
    const QRect placed = PrintPlacement(QSize(800, 600), PrintArea(printable));
    QCOMPARE(placed.x(), 50); // a wide window takes the full width

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    QVERIFY(pdf.startsWith("%PDF"));
    const QRegularExpression page(QStringLiteral("/Type\\s*/Page\\b(?!s)"));
    QCOMPARE(QString::fromLatin1(pdf).count(page), 1);
    // The job's name is the document's title, written in UTF-16.
    QVERIFY(pdf.contains(QByteArray("/Title (\xfe\xff\0V\0e\0l\0t\0r\0i\0x)", 25)));

    // The page's drawing places the 800 x 600 picture at the layout's rectangle.
    const QRegularExpression placement(
        QStringLiteral("([-\\d.]+) 0 0 ([-\\d.]+) ([-\\d.]+) ([-\\d.]+) cm\\s*(\\d+) 0 0 -(\\d+) "
                       "0 \\d+ cm\\s*/Im\\d+\\s+Do"));
    QImage embedded;
    bool placedSeen = false;
    for (const PdfStream& s : StreamsOf(pdf)) {
        if (s.dict.contains("/Subtype /Image")) {
            CImageBitmap picture;
            if (s.dict.contains("/DCTDecode")) {
                QVERIFY(picture.LoadFromMemory(
                    std::span(reinterpret_cast<const std::uint8_t*>(s.data.constData()),
                              static_cast<std::size_t>(s.data.size())),
                    CImageBitmap::Kind::Jpeg));
                embedded = picture.Image();
            } else if (s.dict.contains("/Width 800")) {
                const QByteArray rgb = Inflate(s.data);
                QCOMPARE(rgb.size(), 800 * 600 * 3);
                embedded = QImage(reinterpret_cast<const uchar*>(rgb.constData()), 800, 600,
                                  800 * 3, QImage::Format_RGB888)
                               .copy();
            }
            continue;
        }
        const QByteArray content =
            s.dict.contains("/FlateDecode") ? Inflate(s.data) : QByteArray(s.data);
        const auto m = placement.match(QString::fromLatin1(content));
        if (!m.hasMatch())
            continue;
        placedSeen = true;
        QCOMPARE(m.captured(5).toInt(), 800);
        QCOMPARE(m.captured(6).toInt(), 600);
        QVERIFY(std::abs(m.captured(1).toDouble() * 800 - placed.width()) < 0.5);
        QVERIFY(std::abs(m.captured(2).toDouble() * 600 - placed.height()) < 0.5);
        QCOMPARE(m.captured(3).toDouble(), double(placed.x()));
        QCOMPARE(m.captured(4).toDouble(), double(placed.y()));
    }
    QVERIFY(placedSeen);
    // The picture on the page carries the footer.
    QCOMPARE(embedded.size(), QSize(800, 600));
    QVERIFY(NearBlackPixels(embedded, kFooterBand) > 40);
    QCOMPARE(NearBlackPixels(embedded, QRect(10, 100, 400, 20)), 0);
}

void TestMapPrinter::copyPutsTheWindowOnTheClipboard() {
    OutputFixture f;
    QGuiApplication::clipboard()->clear();
    QString said;
    CModalScript notice{[&said](QWidget* box) {
        said = MessageText(box);
        static_cast<QDialog*>(box)->accept();
    }};
    f.wnd->Printer().CopyToClipboard();
    QCOMPARE(notice.Answered(), 1);
    QCOMPARE(said, QStringLiteral("Copiado al portapapeles"));
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), QSize(800, 600));
    const QImage screen = f.wnd->grab().toImage();
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32),
             screen.convertToFormat(QImage::Format_RGB32));
}

void TestMapPrinter::exportWritesPngAndPdf() {
    OutputFixture f;
    QString error;
    const QString png = f.tempRoot.filePath(QStringLiteral("vista.png"));
    QVERIFY2(f.wnd->Printer().ExportView(png, error), qPrintable(error));
    const QImage read(png);
    QCOMPARE(read.convertToFormat(QImage::Format_RGB32),
             f.wnd->RenderView().convertToFormat(QImage::Format_RGB32));

    const QString pdf = f.tempRoot.filePath(QStringLiteral("vista.PDF"));
    QVERIFY2(f.wnd->Printer().ExportView(pdf, error), qPrintable(error));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(QString::fromLatin1(bytes).count(
                 QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))),
             1);
}

void TestMapPrinter::exportToAMissingFolderSaysSoAndWritesNothing() {
    OutputFixture f;
    QString error;
    const QString png = f.tempRoot.filePath(QStringLiteral("no/existe/vista.png"));
    QVERIFY(!f.wnd->Printer().ExportView(png, error));
    QCOMPARE(error, QStringLiteral("No se pudo guardar la vista en %1.").arg(png));
    QVERIFY(!QFile::exists(png));
    const QString pdf = f.tempRoot.filePath(QStringLiteral("no/existe/vista.pdf"));
    QVERIFY(!f.wnd->Printer().ExportView(pdf, error));
    QVERIFY(error.startsWith(QStringLiteral("No se pudo guardar la vista")));
}

void TestMapPrinter::scaleBarLengthAndText_data() {
    QTest::addColumn<float>("scale");
    QTest::addColumn<int>("metres");
    QTest::addColumn<QString>("text");
    QTest::newRow("1: two kilometres") << 1.0f << 2000 << QStringLiteral("2 km");
    QTest::newRow("2.5: one kilometre") << 2.5f << 1000 << QStringLiteral("1 km");
    QTest::newRow("3: one kilometre, 150 pixels") << 3.0f << 1000 << QStringLiteral("1 km");
    QTest::newRow("4: five hundred metres") << 4.0f << 500 << QStringLiteral("500 m");
    QTest::newRow("10: two hundred metres") << 10.0f << 200 << QStringLiteral("200 m");
    QTest::newRow("15: two hundred metres") << 15.0f << 200 << QStringLiteral("200 m");
    QTest::newRow("20: one hundred metres") << 20.0f << 100 << QStringLiteral("100 m");
}

void TestMapPrinter::scaleBarLengthAndText() {
    QFETCH(float, scale);
    QFETCH(int, metres);
    QFETCH(QString, text);
    OutputFixture f;
    f.wnd->ZoomTo(scale, MapPoint{0, 0});
    const ScaleBarLength bar = ChooseScaleBar(f.wnd->Transform());
    QCOMPARE(bar.metres, metres);
    QCOMPARE(bar.text, text);
    // The ruler's 2.001555 metres per map unit, at scale/10 pixels per unit.
    const double exact = metres / 2.001555 * scale / 10.0;
    QVERIFY2(std::abs(bar.pixels - exact) <= 1.0, qPrintable(QString::number(bar.pixels)));
    QVERIFY(bar.pixels >= 60 && bar.pixels <= 150);

    // Drawn in the lower left corner, the line exactly that long, the length
    // written over its middle.
    const QImage view = f.wnd->RenderView();
    const DarkRun line = LongestDarkRun(view, QRect(0, 600 - 40, 200, 40));
    QCOMPARE(line.length, bar.pixels);
    QVERIFY(line.left >= 10 && line.left < 30);
    const auto [first, last] = DarkColumns(view, QRect(0, line.row - 24, 200, 16));
    QVERIFY2(first > 0 && last > first, "no text over the bar");
    QVERIFY(std::abs((first + last) / 2 - (line.left + line.length / 2)) <= 3);
    QVERIFY(last - first < bar.pixels);
}

void TestMapPrinter::scaleBarOnScreenOnPaperAndSwitchedOff() {
    OutputFixture f;
    f.wnd->ZoomTo(20.0f, MapPoint{0, 0}); // nothing but white near the bottom
    const QRect corner(0, 600 - 90, 250, 90);
    const int pixels = ChooseScaleBar(f.wnd->Transform()).pixels;
    // On the screen, and so in a copy, as in the picture the window makes.
    const DarkRun screen = LongestDarkRun(f.wnd->grab().toImage(), corner);
    QCOMPARE(screen.length, pixels);
    QCOMPARE(LongestDarkRun(f.wnd->RenderView(), corner).row, screen.row);
    // On paper the footer takes the corner, and the bar stands clear above it.
    const QImage printed = f.wnd->Printer().PrintedView();
    const DarkRun paper = LongestDarkRun(printed, corner);
    QCOMPARE(paper.length, pixels);
    QVERIFY(paper.row < kFooterBand.top() - 4);
    QVERIFY(NearBlackPixels(printed, kFooterBand) > 40);

    f.wnd->SetScaleBarShown(false);
    QVERIFY(LongestDarkRun(f.wnd->grab().toImage(), corner).length < 20);
    QVERIFY(LongestDarkRun(f.wnd->RenderView(), corner).length < 20);
    QVERIFY(LongestDarkRun(f.wnd->Printer().PrintedView(), QRect(0, 600 - 90, 250, 45)).length <
            20);
}

// `veltrix-tool render` with its default layers is the window as a map
// opens, scale bar included, pixel for pixel.
void TestMapPrinter::toolDrawsWhatTheWindowShows() {
    OutputFixture f;
    const QString map = f.tempRoot.filePath(QStringLiteral("pueblo.map"));
    Problem error;
    QVERIFY2(SaveMapFile(f.store, LocalPath(map), f.picture, error), error.Text().c_str());
    f.wnd->ZoomTo(7.0f, MapPoint{300, -200});
    const QSize client = f.wnd->Transform().ClientSize();
    const QString png = f.tempRoot.filePath(QStringLiteral("vista.png"));
    const ToolRun run =
        RunTool({QStringLiteral("render"), map, QStringLiteral("-o"), png, QStringLiteral("--size"),
                 QStringLiteral("%1x%2").arg(client.width()).arg(client.height()),
                 QStringLiteral("--scale"), QStringLiteral("7"), QStringLiteral("--center"),
                 QStringLiteral("300,-200")});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    const QImage drawn(png);
    const QImage shown = f.wnd->RenderView();
    QCOMPARE(drawn.size(), shown.size());
    QVERIFY(LongestDarkRun(drawn, QRect(0, client.height() - 40, 200, 40)).length >= 60);
    QCOMPARE(drawn.convertToFormat(QImage::Format_RGB32),
             shown.convertToFormat(QImage::Format_RGB32));
}

QTEST_MAIN(TestMapPrinter)
#include "map_printer_test.moc"
