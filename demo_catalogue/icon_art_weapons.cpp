// Weapon and shield pictures. Long weapons are drawn pointing up in a turned frame so that
// they lie across the cell from the bottom left to the top right.

#include <QPen>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

#include "demo_catalogue/icon_paint.h"

namespace lf::demo {
namespace {

QColor BladeColour(Art& art) {
    return art.random.Percent(30) ? Mix(kSteel, art.rarity, 35) : kSteel;
}

void Hilt(Art& art, double guardY, double guardHalf, double gripLength) {
    QPainter& p = art.painter;
    Shade(p,
          Polygon({{-guardHalf, guardY},
                   {guardHalf, guardY},
                   {guardHalf - 1, guardY + 2.6},
                   {1 - guardHalf, guardY + 2.6}}),
          kGold);
    QPainterPath grip;
    grip.addRect(QRectF(-1.4, guardY + 2.6, 2.8, gripLength));
    Shade(p, grip, kLeather, {-1.4, 0}, {1.4, 0});
    Orb(p, {0, guardY + 3.8 + gripLength}, 1.9, art.rarity);
}

void Sword(Art& art) {
    QPainter& p = art.painter;
    Turned turned(p, 45);
    const double half = Tenths(art.random, 2.0, 3.2);
    const QColor blade = BladeColour(art);
    Shade(p, Polygon({{0, -16}, {half, -12.5}, {half, 4}, {-half, 4}, {-half, -12.5}}), blade,
          {-half, 0}, {half, 0});
    p.setPen(QPen(blade.darker(160), 0.8));
    p.drawLine(QPointF(0, -12), QPointF(0, 3));
    Hilt(art, 4, Tenths(art.random, 5.5, 7.0), 5.5);
}

void Dagger(Art& art) {
    QPainter& p = art.painter;
    Turned turned(p, 45);
    const QColor blade = BladeColour(art);
    Shade(p, Polygon({{0, -12}, {3, -6}, {2.6, 2}, {-2.6, 2}, {-3, -6}}), blade, {-3, 0}, {3, 0});
    p.setPen(QPen(blade.darker(160), 0.8));
    p.drawLine(QPointF(0, -9), QPointF(0, 1));
    Hilt(art, 2, 5.0, 6.0);
}

void Axe(Art& art) {
    QPainter& p = art.painter;
    Turned turned(p, 40);
    QPainterPath handle;
    handle.addRoundedRect(QRectF(-1.4, -13, 2.8, 28), 1, 1);
    Shade(p, handle, kWood, {-1.4, 0}, {1.4, 0});
    const QColor head = BladeColour(art);
    const bool doubleBit = art.random.Percent(40);
    for (int side : {1, -1}) {
        if (side < 0 && !doubleBit) break;
        QPainterPath bit;
        bit.moveTo(side * 1.2, -12);
        bit.lineTo(side * 7, -15);
        bit.quadTo(side * 13.5, -8, side * 7, -0.5);
        bit.lineTo(side * 1.2, -4);
        bit.closeSubpath();
        Shade(p, bit, head);
        p.setPen(QPen(head.lighter(150), 1.0));
        p.drawLine(QPointF(side * 9.5, -12), QPointF(side * 9.8, -4));
    }
    Orb(p, {0, -13.5}, 1.6, art.rarity);
}

void Hammer(Art& art) {
    QPainter& p = art.painter;
    Turned turned(p, 40);
    QPainterPath handle;
    handle.addRect(QRectF(-1.3, -9, 2.6, 24));
    Shade(p, handle, kWood, {-1.3, 0}, {1.3, 0});
    QPainterPath grip;
    grip.addRect(QRectF(-1.7, 8, 3.4, 6));
    Shade(p, grip, kLeather);
    const double half = Tenths(art.random, 6.0, 8.0);
    QPainterPath head;
    head.addRoundedRect(QRectF(-half, -16, 2 * half, 8), 1.5, 1.5);
    Shade(p, head, art.random.Percent(50) ? kIron : kSteel);
    p.setPen(QPen(kGold, 1.4));
    p.drawLine(QPointF(-half + 2.5, -15.5), QPointF(-half + 2.5, -8.5));
    p.drawLine(QPointF(half - 2.5, -15.5), QPointF(half - 2.5, -8.5));
    Orb(p, {0, -12}, 1.8, art.rarity);
}

void Spear(Art& art) {
    QPainter& p = art.painter;
    Turned turned(p, 45);
    QPainterPath shaft;
    shaft.addRect(QRectF(-1.1, -8, 2.2, 24));
    Shade(p, shaft, kWood, {-1.1, 0}, {1.1, 0});
    const double half = Tenths(art.random, 2.6, 3.8);
    Shade(p, Polygon({{0, -17.5}, {half, -12}, {0, -6.5}, {-half, -12}}), BladeColour(art),
          {-half, 0}, {half, 0});
    Shade(p, Polygon({{-1.8, -7}, {1.8, -7}, {3.2, -1}, {-3.2, -1}}), art.rarity);
    QPainterPath collar;
    collar.addRect(QRectF(-1.9, -7.5, 3.8, 1.8));
    Shade(p, collar, kGold);
}

void Staff(Art& art) {
    QPainter& p = art.painter;
    Turned turned(p, 25);
    QPainterPath shaft;
    shaft.addRoundedRect(QRectF(-1.3, -7, 2.6, 23), 1, 1);
    Shade(p, shaft, kWood, {-1.3, 0}, {1.3, 0});
    QRadialGradient glow(QPointF(0, -11), 9);
    QColor halo = art.rarity;
    halo.setAlpha(150);
    glow.setColorAt(0, halo);
    glow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(0, -11), 9, 9);
    QPainterPath prongs;
    prongs.moveTo(-1, -6);
    prongs.cubicTo(-7.5, -8, -7, -15, -2, -16.5);
    prongs.moveTo(1, -6);
    prongs.cubicTo(7.5, -8, 7, -15, 2, -16.5);
    Line(p, prongs, kGold, 1.4);
    Orb(p, {0, -11}, Tenths(art.random, 3.6, 4.6), art.rarity);
    Glint(p, {-1.4, -12.6}, 1.1);
}

void Wand(Art& art) {
    QPainter& p = art.painter;
    Turned turned(p, 40);
    QPainterPath shaft;
    shaft.addRoundedRect(QRectF(-1, -5, 2, 19), 1, 1);
    Shade(p, shaft, art.random.Percent(50) ? kBone : kIron, {-1, 0}, {1, 0});
    QPainterPath star;
    constexpr int kPoints = 5;
    for (int i = 0; i < 2 * kPoints; ++i) {
        const double angle = std::numbers::pi * i / kPoints - std::numbers::pi / 2;
        const double radius = i % 2 == 0 ? 6.5 : 2.7;
        const QPointF point(radius * std::cos(angle), -10 + radius * std::sin(angle));
        if (i == 0) {
            star.moveTo(point);
        } else {
            star.lineTo(point);
        }
    }
    star.closeSubpath();
    Shade(p, star, art.random.Percent(50) ? kGold : art.rarity);
    Glint(p, {-1, -11}, 0.9);
}

void Bow(Art& art) {
    QPainter& p = art.painter;
    Turned turned(p, 45);
    const double bend = Tenths(art.random, 8.0, 11.0);
    QPainterPath limb;
    limb.moveTo(3, -15.5);
    limb.cubicTo(3 - bend, -10, 3 - bend, 10, 3, 15.5);
    p.setPen(QPen(QColor(235, 235, 225), 0.8));
    p.drawLine(QPointF(3, -15.5), QPointF(3, 15.5));
    Line(p, limb, art.random.Percent(60) ? kWood : Mix(kWood, art.rarity, 50), 2.6);
    const double gripX = 3 - 0.75 * bend;
    QPainterPath grip;
    grip.addRect(QRectF(gripX - 1.8, -2.5, 3.6, 5));
    Shade(p, grip, kLeather);
    Orb(p, {3, -15.5}, 1.3, art.rarity);
    Orb(p, {3, 15.5}, 1.3, art.rarity);
    if (art.random.Percent(50)) {
        p.setPen(QPen(kSteel.darker(130), 1.0));
        p.drawLine(QPointF(gripX - 2, 0), QPointF(9.5, 0));
        Shade(p, Polygon({{12.5, 0}, {9.5, -1.8}, {9.5, 1.8}}), kSteel);
    }
}

void Gun(Art& art) {
    QPainter& p = art.painter;
    const bool rifle = art.random.Percent(40);
    const double muzzle = rifle ? 30 : 27;
    QPainterPath barrel;
    barrel.addRect(QRectF(10, 9.5, muzzle - 10, 3.6));
    Shade(p, barrel, kSteel, {0, 9.5}, {0, 13});
    if (rifle) {
        Shade(p, Polygon({{1.5, 12}, {8, 10}, {8, 16.5}, {1.5, 20}}), kWood);
    }
    QPainterPath body;
    body.addRoundedRect(QRectF(6, 8.5, 11, 7.5), 1.5, 1.5);
    Shade(p, body, kIron);
    Shade(p, Polygon({{7, 15}, {13, 15}, {11, 26}, {4.5, 25}}), rifle ? kWood : kLeather);
    QPainterPath guard;
    guard.moveTo(13, 16);
    guard.quadTo(15.5, 21, 11.5, 21);
    Line(p, guard, kIron, 0.9);
    QPainterPath band;
    band.addRect(QRectF(muzzle - 3, 9, 2, 4.6));
    Shade(p, band, kGold);
    Orb(p, {11.5, 12}, 1.5, art.rarity);
}

void Claw(Art& art) {
    QPainter& p = art.painter;
    Turned turned(p, 35);
    const QColor blade = BladeColour(art);
    for (int i = -1; i <= 1; ++i) {
        const double x = 4.2 * i;
        QPainterPath talon;
        talon.moveTo(x - 1.5, 3);
        talon.cubicTo(x - 1.8, -5, x, -11, x + 3.5, -16.5);
        talon.cubicTo(x + 1.8, -10, x + 1.5, -4, x + 1.5, 3);
        talon.closeSubpath();
        Shade(p, talon, blade, {x - 1.5, 0}, {x + 1.5, 0});
    }
    QPainterPath fist;
    fist.addRoundedRect(QRectF(-7, 1.5, 14, 9), 3.5, 3.5);
    Shade(p, fist, art.random.Percent(50) ? kLeather : kIron);
    for (int i = -1; i <= 1; ++i) Orb(p, {4.2 * i, 4.5}, 1.3, kGold);
    QPainterPath cuff;
    cuff.addRect(QRectF(-5.5, 10.5, 11, 4));
    Shade(p, cuff, art.rarity);
}

void Fan(Art& art) {
    QPainter& p = art.painter;
    const QPointF pivot(16, 26);
    const QRectF outer(2, 12, 28, 28);
    const QColor paper = PickColour(art.random);
    constexpr int kFolds = 8;
    for (int i = 0; i < kFolds; ++i) {
        QPainterPath fold;
        fold.moveTo(pivot);
        fold.arcTo(outer, 25 + 130.0 * i / kFolds, 130.0 / kFolds);
        fold.closeSubpath();
        Shade(p, fold, i % 2 == 0 ? paper : paper.lighter(130));
    }
    QPainterPath rim;
    rim.arcMoveTo(outer, 25);
    rim.arcTo(outer, 25, 130);
    Line(p, rim, art.rarity, 1.2);
    QPainterPath hub;
    hub.moveTo(pivot);
    hub.arcTo(QRectF(9, 19, 14, 14), 25, 130);
    hub.closeSubpath();
    Shade(p, hub, kWood);
    Orb(p, pivot, 1.8, kGold);
}

void Pan(Art& art) {
    QPainter& p = art.painter;
    Shade(p, Polygon({{17.5, 20}, {20, 17.5}, {29.5, 27}, {27, 29.5}}), kWood);
    Orb(p, {13, 13}, 10, kIron);
    QPainterPath inside;
    inside.addEllipse(QPointF(13.5, 13.5), 7, 7);
    Shade(p, inside, kIron.darker(140), {20, 20}, {7, 7});
    if (art.random.Percent(50)) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 250, 245));
        p.drawEllipse(QPointF(13, 13), 4.5, 3.8);
        Orb(p, {13.5, 13}, 1.9, QColor(250, 190, 30));
    } else {
        Glint(p, {9.5, 9.5}, 1.8);
    }
    Orb(p, {27.5, 27.5}, 1.5, art.rarity);
}

void Shield(Art& art) {
    QPainter& p = art.painter;
    const QColor face = art.random.Percent(50) ? art.rarity : PickColour(art.random);
    if (art.random.Percent(35)) {
        QPainterPath round;
        round.addEllipse(QPointF(16, 16), 13, 13);
        Shade(p, round, kWood);
        Line(p, round, kSteel, 1.6);
        QPainterPath ring;
        ring.addEllipse(QPointF(16, 16), 8, 8);
        Line(p, ring, face, 1.6);
        Orb(p, {16, 16}, 4, kSteel);
        return;
    }
    QPainterPath heater;
    heater.moveTo(4.5, 4);
    heater.lineTo(27.5, 4);
    heater.lineTo(27.5, 14);
    heater.cubicTo(27.5, 22, 21, 27, 16, 29.5);
    heater.cubicTo(11, 27, 4.5, 22, 4.5, 14);
    heater.closeSubpath();
    Shade(p, heater, face);
    Line(p, heater, kSteel, 1.4);
    if (art.random.Percent(50)) {
        Shade(p, Polygon({{14.5, 7}, {17.5, 7}, {17.5, 25}, {14.5, 25}}), kGold);
        Shade(p, Polygon({{8, 12}, {24, 12}, {24, 15}, {8, 15}}), kGold);
    } else {
        Orb(p, {16, 15}, 4.2, kGold);
        Glint(p, {14.8, 13.6}, 1.2);
    }
}

}  // namespace

void DrawWeapon(Art& art, Picture picture) {
    switch (picture) {
        case Picture::Sword:
            return Sword(art);
        case Picture::Dagger:
            return Dagger(art);
        case Picture::Axe:
            return Axe(art);
        case Picture::Hammer:
            return Hammer(art);
        case Picture::Spear:
            return Spear(art);
        case Picture::Staff:
            return Staff(art);
        case Picture::Wand:
            return Wand(art);
        case Picture::Bow:
            return Bow(art);
        case Picture::Gun:
            return Gun(art);
        case Picture::Claw:
            return Claw(art);
        case Picture::Fan:
            return Fan(art);
        case Picture::Pan:
            return Pan(art);
        default:
            return Shield(art);
    }
}

}  // namespace lf::demo
