#pragma once

// Links into the web catalogue that players share: "#item=N" opens with row N selected;
// "#find?slot=Head&class=Knight&level=20..40&sort=defence&desc=1" opens the Item Finder with that
// query, in the words of lftool find's options. Read here into what the finder window's controls
// take, so that the finder runs the query by its own rules.

#include <cstddef>
#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lf::web {

// A link's words as the page read them from the address, decoded: "find" and its parameters.
struct PageLink {
    std::string path;
    std::vector<std::pair<std::string, std::string>> parameters;
};

// The finder window's controls as a link sets them: texts as typed, choices as drop-down indices
// (0 is "any" for slot and class).
struct FinderForm {
    std::string name;
    std::size_t slotChoice = 0;
    std::size_t classChoice = 0;
    std::string levelFrom;
    std::string levelTo;
    std::size_t statChoice = 0;
    std::string statMinimum;
    bool specialOnly = false;
    std::optional<std::size_t> sortColumn;  // a result column
    bool descending = false;
};

struct FinderLink {
    FinderForm form;
    // lftool find's words that the finder window has no control for (kind, fame, max, ...).
    std::vector<std::string> unused;
};

// The row of "#item=N", when N is a row of a table of rowCount rows.
std::optional<std::size_t> ItemLinkRow(const PageLink& link, std::size_t rowCount);

// Whether the link opens the Item Finder.
bool IsFinderLink(const PageLink& link);

// The finder's controls for "#find?..."; a word lftool find would refuse is refused here with
// lftool's message.
std::expected<FinderLink, std::string> ReadFinderLink(const PageLink& link);

// The page speaks Chinese when the browser's preferred language is Chinese: a language tag
// whose primary language is zh (zh, zh-CN, zh-Hans-TW, ...).
bool IsChinesePageLanguage(std::string_view languageTag);

}  // namespace lf::web
