// Pictures of what is carried: potions, food, materials, papers, keys, coins and boxes.

#include <QPen>

#include "demo_catalogue/icon_paint.h"

namespace lf::demo {
namespace {

void Potion(Art& art) {
    QPainter& p = art.painter;
    static const QColor kLiquids[] = {
        {220, 40, 40}, {50, 90, 230}, {150, 60, 200}, {60, 190, 80}, {240, 170, 40}};
    const QColor liquid = art.random.Pick(kLiquids);
    const bool round = art.random.Percent(60);
    QPainterPath glass;
    if (round) {
        glass.addEllipse(QPointF(16, 20), 9.5, 9);
        glass.addRect(QRectF(13, 5, 6, 8));
        glass = glass.simplified();
    } else {
        glass = Polygon({{13, 5}, {19, 5}, {19, 11}, {26, 28}, {6, 28}, {13, 11}});
    }
    p.setPen(QPen(QColor(40, 50, 60), 1.0));
    p.setBrush(QColor(210, 230, 240, 90));
    p.drawPath(glass);
    QPainterPath level;
    level.addRect(QRectF(0, 16, 32, 16));
    Shade(p, glass.intersected(level), liquid);
    Shade(p, Polygon({{12.5, 2}, {19.5, 2}, {19, 6}, {13, 6}}), kWood);
    Glint(p, {round ? 11.5 : 13.0, round ? 17.0 : 19.0}, 1.6);
}

void Food(Art& art) {
    QPainter& p = art.painter;
    switch (art.random.Between(0, 3)) {
        case 0: {  // a loaf
            QPainterPath loaf;
            loaf.addRoundedRect(QRectF(4, 10, 24, 14), 7, 7);
            Shade(p, loaf, QColor(214, 150, 70));
            p.setPen(QPen(QColor(250, 220, 160), 1.3));
            for (int i = 0; i < 3; ++i)
                p.drawLine(QPointF(10 + 5 * i, 12), QPointF(13 + 5 * i, 17));
            break;
        }
        case 1: {  // meat on the bone
            Orb(p, {24.5, 8}, 2.4, kBone);
            Orb(p, {26.5, 10.5}, 2.4, kBone);
            Shade(p, Polygon({{20, 10}, {23, 13}, {19, 17}, {16, 14}}), kBone);
            QPainterPath meat;
            meat.addEllipse(QPointF(12, 20), 9.5, 7.5);
            Shade(p, meat, QColor(170, 80, 40));
            Glint(p, {9, 17}, 1.5);
            break;
        }
        case 2: {  // an apple
            Orb(p, {16, 18}, 10, QColor(220, 40, 40));
            Line(p, Polygon({{16, 9}, {17, 4}}), kWood, 1.2);
            QPainterPath leaf;
            leaf.addEllipse(QPointF(20.5, 6), 3.5, 1.8);
            Shade(p, leaf, QColor(60, 170, 60));
            Glint(p, {12, 14}, 1.8);
            break;
        }
        default: {  // a slice of cake
            Shade(p, Polygon({{4, 18}, {26, 10}, {28, 14}, {28, 26}, {4, 26}}),
                  QColor(250, 232, 190));
            Shade(p, Polygon({{4, 18}, {26, 10}, {28, 14}, {5, 21}}), QColor(250, 180, 200));
            p.setPen(QPen(QColor(230, 120, 150), 1.6));
            p.drawLine(QPointF(5, 23.5), QPointF(27.5, 23.5));
            Orb(p, {22, 9}, 2.4, QColor(220, 30, 40));
            break;
        }
    }
}

void Herb(Art& art) {
    QPainter& p = art.painter;
    const QColor leaf = art.random.Percent(70) ? QColor(70, 170, 70) : QColor(120, 180, 60);
    QPainterPath stem;
    stem.moveTo(16, 29);
    stem.quadTo(14, 18, 17, 8);
    Line(p, stem, QColor(60, 130, 50), 1.2);
    for (int i = 0; i < 3; ++i) {
        for (int side : {-1, 1}) {
            QPainterPath blade;
            const QPointF base(15.5 + side * 0.5, 24 - 6 * i);
            blade.moveTo(base);
            blade.quadTo(base + QPointF(side * 6, -6), base + QPointF(side * 10, -2));
            blade.quadTo(base + QPointF(side * 5, 1.5), base);
            Shade(p, blade, leaf);
        }
    }
    if (art.random.Percent(60)) {
        const QColor petal = PickColour(art.random);
        for (QPointF offset :
             {QPointF(-2.5, 0), QPointF(2.5, 0), QPointF(0, -2.5), QPointF(0, 2.5)}) {
            Orb(p, QPointF(17, 6.5) + offset, 2.2, petal);
        }
        Orb(p, {17, 6.5}, 1.4, kGold);
    }
}

void Ore(Art& art) {
    QPainter& p = art.painter;
    static const QColor kMetals[] = {
        {150, 150, 160}, {200, 120, 70}, {220, 220, 230}, {230, 190, 70}, {120, 200, 220}};
    const QColor rock(118, 104, 96);
    const QColor vein = art.random.Pick(kMetals);
    Shade(p, Polygon({{4, 22}, {8, 11}, {15, 6}, {24, 8}, {29, 17}, {26, 27}, {10, 28}}), rock);
    Shade(p, Polygon({{9, 14}, {14, 11}, {15, 17}, {10, 19}}), vein);
    Shade(p, Polygon({{18, 12}, {24, 13}, {22, 19}, {17, 18}}), vein);
    Shade(p, Polygon({{13, 21}, {19, 21}, {17, 26}, {12, 25}}), vein);
    Glint(p, {11, 14.5}, 1.0);
    Glint(p, {20, 14}, 1.0);
}

void Gem(Art& art) {
    QPainter& p = art.painter;
    const QColor stone = art.random.Percent(50) ? art.rarity : PickColour(art.random);
    Shade(p, Polygon({{9, 6}, {23, 6}, {29, 13}, {16, 29}, {3, 13}}), stone);
    p.setPen(QPen(stone.lighter(160), 0.9));
    p.drawLine(QPointF(3, 13), QPointF(29, 13));
    p.drawLine(QPointF(12, 6), QPointF(10, 13));
    p.drawLine(QPointF(20, 6), QPointF(22, 13));
    p.drawLine(QPointF(10, 13), QPointF(16, 29));
    p.drawLine(QPointF(22, 13), QPointF(16, 29));
    Glint(p, {11, 9}, 1.6);
}

void Scroll(Art& art) {
    QPainter& p = art.painter;
    Shade(p, Polygon({{7, 6}, {25, 6}, {25, 26}, {7, 26}}), kPaper);
    p.setPen(QPen(QColor(120, 100, 80), 0.9));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(10, 10 + 3 * i), QPointF(22 - (i % 2) * 3, 10 + 3 * i));
    for (double y : {5.0, 27.0}) {
        QPainterPath roll;
        roll.addRoundedRect(QRectF(4, y - 2.5, 24, 5), 2.5, 2.5);
        Shade(p, roll, kPaper.darker(115), {0, y - 2.5}, {0, y + 2.5});
        Orb(p, {4, y}, 1.8, kWood);
        Orb(p, {28, y}, 1.8, kWood);
    }
    if (art.random.Percent(50)) Orb(p, {22, 22}, 3, art.rarity);
}

void Letter(Art& art) {
    QPainter& p = art.painter;
    Shade(p, Polygon({{3, 8}, {29, 8}, {29, 26}, {3, 26}}), kPaper);
    p.setPen(QPen(QColor(150, 125, 90), 1.0));
    p.drawLine(QPointF(3.5, 25.5), QPointF(13, 17));
    p.drawLine(QPointF(28.5, 25.5), QPointF(19, 17));
    Shade(p, Polygon({{3, 8}, {29, 8}, {16, 19}}), kPaper.darker(110));
    const QColor wax = art.random.Percent(60) ? QColor(200, 30, 30) : art.rarity;
    Orb(p, {16, 18}, 3.2, wax);
}

void Book(Art& art) {
    QPainter& p = art.painter;
    const QColor cover = PickColour(art.random);
    Shade(p, Polygon({{9, 5}, {27, 3}, {27, 25}, {9, 27}}), QColor(245, 240, 225));
    Shade(p, Polygon({{5, 6}, {24, 4}, {24, 27}, {5, 29}}), cover);
    Shade(p, Polygon({{5, 6}, {8, 5.7}, {8, 28.7}, {5, 29}}), cover.darker(150));
    Shade(p, Polygon({{14.5, 11}, {18, 10.6}, {18, 21}, {14.5, 21.4}}), art.rarity);
    p.setPen(QPen(kGold, 1.0));
    p.drawLine(QPointF(10, 8), QPointF(22, 6.8));
    p.drawLine(QPointF(10, 26), QPointF(22, 24.8));
}

void Key(Art& art) {
    QPainter& p = art.painter;
    const QColor metal = art.random.Percent(60) ? kGold : kSteel;
    Turned turned(p, 45);
    QPainterPath bow;
    bow.addEllipse(QPointF(0, -9), 5.5, 5.5);
    Line(p, bow, metal, 2.4);
    QPainterPath stem;
    stem.addRect(QRectF(-1.3, -3.5, 2.6, 18));
    Shade(p, stem, metal, {-1.3, 0}, {1.3, 0});
    Shade(p, Polygon({{1.3, 8}, {5.5, 8}, {5.5, 10.5}, {1.3, 10.5}}), metal);
    Shade(p, Polygon({{1.3, 12}, {4.5, 12}, {4.5, 14.5}, {1.3, 14.5}}), metal);
    Orb(p, {0, -9}, 2, art.rarity);
}

void Coin(Art& art) {
    QPainter& p = art.painter;
    const QColor metal = art.random.Percent(65) ? kGold : kSteel;
    const auto coins = art.random.Between(1, 3);
    for (int i = 0; i < coins; ++i) {
        const QPointF centre(21 - 5.0 * i, 21 - 5.0 * i);
        const double radius = coins == 1 ? 11 : 8;
        Orb(p, coins == 1 ? QPointF(16, 16) : centre, radius, metal);
        QPainterPath rim;
        rim.addEllipse(coins == 1 ? QPointF(16, 16) : centre, radius - 2.5, radius - 2.5);
        Line(p, rim, metal.lighter(115), 0.6);
    }
    const QPointF mark = coins == 1 ? QPointF(16, 16) : QPointF(26 - 5.0 * coins, 26 - 5.0 * coins);
    Orb(p, mark, 2.2, art.rarity);
}

void Box(Art& art) {
    QPainter& p = art.painter;
    const QColor body = art.random.Percent(50) ? kWood : PickColour(art.random);
    QPainterPath chest;
    chest.addRect(QRectF(4, 14, 24, 14));
    Shade(p, chest, body);
    QPainterPath lid;
    lid.moveTo(4, 14);
    lid.cubicTo(4, 5, 28, 5, 28, 14);
    lid.closeSubpath();
    Shade(p, lid, body.lighter(115));
    p.setPen(QPen(kGold.darker(120), 2.0));
    p.drawLine(QPointF(9, 8.5), QPointF(9, 27.5));
    p.drawLine(QPointF(23, 8.5), QPointF(23, 27.5));
    QPainterPath lock;
    lock.addRoundedRect(QRectF(13.5, 12, 5, 6), 1, 1);
    Shade(p, lock, kGold);
    Orb(p, {16, 15}, 1.2, art.rarity);
}

void Card(Art& art) {
    QPainter& p = art.painter;
    {
        Turned turned(p, -15);
        QPainterPath back;
        back.addRoundedRect(QRectF(-9, -12, 16, 23), 2, 2);
        Shade(p, back, PickColour(art.random));
    }
    Turned turned(p, 12);
    QPainterPath face;
    face.addRoundedRect(QRectF(-6, -12, 16, 23), 2, 2);
    Shade(p, face, QColor(245, 245, 240));
    QPainterPath frame;
    frame.addRect(QRectF(-4, -10, 12, 19));
    Line(p, frame, art.rarity, 0.8);
    Shade(p, Polygon({{2, -6}, {6, -0.5}, {2, 5}, {-2, -0.5}}), art.rarity);
}

void Firework(Art& art) {
    QPainter& p = art.painter;
    const QColor spark = PickColour(art.random);
    p.setPen(QPen(spark.lighter(130), 1.2, Qt::SolidLine, Qt::RoundCap));
    constexpr QPointF kRays[] = {{0, -7}, {5, -5}, {7, 0}, {5, 5}, {-5, 5}, {-7, 0}, {-5, -5}};
    const QPointF burst(19, 10);
    for (QPointF ray : kRays) p.drawLine(burst + ray * 0.45, burst + ray);
    Orb(p, burst, 2, spark);
    Turned turned(p, 30);
    p.setPen(QPen(kWood, 1.2));
    p.drawLine(QPointF(0, 6), QPointF(0, 15));
    QPainterPath tube;
    tube.addRect(QRectF(-3, -4, 6, 11));
    Shade(p, tube, art.rarity, {-3, 0}, {3, 0});
    Shade(p, Polygon({{-3, -4}, {3, -4}, {0, -9}}), QColor(220, 40, 40));
}

}  // namespace

void DrawGoods(Art& art, Picture picture) {
    switch (picture) {
        case Picture::Potion:
            return Potion(art);
        case Picture::Food:
            return Food(art);
        case Picture::Herb:
            return Herb(art);
        case Picture::Ore:
            return Ore(art);
        case Picture::Gem:
            return Gem(art);
        case Picture::Scroll:
            return Scroll(art);
        case Picture::Letter:
            return Letter(art);
        case Picture::Book:
            return Book(art);
        case Picture::Key:
            return Key(art);
        case Picture::Coin:
            return Coin(art);
        case Picture::Box:
            return Box(art);
        case Picture::Card:
            return Card(art);
        default:
            return Firework(art);
    }
}

}  // namespace lf::demo
