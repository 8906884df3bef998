#include "composer/win32/stat_form.h"

#include "common/win32/wide_text.h"
#include "composer/card_artwork.h"
#include "composer/win32/card_picture.h"

namespace lf {
namespace {

using card_artwork::kClientHeight;
using card_artwork::kClientWidth;

constexpr wchar_t kWindowClass[] = L"LorefinderStatForm";
constexpr UINT kTextFormat = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;

COLORREF ToColorRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

}  // namespace

StatForm::StatForm(HWND owner)
    : font_(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))),
      measuringDc_(CreateCompatibleDC(nullptr)),
      cardPicture_(CreateCardPicture()) {
    SelectObject(measuringDc_, font_);
    Create({kWindowClass}, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_LAYERED, L"", kClientWidth,
           kClientHeight, owner);
    // Magenta is see-through; the alpha plays no part with the colour key alone.
    const Rgb key = card_artwork::kColourKey;
    SetLayeredWindowAttributes(Handle(), RGB(key.red, key.green, key.blue), 0, LWA_COLORKEY);
    title_.colour = GetSysColor(COLOR_WINDOWTEXT);  // the title keeps the default text colour
    ShowCard(Card{std::string(), {}});
}

StatForm::~StatForm() {
    DeleteObject(cardPicture_);
    DeleteDC(measuringDc_);
}

void StatForm::ShowCard(const Card& card) {
    blocks_.clear();
    if (card.title) title_.text = Wide(*card.title);
    for (const TextBlock& block : card.blocks) {
        blocks_.push_back({Wide(block.text), ToColorRef(block.colour), {}});
    }
    const CardLayout layout = StackBlocks(card, [this](std::size_t block, int width) {
        return MeasureHeight(block == 0 ? title_.text : blocks_[block - 1].text, width);
    });
    if (layout.title) title_.place = *layout.title;
    for (std::size_t i = 0; i < layout.blocks.size(); ++i) blocks_[i].place = layout.blocks[i];
    InvalidateRect(Handle(), nullptr, FALSE);
}

// The card never takes the focus from the main window.
void StatForm::SetVisible(bool visible) {
    ShowWindow(Handle(), visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void StatForm::Move(int left, int top) {
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// As tall as the wrapped text; an empty caption keeps one line.
int StatForm::MeasureHeight(const std::wstring& text, int width) const {
    RECT box{0, 0, width, 0};
    DrawTextW(measuringDc_, text.empty() ? L" " : text.c_str(), -1, &box,
              DT_CALCRECT | kTextFormat);
    return box.bottom - box.top;
}

// Drawn off screen first, so the text never flickers over a bare card.
void StatForm::Paint() {
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(Handle(), &paint);
    HDC canvas = CreateCompatibleDC(screen);
    HBITMAP buffer = CreateCompatibleBitmap(screen, kClientWidth, kClientHeight);
    HGDIOBJ previousBuffer = SelectObject(canvas, buffer);
    HDC picture = CreateCompatibleDC(screen);
    HGDIOBJ previousPicture = SelectObject(picture, cardPicture_);
    BitBlt(canvas, 0, 0, kClientWidth, kClientHeight, picture, 0, 0, SRCCOPY);
    SelectObject(picture, previousPicture);
    DeleteDC(picture);
    SelectObject(canvas, font_);
    SetBkMode(canvas, TRANSPARENT);
    const auto draw = [canvas](const DrawnBlock& block) {
        RECT box{block.place.left, block.place.top, block.place.left + block.place.width,
                 block.place.Bottom()};
        SetTextColor(canvas, block.colour);
        DrawTextW(canvas, block.text.c_str(), -1, &box, kTextFormat);
    };
    draw(title_);
    for (const DrawnBlock& block : blocks_) draw(block);
    BitBlt(screen, 0, 0, kClientWidth, kClientHeight, canvas, 0, 0, SRCCOPY);
    SelectObject(canvas, previousBuffer);
    DeleteObject(buffer);
    DeleteDC(canvas);
    EndPaint(Handle(), &paint);
}

LRESULT StatForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers the whole client area
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        default:
            break;
    }
    return DefWindowProcW(Handle(), message, wParam, lParam);
}

}  // namespace lf
