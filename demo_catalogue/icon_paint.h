#pragma once

// Drawing tools shared by the item pictures. Every picture is drawn in a 32 x 32 cell whose
// origin is the painter's origin; the picture keeps inside x, y = 2 to 29.

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <initializer_list>

#include "demo_catalogue/pictures.h"
#include "demo_catalogue/random.h"

namespace lf::demo {

struct Art {
    QPainter& painter;
    Random& random;  // this cell's own stream: small variations of shape and colour
    QColor rarity;   // the colour that tells how precious the item is
};

inline const QColor kSteel(196, 204, 216);
inline const QColor kIron(96, 100, 112);
inline const QColor kGold(236, 188, 60);
inline const QColor kWood(156, 100, 52);
inline const QColor kLeather(128, 80, 44);
inline const QColor kPaper(238, 224, 184);
inline const QColor kBone(238, 232, 212);

QColor RarityColour(Rarity rarity);

// A size between lo and hi in steps of a tenth of a pixel.
inline double Tenths(Random& random, double lo, double hi) {
    return lo + static_cast<double>(random.Between(0, static_cast<int>((hi - lo) * 10))) / 10;
}

// A lively colour for cloth, liquid or fur, drawn from the cell's stream.
QColor PickColour(Random& random);

// The first colour with `percent` of the second mixed in.
QColor Mix(const QColor& first, const QColor& second, int percent);

QPainterPath Polygon(std::initializer_list<QPointF> points);

// Turns the painter for the duration of a scope: origin at the cell's centre, rotated by
// `degrees` clockwise, so that a long thing drawn pointing up lies across the cell.
class Turned {
  public:
    Turned(QPainter& painter, double degrees) : painter_(painter) {
        painter.save();
        painter.translate(16, 16);
        painter.rotate(degrees);
    }
    ~Turned() { painter_.restore(); }
    Turned(const Turned&) = delete;
    Turned& operator=(const Turned&) = delete;

  private:
    QPainter& painter_;
};

// Fills a shape with light falling from the top left and outlines it a shade darker, the look
// that makes a 32-pixel picture read at a glance.
void Shade(QPainter& painter, const QPainterPath& path, const QColor& base);
void Shade(QPainter& painter, const QPainterPath& path, const QColor& base, QPointF lit,
           QPointF dark);

// A round body lit from the top left, for gems, orbs and fruit.
void Orb(QPainter& painter, QPointF centre, double radius, const QColor& base);

// A small white reflection.
void Glint(QPainter& painter, QPointF centre, double radius);

// A stroke drawn twice, dark and wide under light and narrow: bow limbs, chains, wire.
void Line(QPainter& painter, const QPainterPath& path, const QColor& colour, double width);

void DrawWeapon(Art& art, Picture picture);
void DrawWear(Art& art, Picture picture);
void DrawGoods(Art& art, Picture picture);

}  // namespace lf::demo
