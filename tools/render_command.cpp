// veltrix-tool render: one frame of a map, drawn exactly as the map window
// draws it, written as a PNG picture.

#include "commands.h"
#include "map_layers.h"
#include "map_renderer.h"
#include "map_store.h"
#include "print_layout.h"
#include "scale_bar.h"
#include "tool_support.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>

namespace {

constexpr int kMaxSide = 16384;

bool ParseSize(const QString& text, QSize& out) {
    static const QRegularExpression form(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const auto m = form.match(text);
    if (!m.hasMatch())
        return false;
    const int w = m.captured(1).toInt(), h = m.captured(2).toInt();
    if (w < 1 || h < 1 || w > kMaxSide || h > kMaxSide)
        return false;
    out = QSize(w, h);
    return true;
}

bool ParseCentre(const QString& text, MapPoint& out) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2)
        return false;
    bool okX = false, okY = false;
    const int x = parts[0].trimmed().toInt(&okX);
    const int y = parts[1].trimmed().toInt(&okY);
    if (!okX || !okY)
        return false;
    out = MapPoint{x, y};
    return true;
}

} // namespace

int RunRender(const QStringList& args) {
    CCommandParser parser;
    const QCommandLineOption output(
        {QStringLiteral("o"), QStringLiteral("output")},
        QCoreApplication::translate("Tool", "La imagen PNG que se crea."),
        QCoreApplication::translate("Tool", "salida"));
    const QCommandLineOption size(
        QStringLiteral("size"),
        QCoreApplication::translate("Tool", "Tamaño en píxeles, ANCHOxALTO (1024x768)."),
        QStringLiteral("WxH"), QStringLiteral("1024x768"));
    const QCommandLineOption scale(QStringLiteral("scale"),
                                   QCoreApplication::translate("Tool", "Escala, de 1 a 20 (3)."),
                                   QStringLiteral("s"), QStringLiteral("3"));
    const QCommandLineOption centre(
        QStringLiteral("center"),
        QCoreApplication::translate("Tool", "Punto del mapa en el centro, X,Y (0,0)."),
        QStringLiteral("x,y"), QStringLiteral("0,0"));
    const QCommandLineOption layersOption(
        QStringLiteral("layers"),
        QCoreApplication::translate(
            "Tool", "Capas: all, none o una lista de nombres, marcas, referencias, calles, "
                    "colonias, rutas, relleno, escala (como al abrir: "
                    "relleno,referencias,escala)."),
        QCoreApplication::translate("Tool", "lista"), QStringLiteral("relleno,referencias,escala"));
    parser.addOptions({output, size, scale, centre, layersOption});
    if (const auto done = ParseCommandArgs(parser, QStringLiteral("render"), args, 1))
        return *done;
    if (!parser.isSet(output)) {
        PrintLine(stderr, QCoreApplication::translate("Tool", "Falta la imagen de salida (-o)."));
        return kExitUsage;
    }
    QSize client;
    if (!ParseSize(parser.value(size), client)) {
        PrintLine(stderr, QCoreApplication::translate(
                              "Tool", "El tamaño debe ser ANCHOxALTO, cada uno entre 1 y %1.")
                              .arg(kMaxSide));
        return kExitUsage;
    }
    bool ok = false;
    const double s = parser.value(scale).toDouble(&ok);
    if (!ok || !(s >= 1.0 && s <= 20.0)) {
        PrintLine(stderr,
                  QCoreApplication::translate("Tool", "La escala debe estar entre 1 y 20."));
        return kExitUsage;
    }
    MapPoint at;
    if (!ParseCentre(parser.value(centre), at)) {
        PrintLine(stderr, QCoreApplication::translate(
                              "Tool", "El centro debe ser X,Y con dos números enteros."));
        return kExitUsage;
    }
    LayerSwitches layers;
    if (!LayerSwitchesNamed(parser.value(layersOption), layers)) {
        PrintLine(stderr, QCoreApplication::translate("Tool", "Capa desconocida en «%1».")
                              .arg(parser.value(layersOption)));
        return kExitUsage;
    }

    std::vector<std::uint8_t> picture;
    const std::unique_ptr<MapStore> store =
        LoadMapForTool(parser.positionalArguments().first(), picture);
    if (!store)
        return kExitFailed;

    const MapTransform probe(client, static_cast<float>(s), QPoint());
    const MapTransform transform(client, static_cast<float>(s), probe.OriginCentering(at));
    QImage image = RenderMap(*store, transform, layers);
    // As the window paints it: over the finished map, where panning leaves it put.
    if (layers.m_bShowScaleBar) {
        QPainter painter(&image);
        DrawScaleBar(painter, transform, ScaleBarCorner(client));
    }
    // Written aside and renamed, never through a link another user planted.
    QString error;
    if (!WritePng(parser.value(output), image, error)) {
        PrintLine(stderr, error);
        return kExitFailed;
    }
    return kExitOk;
}
