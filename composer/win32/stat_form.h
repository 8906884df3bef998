#pragma once

// The detail window on Windows: a borderless, colour-keyed tool window beside the main window
// showing the selected item's name and a column of coloured text blocks, drawn by GDI.

#include <windows.h>

#include <string>
#include <vector>

#include "composer/block_layout.h"
#include "composer/card.h"

namespace lf {

class StatForm {
  public:
    // A hidden window, owned by the main window so that it never gets a task-bar button.
    explicit StatForm(HWND owner);
    ~StatForm();
    StatForm(const StatForm&) = delete;
    StatForm& operator=(const StatForm&) = delete;

    // Replaces the blocks by the card's.
    void ShowCard(const Card& card);

    HWND Handle() const { return hwnd_; }
    bool IsVisible() const { return IsWindowVisible(hwnd_) != FALSE; }
    void SetVisible(bool visible);
    void Move(int left, int top);

    // Block 0, the item name, and blocks 1 and up, as drawn.
    struct DrawnBlock {
        std::wstring text;
        COLORREF colour = 0;
        BlockPlace place;
    };
    const DrawnBlock& TitleBlock() const { return title_; }
    const std::vector<DrawnBlock>& TextBlocks() const { return blocks_; }

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    int MeasureHeight(const std::wstring& text, int width) const;
    void Paint();

    HWND hwnd_ = nullptr;
    HFONT font_;
    HDC measuringDc_;
    HBITMAP cardPicture_;
    DrawnBlock title_;
    std::vector<DrawnBlock> blocks_;
};

}  // namespace lf
