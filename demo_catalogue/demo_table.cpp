#include "demo_catalogue/demo_table.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "catalogue/catalogue_format.h"
#include "common/gbk.h"
#include "demo_catalogue/icon_plan.h"
#include "demo_catalogue/item_kinds.h"
#include "demo_catalogue/item_text.h"
#include "demo_catalogue/random.h"

namespace lf::demo {
namespace {

using namespace record_field;

constexpr int kDecimalFields[] = {59, 61, 63, 65, 67, 69};
constexpr std::size_t kOptionFields[] = {kAttackOption,      kMagicOption,    kDefenceOption,
                                         kAttackSpeedOption, kAccuracyOption, kCriticalOption,
                                         kEvasionOption,     kMovementOption};
constexpr int kAttributeFields[] = {kStrength, kIntelligence, kAgility, kWisdom, kLuck};

constexpr std::uint64_t kSeriesStream = 0x5E81E5ull;
constexpr std::uint64_t kTraitStream = 0x7A175ull;
constexpr std::uint64_t kRowStream = 0x120Aull;

constexpr int kRarityPercent[kRarityCount] = {100, 120, 145, 175, 220};
constexpr int kLevelRange[kRarityCount][2] = {{1, 40}, {10, 70}, {30, 100}, {50, 120}, {80, 150}};
constexpr int kOptionCount[kRarityCount][2] = {{0, 0}, {0, 1}, {1, 2}, {2, 3}, {3, 4}};
constexpr int kLegendaryMountPrice = 110000000;  // the dearest item of the catalogue
constexpr int kFoodsWithoutRecovery = 95;
constexpr int kBindingWeights[] = {70, 15, 10, 5};

// Fields no card shows, filled the way the game's own table looks: mostly 0, now and then a
// small number.
struct QuietField {
    int field;
    int percent;
    int max;
};
constexpr QuietField kQuietFields[] = {
    {15, 50, 1},   {22, 30, 1}, {33, 20, 100}, {34, 10, 50}, {41, 10, 9}, {42, 10, 9}, {43, 5, 3},
    {45, 30, 300}, {46, 30, 5}, {47, 5, 9},    {48, 5, 9},   {49, 5, 9},  {50, 5, 9},  {51, 5, 9},
    {52, 5, 9},    {53, 5, 9},  {54, 5, 9},    {55, 5, 9},   {56, 5, 9},  {57, 5, 9},  {72, 40, 9},
    {74, 5, 9},    {75, 5, 9},  {76, 5, 9},    {77, 5, 9},   {78, 5, 9},  {79, 5, 9},  {80, 5, 9},
    {81, 5, 9},    {82, 5, 9},  {83, 5, 9},    {84, 5, 9},   {85, 5, 9},
};

class Record {
  public:
    Record() {
        fields_.fill("0");
        for (int field : kDecimalFields) fields_[field] = "0.000000";
    }
    void Set(int field, std::int64_t value) { fields_[field] = std::to_string(value); }
    void SetText(int field, std::string text) { fields_[field] = std::move(text); }
    bool IsZero(int field) const { return fields_[field] == "0"; }

    // One line of the table: every field followed by '|', so the split yields an empty last one.
    void AppendTo(std::string& out) const {
        for (const std::string& field : fields_) {
            out += field;
            out += '|';
        }
    }

  private:
    std::array<std::string, kRecordFieldCount - 1> fields_;
};

// Rows that share a name stem, an icon and a rarity: an item and its upgrades or variants.
struct Series {
    const KindPlan* plan;
    int firstPlanRow;  // position of its first row among the rows of its plan
    int firstRow;      // position of its first row in the table
    int length;
    int icon = 0;
};

// What a series keeps through all its rows.
struct Traits {
    std::string name;
    Rarity rarity;
    int level;
    int classMask;
    bool upgrades;  // rows after the first are "+1", "+2", ...
};

bool IsEquipment(Group group) {
    return group == Group::Weapon || group == Group::Shield || group == Group::Armour ||
           group == Group::Accessory || group == Group::Pet || group == Group::Costume;
}

int SeriesLength(Group group, Random& random) {
    if (IsEquipment(group)) {
        constexpr int kWeights[] = {20, 20, 20, 15, 15, 10};
        return static_cast<int>(random.Weighted(kWeights)) + 1;
    }
    return static_cast<int>(random.Between(1, group == Group::Quest ? 2 : 3));
}

std::vector<Series> PlanSeries() {
    std::vector<Series> series;
    int row = 1;
    const auto plans = CatalogueKinds();
    for (std::size_t p = 0; p < plans.size(); ++p) {
        Random random = Random::For(kSeriesStream, p);
        for (int done = 0; done < plans[p].rows;) {
            const int length = std::min(SeriesLength(plans[p].group, random), plans[p].rows - done);
            series.push_back({&plans[p], done, row, length});
            row += length;
            done += length;
        }
    }
    return series;
}

// Each picture's cells are handed out in turn, so every cell of the plan names some item.
void AssignIcons(std::vector<Series>& series) {
    std::array<std::vector<int>, kPictureCount> icons;
    std::array<std::size_t, kPictureCount> handedOut{};
    for (int p = 0; p < kPictureCount; ++p) icons[p] = IconsShowing(static_cast<Picture>(p));
    for (Series& s : series) {
        const int p = static_cast<int>(s.plan->picture);
        s.icon = icons[p][handedOut[p]++ % icons[p].size()];
    }
}

Traits MakeTraits(const Series& series) {
    Random random = Random::For(kTraitStream, static_cast<std::uint64_t>(series.firstRow));
    const Rarity rarity = PlannedIcons()[series.icon].rarity;
    const auto& levels = kLevelRange[static_cast<int>(rarity)];
    Traits traits{SeriesName(*series.plan, rarity, random), rarity,
                  static_cast<int>(random.Between(levels[0], levels[1])),
                  random.Pick(series.plan->classMasks), false};
    traits.upgrades = IsEquipment(series.plan->group) && series.length > 1 && random.Percent(50);
    return traits;
}

std::string RowName(const Traits& traits, int step, Random& random) {
    std::string name = traits.name;
    if (traits.upgrades && step > 0) name += "+" + std::to_string(step);
    if (random.Percent(35)) name += ".G";
    return name;
}

int Scaled(int base, const Traits& traits, int step) {
    return base * kRarityPercent[static_cast<int>(traits.rarity)] / 100 * (100 + 8 * step) / 100;
}

// The attribute a class trains, or 0 for masks that name no single class.
int AttributeOf(int classMask) {
    switch (classMask) {
        case 129:
        case 130:
        case 132:
        case 192:
        case 640:
        case 1152:
        case 2176:
        case 4224:
        case 131200:
        case 524416:
        case 1048704:
            return kStrength;
        case 144:
        case 32896:
        case 65664:
            return kIntelligence;
        case 8320:
        case 2097152:
        case 2097280:
        case 4194304:
        case 4194432:
        case 8388608:
        case 8388736:
            return kAgility;
        case 160:
        case 262272:
        case 16777344:
        case 33554560:
        case 67108992:
            return kWisdom;
        case 136:
        case 16512:
            return kLuck;
        default:
            return 0;
    }
}

void SetPrices(Record& record, std::int64_t purchase) {
    purchase = purchase / 10 * 10;
    record.Set(kPurchasePrice, purchase);
    record.Set(kSalePrice, purchase / 4);
}

void SetQuietFields(Record& record, Random& random) {
    for (const QuietField& quiet : kQuietFields) {
        if (random.Percent(quiet.percent)) record.Set(quiet.field, random.Between(1, quiet.max));
    }
}

void SetRequirements(Record& record, const Traits& traits, Random& random) {
    record.Set(kLevel, traits.level);
    if (traits.rarity >= Rarity::Epic && random.Percent(40)) {
        record.Set(kFame, random.Between(1, 500) * 100);
    }
    int attribute = AttributeOf(traits.classMask);
    if (attribute == 0 && random.Percent(15)) attribute = random.Pick(kAttributeFields);
    if (attribute != 0 && traits.level >= 10 && random.Percent(70)) {
        record.Set(attribute, traits.level * 2 + random.Between(0, 20));
        record.SetText(attribute + 1, random.Percent(50) ? "0.500000" : "1.000000");
    }
    if (random.Percent(5)) record.SetText(kVitality + 1, "1.000000");
}

void SetOptions(Record& record, const KindPlan& plan, const Traits& traits, Random& random) {
    const auto& range = kOptionCount[static_cast<int>(traits.rarity)];
    for (auto count = random.Between(range[0], range[1]); count > 0;) {
        const int field = random.Pick(kOptionFields);
        if (!record.IsZero(field)) continue;
        const bool huge = traits.rarity == Rarity::Legendary && random.Percent(20);
        record.Set(field, huge ? random.Between(1000, 20000) : random.Between(1, 30));
        --count;
    }
    if (plan.group == Group::Accessory || plan.group == Group::Armour) {
        if (random.Percent(12)) record.Set(kHpOption, random.Between(1, 2));
        if (random.Percent(12)) record.Set(kApOption, random.Between(1, 3));
    }
}

void MaybeSet(Record& record, int field, int percent, int lo, int hi, Random& random) {
    if (random.Percent(percent)) record.Set(field, random.Between(lo, hi));
}

void SetWeaponStats(Record& record, const KindPlan& plan, const Traits& traits, int step,
                    Random& random) {
    const int power = Scaled(traits.level * 7 + 10, traits, step);
    const bool magical = plan.picture == Picture::Staff || plan.picture == Picture::Wand;
    record.Set(kAttack, magical ? power / 4 + 1 : power);
    if (magical) record.Set(kMagic, power);
    const bool ranged = plan.picture == Picture::Bow || plan.picture == Picture::Gun;
    record.Set(kRange, ranged ? random.Between(5, 8) : random.Between(1, 2));
    MaybeSet(record, kAttackSpeed, 55, -15, 20, random);
    MaybeSet(record, kAccuracy, 40, -10, 30, random);
    MaybeSet(record, kCritical, 30, -10, 25, random);
    MaybeSet(record, kEvasion, 10, -10, 10, random);
    const bool heavy = plan.picture == Picture::Axe || plan.picture == Picture::Hammer ||
                       plan.picture == Picture::Spear;
    if (heavy) MaybeSet(record, kMovement, 30, -10, -1, random);
    if (traits.rarity == Rarity::Legendary && random.Percent(25)) {
        record.Set(kDamageIncrease, 100);
    } else if (traits.rarity >= Rarity::Rare) {
        MaybeSet(record, kDamageIncrease, 40, 5, 99, random);
    }
}

void SetDefenceStats(Record& record, const KindPlan& plan, const Traits& traits, int step,
                     Random& random) {
    const bool shield = plan.group == Group::Shield;
    record.Set(kDefence, Scaled(traits.level * (shield ? 4 : 3) + 5, traits, step));
    MaybeSet(record, kDamageDecrease, shield ? 50 : 10, 1, shield ? 50 : 20, random);
    MaybeSet(record, kEvasion, 20, -5, 15, random);
    if (plan.picture == Picture::Boots || plan.picture == Picture::Shoes) {
        MaybeSet(record, kMovement, 50, 1, 30, random);
    } else if (shield) {
        MaybeSet(record, kMovement, 30, -8, -1, random);
    }
}

void SetAccessoryStats(Record& record, const Traits& traits, int step, Random& random) {
    constexpr int kChoices[] = {kMagic,          kCritical,       kAccuracy, kEvasion,
                                kDamageIncrease, kDamageDecrease, kAttack};
    for (auto count = random.Between(1, 3); count > 0; --count) {
        const int field = random.Pick(kChoices);
        const bool percent = field == kDamageIncrease || field == kDamageDecrease;
        record.Set(field, percent ? random.Between(1, 60)
                                  : Scaled(traits.level + 5, traits, step) / 2 + 1);
    }
}

void SetPetStats(Record& record, const Traits& traits, int step, Random& random) {
    record.Set(kAttack, Scaled(traits.level * 5 + 5, traits, step));
    record.Set(kDefence, Scaled(traits.level * 3 + 5, traits, step));
    MaybeSet(record, kMovement, 40, 5, 40, random);
    MaybeSet(record, kEvasion, 20, -5, 10, random);
}

void SetCostumeStats(Record& record, Random& random) {
    if (!random.Percent(30)) return;
    if (random.Percent(50)) {
        record.Set(kMovement, random.Between(1, 20));
    } else {
        record.Set(kEvasion, random.Between(1, 10));
    }
}

std::int64_t EquipmentPrice(const KindPlan& plan, const Traits& traits, int step, Random& random) {
    if (plan.kind == 50) {
        return traits.rarity == Rarity::Legendary ? kLegendaryMountPrice
                                                  : random.Between(10, 500) * 10000;
    }
    if (random.Percent(10)) return 0;  // not sold in shops
    const std::int64_t level = traits.level;
    return (level * level * 3 + level * 50 + 100) *
           kRarityPercent[static_cast<int>(traits.rarity)] / 100 * (100 + 20 * step) / 100;
}

int Durability(Group group, Random& random) {
    switch (group) {
        case Group::Weapon:
        case Group::Shield:
        case Group::Armour:
            return random.Percent(5) ? static_cast<int>(random.Between(1, 99))
                                     : static_cast<int>(random.Between(20, 300)) * 100;
        case Group::Accessory:
            return random.Percent(50) ? 0 : random.Between(10, 100) * 100;
        case Group::Pet:
            return random.Percent(50) ? 0 : random.Between(100, 1000);
        default:
            return random.Percent(80) ? 0 : random.Between(10, 50) * 100;
    }
}

void FillEquipment(Record& record, const KindPlan& plan, const Traits& traits, int step,
                   Random& random) {
    record.Set(kStack, 1);
    record.Set(kUpgrade, step);
    record.Set(kDurability, Durability(plan.group, random));
    const bool costume = plan.group == Group::Costume;
    if (random.Percent(costume ? 15 : 4)) record.Set(kSpecialMark, random.Between(1, 3));
    switch (plan.group) {
        case Group::Weapon:
            SetWeaponStats(record, plan, traits, step, random);
            break;
        case Group::Shield:
        case Group::Armour:
            SetDefenceStats(record, plan, traits, step, random);
            break;
        case Group::Accessory:
            SetAccessoryStats(record, traits, step, random);
            break;
        case Group::Pet:
            SetPetStats(record, traits, step, random);
            break;
        default:
            SetCostumeStats(record, random);
            break;
    }
    if (!costume || random.Percent(40)) SetRequirements(record, traits, random);
    SetOptions(record, plan, traits, random);
    SetPrices(record, EquipmentPrice(plan, traits, step, random));
}

// Food and potions restore HP, AP or both; a fixed number of foods are for show and restore
// nothing.
void FillConsumable(Record& record, const Series& series, int step, Random& random) {
    record.Set(kStack, 99);
    const int planRow = series.firstPlanRow + step;
    const int rows = series.plan->rows;
    const bool forShow =
        series.plan->kind == 1 && series.plan->picture == Picture::Food &&
        (planRow + 1) * kFoodsWithoutRecovery / rows != planRow * kFoodsWithoutRecovery / rows;
    if (!forShow) {
        const auto roll = random.Between(0, 99);
        if (roll < 75) record.Set(kHpRecovery, random.Between(5, 500) * 10);
        if (roll >= 40) record.Set(kApRecovery, random.Between(5, 300) * 10);
    }
    MaybeSet(record, kLevel, 10, 1, 60, random);
    SetPrices(record, random.Between(1, 200) * 10);
}

void FillQuest(Record& record, Random& random) {
    record.Set(kStack, 1);
    if (random.Percent(95)) record.Set(kQuestClient, random.Between(1001, 2999));
    if (random.Percent(90)) record.Set(kQuestDifficulty, random.Between(1, 5));
    if (random.Percent(95)) record.Set(kQuestRole, random.Between(1, 4));
    if (random.Percent(70)) record.Set(kQuestFameReward, random.Between(1, 50) * 10);
    record.Set(kQuestExperienceReward, random.Between(10, 5000) * 10);
    if (random.Percent(70)) record.Set(kQuestMoneyReward, random.Between(1, 2000) * 100);
    MaybeSet(record, kLevel, 30, 1, 100, random);
}

void FillGoods(Record& record, const Series& series, const Traits& traits, Random& random) {
    const int worth = static_cast<int>(traits.rarity) + 1;
    switch (series.plan->group) {
        case Group::SkillBook:
            record.Set(kStack, 1);
            SetRequirements(record, traits, random);
            SetPrices(record, std::int64_t{traits.level} * 100 * worth);
            break;
        case Group::Material:
            record.Set(kStack, 99);
            SetPrices(record, random.Between(1, 100) * 10 * worth);
            break;
        default:
            record.Set(kStack, random.Percent(50) ? 1 : 20);
            SetPrices(record, random.Between(0, 1000) * 10 * worth);
            break;
    }
}

Record MakeRecord(const Series& series, const Traits& traits, int step) {
    const int row = series.firstRow + step;
    const KindPlan& plan = *series.plan;
    Random random = Random::For(kRowStream, static_cast<std::uint64_t>(row));
    Record record;
    record.Set(0, row);
    record.SetText(kName, RowName(traits, step, random));
    record.Set(kKind, plan.kind);
    record.Set(kBinding, static_cast<int>(random.Weighted(kBindingWeights)));
    SetQuietFields(record, random);
    if (IsEquipment(plan.group)) {
        FillEquipment(record, plan, traits, step, random);
    } else if (plan.group == Group::Consumable) {
        FillConsumable(record, series, step, random);
    } else if (plan.group == Group::Quest) {
        FillQuest(record, random);
    } else {
        FillGoods(record, series, traits, random);
    }
    record.Set(kSlot, plan.slot);
    record.Set(kClassMask, traits.classMask);
    record.Set(kIcon, series.icon);
    record.SetText(kDescription, Description(plan, random));
    return record;
}

Record Placeholder() {
    Record record;
    record.Set(kSlot, kNoSlot);
    return record;
}

}  // namespace

std::string GenerateItemTable() {
    std::vector<Series> series = PlanSeries();
    AssignIcons(series);
    std::string text = std::to_string(kItemRows + 1) + "\r\n";
    text.reserve(8 << 20);
    Placeholder().AppendTo(text);
    text += "\r\n";
    for (const Series& s : series) {
        const Traits traits = MakeTraits(s);
        for (int step = 0; step < s.length; ++step) {
            MakeRecord(s, traits, step).AppendTo(text);
            text += "\r\n";
        }
    }
    std::string table = EncodeGbk(text);
    table += '\0';
    return table;
}

}  // namespace lf::demo
