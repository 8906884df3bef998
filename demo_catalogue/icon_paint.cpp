#include "demo_catalogue/icon_paint.h"

#include <QLinearGradient>
#include <QPen>
#include <QRadialGradient>

namespace lf::demo {

QColor RarityColour(Rarity rarity) {
    switch (rarity) {
        case Rarity::Common:
            return {196, 196, 196};
        case Rarity::Uncommon:
            return {96, 206, 96};
        case Rarity::Rare:
            return {80, 144, 244};
        case Rarity::Epic:
            return {184, 96, 236};
        case Rarity::Legendary:
            return {248, 168, 40};
    }
    return {196, 196, 196};
}

QColor PickColour(Random& random) {
    static const QColor kColours[] = {
        {210, 50, 50},  {50, 100, 210},  {50, 170, 80}, {150, 60, 190}, {40, 170, 170},
        {230, 130, 40}, {230, 110, 160}, {60, 60, 130}, {200, 180, 60}, {120, 70, 40},
    };
    return random.Pick(kColours);
}

QColor Mix(const QColor& first, const QColor& second, int percent) {
    const auto blend = [percent](int a, int b) {
        return (a * (100 - percent) + b * percent) / 100;
    };
    return {blend(first.red(), second.red()), blend(first.green(), second.green()),
            blend(first.blue(), second.blue())};
}

QPainterPath Polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    bool first = true;
    for (QPointF point : points) {
        if (first) {
            path.moveTo(point);
        } else {
            path.lineTo(point);
        }
        first = false;
    }
    path.closeSubpath();
    return path;
}

void Shade(QPainter& painter, const QPainterPath& path, const QColor& base) {
    const QRectF bounds = path.boundingRect();
    Shade(painter, path, base, bounds.topLeft(), bounds.bottomRight());
}

void Shade(QPainter& painter, const QPainterPath& path, const QColor& base, QPointF lit,
           QPointF dark) {
    QLinearGradient gradient(lit, dark);
    gradient.setColorAt(0, base.lighter(165));
    gradient.setColorAt(0.45, base);
    gradient.setColorAt(1, base.darker(190));
    painter.setPen(QPen(base.darker(320), 0.9));
    painter.setBrush(gradient);
    painter.drawPath(path);
}

void Orb(QPainter& painter, QPointF centre, double radius, const QColor& base) {
    QRadialGradient gradient(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    gradient.setColorAt(0, base.lighter(180));
    gradient.setColorAt(0.5, base);
    gradient.setColorAt(1, base.darker(220));
    painter.setPen(QPen(base.darker(320), 0.9));
    painter.setBrush(gradient);
    painter.drawEllipse(centre, radius, radius);
}

void Glint(QPainter& painter, QPointF centre, double radius) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawEllipse(centre, radius, radius * 0.7);
}

void Line(QPainter& painter, const QPainterPath& path, const QColor& colour, double width) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour.darker(300), width + 1.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(path);
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(path);
}

}  // namespace lf::demo
