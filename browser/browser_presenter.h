#pragma once

// The item browser's rules, apart from any window: start-up, search and the number rule, the
// selection handler, the icon box and the detail window, the tray and the minimise rule, docking
// and the clipboard menu. A window layer implements BrowserView, forwards its events here and
// shows what it is told.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "browser/icon_sheets.h"
#include "browser/search.h"
#include "catalogue/item_table.h"
#include "common/executable_resources.h"
#include "common/pixel_place.h"
#include "common/system_services.h"
#include "common/wording.h"
#include "composer/card.h"
#include "finder/finder_presenter.h"

namespace lf {

inline constexpr std::string_view kBrowserTitle = "Lorefinder";

// The captions of the main window and of the search box's menu.
struct BrowserCaptions {
    std::string_view searchButton;
    std::string_view itemNumberLabel;
    std::string_view iconLabel;
    std::string_view copyMenuItem;
    std::string_view pasteMenuItem;
    std::string_view findMenuItem;
};
// The window is built with the Chinese captions; start-up switches to English when needed.
inline constexpr BrowserCaptions kDesignCaptions{
    "捜索", "道具编号:", "图标 :", "Copy", "Paste", "查找..."};

class BrowserView {
  public:
    virtual ~BrowserView() = default;

    virtual void AddTrayIcon() = 0;
    virtual void RemoveTrayIcon() = 0;
    virtual void ShowCaptions(const BrowserCaptions& captions) = 0;
    // Fills the list with one row per item, in table order, nothing selected.
    virtual void ShowItemList(const ItemTable& items) = 0;
    virtual void SetItemNumberLength(int characters) = 0;
    virtual void ShowTotal(std::string_view text) = 0;
    // Highlights the row and scrolls it into view. Reports no selection back.
    virtual void SelectRow(std::size_t row) = 0;
    // Rewrites the number field; a view reports the change back like any other.
    virtual void ShowItemNumber(std::string_view number) = 0;
    // The name field and its tooltip, both plain text.
    virtual void ShowItemName(std::string_view name, std::string_view description) = 0;
    virtual void ShowPosition(std::string_view text) = 0;
    virtual void ShowIcon(const PixelImage& box) = 0;
    // The detail window is made, hidden, by the first of these three that it gets.
    // Replaces the detail window's blocks by the card's, whether or not it is visible.
    virtual void ShowCard(const Card& card) = 0;
    virtual void SetDetailVisible(bool visible) = 0;
    virtual void MoveDetail(ScreenPoint topLeft) = 0;
    // False while the detail window has not been made.
    virtual bool DetailVisible() const = 0;
    virtual void DestroyDetail() = 0;
    virtual void FocusList() = 0;
    virtual void SetSearchText(std::string_view text) = 0;
    // Normal means shown and neither minimised nor hidden.
    virtual bool MainWindowIsNormal() const = 0;
    virtual ScreenRect MainWindowFrame() const = 0;
    virtual void MinimiseAndHideMainWindow() = 0;
    virtual void RestoreMainWindow() = 0;
    // Hides the main window once the state change that minimised it has been handled, if it is
    // still minimised then.
    virtual void HideMainWindowWhenSettled() = 0;

    // The Item Finder of the run: its window is made on the first call, with a presenter of the
    // table and language given that shows items through showItem; later calls return it again.
    virtual finder::FinderPresenter& ItemFinder(const ItemTable& items, Language language,
                                                std::function<void(std::size_t row)> showItem) = 0;
    virtual int FinderOuterWidth() const = 0;
    virtual void MoveFinder(ScreenPoint topLeft) = 0;
};

class BrowserPresenter {
  public:
    BrowserPresenter(BrowserView& view, SystemServices& system, ResourceReader readResource);

    // The start-up sequence. A table that cannot be loaded is reported in the language of the run
    // and gives false: there is no partial start.
    bool Start();
    // The close sequence: the tray icon goes first, then the detail window.
    void Close();

    // Events of the window.
    void OnSearchTextChanged() { searchFromTop_ = true; }
    void OnSearch(std::string_view text);
    // The list's selected row changed by the user's hand; none when it was cleared.
    void OnRowSelected(std::optional<std::size_t> row);
    void OnItemNumberChanged(std::string_view text);
    void OnIconBoxClicked();
    void OnTrayToggle();
    void OnMinimised();
    void OnDockTimer();
    void OnCopy(std::string_view searchText);
    void OnPaste();
    // Ctrl+F or the search box's menu: the Item Finder opens, beside the main window the first
    // time.
    void OnFind();

    bool IsChineseUI() const { return language_ == Language::Chinese; }
    const ItemTable& Items() const { return items_; }
    const IconSheets& Icons() const { return iconSheets_; }
    std::optional<std::size_t> SelectedRow() const { return selected_; }
    // How many times the selection handler has run.
    int SelectionsHandled() const { return selectionsHandled_; }

  private:
    void SelectRow(std::size_t row);
    void HandleSelection(std::size_t row);
    void ShowItemIcon(std::int32_t iconNumber);
    void ShowCard(const Card& card);
    void SetDetailVisible(bool visible);

    BrowserView& view_;
    SystemServices& system_;
    ResourceReader readResource_;
    Language language_ = Language::English;
    ItemTable items_;
    NameIndex names_;
    IconSheets iconSheets_;
    finder::FinderPresenter* finder_ = nullptr;
    std::optional<std::size_t> selected_;
    bool searchFromTop_ = false;
    bool detailMade_ = false;
    int selectionsHandled_ = 0;
};

// Where the detail window docks beside a main window with this outer frame.
ScreenPoint DockedPosition(const ScreenRect& mainFrame);

// Where the Item Finder opens: left of the main window, or right of the docked card where the
// screen has no room on the left.
ScreenPoint FinderPosition(const ScreenRect& mainFrame, int finderOuterWidth);

// The number field holds every row number of the table, five characters at least.
int ItemNumberLength(std::size_t rowCount);

// The fatal start-up message for a table that cannot be loaded.
std::string LoadFailureMessage(const LoadError& error, Language language);

}  // namespace lf
