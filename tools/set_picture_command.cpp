// veltrix-tool set-picture: gives a map a new overview picture, the one the
// guide window shows. A JPEG is stored as it is; a BMP or GIF (its first frame)
// is encoded as a JPEG, the only kind a map holds. The map is then saved as the
// editor saves it.

#include "commands.h"
#include "image_bitmap.h"
#include "jpeg_writer.h"
#include "map_file.h"
#include "problem_text.h"
#include "tool_support.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int kJpegQuality = 90;

// The first frame as rows of red, green and blue bytes with no padding.
std::vector<std::uint8_t> PackedRgb(const CImageBitmap& picture) {
    const QImage frame = picture.Image()
                             .copy(0, 0, picture.m_nWidth, picture.m_nHeight)
                             .convertToFormat(QImage::Format_RGB888);
    const auto rowBytes = static_cast<std::size_t>(frame.width()) * 3;
    std::vector<std::uint8_t> rgb(rowBytes * static_cast<std::size_t>(frame.height()));
    for (int y = 0; y < frame.height(); ++y)
        std::memcpy(rgb.data() + rowBytes * static_cast<std::size_t>(y), frame.constScanLine(y),
                    rowBytes);
    return rgb;
}

} // namespace

int RunSetPicture(const QStringList& args) {
    CCommandParser parser;
    parser.addPositionalArgument(QCoreApplication::translate("Tool", "mapa"),
                                 QCoreApplication::translate("Tool", "El mapa que se cambia."));
    parser.addPositionalArgument(
        QCoreApplication::translate("Tool", "imagen"),
        QCoreApplication::translate("Tool", "Un archivo .jpg, .bmp o .gif."));
    const QCommandLineOption force = ForceOption();
    parser.addOption(force);
    if (const auto done = ParseCommandArgs(parser, QStringLiteral("set-picture"), args, 2))
        return *done;
    const QString mapPath = parser.positionalArguments().at(0);
    const QString imagePath = parser.positionalArguments().at(1);

    if (!MayWriteMap(mapPath, parser.isSet(force)))
        return kExitFailed;
    const auto kind = CImageBitmap::KindFromPath(imagePath);
    if (!kind) {
        PrintLine(stderr, QCoreApplication::translate(
                              "Tool", "%1: solo se leen imágenes .jpg, .bmp y .gif.")
                              .arg(imagePath));
        return kExitFailed;
    }
    std::vector<std::uint8_t> bytes;
    Problem refusal;
    if (!ReadWholeFile(LocalPath(imagePath), bytes, &refusal)) {
        PrintLine(stderr,
                  !refusal ? QCoreApplication::translate("Tool", "No se puede leer el archivo %1.")
                                 .arg(imagePath)
                           : ProblemText(refusal));
        return kExitFailed;
    }
    // The map only takes a picture the editor can show.
    CImageBitmap picture;
    if (!picture.LoadFromMemory(bytes, *kind)) {
        const QString why = picture.ErrorText();
        PrintLine(stderr, why.isEmpty() ? QCoreApplication::translate(
                                              "Tool", "La imagen %1 no se puede leer.")
                                              .arg(imagePath)
                                        : QStringLiteral("%1: %2").arg(imagePath, why));
        return kExitFailed;
    }
    std::vector<std::uint8_t> jpeg;
    if (*kind == CImageBitmap::Kind::Jpeg) {
        jpeg = std::move(bytes);
    } else {
        jpeg = EncodeJpeg(PackedRgb(picture), picture.m_nWidth, picture.m_nHeight, kJpegQuality);
        if (jpeg.empty()) {
            PrintLine(stderr, QCoreApplication::translate(
                                  "Tool", "No se pudo convertir la imagen %1 a JPEG.")
                                  .arg(imagePath));
            return kExitFailed;
        }
    }

    std::vector<std::uint8_t> previous;
    const std::unique_ptr<MapStore> store = LoadMapForTool(mapPath, previous);
    if (!store)
        return kExitFailed;
    if (!SaveMapForTool(*store, mapPath, jpeg, parser.isSet(force)))
        return kExitFailed;
    PrintLine(stdout,
              QCoreApplication::translate("Tool", "%1: imagen de %2 x %3 píxeles, %4 bytes.")
                  .arg(mapPath)
                  .arg(picture.m_nWidth)
                  .arg(picture.m_nHeight)
                  .arg(jpeg.size()));

    // The guide scales both axes by the picture's width; another shape than the
    // blocks' puts the frame off in height.
    const MapRect bounds = store->m_rcBlocks.Normalized();
    if (bounds.Width() > 0 && bounds.Height() > 0) {
        const double expected = static_cast<double>(picture.m_nWidth) *
                                static_cast<double>(bounds.Height()) /
                                static_cast<double>(bounds.Width());
        if (std::abs(expected - picture.m_nHeight) > std::max(2.0, expected * 0.02))
            PrintLine(stdout, QCoreApplication::translate(
                                  "Tool", "Aviso: para las proporciones del mapa la imagen "
                                          "debería medir %1 x %2 píxeles.")
                                  .arg(picture.m_nWidth)
                                  .arg(std::lround(expected)));
    }
    return kExitOk;
}
