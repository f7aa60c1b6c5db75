// veltrix-tool picture and set-picture, run as a user runs them: what the
// editor's readers make of a picture, and a map's overview picture replaced
// (or, on bad input, left alone).

#include "image_bitmap.h"
#include "jpeg_writer.h"
#include "map_file.h"
#include "qt_helpers.h"
#include "tool_run.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Four coloured quarters, so that a flipped or shifted picture shows.
QImage Quarters(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y,
                           x < w / 2 ? (y < h / 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255))
                                     : (y < h / 2 ? qRgb(0, 255, 0) : qRgb(255, 255, 255)));
    return image;
}

bool Close(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

class PictureTool : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString SampleCopy() const {
        const QString path = Path(QStringLiteral("pueblo.map"));
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(QStringLiteral(VELTRIX_SAMPLE_MAP), path));
        return path;
    }
    // The picture a map file holds, decoded as the guide decodes it.
    static QImage StoredPicture(const QString& map, std::vector<std::uint8_t>& bytes) {
        Problem error;
        const auto store =
            LoadMapFile(QFile::encodeName(map).toStdString(), MapCounters{}, bytes, error);
        EXPECT_TRUE(store) << error.Text();
        CImageBitmap picture;
        if (!picture.LoadFromMemory(bytes, CImageBitmap::Kind::Jpeg))
            return {};
        return picture.Image();
    }
    QTemporaryDir m_dir;
};

TEST_F(PictureTool, PictureWritesWhatTheReadersMakeOfABmp) {
    const QImage source = Quarters(37, 21); // odd width: padded BMP rows
    ASSERT_TRUE(source.save(Path(QStringLiteral("q.bmp")), "BMP"));
    const ToolRun run = RunTool({QStringLiteral("picture"), Path(QStringLiteral("q.bmp")),
                                 QStringLiteral("-o"), Path(QStringLiteral("q.png"))});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("37 x 21")));
    const QImage written(Path(QStringLiteral("q.png")));
    ASSERT_EQ(written.size(), source.size());
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), source);
}

TEST_F(PictureTool, PictureRefusesWhatTheReadersRefuseAndWritesNothing) {
    QFile bad(Path(QStringLiteral("roto.jpg")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("\xff\xd8\xff\xe0 no es una imagen");
    bad.close();
    const QString out = Path(QStringLiteral("roto.png"));
    ToolRun run = RunTool({QStringLiteral("picture"), bad.fileName(), QStringLiteral("-o"), out});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("JPEG"))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));

    run = RunTool(
        {QStringLiteral("picture"), Path(QStringLiteral("falta.gif")), QStringLiteral("-o"), out});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("No existe"))) << run.err.toStdString();

    run = RunTool({QStringLiteral("picture"), bad.fileName()});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Falta la imagen de salida")));
}

TEST_F(PictureTool, SetPictureStoresABmpAsAJpegTheGuideCanRead) {
    const QString map = SampleCopy();
    std::vector<std::uint8_t> before;
    StoredPicture(map, before);
    const QImage source = Quarters(64, 64);
    ASSERT_TRUE(source.save(Path(QStringLiteral("nueva.bmp")), "BMP"));
    const ToolRun run =
        RunTool({QStringLiteral("set-picture"), map, Path(QStringLiteral("nueva.bmp"))});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();

    std::vector<std::uint8_t> after;
    const QImage stored = StoredPicture(map, after);
    ASSERT_EQ(stored.size(), QSize(64, 64));
    EXPECT_NE(after, before);
    ASSERT_GE(after.size(), 2u);
    EXPECT_EQ(after[0], 0xFF);
    EXPECT_EQ(after[1], 0xD8);
    // JPEG is lossy; the quarters' middles keep their colours.
    EXPECT_TRUE(Close(stored.pixel(16, 16), qRgb(255, 0, 0), 24));
    EXPECT_TRUE(Close(stored.pixel(48, 16), qRgb(0, 255, 0), 24));
    EXPECT_TRUE(Close(stored.pixel(16, 48), qRgb(0, 0, 255), 24));
    EXPECT_TRUE(Close(stored.pixel(48, 48), qRgb(255, 255, 255), 24));

    // The rest of the map is as before.
    const ToolRun info = RunTool({QStringLiteral("info"), map});
    EXPECT_TRUE(info.out.contains(QStringLiteral("Manzanas: 2000")));
}

TEST_F(PictureTool, SetPictureKeepsAJpegByteForByte) {
    const QImage source = Quarters(40, 30).convertToFormat(QImage::Format_RGB888);
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < source.height(); ++y)
        rgb.insert(rgb.end(), source.constScanLine(y), source.constScanLine(y) + 40 * 3);
    const std::vector<std::uint8_t> jpeg = EncodeJpeg(rgb, 40, 30, 75);
    ASSERT_FALSE(jpeg.empty());
    QFile file(Path(QStringLiteral("foto.JPG")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(jpeg.data()), static_cast<qint64>(jpeg.size()));
    file.close();

    const QString map = SampleCopy();
    ASSERT_EQ(RunTool({QStringLiteral("set-picture"), map, file.fileName()}).code, 0);
    std::vector<std::uint8_t> kept;
    EXPECT_EQ(StoredPicture(map, kept).size(), QSize(40, 30));
    EXPECT_EQ(kept, jpeg);
}

TEST_F(PictureTool, GifFirstFrameIsReadAndStoredAsJpeg) {
    // One red pixel: a two-colour table and the smallest image data.
    const char gif[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\x00"
                       ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;";
    QFile file(Path(QStringLiteral("punto.gif")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(gif, sizeof gif - 1);
    file.close();

    const QString png = Path(QStringLiteral("punto.png"));
    ASSERT_EQ(RunTool({QStringLiteral("picture"), file.fileName(), QStringLiteral("-o"), png}).code,
              0);
    const QImage read(png);
    ASSERT_EQ(read.size(), QSize(1, 1));
    EXPECT_EQ(read.pixel(0, 0), qRgb(255, 0, 0));

    const QString map = SampleCopy();
    ASSERT_EQ(RunTool({QStringLiteral("set-picture"), map, file.fileName()}).code, 0);
    std::vector<std::uint8_t> stored;
    const QImage picture = StoredPicture(map, stored);
    ASSERT_EQ(picture.size(), QSize(1, 1));
    EXPECT_TRUE(Close(picture.pixel(0, 0), qRgb(255, 0, 0), 24));
}

TEST_F(PictureTool, SetPictureWithBadInputLeavesTheMapFileAlone) {
    const QString map = SampleCopy();
    const QByteArray original = FileBytes(map);
    QFile bad(Path(QStringLiteral("rota.bmp")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("BM esto no es un mapa de bits");
    bad.close();

    ToolRun run = RunTool({QStringLiteral("set-picture"), map, bad.fileName()});
    EXPECT_EQ(run.code, 1);
    EXPECT_FALSE(run.err.isEmpty());
    run = RunTool({QStringLiteral("set-picture"), map, Path(QStringLiteral("foto.png"))});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral(".jpg, .bmp y .gif")));
    run = RunTool({QStringLiteral("set-picture"), map, Path(QStringLiteral("falta.jpg"))});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(FileBytes(map), original);

    // A damaged map is not written over either.
    QFile damaged(Path(QStringLiteral("danado.map")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(original.left(200));
    damaged.close();
    ASSERT_TRUE(Quarters(8, 8).save(Path(QStringLiteral("p.bmp")), "BMP"));
    run =
        RunTool({QStringLiteral("set-picture"), damaged.fileName(), Path(QStringLiteral("p.bmp"))});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(FileBytes(damaged.fileName()), original.left(200));
}

} // namespace
