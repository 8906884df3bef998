#pragma once

// The artwork behind the detail window: a light grey card with a green frame, drawn by code so
// that it ships inside the program.

#include <QBitmap>
#include <QImage>

#include "composer/card_artwork.h"

namespace lf {

inline constexpr QRgb kColourKey = qRgb(
    card_artwork::kColourKey.red, card_artwork::kColourKey.green, card_artwork::kColourKey.blue);
// The detail window's client area; the card sits at its top-left corner.
inline constexpr QSize kCardClientSize(card_artwork::kClientWidth, card_artwork::kClientHeight);

// The card, 202 x 417, magenta outside its rounded corners.
QImage CardPicture();

// The whole client area as it appears on screen: the card at the top-left corner and every
// magenta pixel fully transparent. Made once.
const QImage& TranslucentCardImage();

// Opaque exactly where the card is not magenta, for desktops without a compositor.
QBitmap CardMask();

}  // namespace lf
