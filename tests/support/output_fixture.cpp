#include "output_fixture.h"

#include "jpeg_writer.h"
#include "map_window.h"
#include "test_towns.h"

#include <QFile>
#include <QTest>

#include <cstring>

std::vector<std::uint8_t> JpegPicture(QColor colour, int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(colour);
    const auto rowBytes = static_cast<std::size_t>(width) * 3;
    std::vector<std::uint8_t> rgb(rowBytes * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        std::memcpy(rgb.data() + rowBytes * static_cast<std::size_t>(y), image.constScanLine(y),
                    rowBytes);
    return EncodeJpeg(rgb, width, height, 95);
}

bool WriteJpegPicture(const QString& path, QColor colour, int width, int height) {
    const std::vector<std::uint8_t> jpeg = JpegPicture(colour, width, height);
    QFile file(path);
    if (jpeg.empty() || !file.open(QIODevice::WriteOnly))
        return false;
    return file.write(reinterpret_cast<const char*>(jpeg.data()),
                      static_cast<qint64>(jpeg.size())) == static_cast<qint64>(jpeg.size());
}

OutputFixture::OutputFixture(QColor pictureColour, bool withPicture) {
    store = MakeStore();
    store.m_strTitle = "VELTRIX  Pueblo, Estado - País";
    AddBlock(store, -2000, -1500, -1000, -500, 1);
    AddBlock(store, 1000, 500, 2000, 1500, 2);
    store.m_rcBlocks = MapRect{-2000, -1500, 2000, 1500};
    if (withPicture)
        picture = JpegPicture(pictureColour, kPictureWidth, kPictureHeight);
    frame.resize(800, 600);
    wnd = new CMapaWnd(store, &frame);
    wnd->setGeometry(0, 0, 800, 600);
    wnd->SetFrame(&frame);
    frame.show();
    (void)QTest::qWaitForWindowExposed(&frame);
    wnd->OnMapLoaded();
}

OutputFixture::~OutputFixture() {
    delete wnd;
}
