#pragma once

// The artwork behind the detail window, as numbers that every platform's drawing follows: a
// light grey card with a green frame, thicker on the left, rounded corners, the word INFO in
// the top-left corner and a power symbol in the top-right one. Outside the corners, and
// wherever the client area is not covered by the card, the colour key shows: it is see-through.

#include "composer/card.h"

namespace lf::card_artwork {

inline constexpr Rgb kColourKey{255, 0, 255};
// The detail window's client area; the card sits at its top-left corner.
inline constexpr int kClientWidth = 204;
inline constexpr int kClientHeight = 419;
inline constexpr int kPictureWidth = 202;
inline constexpr int kPictureHeight = 417;

inline constexpr Rgb kCardGrey{229, 229, 229};
inline constexpr Rgb kFrameGreen{65, 171, 67};
inline constexpr int kCornerRadius = 10;
// The frame's widths on each edge; the grey card inside has its corners that much less round.
inline constexpr int kFrameLeft = 6;
inline constexpr int kFrameTop = 3;
inline constexpr int kFrameRight = 3;
inline constexpr int kFrameBottom = 3;
inline constexpr int kInnerCornerRadius = kCornerRadius - kFrameTop;

// The lettering: bold, in the frame's green, left-aligned and centred vertically in its box.
inline constexpr char kLettering[] = "INFO";
inline constexpr int kLetteringPixelSize = 11;
inline constexpr int kLetteringLeft = 12;
inline constexpr int kLetteringTop = 6;
inline constexpr int kLetteringWidth = 60;
inline constexpr int kLetteringHeight = 16;

// The power symbol: a ring open at the top, a bar from above the gap down to the centre.
inline constexpr double kPowerCentreX = 185.5;
inline constexpr double kPowerCentreY = 14.5;
inline constexpr double kPowerRadius = 6;
inline constexpr int kPowerGapDegrees = 60;
inline constexpr int kPowerPenWidth = 2;
inline constexpr double kPowerBarOverhang = 1.5;

}  // namespace lf::card_artwork
