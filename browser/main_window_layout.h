#pragma once

// The main window's fixed layout in pixels, the same on every platform: the client area, where
// each control sits, the counters' background and the docking timer's interval.

#include "composer/card.h"

namespace lf::main_window_layout {

struct Place {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

inline constexpr int kClientWidth = 243;
inline constexpr int kClientHeight = 416;

inline constexpr Place kText_Sc{8, 6, 153, 21};
inline constexpr Place kCMD_Sc{170, 6, 63, 21};
inline constexpr Place kItemList{8, 32, 225, 304};
inline constexpr Place kLabel1{10, 346, 55, 13};
inline constexpr Place kText_ItemNum{66, 344, 69, 18};
inline constexpr Place kLabel2{152, 346, 43, 13};
inline constexpr Place kPicture2{200, 338, 32, 32};
inline constexpr Place kText_ItemName{8, 372, 225, 18};
inline constexpr Place kFrame1{2, 390, 127, 25};
inline constexpr Place kFrame2{130, 390, 111, 25};
// The counters lie inside the frames; their places are relative to their frame.
inline constexpr Place kLabelTotal{2, 8, 121, 13};
inline constexpr Place kLabelLine{2, 8, 105, 13};

inline constexpr Rgb kCounterGrey{224, 224, 224};
inline constexpr int kDockIntervalMs = 1000;

}  // namespace lf::main_window_layout
