#pragma once

// One printed page of the map: the picture the map window shows, with a footer
// naming the map, stretched onto the page. Printing, the PDF export and the
// tests all lay the page out through these functions.

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <string>

class QPainter;

// A rectangle in printer pixels given by its edges; right and bottom are
// exclusive.
struct PrintRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const PrintRect&, const PrintRect&) = default;
};

// The web address the footer ends with.
inline constexpr const char* kPrintWebAddress = "www.veltrix.mx";
// The name the print job carries.
inline constexpr const char* kPrintDocumentName = "Veltrix";

// The area the picture is fitted into: 100 printer pixels in from each edge of
// the printable area.
PrintRect PrintArea(QSize printable);

// Where a view of `view` pixels goes on the page: as tall as the area, or as
// wide when that would be too wide, keeping the proportions in integers; placed
// at half the area's right and bottom edges less half its size, so that with
// the margins it sits 50 pixels left of and above the area's centre. Empty when
// either size is not positive.
QRect PrintPlacement(QSize view, const PrintRect& area);

// The map title, two spaces and the web address.
QString PrintFooter(const std::string& title);

// The view picture with the footer written in the picture's own pixels at
// (10, H - 40), before any stretching, so it scales with the map.
QImage PrintPicture(const QImage& view, const QString& footer);

// Draws `picture` onto a page whose printable area is `printable` pixels,
// where PrintPlacement puts it. False when there is nothing to place.
bool PrintPage(QPainter& page, QSize printable, const QImage& picture);

// The file a QSaveFile must be given to write `path`: QSaveFile follows links
// by itself, so the chain is checked first and a link another user planted in
// a shared folder is refused, not written through (see TrustedWriteTarget).
// False with the reason in `error`.
bool SaveFileTarget(const QString& path, QString& target, QString& error);

// Writes the page as a one-page PDF file through a temporary file, so a failed
// export leaves no half-written file; a link another user planted at `path`
// is refused (see TrustedWriteTarget). False with a Spanish reason on failure.
bool WritePdfPage(const QString& path, const QImage& picture, QString& error);

// Writes a picture as a PNG file the same way.
bool WritePng(const QString& path, const QImage& picture, QString& error);
