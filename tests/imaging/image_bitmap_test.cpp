#include "image_bitmap.h"
#include "jpeg_file.h"
#include "test_images.h"

#include <QApplication>
#include <QFile>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// The RGB bytes of every row of the picture, without the row padding.
Bytes PictureRgb(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    Bytes out;
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar* row = rgb.constScanLine(y);
        out.insert(out.end(), row, row + rgb.width() * 3);
    }
    return out;
}

TEST(ImageBitmap, KindFollowsTheLastThreeCharacters) {
    using Kind = CImageBitmap::Kind;
    struct Row {
        const char* path;
        std::optional<Kind> kind;
    };
    for (const Row& r :
         {Row{"mapa.jpg", Kind::Jpeg}, Row{"MAPA.JPG", Kind::Jpeg}, Row{"x.Bmp", Kind::Bmp},
          Row{"anim.gif", Kind::Gif}, Row{"gif", Kind::Gif}, Row{"nodotjpg", Kind::Jpeg},
          Row{"photo.jpeg", std::nullopt}, Row{"a.png", std::nullopt}, Row{"jp", std::nullopt},
          Row{"", std::nullopt}}) {
        SCOPED_TRACE(r.path);
        EXPECT_EQ(CImageBitmap::KindFromPath(QString::fromUtf8(r.path)), r.kind);
    }
}

TEST(ImageBitmap, StartsEmpty) {
    const CImageBitmap picture;
    EXPECT_EQ(picture.m_nWidth, 0);
    EXPECT_EQ(picture.m_nHeight, 0);
    EXPECT_FALSE(picture.m_bLoaded);
    EXPECT_EQ(picture.m_nFrames, 0);
    EXPECT_EQ(picture.m_crTransparent, 0u);
    EXPECT_TRUE(picture.Image().isNull());
}

TEST(ImageBitmap, LoadsEachKindWithTheReadersPixels) {
    const QStringList source = PlasmaSource(11, 5);
    const std::string bmp =
        MakePicture(source + QStringList{"-type", "TrueColor"}, "pic.BMP", "BMP3:");
    const std::string gif = MakePicture(source + QStringList{"-colors", "20"}, "pic.gif");
    const std::string jpg = MakePicture(source, "pic.Jpg");
    ASSERT_FALSE(bmp.empty() || gif.empty() || jpg.empty());
    for (const std::string& path : {bmp, gif}) {
        SCOPED_TRACE(path);
        CImageBitmap picture;
        ASSERT_TRUE(picture.LoadFile(QString::fromStdString(path)));
        EXPECT_TRUE(picture.m_bLoaded);
        EXPECT_EQ(picture.m_nWidth, 11);
        EXPECT_EQ(picture.m_nHeight, 5);
        EXPECT_EQ(picture.m_nFrames, 1);
        EXPECT_EQ(PictureRgb(picture.Image()), ReferenceRgb(path));
        EXPECT_TRUE(picture.ErrorText().isEmpty());
    }
    CImageBitmap picture;
    ASSERT_TRUE(picture.LoadFile(QString::fromStdString(jpg)));
    int w = 0;
    int h = 0;
    std::string status;
    EXPECT_EQ(PictureRgb(picture.Image()), ReadJpegToRgb(jpg, w, h, status));
}

TEST(ImageBitmap, RowsArePaddedToFourBytes) {
    for (const int width : {1, 4}) {
        const std::string path = MakePicture(PlasmaSource(width, 3), "narrow.jpg");
        ASSERT_FALSE(path.empty());
        CImageBitmap picture;
        ASSERT_TRUE(picture.LoadFile(QString::fromStdString(path)));
        EXPECT_EQ(picture.Image().bytesPerLine(), width == 1 ? 4 : 12);
    }
}

TEST(ImageBitmap, AnimatedGifStacksItsFrames) {
    const std::string path =
        MakePicture(PlasmaSource(7, 4, 1) + PlasmaSource(7, 4, 2) + PlasmaSource(7, 4, 3) +
                        QStringList{"-colors", "16", "-set", "delay", "5"},
                    "stack.gif");
    ASSERT_FALSE(path.empty());
    CImageBitmap picture;
    ASSERT_TRUE(picture.LoadFromMemory(ReadBytes(path), CImageBitmap::Kind::Gif));
    EXPECT_EQ(picture.m_nFrames, 3);
    EXPECT_EQ(picture.m_nHeight, 4);
    EXPECT_EQ(picture.Image().height(), 12);
    EXPECT_EQ(PictureRgb(picture.Image()), ReferenceRgb(path));
}

TEST(ImageBitmap, GifWithoutImagesShowsItsBackground) {
    // Header, a 2 x 1 screen with a two-colour table, background entry 1, end.
    const Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0x80, 1, 0, 0, 0, 0, 9, 8, 7, ';'};
    CImageBitmap picture;
    ASSERT_TRUE(picture.LoadFromMemory(gif, CImageBitmap::Kind::Gif));
    EXPECT_EQ(picture.m_nFrames, 0);
    EXPECT_EQ(picture.Image().height(), 1);
    EXPECT_EQ(PictureRgb(picture.Image()), (Bytes{9, 8, 7, 9, 8, 7}));
}

TEST(ImageBitmap, FailuresLeaveNoPictureAndSayWhy) {
    const std::string good = MakePicture(PlasmaSource(5, 5), "good.jpg");
    ASSERT_FALSE(good.empty());
    const std::string rle = MakePicture(
        PlasmaSource(5, 5) + QStringList{"-colors", "9", "-compress", "RLE"}, "rle.bmp", "BMP3:");
    ASSERT_FALSE(rle.empty());
    const std::string notGif = ScratchPath("not.gif");
    WriteBytes(notGif, {'G', 'I', 'X'});
    const std::string jpeg = ScratchPath("good.jpeg");
    QFile::copy(QString::fromStdString(good), QString::fromStdString(jpeg));

    struct Case {
        std::string path;
        QString error;
        bool forUser;
    };
    for (const Case& c :
         {Case{rle, "This is a compressed file.", true},
          Case{notGif, "El archivo no es una imagen GIF válida.", true},
          Case{jpeg, "No se abren imágenes de este tipo: " + QString::fromStdString(jpeg),
               false}}) {
        SCOPED_TRACE(c.path);
        CImageBitmap picture;
        ASSERT_TRUE(picture.LoadFile(QString::fromStdString(good)));
        EXPECT_FALSE(picture.LoadFile(QString::fromStdString(c.path)));
        EXPECT_FALSE(picture.m_bLoaded);
        EXPECT_TRUE(picture.Image().isNull());
        EXPECT_EQ(picture.m_nWidth, 0);
        EXPECT_EQ(picture.m_nFrames, 0);
        EXPECT_EQ(picture.ErrorText(), c.error);
        EXPECT_EQ(picture.ErrorIsForUser(), c.forUser);
        // A later load works as usual.
        EXPECT_TRUE(picture.LoadFile(QString::fromStdString(good)));
        EXPECT_TRUE(picture.ErrorText().isEmpty());
    }
}

TEST(ImageBitmap, MissingFileKeepsThePictureAndStaysQuiet) {
    const std::string good = MakePicture(PlasmaSource(6, 2), "keep.jpg");
    ASSERT_FALSE(good.empty());
    CImageBitmap picture;
    ASSERT_TRUE(picture.LoadFile(QString::fromStdString(good)));
    EXPECT_FALSE(picture.LoadFile(QString::fromStdString(ScratchPath("gone.jpg"))));
    EXPECT_TRUE(picture.m_bLoaded);
    EXPECT_EQ(picture.m_nWidth, 6);
    EXPECT_FALSE(picture.Image().isNull());
    EXPECT_FALSE(picture.ErrorIsForUser());
}

TEST(ImageBitmap, BadBytesInMemoryAreRefused) {
    for (const auto kind :
         {CImageBitmap::Kind::Jpeg, CImageBitmap::Kind::Bmp, CImageBitmap::Kind::Gif}) {
        CImageBitmap picture;
        EXPECT_FALSE(picture.LoadFromMemory({}, kind));
        EXPECT_FALSE(picture.ErrorText().isEmpty());
        EXPECT_TRUE(picture.ErrorIsForUser());
        EXPECT_FALSE(picture.LoadFromMemory(Bytes{'x', 'y', 'z'}, kind));
        EXPECT_FALSE(picture.m_bLoaded);
    }
}

// Found by the GIF fuzzer, slow at the time: 261 bytes announcing a 12847 x 5641
// screen (some 200 MiB), with no image that can be read (see data/README).
TEST(ImageBitmap, FuzzFoundHugeScreenIsRefusedAsDamaged) {
    CImageBitmap picture;
    const QString path = QStringLiteral(VELTRIX_IMAGING_DATA "/fuzz_gif_huge_screen.gif");
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_FALSE(picture.LoadFile(path));
    EXPECT_EQ(picture.ErrorText(), QStringLiteral("El archivo GIF está dañado."));
    EXPECT_FALSE(picture.m_bLoaded);
}

QApplication& App() {
    static int argc = 1;
    static char name[] = "imaging_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

TEST(ImageBitmap, CaptureCopiesTheWidgetsPixels) {
    App();
    QWidget widget;
    widget.resize(300, 200);
    widget.setAutoFillBackground(true);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, QColor(10, 120, 230));
    widget.setPalette(palette);
    CImageBitmap picture;
    picture.CaptureFromDC(widget.grab(), widget.rect());
    EXPECT_TRUE(picture.m_bLoaded);
    EXPECT_EQ(picture.m_nWidth, 300);
    EXPECT_EQ(picture.m_nHeight, 200);
    EXPECT_EQ(picture.m_nFrames, 1);
    EXPECT_EQ(picture.Image().size(), QSize(300, 200));
    EXPECT_EQ(picture.Image().pixelColor(150, 100), QColor(10, 120, 230));

    picture.CaptureFromDC(widget.grab(), QRect(10, 20, 30, 40));
    EXPECT_EQ(picture.m_nWidth, 30);
    EXPECT_EQ(picture.Image().size(), QSize(30, 40));

    picture.CaptureFromDC(QPixmap(), QRect(0, 0, 5, 5));
    EXPECT_FALSE(picture.m_bLoaded);
    EXPECT_TRUE(picture.Image().isNull());
}

TEST(ImageBitmap, WaitCursorIsGoneAfterEveryLoad) {
    App();
    const std::string good = MakePicture(PlasmaSource(3, 3), "cursor.bmp", "BMP3:");
    const std::string bad = ScratchPath("cursor_bad.gif");
    WriteBytes(bad, {'n', 'o'});
    CImageBitmap picture;
    for (const std::string& path : {good, bad, ScratchPath("cursor_missing.jpg")}) {
        picture.LoadFile(QString::fromStdString(path));
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

} // namespace
