#pragma once

// What the module asks of the page (web/page/core.js, module "page"): each call shows something
// or reads one measurement, and none calls back into the module. Text is UTF-8 in the module's
// memory, as a pointer and a length; controls are named by their element ids.

#include <cstddef>
#include <cstdint>
#include <string_view>

#define LF_PAGE_IMPORT(name) extern "C" __attribute__((import_module("page"), import_name(name)))

namespace lf::web {

// The control's text: an input's value, any other element's text content (never markup).
LF_PAGE_IMPORT("show_text")
void PageShowText(const char* id, std::size_t idSize, const char* text, std::size_t size);
// The element's tooltip (its title attribute), plain text.
LF_PAGE_IMPORT("show_title")
void PageShowTitle(const char* id, std::size_t idSize, const char* text, std::size_t size);
// Appends an entry to a drop-down; entry 0 empties it first.
LF_PAGE_IMPORT("add_choice")
void PageAddChoice(const char* id, std::size_t idSize, std::size_t index, const char* text,
                   std::size_t size);
LF_PAGE_IMPORT("set_choice")
void PageSetChoice(const char* id, std::size_t idSize, std::size_t index);
LF_PAGE_IMPORT("set_checked") void PageSetChecked(const char* id, std::size_t idSize, int checked);
LF_PAGE_IMPORT("set_max_length")
void PageSetMaxLength(const char* id, std::size_t idSize, int length);
LF_PAGE_IMPORT("focus") void PageFocus(const char* id, std::size_t idSize);

// The item list: how many rows (the page asks for the names it shows), the highlighted row.
LF_PAGE_IMPORT("show_list") void PageShowList(std::size_t rows);
LF_PAGE_IMPORT("select_row") void PageSelectRow(std::size_t row);

// The icon box: width x height pixels, 4 bytes each (red, green, blue, alpha).
LF_PAGE_IMPORT("show_icon") void PageShowIcon(const std::uint8_t* rgba, int width, int height);

// The card: its blocks replaced (the title kept when keepTitle), each block's text and colour
// (0xRRGGBB), the height of a block's text wrapped to a width (block 0 is the title), and the
// place of each block.
LF_PAGE_IMPORT("card_begin") void PageCardBegin(int keepTitle);
LF_PAGE_IMPORT("card_block")
void PageCardBlock(const char* text, std::size_t size, std::uint32_t rgb);
LF_PAGE_IMPORT("card_measure") int PageCardMeasure(std::size_t block, int width);
LF_PAGE_IMPORT("card_place")
void PageCardPlace(std::size_t block, int left, int top, int width, int height);
LF_PAGE_IMPORT("card_visible") void PageCardVisible(int visible);

// The beep is a short flash of the search row; messages show in the page until dismissed.
LF_PAGE_IMPORT("beep") void PageBeep();
LF_PAGE_IMPORT("message")
void PageMessage(const char* title, std::size_t titleSize, const char* text, std::size_t size);
LF_PAGE_IMPORT("write_clipboard") void PageWriteClipboard(const char* text, std::size_t size);

// The Item Finder: a header of the result table (sort: 0 none, 1 ascending, 2 descending), how
// many results (the page asks for the cells it shows), the current one (-1: none), the lines of
// the comparison, and the panel shown or hidden.
LF_PAGE_IMPORT("finder_header")
void PageFinderHeader(std::size_t column, const char* title, std::size_t size, int sort);
LF_PAGE_IMPORT("finder_results") void PageFinderResults(std::size_t count);
LF_PAGE_IMPORT("finder_current") void PageFinderCurrent(int result);
LF_PAGE_IMPORT("comparison_clear") void PageComparisonClear();
LF_PAGE_IMPORT("comparison_line")
void PageComparisonLine(const char* label, std::size_t labelSize, const char* pinned,
                        std::size_t pinnedSize, const char* other, std::size_t otherSize,
                        const char* change, std::size_t changeSize, std::uint32_t rgb);
LF_PAGE_IMPORT("finder_visible") void PageFinderVisible(int visible);

// ---- the same with C++ text ---------------------------------------------------------------

namespace page {

inline std::uint32_t RgbWord(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return std::uint32_t{red} << 16 | std::uint32_t{green} << 8 | blue;
}

inline void ShowText(std::string_view id, std::string_view text) {
    PageShowText(id.data(), id.size(), text.data(), text.size());
}
inline void ShowTitle(std::string_view id, std::string_view text) {
    PageShowTitle(id.data(), id.size(), text.data(), text.size());
}
inline void AddChoice(std::string_view id, std::size_t index, std::string_view text) {
    PageAddChoice(id.data(), id.size(), index, text.data(), text.size());
}
inline void SetChoice(std::string_view id, std::size_t index) {
    PageSetChoice(id.data(), id.size(), index);
}
inline void SetChecked(std::string_view id, bool checked) {
    PageSetChecked(id.data(), id.size(), checked ? 1 : 0);
}
inline void SetMaxLength(std::string_view id, int length) {
    PageSetMaxLength(id.data(), id.size(), length);
}
inline void Focus(std::string_view id) { PageFocus(id.data(), id.size()); }
inline void Message(std::string_view title, std::string_view text) {
    PageMessage(title.data(), title.size(), text.data(), text.size());
}

}  // namespace page

}  // namespace lf::web
