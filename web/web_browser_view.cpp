#include "web/web_browser_view.h"

#include <vector>

#include "browser/main_window_layout.h"
#include "composer/block_layout.h"
#include "finder/finder_layout.h"
#include "web/page_imports.h"

namespace lf::web {

// The page is built with the design captions, as the windows are.
WebBrowserView::WebBrowserView() { ShowCaptions(kDesignCaptions); }

// The search box's menu is the web browser's own: copy and paste need no captions of ours.
void WebBrowserView::ShowCaptions(const BrowserCaptions& captions) {
    page::ShowText("search-button", captions.searchButton);
    page::ShowText("item-number-label", captions.itemNumberLabel);
    page::ShowText("icon-label", captions.iconLabel);
    page::ShowText("find-button", captions.findMenuItem);
}

void WebBrowserView::ShowItemList(const ItemTable& items) { PageShowList(items.size()); }

void WebBrowserView::SetItemNumberLength(int characters) {
    page::SetMaxLength("item-number", characters);
}

void WebBrowserView::ShowTotal(std::string_view text) { page::ShowText("total", text); }

void WebBrowserView::SelectRow(std::size_t row) { PageSelectRow(row); }

// A rewritten number field reports its change like a typed one, as a window's text box does.
void WebBrowserView::ShowItemNumber(std::string_view number) {
    if (number == numberText_) return;
    numberText_ = number;
    page::ShowText("item-number", number);
    if (presenter_) presenter_->OnItemNumberChanged(numberText_);
}

void WebBrowserView::ShowItemName(std::string_view name, std::string_view description) {
    page::ShowText("item-name", name);
    page::ShowTitle("item-name", description);
}

void WebBrowserView::ShowPosition(std::string_view text) { page::ShowText("position", text); }

void WebBrowserView::ShowIcon(const PixelImage& box) {
    std::vector<std::uint8_t> rgba;
    rgba.reserve(box.pixels.size() * 4);
    for (const std::uint32_t pixel : box.pixels) {
        rgba.insert(rgba.end(),
                    {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                     static_cast<std::uint8_t>(pixel), 0xFF});
    }
    PageShowIcon(rgba.data(), box.width, box.height);
}

// Blocks are placed where the block layout says, measured by the page that draws their text.
// Unlike the desktop's pop-up, the card is a part of the page: it shows once there is one.
void WebBrowserView::ShowCard(const Card& card) {
    PageCardBegin(card.title ? 0 : 1);
    if (card.title) page::ShowText("card-title", WithLineFeeds(*card.title));
    for (const TextBlock& block : card.blocks) {
        const std::string text = WithLineFeeds(block.text);
        PageCardBlock(text.data(), text.size(),
                      page::RgbWord(block.colour.red, block.colour.green, block.colour.blue));
    }
    const CardLayout layout = StackBlocks(
        card, [](std::size_t block, int width) { return PageCardMeasure(block, width); });
    const auto place = [](std::size_t block, const BlockPlace& at) {
        PageCardPlace(block, at.left, at.top, at.width, at.height);
    };
    if (layout.title) place(0, *layout.title);
    for (std::size_t i = 0; i < layout.blocks.size(); ++i) place(i + 1, layout.blocks[i]);
    if (!detailMade_) SetDetailVisible(true);
}

void WebBrowserView::SetDetailVisible(bool visible) {
    detailMade_ = true;
    detailVisible_ = visible;
    PageCardVisible(visible ? 1 : 0);
}

void WebBrowserView::DestroyDetail() {
    detailMade_ = detailVisible_ = false;
    PageCardVisible(0);
}

void WebBrowserView::FocusList() { page::Focus("items"); }

void WebBrowserView::SetSearchText(std::string_view text) { page::ShowText("search", text); }

ScreenRect WebBrowserView::MainWindowFrame() const {
    return {0, 0, main_window_layout::kClientWidth, main_window_layout::kClientHeight};
}

finder::FinderPresenter& WebBrowserView::ItemFinder(const ItemTable& items, Language language,
                                                    std::function<void(std::size_t)> showItem) {
    if (!finder_) {
        finder_ = std::make_unique<finder::FinderPresenter>(finderView_, items, language,
                                                            std::move(showItem));
    }
    return *finder_;
}

int WebBrowserView::FinderOuterWidth() const { return finder::layout::kClientWidth; }

}  // namespace lf::web
