#include "composer/qt/card_picture.h"

#include <QPainter>
#include <QPainterPath>

namespace lf {
namespace {

namespace art = card_artwork;

constexpr QColor ToQColor(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

constexpr QSize kPictureSize(art::kPictureWidth, art::kPictureHeight);
constexpr QColor kQtCardGrey = ToQColor(art::kCardGrey);
constexpr QColor kQtFrameGreen = ToQColor(art::kFrameGreen);
constexpr QMargins kFrameWidths(art::kFrameLeft, art::kFrameTop, art::kFrameRight,
                                art::kFrameBottom);

void DrawRoundedArea(QPainter& painter, const QRect& area, int radius, const QColor& colour) {
    QPainterPath path;
    path.addRoundedRect(area, radius, radius);
    painter.fillPath(path, colour);
}

void DrawInfoLettering(QPainter& painter) {
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(art::kLetteringPixelSize);
    painter.setFont(font);
    painter.setPen(kQtFrameGreen);
    painter.drawText(
        QRect(art::kLetteringLeft, art::kLetteringTop, art::kLetteringWidth, art::kLetteringHeight),
        Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(art::kLettering));
}

// A ring open at the top with a bar through the gap.
void DrawPowerSymbol(QPainter& painter) {
    const QPointF centre(art::kPowerCentreX, art::kPowerCentreY);
    constexpr qreal kRadius = art::kPowerRadius;
    painter.setPen(QPen(kQtFrameGreen, art::kPowerPenWidth, Qt::SolidLine, Qt::RoundCap));
    const QRectF ring(centre.x() - kRadius, centre.y() - kRadius, 2 * kRadius, 2 * kRadius);
    painter.drawArc(ring, (90 + art::kPowerGapDegrees / 2) * 16,
                    (360 - art::kPowerGapDegrees) * 16);
    painter.drawLine(QPointF(centre.x(), centre.y() - kRadius - art::kPowerBarOverhang), centre);
}

}  // namespace

QImage CardPicture() {
    QImage picture(kPictureSize, QImage::Format_RGB32);
    picture.fill(kColourKey);
    QPainter painter(&picture);
    // The outline is drawn without smoothing: a blended edge pixel would be neither card nor
    // colour key and would show as a pink fringe.
    const QRect outer(QPoint(0, 0), kPictureSize);
    DrawRoundedArea(painter, outer, art::kCornerRadius, kQtFrameGreen);
    DrawRoundedArea(painter, outer.marginsRemoved(kFrameWidths), art::kInnerCornerRadius,
                    kQtCardGrey);
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
