#include "composer/win32/card_picture.h"

#include <cmath>
#include <numbers>

#include "composer/card_artwork.h"

namespace lf {
namespace {

using namespace card_artwork;

COLORREF ToColorRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

void FillArea(HDC dc, const RECT& area, Rgb colour) {
    HBRUSH brush = CreateSolidBrush(ToColorRef(colour));
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

// Region edges exclude the right and bottom pixel rows, hence the one pixel more. No smoothing:
// a blended edge pixel would be neither card nor colour key and would show as a pink fringe.
void FillRoundedArea(HDC dc, const RECT& area, int radius, Rgb colour) {
    HRGN region = CreateRoundRectRgn(area.left, area.top, area.right + 1, area.bottom + 1,
                                     2 * radius, 2 * radius);
    HBRUSH brush = CreateSolidBrush(ToColorRef(colour));
    FillRgn(dc, region, brush);
    DeleteObject(brush);
    DeleteObject(region);
}

void DrawLettering(HDC dc) {
    LOGFONTW face{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
    face.lfHeight = -kLetteringPixelSize;
    face.lfWeight = FW_BOLD;
    face.lfQuality = ANTIALIASED_QUALITY;
    HFONT font = CreateFontIndirectW(&face);
    HGDIOBJ previous = SelectObject(dc, font);
    SetTextColor(dc, ToColorRef(kFrameGreen));
    SetBkMode(dc, TRANSPARENT);
    RECT box{kLetteringLeft, kLetteringTop, kLetteringLeft + kLetteringWidth,
             kLetteringTop + kLetteringHeight};
    DrawTextA(dc, kLettering, -1, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, previous);
    DeleteObject(font);
}

POINT OnRing(double degrees) {
    const double radians = degrees * std::numbers::pi / 180;
    return {static_cast<LONG>(std::lround(kPowerCentreX + kPowerRadius * std::cos(radians))),
            static_cast<LONG>(std::lround(kPowerCentreY - kPowerRadius * std::sin(radians)))};
}

void DrawPowerSymbol(HDC dc) {
    const LOGBRUSH ink{BS_SOLID, ToColorRef(kFrameGreen), 0};
    HPEN pen =
        ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND, kPowerPenWidth, &ink, 0, nullptr);
    HGDIOBJ previous = SelectObject(dc, pen);
    const auto at = [](double coordinate) { return static_cast<int>(std::lround(coordinate)); };
    // Counter-clockwise from the gap's left end round to its right end.
    const POINT from = OnRing(90 + kPowerGapDegrees / 2.0);
    const POINT to = OnRing(90 - kPowerGapDegrees / 2.0);
    SetArcDirection(dc, AD_COUNTERCLOCKWISE);
    Arc(dc, at(kPowerCentreX - kPowerRadius), at(kPowerCentreY - kPowerRadius),
        at(kPowerCentreX + kPowerRadius), at(kPowerCentreY + kPowerRadius), from.x, from.y, to.x,
        to.y);
    MoveToEx(dc, at(kPowerCentreX), at(kPowerCentreY - kPowerRadius - kPowerBarOverhang), nullptr);
    LineTo(dc, at(kPowerCentreX), at(kPowerCentreY));
    SelectObject(dc, previous);
    DeleteObject(pen);
}

}  // namespace

HBITMAP CreateCardPicture() {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, kClientWidth, kClientHeight);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(dc, picture);
    FillArea(dc, {0, 0, kClientWidth, kClientHeight}, kColourKey);
    const RECT outer{0, 0, kPictureWidth - 1, kPictureHeight - 1};
    FillRoundedArea(dc, outer, kCornerRadius, kFrameGreen);
    const RECT inner{outer.left + kFrameLeft, outer.top + kFrameTop, outer.right - kFrameRight,
                     outer.bottom - kFrameBottom};
    FillRoundedArea(dc, inner, kInnerCornerRadius, kCardGrey);
    DrawLettering(dc);
    DrawPowerSymbol(dc);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return picture;
}

}  // namespace lf
