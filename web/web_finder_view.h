#pragma once

// The Item Finder on the web page: a panel beside the card. It shows what the FinderPresenter
// tells it; the page reads the result cells it shows from the presenter.

#include "finder/finder_presenter.h"

namespace lf::web {

class WebFinderView : public finder::FinderView {
  public:
    void ShowCaptions(const finder::FinderCaptions& captions,
                      const finder::FinderChoices& choices) override;
    void ShowHeaders(const finder::ResultHeaders& headers) override;
    void ShowResults(std::size_t count, std::string_view countText) override;
    void ShowCurrent(std::optional<std::size_t> result) override;
    void ShowComparison(const std::vector<finder::ComparisonLine>& lines) override;
    void ShowWindow() override;
    void HideWindow() override;

    bool Shown() const { return shown_; }

  private:
    bool shown_ = false;
};

}  // namespace lf::web
