#pragma once

// A picture that knows its pixel size: loaded from a JPEG, BMP or GIF file or
// from such bytes in memory, or grabbed from a widget. The frames of a GIF are
// stacked top to bottom in the one image, each m_nHeight rows high.
//
// Nothing here talks to the user: a failed load leaves the reason in
// ErrorText() and the view layer decides whether to show it.

#include "color.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>

class QPixmap;

class CImageBitmap {
public:
    enum class Kind { Jpeg, Bmp, Gif };

    // The reader a path asks for: its last three characters, lower-cased,
    // are "jpg", "bmp" or "gif". No dot is looked for, so "x.jpeg" asks for
    // nothing.
    static std::optional<Kind> KindFromPath(const QString& path);

    // Loads a picture file. A missing file changes nothing and returns false;
    // otherwise the previous picture is dropped first, so a failed load leaves
    // the object without one.
    bool LoadFile(const QString& path);
    bool LoadFromMemory(std::span<const std::uint8_t> bytes, Kind kind);

    // Makes the picture a copy of `rect` of what a window shows (the pixels a
    // widget's grab() gives, children included).
    void CaptureFromDC(const QPixmap& screen, const QRect& rect);

    // All frames, m_nWidth x (m_nHeight x max(m_nFrames, 1)); null when
    // nothing is loaded.
    const QImage& Image() const { return m_image; }

    // Why the last load failed, in words the user can be shown: the program's
    // language (Spanish, or English with the editor's English catalogue) where
    // the text is the program's, the readers' own status texts as they are.
    // Empty after a success.
    const QString& ErrorText() const { return m_strError; }
    // False for the failures the program passes over in silence: a file that
    // does not exist, a name whose ending is none of the three kinds.
    bool ErrorIsForUser() const { return m_bErrorForUser; }

    int m_nWidth = 0;
    int m_nHeight = 0;
    bool m_bLoaded = false;
    int m_nFrames = 0;
    Color m_crTransparent = 0;

private:
    void Clear();
    bool Fail(const QString& why, bool forUser = true);
    // Where a branch reads from: the file at `path`, or `bytes` when inMemory.
    struct Source {
        QString path;
        std::span<const std::uint8_t> bytes;
        bool inMemory = false;
    };
    bool Load(Kind kind, const Source& source);
    bool LoadJpeg(const Source& source);
    bool LoadBmp(const Source& source);
    bool LoadGif(const Source& source);
    // A JPEG's or BMP's RGB buffer becomes the picture's one frame.
    bool TakeRgb(std::vector<std::uint8_t> rgb, int width, int height);

    QImage m_image;
    QString m_strError;
    bool m_bErrorForUser = false;
};
