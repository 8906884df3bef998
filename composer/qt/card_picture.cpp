#include "composer/qt/card_picture.h"

#include <QPainter>
#include <QPainterPath>

namespace lf {
namespace {

constexpr QSize kPictureSize(202, 417);
constexpr QColor kCardGrey(229, 229, 229);
constexpr QColor kFrameGreen(65, 171, 67);
constexpr int kCornerRadius = 10;
// The frame's left edge is the thicker one.
constexpr QMargins kFrameWidths(6, 3, 3, 3);

void DrawRoundedArea(QPainter& painter, const QRect& area, int radius, const QColor& colour) {
    QPainterPath path;
    path.addRoundedRect(area, radius, radius);
    painter.fillPath(path, colour);
}

void DrawInfoLettering(QPainter& painter) {
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(kFrameGreen);
    painter.drawText(QRect(12, 6, 60, 16), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("INFO"));
}

// A ring open at the top with a bar through the gap.
void DrawPowerSymbol(QPainter& painter) {
    const QPointF centre(185.5, 14.5);
    constexpr qreal kRadius = 6;
    painter.setPen(QPen(kFrameGreen, 2, Qt::SolidLine, Qt::RoundCap));
    const QRectF ring(centre.x() - kRadius, centre.y() - kRadius, 2 * kRadius, 2 * kRadius);
    constexpr int kGapDegrees = 60;
    painter.drawArc(ring, (90 + kGapDegrees / 2) * 16, (360 - kGapDegrees) * 16);
    painter.drawLine(QPointF(centre.x(), centre.y() - kRadius - 1.5), centre);
}

}  // namespace

QImage CardPicture() {
    QImage picture(kPictureSize, QImage::Format_RGB32);
    picture.fill(kColourKey);
    QPainter painter(&picture);
    // The outline is drawn without smoothing: a blended edge pixel would be neither card nor
    // colour key and would show as a pink fringe.
    const QRect outer(QPoint(0, 0), kPictureSize);
    DrawRoundedArea(painter, outer, kCornerRadius, kFrameGreen);
    DrawRoundedArea(painter, outer.marginsRemoved(kFrameWidths), kCornerRadius - 3, kCardGrey);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawInfoLettering(painter);
    DrawPowerSymbol(painter);
    return picture;
}

namespace {

QImage ClientImage() {
    QImage client(kCardClientSize, QImage::Format_RGB32);
    client.fill(kColourKey);
    QPainter(&client).drawImage(0, 0, CardPicture());
    return client;
}

}  // namespace

const QImage& TranslucentCardImage() {
    static const QImage image = [] {
        QImage translucent = ClientImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < translucent.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(translucent.scanLine(y));
            for (int x = 0; x < translucent.width(); ++x) {
                if (line[x] == kColourKey) line[x] = qRgba(0, 0, 0, 0);
            }
        }
        return translucent.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }();
    return image;
}

QBitmap CardMask() {
    return QBitmap::fromImage(ClientImage().createMaskFromColor(kColourKey, Qt::MaskInColor));
}

}  // namespace lf
