// Pictures of what is worn: head to foot, jewellery, fashion pieces and pets.

#include <QPen>
#include <QTransform>

#include "demo_catalogue/icon_paint.h"

namespace lf::demo {
namespace {

QColor Cloth(Art& art) { return art.random.Percent(40) ? art.rarity : PickColour(art.random); }

void Helmet(Art& art) {
    QPainter& p = art.painter;
    const QColor metal = art.random.Percent(70) ? kSteel : kIron.lighter(130);
    if (art.random.Percent(50)) {
        Shade(p, Polygon({{16, 1.5}, {19, 7}, {16, 9}, {13, 7}}), art.rarity);
    } else {
        for (int side : {-1, 1}) {
            QPainterPath horn;
            horn.moveTo(16 + side * 8, 11);
            horn.quadTo(16 + side * 14, 8, 16 + side * 13, 2);
            horn.quadTo(16 + side * 10, 7, 16 + side * 6, 8);
            horn.closeSubpath();
            Shade(p, horn, kBone);
        }
    }
    QPainterPath dome;
    dome.moveTo(6, 19);
    dome.cubicTo(6, 4, 26, 4, 26, 19);
    dome.lineTo(26, 27);
    dome.lineTo(20, 27);
    dome.lineTo(20, 20);
    dome.lineTo(12, 20);
    dome.lineTo(12, 27);
    dome.lineTo(6, 27);
    dome.closeSubpath();
    Shade(p, dome, metal);
    p.setPen(QPen(QColor(20, 20, 24), 1.6));
    p.drawLine(QPointF(9, 16.5), QPointF(23, 16.5));
    p.setPen(QPen(kGold, 1.2));
    p.drawLine(QPointF(16, 7), QPointF(16, 14));
}

void Hat(Art& art) {
    QPainter& p = art.painter;
    const QColor cloth = Cloth(art);
    if (art.random.Percent(50)) {  // a pointed hat
        QPainterPath brim;
        brim.addEllipse(QPointF(16, 24), 13.5, 4);
        Shade(p, brim, cloth.darker(120));
        QPainterPath cone;
        cone.moveTo(8, 24);
        cone.quadTo(14, 14, 22, 2);
        cone.quadTo(22, 14, 24, 24);
        cone.closeSubpath();
        Shade(p, cone, cloth);
        Shade(p, Polygon({{8.5, 21}, {23.5, 21}, {24, 24}, {8, 24}}), kGold);
        Orb(p, {22, 2.8}, 1.6, art.rarity);
        return;
    }
    QPainterPath brim;
    brim.addEllipse(QPointF(16, 22), 13.5, 5);
    Shade(p, brim, cloth.darker(120));
    QPainterPath crown;
    crown.moveTo(8, 22);
    crown.lineTo(9, 10);
    crown.quadTo(16, 6, 23, 10);
    crown.lineTo(24, 22);
    crown.quadTo(16, 25, 8, 22);
    Shade(p, crown, cloth);
    p.setPen(QPen(art.rarity.lighter(120), 2.2));
    p.drawLine(QPointF(8.6, 18.5), QPointF(23.4, 18.5));
    if (art.random.Percent(50)) {
        QPainterPath feather;
        feather.moveTo(21, 17);
        feather.quadTo(30, 8, 27, 3);
        feather.quadTo(24, 10, 20, 16);
        Shade(p, feather, QColor(245, 245, 240));
    }
}

void Armour(Art& art) {
    QPainter& p = art.painter;
    const QColor metal = art.random.Percent(30) ? kLeather.lighter(120) : kSteel;
    QPainterPath torso;
    torso.moveTo(9, 5);
    torso.lineTo(13, 4);
    torso.quadTo(16, 8, 19, 4);
    torso.lineTo(23, 5);
    torso.lineTo(24, 17);
    torso.lineTo(22, 28);
    torso.lineTo(10, 28);
    torso.lineTo(8, 17);
    torso.closeSubpath();
    Shade(p, torso, metal);
    p.setPen(QPen(metal.darker(170), 0.9));
    p.drawLine(QPointF(16, 8), QPointF(16, 27));
    p.drawLine(QPointF(9.5, 20), QPointF(22.5, 20));
    for (int side : {-1, 1}) {
        QPainterPath pauldron;
        pauldron.addEllipse(QPointF(16 + side * 10, 8.5), 5, 4.2);
        Shade(p, pauldron, art.rarity);
    }
    Shade(p, Polygon({{10, 24}, {22, 24}, {22, 26.5}, {10, 26.5}}), kGold);
    Orb(p, {16, 14}, 2, art.rarity);
}

void Robe(Art& art) {
    QPainter& p = art.painter;
    const QColor cloth = Cloth(art);
    QPainterPath robe;
    robe.moveTo(12, 3);
    robe.quadTo(16, 6, 20, 3);
    robe.lineTo(28, 9);
    robe.lineTo(25.5, 14);
    robe.lineTo(22, 12);
    robe.lineTo(25, 29);
    robe.lineTo(7, 29);
    robe.lineTo(10, 12);
    robe.lineTo(6.5, 14);
    robe.lineTo(4, 9);
    robe.closeSubpath();
    Shade(p, robe, cloth);
    p.setPen(QPen(kGold, 1.3));
    p.drawLine(QPointF(16, 5.5), QPointF(16, 28.5));
    p.drawLine(QPointF(7.5, 27.5), QPointF(24.5, 27.5));
    p.setPen(QPen(art.rarity, 1.6));
    p.drawLine(QPointF(10.5, 15), QPointF(21.5, 15));
}

void Trousers(Art& art) {
    QPainter& p = art.painter;
    const QColor cloth = art.random.Percent(50) ? kSteel : Cloth(art);
    QPainterPath legs;
    legs.moveTo(8, 4);
    legs.lineTo(24, 4);
    legs.lineTo(26, 29);
    legs.lineTo(18.5, 29);
    legs.lineTo(16, 12);
    legs.lineTo(13.5, 29);
    legs.lineTo(6, 29);
    legs.closeSubpath();
    Shade(p, legs, cloth);
    Shade(p, Polygon({{7.8, 3.5}, {24.2, 3.5}, {24.4, 7}, {7.6, 7}}), kLeather);
    Orb(p, {16, 5.3}, 1.6, kGold);
    for (double x : {9.8, 22.2}) Orb(p, {x, 18}, 2, art.rarity);
}

void Skirt(Art& art) {
    QPainter& p = art.painter;
    const QColor cloth = Cloth(art);
    QPainterPath skirt;
    skirt.moveTo(10, 7);
    skirt.lineTo(22, 7);
    skirt.lineTo(28, 26);
    skirt.quadTo(16, 30, 4, 26);
    skirt.closeSubpath();
    Shade(p, skirt, cloth);
    p.setPen(QPen(cloth.darker(160), 0.9));
    for (int i = 1; i < 5; ++i) {
        p.drawLine(QPointF(10 + 2.4 * i, 8), QPointF(4 + 4.8 * i, 27.5));
    }
    Shade(p, Polygon({{9.5, 4}, {22.5, 4}, {22.5, 8}, {9.5, 8}}), art.rarity);
    Orb(p, {16, 6}, 1.5, kGold);
}

void Boot(Art& art, bool tall) {
    QPainter& p = art.painter;
    const QColor leather = art.random.Percent(50) ? kLeather : Cloth(art);
    const double top = tall ? 3 : 13;
    QPainterPath boot;
    boot.moveTo(8, top);
    boot.lineTo(18, top);
    boot.lineTo(18, 18);
    boot.quadTo(28, 19, 29, 25);
    boot.lineTo(29, 28);
    boot.lineTo(6, 28);
    boot.lineTo(7, 18);
    boot.closeSubpath();
    Shade(p, boot, leather);
    Shade(p, Polygon({{5.8, 26}, {29.2, 26}, {29.2, 29}, {5.8, 29}}), leather.darker(200));
    if (tall) {
        Shade(p, Polygon({{7.5, 2.5}, {18.5, 2.5}, {18.5, 6.5}, {7.5, 6.5}}), art.rarity);
    } else {
        p.setPen(QPen(QColor(245, 240, 225), 0.9));
        for (int i = 0; i < 3; ++i)
            p.drawLine(QPointF(15, 15 + 2.5 * i), QPointF(19, 16 + 2.5 * i));
        Orb(p, {24, 22}, 1.6, art.rarity);
    }
}

void Gloves(Art& art) {
    QPainter& p = art.painter;
    const QColor leather = art.random.Percent(50) ? kLeather : kSteel;
    constexpr double kFingerTops[] = {7, 4, 4.5, 7.5};
    for (int i = 0; i < 4; ++i) {
        QPainterPath finger;
        finger.addRoundedRect(QRectF(8 + 3.7 * i, kFingerTops[i], 3.7, 12), 1.8, 1.8);
        Shade(p, finger, leather);
    }
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(-2, -9, 4, 10), 2, 2);
    Shade(p, QTransform().translate(22, 20).rotate(40).map(thumb), leather);
    QPainterPath palm;
    palm.addRoundedRect(QRectF(7.5, 13, 15.8, 11), 3, 3);
    Shade(p, palm, leather);
    QPainterPath cuff;
    cuff.addRoundedRect(QRectF(6.5, 23, 17.5, 6), 1.5, 1.5);
    Shade(p, cuff, art.rarity);
    Orb(p, {15.4, 18}, 1.8, kGold);
}

void Cape(Art& art) {
    QPainter& p = art.painter;
    const QColor cloth = Cloth(art);
    QPainterPath cape;
    cape.moveTo(11, 4);
    cape.lineTo(21, 4);
    cape.cubicTo(25, 12, 28, 20, 29, 28);
    cape.quadTo(23, 25.5, 19.5, 29);
    cape.quadTo(16, 26, 12.5, 29);
    cape.quadTo(9, 25.5, 3, 28);
    cape.cubicTo(4, 20, 7, 12, 11, 4);
    Shade(p, cape, cloth);
    p.setPen(QPen(cloth.darker(170), 0.9));
    p.drawLine(QPointF(13, 8), QPointF(9.5, 26));
    p.drawLine(QPointF(19, 8), QPointF(22.5, 26));
    Shade(p, Polygon({{10, 3}, {22, 3}, {22, 6}, {10, 6}}), cloth.darker(130));
    Orb(p, {16, 5}, 2.2, kGold);
}

void Wings(Art& art) {
    QPainter& p = art.painter;
    const QColor feather =
        art.random.Percent(50) ? QColor(245, 245, 250) : Mix(art.rarity, Qt::white, 40);
    // The right wing: a curved leading edge up to the tip, then the feather ends stepping back
    // down to the shoulder.
    QPainterPath wing;
    wing.moveTo(17.5, 14);
    wing.cubicTo(20, 7, 25, 4, 30, 3);
    for (QPointF point :
         {QPointF(29.5, 9), QPointF(27, 8.5), QPointF(26.5, 14), QPointF(24, 13), QPointF(23.5, 19),
          QPointF(21, 17.5), QPointF(19.5, 23), QPointF(17.5, 19)}) {
        wing.lineTo(point);
    }
    wing.closeSubpath();
    for (const QTransform& side : {QTransform(), QTransform(-1, 0, 0, 1, 32, 0)}) {
        Shade(p, side.map(wing), feather);
        QPainterPath quills;
        quills.moveTo(side.map(QPointF(19, 14)));
        quills.lineTo(side.map(QPointF(27, 8)));
        quills.moveTo(side.map(QPointF(19, 16)));
        quills.lineTo(side.map(QPointF(24, 13)));
        p.setPen(QPen(feather.darker(150), 0.8));
        p.drawPath(quills);
    }
    Orb(p, {16, 16}, 2.6, art.rarity);
}

void Ring(Art& art) {
    QPainter& p = art.painter;
    const QColor band = art.random.Percent(65) ? kGold : kSteel;
    QPainterPath hoop;
    hoop.addEllipse(QPointF(16, 19), 10, 8);
    Line(p, hoop, band, 3.2);
    QPainterPath setting;
    setting.addRoundedRect(QRectF(11.5, 6.5, 9, 6), 2, 2);
    Shade(p, setting, band);
    const QColor stone = art.random.Percent(60) ? art.rarity : PickColour(art.random);
    Shade(p, Polygon({{16, 2}, {21, 6.5}, {16, 12.5}, {11, 6.5}}), stone);
    Glint(p, {14.8, 5.5}, 1.1);
}

void Necklace(Art& art) {
    QPainter& p = art.painter;
    const QColor chain = art.random.Percent(65) ? kGold : kSteel;
    for (int i = 0; i <= 10; ++i) {
        const double t = i / 10.0;
        const QPointF bead(4 + 24 * t, 4 + 16 * (1 - (2 * t - 1) * (2 * t - 1)));
        Orb(p, bead, 1.4, chain);
    }
    Shade(p, Polygon({{16, 19}, {21, 23.5}, {16, 30}, {11, 23.5}}),
          art.random.Percent(60) ? art.rarity : PickColour(art.random));
    Glint(p, {14.6, 22.5}, 1.1);
}

void Earring(Art& art) {
    QPainter& p = art.painter;
    const QColor metal = art.random.Percent(65) ? kGold : kSteel;
    const QColor stone = art.random.Percent(60) ? art.rarity : PickColour(art.random);
    for (double x : {10.0, 22.0}) {
        QPainterPath hook;
        hook.moveTo(x, 12);
        hook.cubicTo(x, 4, x + 5, 3, x + 4, 9);
        Line(p, hook, metal, 1.2);
        Orb(p, {x, 14.5}, 1.6, metal);
        Shade(p, Polygon({{x, 16}, {x + 3.5, 21.5}, {x, 28}, {x - 3.5, 21.5}}), stone);
        Glint(p, {x - 1, 20.5}, 0.9);
    }
}

void Emblem(Art& art) {
    QPainter& p = art.painter;
    const QColor ribbon = PickColour(art.random);
    Shade(p, Polygon({{9, 2}, {14, 2}, {17.5, 14}, {12.5, 14}}), ribbon);
    Shade(p, Polygon({{18, 2}, {23, 2}, {19.5, 14}, {14.5, 14}}), ribbon.darker(130));
    Orb(p, {16, 20}, 8.5, art.random.Percent(60) ? kGold : kSteel);
    QPainterPath star;
    constexpr QPointF kStar[] = {{16, 14}, {17.6, 18},   {22, 18.2}, {18.5, 21}, {19.8, 25.5},
                                 {16, 23}, {12.2, 25.5}, {13.5, 21}, {10, 18.2}, {14.4, 18}};
    star.moveTo(kStar[0]);
    for (QPointF point : kStar) star.lineTo(point);
    star.closeSubpath();
    Shade(p, star, art.rarity);
}

// A round face with ears, big eyes and a nose: reads as a pet at any size.
void Pet(Art& art) {
    QPainter& p = art.painter;
    static const QColor kFur[] = {{240, 240, 236}, {70, 66, 64},    {232, 160, 72},
                                  {190, 140, 96},  {250, 214, 120}, {170, 176, 190}};
    const QColor fur = art.random.Pick(kFur);
    const auto ears = art.random.Between(0, 2);
    for (int side : {-1, 1}) {
        QPainterPath ear;
        if (ears == 0) {  // pointed, a cat or a fox
            ear =
                Polygon({{16 + side * 11.5, 14}, {16 + side * 11.0, 2.5}, {16 + side * 3.0, 8.5}});
        } else if (ears == 1) {  // round, a bear
            ear.addEllipse(QPointF(16 + side * 9.5, 7.5), 4.5, 4.5);
        } else {  // long, a rabbit
            ear.addEllipse(QPointF(16 + side * 5, 5.5), 3, 7);
        }
        Shade(p, ear, fur);
    }
    QPainterPath face;
    face.addEllipse(QPointF(16, 18), 12, 10.5);
    Shade(p, face, fur);
    for (int side : {-1, 1}) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 24, 24));
        p.drawEllipse(QPointF(16 + side * 5, 17), 2.2, 2.6);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16 + side * 5 - 0.7, 16), 0.8, 0.8);
        p.setBrush(QColor(250, 120, 140, 150));
        p.drawEllipse(QPointF(16 + side * 8.5, 21.5), 2, 1.3);
    }
    Shade(p, Polygon({{14.5, 20.5}, {17.5, 20.5}, {16, 22.5}}), QColor(60, 40, 40));
    QPainterPath collar;
    collar.moveTo(8, 26.5);
    collar.quadTo(16, 30.5, 24, 26.5);
    Line(p, collar, art.rarity, 1.6);
}

}  // namespace

void DrawWear(Art& art, Picture picture) {
    switch (picture) {
        case Picture::Helmet:
            return Helmet(art);
        case Picture::Hat:
            return Hat(art);
        case Picture::Armour:
            return Armour(art);
        case Picture::Robe:
            return Robe(art);
        case Picture::Trousers:
            return Trousers(art);
        case Picture::Skirt:
            return Skirt(art);
        case Picture::Boots:
            return Boot(art, true);
        case Picture::Shoes:
            return Boot(art, false);
        case Picture::Gloves:
            return Gloves(art);
        case Picture::Cape:
            return Cape(art);
        case Picture::Wings:
            return Wings(art);
        case Picture::Ring:
            return Ring(art);
        case Picture::Necklace:
            return Necklace(art);
        case Picture::Earring:
            return Earring(art);
        case Picture::Emblem:
            return Emblem(art);
        default:
            return Pet(art);
    }
}

}  // namespace lf::demo
