#include "composer/card_builders.h"

#include <charconv>

#include "common/gbk.h"
#include "common/number_text.h"
#include "composer/card_names.h"
#include "composer/card_texts.h"

namespace lf {
namespace {

using namespace card_texts;

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::size_t kPieceWidth = 15;

void AppendNumber(std::string& text, std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, result.ptr);
}

// Label, value and, for the percent entries, " %".
std::string StatPiece(const StatSet& stats, std::size_t entry, Language language) {
    std::string piece(kStatLabels[entry].In(language));
    AppendNumber(piece, stats[entry]);
    if (entry == kDamageIncrease || entry == kDamageDecrease) piece += kPercent;
    return piece;
}

// Two padded pieces to a line, in print order.
void AddChineseStatLines(Card& card, const StatSet& stats) {
    std::string text;
    int count = 0;
    for (std::size_t entry : kStatPrintOrder) {
        if (stats[entry] == 0) continue;
        BreakAfterTwo(text, count);
        text += PadTo15(StatPiece(stats, entry, Language::Chinese));
        ++count;
    }
    card.AddTextBlock(std::move(text), kChineseStatColour);
}

// The plain stats run two to a line with a fixed separator; the two percent entries and
// movement speed each take a line of their own.
void AddEnglishStatLines(Card& card, const StatSet& stats) {
    std::string text;
    int count = 0;
    for (std::size_t entry : kStatPrintOrder) {
        if (stats[entry] == 0) continue;
        const bool ownLine =
            entry == kDamageIncrease || entry == kDamageDecrease || entry == kMovementSpeed;
        if (ownLine && count == 1) {
            text += kLineBreak;
        } else {
            BreakAfterTwo(text, count);
        }
        text += StatPiece(stats, entry, Language::English);
        if (!ownLine) text += kEnglishStatSeparator;
        ++count;
    }
    card.AddTextBlock(std::move(text), kEnglishStatColour);
}

}  // namespace

std::string PadTo15(std::string_view text) {
    std::string padded(text);
    const std::size_t length = GbkByteLength(text);
    if (length < kPieceWidth) padded.append(kPieceWidth - length, ' ');
    return padded;
}

void BreakAfterTwo(std::string& text, int& count) {
    if (count != 2) return;
    text += kLineBreak;
    count = 0;
}

std::string ClassNameText(std::int32_t classMask, Language language) {
    if (auto named = ClassOf(classMask)) return std::string(CardClasses()[*named].In(language));
    if (NamesEveryClass(classMask)) return std::string(kAllClasses.In(language));
    std::string text(kNotIncluded.In(language));
    if (language == Language::Chinese) {
        text += '(';
        AppendNumber(text, classMask);
        text += ')';
    }
    return text;
}

void AddStatLines(Card& card, const StatSet& stats, Language language) {
    if (language == Language::Chinese) {
        AddChineseStatLines(card, stats);
    } else {
        AddEnglishStatLines(card, stats);
    }
}

// The range is -2v to 5v. Those products are formed in 64 bits, so a value beyond
// +-429,496,729 still shows its true range instead of a wrapped one.
void AddOptionLines(Card& card, const OptionSet& options, Language language) {
    std::string text(kOptionHeader.In(language));
    text += kLineBreak;
    for (std::size_t entry : kOptionPrintOrder) {
        const std::int64_t value = options[entry];
        if (value == 0) continue;
        const OptionWording& wording = kOptionWordings[entry];
        text += wording.label.In(language);
        AppendNumber(text, -2 * value);
        text += wording.middle.In(language);
        AppendNumber(text, 5 * value);
        text += wording.closing.In(language);
        text += kLineBreak;
    }
    card.AddTextBlock(std::move(text), kOptionColour);
}

void AddRequirementLines(Card& card, const RequirementSet& requirements, Language language) {
    std::string text = ClassNameText(requirements[0], language);
    text += kLineBreak;
    for (std::size_t entry : kRequirementPrintOrder) {
        if (requirements[entry] == 0) continue;
        text += kRequirementLabels[entry].In(language);
        AppendNumber(text, requirements[entry]);
        text += kLineBreak;
    }
    text.resize(text.size() - kLineBreak.size());  // no break after the last line
    card.AddTextBlock(std::move(text), kRequirementColour);
}

void AddRecoveryLines(Card& card, const RecoveryPair& recovery, Language language) {
    std::string text;
    for (std::size_t entry = 0; entry < recovery.size(); ++entry) {
        if (recovery[entry] == 0) continue;
        std::string piece(kRecoveryLabels[entry].In(language));
        AppendNumber(piece, recovery[entry]);
        text += PadTo15(piece);
    }
    card.AddTextBlock(std::move(text), kRecoveryColour);
}

void AddPriceLines(Card& card, const PricePair& prices, Language language) {
    std::string text;
    for (std::size_t entry = 0; entry < prices.size(); ++entry) {
        text += kPriceLabels[entry].In(language);
        AppendNumber(text, prices[entry]);
        text += kPriceUnit;
        text += kLineBreak;
    }
    card.AddTextBlock(std::move(text), kPriceColour);
}

// Quest fields are shown as written. A field that is empty or not a number reads as 0 and
// is left out, like a zero. A role code other than exactly "1".."4" adds no words of its own
// but still takes its place on the line.
void AddQuestLines(Card& card, std::string_view DataStr) {
    const RecordFields fields(DataStr);
    std::string text;
    int count = 0;
    for (const QuestPiece& piece : kQuestPieces) {
        const std::string_view field = fields[piece.field];
        if (ParseNumber(field).value_or(0) == 0) continue;
        BreakAfterTwo(text, count);
        if (piece.field != record_field::kQuestRole) {
            text += piece.label;
            text += field;
            text += kQuestSeparator;
        } else if (field.size() == 1 && field[0] >= '1' && field[0] <= '4') {
            text += kQuestRoles[field[0] - '1'];
            text += kQuestRoleSuffix;
            text += kQuestSeparator;
        }
        ++count;
    }
    card.AddTextBlock(std::move(text), kQuestColour);
}

void AddDurabilityLine(Card& card, std::int32_t durability, Language language) {
    std::string text;
    if (durability > 0) {
        text = kDurabilityOpening.In(language);
        AppendNumber(text, durability);
        text += kDurabilityClosing;
    }
    card.AddTextBlock(std::move(text), kDurabilityColour);
}

void AddSpecialMarker(Card& card, std::int32_t specialMark, Language language) {
    card.AddTextBlock(std::string(specialMark > 0 ? kSpecialMarker.In(language) : ""),
                      kSpecialMarkerColour);
}

void AddSlotLine(Card& card, std::int32_t kind, std::int32_t slotIndex, Language language) {
    const std::optional<CardSlot> slot = SlotOf(kind, slotIndex);
    card.AddTextBlock(std::string(slot ? SlotName(*slot).In(language) : ""), kSlotColour);
}

}  // namespace lf
