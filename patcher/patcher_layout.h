#pragma once

// Tablepatch's window in pixels of 15 twips, for both window layers: a client area 111 pixels
// wide and, with the icon panel shown, 342 high, and the places of its controls in it.

#include "common/pixel_place.h"

namespace lf::patcher::layout {

inline constexpr int kClientWidth = 111;
inline constexpr int kClientHeight = 342;
inline constexpr int kTwipsPerPixel = 15;
// What a fixed-border window's title bar and borders take on a usual desktop at 96 dpi, for a
// window whose frame the window manager has not told yet.
inline constexpr int kUsualFrameHeight = 30;

constexpr int PixelsOfTwips(int twips) { return twips / kTwipsPerPixel; }

inline constexpr PixelPlace kReplaceButton{6, 6, 99, 29};
inline constexpr PixelPlace kExportButton{6, 40, 71, 29};
inline constexpr PixelPlace kHelpButton{86, 50, 19, 19};
inline constexpr PixelPlace kIconPanel{2, 72, 107, 265};
// In the icon panel: the option button of sheet k (0 to 15), and the import button below them.
constexpr PixelPlace IconOption(int k) { return {6, 12 + 14 * k, 93, 12}; }
inline constexpr PixelPlace kImportIconButton{6, 238, 95, 21};

}  // namespace lf::patcher::layout
