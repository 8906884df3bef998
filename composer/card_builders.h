#pragma once

// The builders of the card. Each appends its blocks to the card through AddTextBlock; the
// language picks the wording, and for the stat block and the HP / AP option lines the layout.

#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/item_record.h"
#include "composer/card.h"

namespace lf {

// The text followed by spaces up to 15 bytes of its GBK form; longer text is left as it is.
std::string PadTo15(std::string_view text);

// When two entries already stand on the current line, starts a new one.
void BreakAfterTwo(std::string& text, int& count);

// The class text of a class mask (the first line of the requirement block).
std::string ClassNameText(std::int32_t classMask, Language language);

void AddStatLines(Card& card, const StatSet& stats, Language language);
void AddOptionLines(Card& card, const OptionSet& options, Language language);
void AddRequirementLines(Card& card, const RequirementSet& requirements, Language language);
void AddRecoveryLines(Card& card, const RecoveryPair& recovery, Language language);
void AddPriceLines(Card& card, const PricePair& prices, Language language);
// Quest items show the same Chinese wording in both languages.
void AddQuestLines(Card& card, std::string_view DataStr);
void AddDescription(Card& card, std::string_view description);
void AddDurabilityLine(Card& card, std::int32_t durability, Language language);
void AddSpecialMarker(Card& card, std::int32_t specialMark, Language language);
void AddSlotLine(Card& card, std::int32_t kind, std::int32_t slotIndex, Language language);

}  // namespace lf
