#pragma once

// A small open map with its overview picture in a private temporary folder,
// shown in a map window, for the guide, printing and copying tests.

#include "map_store.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdint>
#include <vector>

class CMapaWnd;

// A plain picture of one colour as JPEG bytes, and as a JPEG file at `path`.
std::vector<std::uint8_t> JpegPicture(QColor colour, int width, int height);
bool WriteJpegPicture(const QString& path, QColor colour, int width, int height);

struct OutputFixture {
    static constexpr int kPictureWidth = 400;
    static constexpr int kPictureHeight = 300;

    QTemporaryDir tempRoot; // for what the tests write
    MapStore store;
    std::vector<std::uint8_t> picture; // the map's picture, JPEG
    QWidget frame;
    CMapaWnd* wnd = nullptr;

    // The map's blocks span (-2000,-1500)-(2000,1500); its picture is 400 x 300
    // of one colour, unless `withPicture` is false.
    explicit OutputFixture(QColor pictureColour = QColor(0, 160, 0), bool withPicture = true);
    ~OutputFixture();
};
