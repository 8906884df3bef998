#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "browser/browser_presenter.h"
#include "tests/support/fake_finder_view.h"

namespace lf::testing {

// A window that remembers what it was told and, like a real one, reports a changed number
// field back to the presenter.
class FakeBrowserView : public BrowserView {
  public:
    BrowserPresenter* presenter = nullptr;
    bool trayIcon = false;
    std::optional<BrowserCaptions> captions;
    std::size_t listRows = 0;
    int numberLength = 0;
    std::string total, number, name, tooltip, position, searchText;
    std::optional<std::size_t> highlighted;
    int listScrolls = 0;
    std::optional<PixelImage> icon;
    std::optional<Card> card;
    bool detailExists = false, detailVisible = false, listFocused = false;
    std::optional<ScreenPoint> detailAt;
    bool normal = true, minimised = false, hidePending = false;
    ScreenRect frame{100, 200, 249, 442};
    std::vector<std::string> closeSteps;

    void AddTrayIcon() override { trayIcon = true; }
    void RemoveTrayIcon() override {
        trayIcon = false;
        closeSteps.push_back("tray");
    }
    void ShowCaptions(const BrowserCaptions& c) override { captions = c; }
    void ShowItemList(const ItemTable& items) override { listRows = items.size(); }
    void SetItemNumberLength(int characters) override { numberLength = characters; }
    void ShowTotal(std::string_view text) override { total = text; }
    void SelectRow(std::size_t row) override {
        highlighted = row;
        ++listScrolls;
    }
    void ShowItemNumber(std::string_view text) override {
        if (number == text) return;
        number = text;
        presenter->OnItemNumberChanged(number);
    }
    void ShowItemName(std::string_view n, std::string_view description) override {
        name = n;
        tooltip = description;
    }
    void ShowPosition(std::string_view text) override { position = text; }
    void ShowIcon(const PixelImage& box) override { icon = box; }
    void ShowCard(const Card& c) override {
        detailExists = true;
        card = c;
    }
    bool DetailVisible() const override { return detailVisible; }
    void SetDetailVisible(bool visible) override {
        detailExists = true;
        detailVisible = visible;
    }
    void MoveDetail(ScreenPoint at) override {
        detailExists = true;
        detailAt = at;
    }
    void DestroyDetail() override {
        detailExists = detailVisible = false;
        closeSteps.push_back("detail");
    }
    void FocusList() override { listFocused = true; }
    void SetSearchText(std::string_view text) override { searchText = text; }
    bool MainWindowIsNormal() const override { return normal; }
    ScreenRect MainWindowFrame() const override { return frame; }
    void MinimiseAndHideMainWindow() override {
        normal = false;
        minimised = true;
        presenter->OnMinimised();
    }
    void RestoreMainWindow() override {
        normal = true;
        minimised = false;
    }
    void HideMainWindowWhenSettled() override { hidePending = true; }

    FakeFinderView finderView;
    std::unique_ptr<finder::FinderPresenter> finderPresenter;
    std::optional<ScreenPoint> finderAt;
    int finderWindowsMade = 0;
    finder::FinderPresenter& ItemFinder(const ItemTable& items, Language language,
                                        std::function<void(std::size_t)> showItem) override {
        if (!finderPresenter) {
            ++finderWindowsMade;
            finderPresenter = std::make_unique<finder::FinderPresenter>(finderView, items, language,
                                                                        std::move(showItem));
        }
        return *finderPresenter;
    }
    int FinderOuterWidth() const override { return 470; }
    void MoveFinder(ScreenPoint at) override { finderAt = at; }
};

}  // namespace lf::testing
