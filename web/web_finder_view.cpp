#include "web/web_finder_view.h"

#include "web/page_imports.h"

namespace lf::web {
namespace {

void ShowChoices(std::string_view id, const std::vector<std::string>& choices) {
    for (std::size_t i = 0; i < choices.size(); ++i) page::AddChoice(id, i, choices[i]);
}

}  // namespace

void WebFinderView::ShowCaptions(const finder::FinderCaptions& captions,
                                 const finder::FinderChoices& choices) {
    page::ShowText("finder-title", captions.window);
    page::ShowText("finder-name-label", captions.nameLabel);
    page::ShowText("finder-slot-label", captions.slotLabel);
    page::ShowText("finder-class-label", captions.classLabel);
    page::ShowText("finder-level-label", captions.levelLabel);
    page::ShowText("finder-level-to-label", captions.levelToLabel);
    page::ShowText("finder-stat-label", captions.statLabel);
    page::ShowText("finder-stat-minimum-label", captions.statMinimumLabel);
    page::ShowText("finder-special-label", captions.specialOnly);
    page::ShowText("finder-compare", captions.compareButton);
    page::ShowText("finder-clear", captions.clearButton);
    ShowChoices("finder-slot", choices.slotNames);
    ShowChoices("finder-class", choices.classNames);
    ShowChoices("finder-stat", choices.statNames);
}

void WebFinderView::ShowHeaders(const finder::ResultHeaders& headers) {
    for (std::size_t column = 0; column < headers.titles.size(); ++column) {
        const int sort = headers.sorted != column ? 0 : headers.descending ? 2 : 1;
        const std::string& title = headers.titles[column];
        PageFinderHeader(column, title.data(), title.size(), sort);
    }
}

void WebFinderView::ShowResults(std::size_t count, std::string_view countText) {
    page::ShowText("finder-count", countText);
    PageFinderResults(count);
}

void WebFinderView::ShowCurrent(std::optional<std::size_t> result) {
    PageFinderCurrent(result ? static_cast<int>(*result) : -1);
}

void WebFinderView::ShowComparison(const std::vector<finder::ComparisonLine>& lines) {
    PageComparisonClear();
    for (const finder::ComparisonLine& line : lines) {
        PageComparisonLine(line.label.data(), line.label.size(), line.pinned.data(),
                           line.pinned.size(), line.other.data(), line.other.size(),
                           line.change.data(), line.change.size(),
                           page::RgbWord(line.colour.red, line.colour.green, line.colour.blue));
    }
}

void WebFinderView::ShowWindow() {
    shown_ = true;
    PageFinderVisible(1);
    page::Focus("finder-name");
}

void WebFinderView::HideWindow() {
    shown_ = false;
    PageFinderVisible(0);
}

}  // namespace lf::web
