#pragma once

#include <optional>
#include <string>
#include <vector>

#include "finder/finder_presenter.h"

namespace lf::testing {

// A finder window that remembers what it was told.
class FakeFinderView : public finder::FinderView {
  public:
    finder::FinderCaptions captions{};
    finder::FinderChoices choices;
    finder::ResultHeaders headers;
    std::size_t count = 0;
    std::string countText;
    std::optional<std::size_t> current;
    std::vector<finder::ComparisonLine> comparison;
    bool shown = false;

    void ShowCaptions(const finder::FinderCaptions& c, const finder::FinderChoices& ch) override {
        captions = c;
        choices = ch;
    }
    void ShowHeaders(const finder::ResultHeaders& h) override { headers = h; }
    void ShowResults(std::size_t n, std::string_view text) override {
        count = n;
        countText = text;
    }
    void ShowCurrent(std::optional<std::size_t> result) override { current = result; }
    void ShowComparison(const std::vector<finder::ComparisonLine>& lines) override {
        comparison = lines;
    }
    void ShowWindow() override { shown = true; }
    void HideWindow() override { shown = false; }
};

}  // namespace lf::testing
