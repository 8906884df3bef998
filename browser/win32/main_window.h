#pragma once

// The browser's main window on Windows: search box, the list of every item, number and name
// fields, the icon box and the two counters, beside it the detail window, and the tray icon.
// It forwards its events to the BrowserPresenter and shows what the presenter tells it.

#include <windows.h>

#include <memory>
#include <string>

#include "browser/browser_presenter.h"
#include "browser/win32/tray.h"
#include "common/system_port.h"
#include "common/win32/window.h"

namespace lf {
class StatForm;
}
namespace lf::finder {
class FinderWindow;
}

namespace lf::browser {

// The program's icon in its resources, shown by the window and in the notification area.
inline constexpr int kAppIconId = 1;

// The controls' ids, for GetDlgItem, the items of the search box's pop-up menu, and the command of
// Ctrl+F.
enum class ControlId : int {
    Text_Sc = 100,
    CMD_Sc,
    ItemList,
    Label1,
    Text_ItemNum,
    Label2,
    Picture2,
    Text_ItemName,
    Frame1,
    LabelTotal,
    Frame2,
    LabelLine,
    ClipBoard_copy = 200,
    ClipBoard_paste,
    Find,
};

// The notification area reports clicks on the icon with this message, the mouse message in
// lParam; the docking timer ticks with this id.
inline constexpr UINT kTrayMessage = WM_APP + 1;
inline constexpr UINT_PTR kDockTimer = 1;

class Form1 : public Window, private BrowserView {
  public:
    Form1(SystemPort& system, ResourceReader readResource);
    ~Form1() override;

    // Runs the start-up sequence; false when the table could not be loaded (already reported).
    bool Start() { return presenter_.Start(); }
    void Show() { ShowWindow(Handle(), SW_SHOWNORMAL); }
    // What the message loop does with a message before dispatching it: Ctrl+F, then Tab, Escape
    // and Enter of the main window and the finder. True when the message has been handled.
    bool TranslateKeys(MSG& message);

    const BrowserPresenter& Presenter() const { return presenter_; }
    // The detail window, once it has been created.
    StatForm* DetailWindow() const { return statForm_.get(); }
    // The Item Finder, once it has been opened.
    finder::FinderWindow* Finder() const { return finder_.get(); }
    HMENU SearchBoxMenu() const { return ClipProc; }
    HWND Control(ControlId id) const { return GetDlgItem(Handle(), static_cast<int>(id)); }
    // The description shown as the name field's tooltip.
    const std::wstring& NameTip() const { return nameTip_; }

  private:
    static LRESULT CALLBACK SearchBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR subclass, DWORD_PTR form);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(ControlId id, int notification);
    void OnActivate(bool active);
    HBRUSH OnStaticColour(HDC dc, HWND control);
    void DrawIconBox(const DRAWITEMSTRUCT& item) const;
    UINT RowHeight() const;
    void DrawListRow(const DRAWITEMSTRUCT& row) const;
    void PopUpClipboardMenu(LPARAM at);
    void Search();

    void CreateControls();
    void CreateNameTooltip();
    StatForm& Detail();
    std::string TextOf(ControlId id) const;

    // BrowserView
    void AddTrayIcon() override;
    void RemoveTrayIcon() override;
    void ShowCaptions(const BrowserCaptions& captions) override;
    void ShowItemList(const ItemTable& items) override;
    void SetItemNumberLength(int characters) override;
    void ShowTotal(std::string_view text) override;
    void SelectRow(std::size_t row) override;
    void ShowItemNumber(std::string_view number) override;
    void ShowItemName(std::string_view name, std::string_view description) override;
    void ShowPosition(std::string_view text) override;
    void ShowIcon(const PixelImage& box) override;
    void ShowCard(const Card& card) override;
    bool DetailVisible() const override;
    void SetDetailVisible(bool visible) override;
    void MoveDetail(ScreenPoint topLeft) override;
    void DestroyDetail() override;
    void FocusList() override;
    void SetSearchText(std::string_view text) override;
    bool MainWindowIsNormal() const override;
    ScreenRect MainWindowFrame() const override;
    void MinimiseAndHideMainWindow() override;
    void RestoreMainWindow() override;
    void HideMainWindowWhenSettled() override;
    finder::FinderPresenter& ItemFinder(const ItemTable& items, Language language,
                                        std::function<void(std::size_t row)> showItem) override;
    int FinderOuterWidth() const override;
    void MoveFinder(ScreenPoint topLeft) override;

    HBRUSH counterBrush_;
    HMENU ClipProc;
    HACCEL accelerators_;
    HWND nameTooltip_ = nullptr;
    HWND lastFocus_ = nullptr;
    std::wstring nameTip_;
    PixelImage iconBox_;
    const ItemTable* listItems_ = nullptr;
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<StatForm> statForm_;
    std::unique_ptr<finder::FinderWindow> finder_;
    BrowserPresenter presenter_;
};

}  // namespace lf::browser
