// Composition of the whole card: the item kind decides which sections it shows, in what order.

#include "catalogue/item_record.h"
#include "composer/card.h"
#include "composer/card_builders.h"

namespace lf {
namespace {

enum class KindGroup { Equipment, Recovery, Material, Quest, Priced, DescriptionOnly };

bool IsEquipmentKind(std::int32_t kind) {
    struct KindRange {
        std::int32_t first, last;
    };
    constexpr KindRange kEquipmentKinds[] = {{4, 4},   {6, 9},   {11, 22},
                                             {25, 26}, {29, 40}, {44, 53}};
    for (const KindRange& range : kEquipmentKinds) {
        if (kind >= range.first && kind <= range.last) return true;
    }
    return false;
}

KindGroup KindGroupOf(std::int32_t kind) {
    if (IsEquipmentKind(kind)) return KindGroup::Equipment;
    switch (kind) {
        case 1:
            return KindGroup::Recovery;
        case 23:
            return KindGroup::Material;
        case 24:
            return KindGroup::Quest;
        case 0:
        case 27:
        case 42:
            return KindGroup::Priced;
        default:
            return KindGroup::DescriptionOnly;
    }
}

void AddEquipmentSections(Card& card, const ItemRecord& record, Language language) {
    // Durability, special mark and slot always take one block each, blank or not.
    AddDurabilityLine(card, record.durability, language);
    AddSpecialMarker(card, record.specialMark, language);
    AddSlotLine(card, record.kind, record.slotIndex, language);
    if (record.hasStats) AddStatLines(card, record.stats, language);
    if (record.hasRequirements) AddRequirementLines(card, record.requirements, language);
    AddDescription(card, record.description);
    AddPriceLines(card, record.prices, language);
    if (record.hasOptions) AddOptionLines(card, record.options, language);
}

}  // namespace

Card SetItemStat(std::string_view DataStr, bool isChineseUI) {
    const Language language = LanguageOf(isChineseUI);
    Card card;
    if (DataStr.empty()) return card;
    const ItemRecord record = ReadItemRecord(DataStr);
    card.title = std::string(record.name);
    switch (KindGroupOf(record.kind)) {
        case KindGroup::Equipment:
            AddEquipmentSections(card, record, language);
            break;
        case KindGroup::Recovery:
            AddRecoveryLines(card, record.recovery, language);
            AddDescription(card, record.description);
            AddPriceLines(card, record.prices, language);
            break;
        case KindGroup::Material:
            if (record.hasRequirements) AddRequirementLines(card, record.requirements, language);
            AddDescription(card, record.description);
            AddPriceLines(card, record.prices, language);
            break;
        case KindGroup::Quest:
            AddQuestLines(card, DataStr);
            AddDescription(card, record.description);
            break;
        case KindGroup::Priced:
            AddDescription(card, record.description);
            AddPriceLines(card, record.prices, language);
            break;
        case KindGroup::DescriptionOnly:
            AddDescription(card, record.description);
            break;
    }
    return card;
}

}  // namespace lf
