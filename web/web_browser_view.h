#pragma once

// The item browser on the web page: the search row, the item list, the number, icon and name
// fields, the counters and the card, each shown as the BrowserPresenter tells. A page has no tray
// and is never minimised; the card is a panel of the page that the icon box shows and hides.

#include <memory>
#include <string>

#include "browser/browser_presenter.h"
#include "web/web_finder_view.h"

namespace lf::web {

class WebBrowserView : public BrowserView {
  public:
    WebBrowserView();

    // The presenter that this view reports the number field's changes to.
    void Attach(BrowserPresenter& presenter) { presenter_ = &presenter; }
    // The user typed in the number field.
    void NumberTyped(std::string_view text) { numberText_ = text; }
    // The Item Finder, once BrowserPresenter::OnFind has made it.
    finder::FinderPresenter* Finder() const { return finder_.get(); }
    const WebFinderView& FinderView() const { return finderView_; }

    void AddTrayIcon() override {}
    void RemoveTrayIcon() override {}
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
    void SetDetailVisible(bool visible) override;
    void MoveDetail(ScreenPoint) override {}
    bool DetailVisible() const override { return detailVisible_; }
    void DestroyDetail() override;
    void FocusList() override;
    void SetSearchText(std::string_view text) override;
    bool MainWindowIsNormal() const override { return true; }
    ScreenRect MainWindowFrame() const override;
    void MinimiseAndHideMainWindow() override {}
    void RestoreMainWindow() override {}
    void HideMainWindowWhenSettled() override {}
    finder::FinderPresenter& ItemFinder(const ItemTable& items, Language language,
                                        std::function<void(std::size_t row)> showItem) override;
    int FinderOuterWidth() const override;
    void MoveFinder(ScreenPoint) override {}

  private:
    BrowserPresenter* presenter_ = nullptr;
    std::string numberText_;
    bool detailMade_ = false;
    bool detailVisible_ = false;
    WebFinderView finderView_;
    std::unique_ptr<finder::FinderPresenter> finder_;
};

}  // namespace lf::web
