#include "print_layout.h"

#include "file_guard.h"
#include "problem_text.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontMetrics>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <cstdint>

namespace {

constexpr int kPrintMargin = 100;
// The PDF export's page: A4 at a resolution where a screen-sized view keeps
// its detail without making a large file.
constexpr int kPdfResolution = 300;

QString SaveFailure(const QString& path) {
    return QCoreApplication::translate("Print", "No se pudo guardar la vista en %1.").arg(path);
}

} // namespace

bool SaveFileTarget(const QString& path, QString& target, QString& error) {
    Problem why;
    const std::string end = TrustedWriteTarget(QFile::encodeName(path).toStdString(), why);
    if (end.empty()) {
        error = ProblemText(why);
        return false;
    }
    target = QFile::decodeName(QByteArray::fromStdString(end));
    return true;
}

PrintRect PrintArea(QSize printable) {
    return {kPrintMargin, kPrintMargin, printable.width() - kPrintMargin,
            printable.height() - kPrintMargin};
}

QRect PrintPlacement(QSize view, const PrintRect& area) {
    const std::int64_t w = view.width(), h = view.height();
    if (w <= 0 || h <= 0 || area.Width() <= 0 || area.Height() <= 0)
        return {};
    std::int64_t destH = area.Height();
    std::int64_t destW = w * destH / h;
    if (destW > area.Width()) {
        destW = area.Width();
        destH = h * destW / w;
    }
    // A view far wider than tall can round to nothing.
    if (destW <= 0 || destH <= 0)
        return {};
    const std::int64_t x = (area.right - destW) / 2;
    const std::int64_t y = (area.bottom - destH) / 2;
    return QRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(destW),
                 static_cast<int>(destH));
}

QString PrintFooter(const std::string& title) {
    return QString::fromStdString(title) + QStringLiteral("  ") +
           QString::fromLatin1(kPrintWebAddress);
}

QImage PrintPicture(const QImage& view, const QString& footer) {
    QImage picture = view.convertToFormat(QImage::Format_RGB32);
    if (picture.isNull())
        return picture;
    QPainter painter(&picture);
    const QFont font;
    painter.setFont(font);
    painter.setPen(Qt::black);
    // The text cell's top-left corner at (10, H - 40), on a transparent ground.
    painter.drawText(QPoint(10, picture.height() - 40 + QFontMetrics(font).ascent()), footer);
    return picture;
}

bool PrintPage(QPainter& page, QSize printable, const QImage& picture) {
    const QRect target = PrintPlacement(picture.size(), PrintArea(printable));
    if (target.isEmpty())
        return false;
    page.drawImage(target, picture);
    return true;
}

bool WritePdfPage(const QString& path, const QImage& picture, QString& error) {
    QString target;
    if (!SaveFileTarget(path, target, error))
        return false;
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        error = SaveFailure(path);
        return false;
    }
    bool drawn = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setTitle(QString::fromLatin1(kPrintDocumentName));
        writer.setCreator(QString::fromLatin1(kPrintDocumentName));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                         picture.width() > picture.height() ? QPageLayout::Landscape
                                                                            : QPageLayout::Portrait,
                                         QMarginsF()));
        QPainter painter;
        if (painter.begin(&writer)) {
            drawn = PrintPage(painter, QSize(writer.width(), writer.height()), picture);
            drawn = painter.end() && drawn;
        }
    }
    if (!drawn) {
        file.cancelWriting();
        error = SaveFailure(path);
        return false;
    }
    if (!file.commit()) {
        error = SaveFailure(path);
        return false;
    }
    return true;
}

bool WritePng(const QString& path, const QImage& picture, QString& error) {
    QString target;
    if (!SaveFileTarget(path, target, error))
        return false;
    QSaveFile file(target);
    if (picture.isNull() || !file.open(QIODevice::WriteOnly)) {
        error = SaveFailure(path);
        return false;
    }
    QImageWriter writer(&file, "png");
    if (!writer.write(picture)) {
        file.cancelWriting();
        error = SaveFailure(path);
        return false;
    }
    if (!file.commit()) {
        error = SaveFailure(path);
        return false;
    }
    return true;
}
