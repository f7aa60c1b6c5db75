// veltrix-tool picture: what the editor's picture readers make of a JPEG, BMP
// or GIF file, written as a PNG, so a picture can be checked before a map
// takes it.

#include "commands.h"
#include "image_bitmap.h"
#include "print_layout.h"
#include "tool_support.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageWriter>
#include <QSaveFile>

int RunPicture(const QStringList& args) {
    CCommandParser parser;
    const QCommandLineOption output(
        {QStringLiteral("o"), QStringLiteral("output")},
        QCoreApplication::translate("Tool", "La imagen PNG que se crea."),
        QCoreApplication::translate("Tool", "salida"));
    parser.addOption(output);
    parser.addPositionalArgument(
        QCoreApplication::translate("Tool", "imagen"),
        QCoreApplication::translate("Tool", "Un archivo .jpg, .bmp o .gif."));
    if (const auto done = ParseCommandArgs(parser, QStringLiteral("picture"), args, 1))
        return *done;
    if (!parser.isSet(output)) {
        PrintLine(stderr, QCoreApplication::translate("Tool", "Falta la imagen de salida (-o)."));
        return kExitUsage;
    }
    const QString input = parser.positionalArguments().first();
    const QString target = parser.value(output);

    CImageBitmap picture;
    if (!picture.LoadFile(input)) {
        const QString why = picture.ErrorText();
        PrintLine(
            stderr,
            why.isEmpty()
                ? QCoreApplication::translate("Tool", "No se pudo leer la imagen %1.").arg(input)
                : QStringLiteral("%1: %2").arg(input, why));
        return kExitFailed;
    }
    // A GIF's frames are stacked; the editor shows the first.
    const QImage first = picture.Image().copy(0, 0, picture.m_nWidth, picture.m_nHeight);

    // Written aside and renamed, so a failure never leaves half a picture.
    QString end, refused;
    if (!SaveFileTarget(target, end, refused)) {
        PrintLine(stderr, refused);
        return kExitFailed;
    }
    QSaveFile file(end);
    bool written = file.open(QIODevice::WriteOnly);
    if (written) {
        QImageWriter writer(&file, "png");
        written = writer.write(first);
        if (written)
            written = file.commit();
        else
            file.cancelWriting();
    }
    if (!written) {
        PrintLine(
            stderr,
            QCoreApplication::translate("Tool", "No se pudo escribir la imagen %1.").arg(target));
        return kExitFailed;
    }
    PrintLine(stdout, QCoreApplication::translate("Tool", "%1: %2 x %3 píxeles, %4 cuadro(s)")
                          .arg(input)
                          .arg(picture.m_nWidth)
                          .arg(picture.m_nHeight)
                          .arg(picture.m_nFrames));
    return kExitOk;
}
