#include "browser/browser_presenter.h"

#include <algorithm>
#include <string>

#include "catalogue/catalogue_format.h"
#include "composer/card_artwork.h"

namespace lf {
namespace {

// Copy and Paste read the same in both languages.
constexpr BrowserCaptions kEnglishCaptions{
    "Search", "Item ID :", "Icon :", "Copy", "Paste", "Find..."};
constexpr Bilingual kTotal{"总共 = ", "Total = "};
constexpr Bilingual kPosition{"位置 = ", "Locate = "};
constexpr Bilingual kCannotLoad{"无法载入道具表：", "The item table cannot be loaded: "};
constexpr int kShippedNumberLength = 5;
constexpr int kDockGap = 5;  // 75 twips

}  // namespace

BrowserPresenter::BrowserPresenter(BrowserView& view, SystemServices& system,
                                   ResourceReader readResource)
    : view_(view),
      system_(system),
      readResource_(readResource),
      iconSheets_(std::move(readResource), [this](const std::string& message) {
          system_.ShowMessage(kBrowserTitle, message);
      }) {}

bool BrowserPresenter::Start() {
    view_.AddTrayIcon();
    language_ = LanguageOf(system_.SystemLocaleIsChinese());
    if (language_ == Language::English) view_.ShowCaptions(kEnglishCaptions);
    auto bytes = readResource_(ResourceName(kCatalogueType), kItemTableId);
    auto items =
        bytes ? LoadItemTableInPlace(AsText(*bytes))
              : std::unexpected(LoadError{LoadErrorKind::ResourceNotFound, bytes.error().message});
    if (!items) {
        system_.ShowMessage(kBrowserTitle, LoadFailureMessage(items.error(), language_));
        return false;
    }
    items_ = std::move(*items);
    names_ = NameIndex(items_);
    view_.ShowItemList(items_);
    view_.SetItemNumberLength(ItemNumberLength(items_.size()));
    view_.ShowTotal(std::string(kTotal.In(language_)) + std::to_string(items_.size()));
    return true;  // no sheet is held yet: the first selection always decodes one
}

void BrowserPresenter::Close() {
    view_.RemoveTrayIcon();
    view_.DestroyDetail();
    detailMade_ = false;
}

// ---- search and selection ---------------------------------------------------------------------

void BrowserPresenter::OnSearch(std::string_view text) {
    if (text.empty()) return;
    const std::size_t start = searchFromTop_ ? 0 : (selected_ ? *selected_ + 1 : 0);
    const SearchStep step = RunSearch(names_, text, start);
    if (step.select) SelectRow(*step.select);
    if (step.beep) system_.Beep();
    searchFromTop_ = false;
}

// The list never shows a row other than the selected one: a row cannot be unselected by hand.
void BrowserPresenter::OnRowSelected(std::optional<std::size_t> row) {
    if (!row) {
        if (selected_) view_.SelectRow(*selected_);
        return;
    }
    if (row == selected_) return;
    HandleSelection(*row);
}

void BrowserPresenter::OnItemNumberChanged(std::string_view text) {
    if (auto row = RowForNumber(text, items_.size())) SelectRow(*row);
}

void BrowserPresenter::SelectRow(std::size_t row) {
    if (row == selected_) return;  // so the number field's echo of a selection ends here
    view_.SelectRow(row);
    HandleSelection(row);
}

void BrowserPresenter::HandleSelection(std::size_t row) {
    selected_ = row;
    ++selectionsHandled_;
    const ItemEntry& item = items_[row];
    view_.ShowItemNumber(std::to_string(row));
    const std::string rowText = items_.RowText(row);
    view_.ShowItemName(item.Name, DescriptionOf(rowText));
    ShowItemIcon(item.IconNo);
    view_.ShowPosition(std::string(kPosition.In(language_)) + std::to_string(row + 1));
    ShowCard(SetItemStat(rowText, IsChineseUI()));
    if (finder_) finder_->OnMainSelectionChanged(row);
}

void BrowserPresenter::ShowItemIcon(std::int32_t iconNumber) {
    iconSheets_.ShowItemIcon(iconNumber);
    view_.ShowIcon(iconSheets_.Box());
}

// ---- the detail window, the tray and the main window's state ---------------------------------

void BrowserPresenter::ShowCard(const Card& card) {
    detailMade_ = true;
    view_.ShowCard(card);
}

// Hiding a detail window that was never made would only make one.
void BrowserPresenter::SetDetailVisible(bool visible) {
    if (!visible && !detailMade_) return;
    detailMade_ = true;
    view_.SetDetailVisible(visible);
}

void BrowserPresenter::OnIconBoxClicked() {
    SetDetailVisible(!view_.DetailVisible());
    view_.FocusList();
}

void BrowserPresenter::OnTrayToggle() {
    if (view_.MainWindowIsNormal()) {
        view_.MinimiseAndHideMainWindow();
        return;
    }
    view_.RestoreMainWindow();
    if (selected_) ShowItemIcon(items_[*selected_].IconNo);
}

// Without a notification area a hidden window could never come back: it stays minimised.
void BrowserPresenter::OnMinimised() {
    SetDetailVisible(false);
    if (system_.HasNotificationArea()) view_.HideMainWindowWhenSettled();
}

void BrowserPresenter::OnDockTimer() {
    if (!view_.MainWindowIsNormal()) return;
    detailMade_ = true;
    view_.MoveDetail(DockedPosition(view_.MainWindowFrame()));
}

void BrowserPresenter::OnCopy(std::string_view searchText) { system_.SetClipboardText(searchText); }

// Every paste is a change of the search text, even one that leaves the text as it was.
void BrowserPresenter::OnPaste() {
    const std::optional<std::string> text = system_.ClipboardText();
    if (!text) return;
    view_.SetSearchText(*text);
    searchFromTop_ = true;
}

void BrowserPresenter::OnFind() {
    if (!finder_) {
        finder_ = &view_.ItemFinder(items_, language_, [this](std::size_t row) { SelectRow(row); });
        if (selected_) finder_->OnMainSelectionChanged(*selected_);
        view_.MoveFinder(FinderPosition(view_.MainWindowFrame(), view_.FinderOuterWidth()));
    }
    finder_->OnOpen();
}

// ---- rules without state ---------------------------------------------------------------------

// 360 twips down and 75 twips right of the main window's outer frame, at 15 twips a pixel.
ScreenPoint DockedPosition(const ScreenRect& mainFrame) {
    return {mainFrame.left + mainFrame.width + kDockGap, mainFrame.top + 24};
}

ScreenPoint FinderPosition(const ScreenRect& mainFrame, int finderOuterWidth) {
    const int left = mainFrame.left - kDockGap - finderOuterWidth;
    if (left >= 0) return {left, mainFrame.top};
    return {DockedPosition(mainFrame).x + card_artwork::kClientWidth + kDockGap, mainFrame.top};
}

// Five characters hold every row number of the shipped table; a longer table's numbers must fit
// too, or writing a row's number would select another row.
int ItemNumberLength(std::size_t rowCount) {
    const std::size_t lastRow = std::max<std::size_t>(rowCount, 1) - 1;
    return std::max(kShippedNumberLength, static_cast<int>(std::to_string(lastRow).size()));
}

std::string LoadFailureMessage(const LoadError& error, Language language) {
    return std::string(kCannotLoad.In(language)) + std::string(LoadErrorKindName(error.kind)) +
           ".\n" + error.detail;
}

}  // namespace lf
