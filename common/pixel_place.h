#pragma once

// Where a control sits in its window, in pixels: the fixed layouts of both programs' windows.

namespace lf {

struct PixelPlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A place given relative to a frame, made relative to the frame's own parent.
constexpr PixelPlace Within(const PixelPlace& frame, const PixelPlace& place) {
    return {frame.left + place.left, frame.top + place.top, place.width, place.height};
}

}  // namespace lf
