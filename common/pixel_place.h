#pragma once

// Where a control or a card's block sits in its window, and where a window sits on the screen,
// in pixels.

namespace lf {

struct PixelPlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int Bottom() const { return top + height; }
    friend bool operator==(const PixelPlace&, const PixelPlace&) = default;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// A window's outer frame on the screen, title bar and borders included.
struct ScreenRect {
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
