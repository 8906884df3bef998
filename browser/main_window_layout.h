#pragma once

// The main window's fixed layout in pixels, the same on every platform: the client area, where
// each control sits, the counters' background and the docking timer's interval.

#include "common/pixel_place.h"
#include "composer/card.h"

namespace lf::main_window_layout {

inline constexpr int kClientWidth = 243;
inline constexpr int kClientHeight = 416;

inline constexpr PixelPlace kText_Sc{8, 6, 153, 21};
inline constexpr PixelPlace kCMD_Sc{170, 6, 63, 21};
inline constexpr PixelPlace kItemList{8, 32, 225, 304};
inline constexpr PixelPlace kLabel1{10, 346, 55, 13};
inline constexpr PixelPlace kText_ItemNum{66, 344, 69, 18};
inline constexpr PixelPlace kLabel2{152, 346, 43, 13};
inline constexpr PixelPlace kPicture2{200, 338, 32, 32};
inline constexpr PixelPlace kText_ItemName{8, 372, 225, 18};
inline constexpr PixelPlace kFrame1{2, 390, 127, 25};
inline constexpr PixelPlace kFrame2{130, 390, 111, 25};
// The counters lie inside the frames; their places are relative to their frame.
inline constexpr PixelPlace kLabelTotal{2, 8, 121, 13};
inline constexpr PixelPlace kLabelLine{2, 8, 105, 13};

inline constexpr Rgb kCounterGrey{224, 224, 224};
inline constexpr int kDockIntervalMs = 1000;

}  // namespace lf::main_window_layout
