#pragma once

// The detail window on Windows: a borderless, colour-keyed tool window beside the main window
// showing the selected item's name and a column of coloured text blocks, drawn by GDI.

#include <windows.h>

#include <string>
#include <vector>

#include "common/win32/window.h"
#include "composer/block_layout.h"
#include "composer/card.h"

namespace lf {

class StatForm : public Window {
  public:
    // A hidden window, owned by the main window so that it never gets a task-bar button.
    explicit StatForm(HWND owner);
    ~StatForm() override;

    // Replaces the blocks by the card's.
    void ShowCard(const Card& card);

    bool IsVisible() const { return IsWindowVisible(Handle()) != FALSE; }
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
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int MeasureHeight(const std::wstring& text, int width) const;
    void Paint();

    HFONT font_;
    HDC measuringDc_;
    HBITMAP cardPicture_;
    DrawnBlock title_;
    std::vector<DrawnBlock> blocks_;
};

}  // namespace lf
