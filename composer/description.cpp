// Descriptions carry colour codes: "#N#" starts a new block, "#R#", "#G#", "#B#" and "#X#"
// start one in red, green, blue or the default colour.

#include <optional>

#include "common/gbk.h"
#include "composer/card_builders.h"
#include "composer/card_texts.h"

namespace lf {
namespace {

using namespace card_texts;

constexpr char kCodeMark = '#';
constexpr std::string_view kNewBlock = "N";

// The colour a code letter switches to; none for "N" and for anything that is no code.
std::optional<Rgb> ColourOfCode(std::string_view letter) {
    if (letter == "R") return kRedMarkup;
    if (letter == "G") return kGreenMarkup;
    if (letter == "B") return kBlueMarkup;
    if (letter == "X") return kDescriptionColour;
    return std::nullopt;
}

bool IsCodeLetter(std::string_view letter) {
    return letter == kNewBlock || ColourOfCode(letter).has_value();
}

bool ContainsCode(std::string_view text) {
    for (std::size_t pos = text.find(kCodeMark);
         pos != std::string_view::npos && pos + 2 < text.size();
         pos = text.find(kCodeMark, pos + 1)) {
        if (text[pos + 2] == kCodeMark && IsCodeLetter(text.substr(pos + 1, 1))) return true;
    }
    return false;
}

std::vector<std::string_view> SplitAtCodeMarks(std::string_view text) {
    std::vector<std::string_view> segments;
    std::size_t start = 0;
    for (std::size_t mark; (mark = text.find(kCodeMark, start)) != std::string_view::npos;
         start = mark + 1) {
        segments.push_back(text.substr(start, mark - start));
    }
    segments.push_back(text.substr(start));
    return segments;
}

// Text shorter than two GBK bytes after a code is not shown.
bool IsShort(std::string_view segment) { return GbkByteLength(segment) < 2; }

}  // namespace

void AddDescription(Card& card, std::string_view description) {
    if (!ContainsCode(description)) {
        card.AddTextBlock(std::string(description), kDescriptionColour);
        return;
    }
    const std::vector<std::string_view> segments = SplitAtCodeMarks(description);
    const std::size_t last = segments.size() - 1;
    Rgb colour = kDescriptionColour;
    if (!IsShort(segments[0])) card.AddTextBlock(std::string(segments[0]), colour);
    // A description may end in a code letter without its closing "#": there is no text after
    // it, so it shows nothing, and the card is as if the letter were not there.
    for (std::size_t i = 0; i < last; ++i) {
        const std::string_view next = segments[i + 1];
        if (std::optional<Rgb> codeColour = ColourOfCode(segments[i])) {
            colour = *codeColour;
            if (!IsShort(next)) card.AddTextBlock(std::string(next), colour);
        } else if (segments[i] == kNewBlock) {
            if (!IsShort(next)) {
                card.AddTextBlock(std::string(next), colour);
            } else if (i + 1 == last || segments[i + 2] == kNewBlock) {
                card.AddTextBlock({}, colour);  // blank line: a run of "#N#", or a final one
            }
        }
    }
}

}  // namespace lf
