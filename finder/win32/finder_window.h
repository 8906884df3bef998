#pragma once

// The Item Finder on Windows: standard controls at the finder's pixel places, the results as a
// virtual list that reads its cells from the presenter, and the comparison of two items in their
// colours. It forwards its events to the FinderPresenter and shows what it is told.

#include <windows.h>
// windows.h first: this builds on it.
#include <commctrl.h>

#include <functional>
#include <vector>

#include "common/pixel_place.h"
#include "common/win32/window.h"
#include "finder/finder_presenter.h"

namespace lf::finder {

// The controls' ids, for GetDlgItem, in tab order.
enum class FinderControl : int {
    NameLabel = 100,
    NameBox,
    SlotLabel,
    SlotDropDown,
    ClassLabel,
    ClassDropDown,
    LevelLabel,
    LevelFrom,
    LevelToLabel,
    LevelTo,
    StatLabel,
    StatDropDown,
    StatMinimumLabel,
    StatMinimum,
    SpecialOnly,
    Results,
    Count,
    CompareButton,
    ClearButton,
    Comparison,
};

class FinderWindow : public Window, private FinderView {
  public:
    // Hidden until the presenter shows it. Owned by the main window: it stays above it, has no
    // task-bar button of its own and goes with it.
    FinderWindow(HWND owner, const ItemTable& items, Language language,
                 std::function<void(std::size_t row)> showItem);

    FinderPresenter& Presenter() { return presenter_; }
    HWND Control(FinderControl id) const { return GetDlgItem(Handle(), static_cast<int>(id)); }
    int OuterWidth() const;
    void Move(ScreenPoint topLeft);

  private:
    static LRESULT CALLBACK NameBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR subclass, DWORD_PTR window);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(FinderControl id, int notification);
    LRESULT OnNotify(NMHDR& header);
    LRESULT DrawCurrentResult(NMLVCUSTOMDRAW& draw) const;
    void OnEnter();
    void OnActivate(bool active);
    void CreateControls();
    std::string TextOf(FinderControl id) const;
    std::size_t ChoiceOf(FinderControl id) const;

    // FinderView
    void ShowCaptions(const FinderCaptions& captions, const FinderChoices& choices) override;
    void ShowHeaders(const ResultHeaders& headers) override;
    void ShowResults(std::size_t count, std::string_view countText) override;
    void ShowCurrent(std::optional<std::size_t> result) override;
    void ShowComparison(const std::vector<ComparisonLine>& lines) override;
    void ShowWindow() override;
    void HideWindow() override;

    std::vector<COLORREF> comparisonColours_;
    // Set while the window moves the selection itself, so that it is not taken for a click.
    bool showingCurrent_ = false;
    HWND lastFocus_ = nullptr;
    FinderPresenter presenter_;
};

}  // namespace lf::finder
