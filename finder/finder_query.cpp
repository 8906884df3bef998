#include "finder/finder_query.h"

#include <algorithm>
#include <charconv>

namespace lf::finder {
namespace {

constexpr std::string_view kRangeSeparator = "..";

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

bool NamedBy(const Bilingual& name, std::string_view text) {
    return text == name.chinese || EqualIgnoringAsciiCase(text, name.english);
}

std::optional<std::int32_t> IntegerNamed(std::string_view text) {
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

bool SlotHolds(const SlotChoice& choice, const ItemFacts& facts) {
    if (const auto* slot = std::get_if<CardSlot>(&choice)) return facts.slot == *slot;
    return facts[SlotColumn()] == std::get<std::int32_t>(choice);
}

bool ClassMayUse(std::size_t classIndex, const ItemFacts& facts) {
    return facts.everyClass || facts.namedClass == classIndex;
}

bool Holds(const FinderQuery& query, const ItemEntry& item, const ItemFacts& facts) {
    if (!query.kinds.empty() &&
        std::ranges::find(query.kinds, facts[KindColumn()]) == query.kinds.end()) {
        return false;
    }
    if (query.slot && !SlotHolds(*query.slot, facts)) return false;
    if (query.classIndex && !ClassMayUse(*query.classIndex, facts)) return false;
    if (!query.level.Holds(facts[LevelColumn()]) || !query.fame.Holds(facts[FameColumn()])) {
        return false;
    }
    for (const ColumnRange& condition : query.columns) {
        if (!condition.range.Holds(facts[condition.column])) return false;
    }
    if (query.specialOnly && !facts.special) return false;
    return query.name.empty() || item.Name.find(query.name) != std::string_view::npos;
}

void Sort(std::vector<std::size_t>& rows, const SortKey& key, const ItemTable& items,
          const std::vector<ItemFacts>& facts) {
    const auto order = [&](auto less) {
        if (key.descending) {
            std::stable_sort(rows.begin(), rows.end(),
                             [&](std::size_t a, std::size_t b) { return less(b, a); });
        } else {
            std::stable_sort(rows.begin(), rows.end(), less);
        }
    };
    switch (key.by) {
        case SortKey::By::Row:
            if (key.descending) std::reverse(rows.begin(), rows.end());
            break;
        case SortKey::By::Name:
            order([&](std::size_t a, std::size_t b) { return items[a].Name < items[b].Name; });
            break;
        case SortKey::By::Column:
            order([&](std::size_t a, std::size_t b) {
                return facts[a][key.column] < facts[b][key.column];
            });
            break;
    }
}

template <typename Named>
std::string Listed(std::size_t count, Named named) {
    std::string words;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) words += ", ";
        words += named(i);
    }
    return words;
}

}  // namespace

std::vector<std::size_t> RunQuery(const FinderQuery& query, const ItemTable& items,
                                  const std::vector<ItemFacts>& facts) {
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < facts.size(); ++row) {
        if (Holds(query, items[row], facts[row])) rows.push_back(row);
    }
    Sort(rows, query.sort, items, facts);
    return rows;
}

std::optional<SlotChoice> SlotChoiceNamed(std::string_view text) {
    for (std::size_t slot = 0; slot < kCardSlotCount; ++slot) {
        if (NamedBy(SlotName(static_cast<CardSlot>(slot)), text))
            return static_cast<CardSlot>(slot);
    }
    if (auto index = IntegerNamed(text)) return *index;
    return std::nullopt;
}

std::optional<std::size_t> ClassNamed(std::string_view text) {
    const auto classes = CardClasses();
    for (std::size_t i = 0; i < classes.size(); ++i) {
        if (NamedBy(classes[i], text)) return i;
    }
    return std::nullopt;
}

std::optional<Range> RangeNamed(std::string_view text) {
    const std::size_t separator = text.find(kRangeSeparator);
    if (separator == std::string_view::npos) {
        const auto value = IntegerNamed(text);
        if (!value) return std::nullopt;
        return Range{value, value};
    }
    const std::string_view low = text.substr(0, separator);
    const std::string_view high = text.substr(separator + kRangeSeparator.size());
    Range range;
    if (!low.empty() && !(range.min = IntegerNamed(low))) return std::nullopt;
    if (!high.empty() && !(range.max = IntegerNamed(high))) return std::nullopt;
    return range;
}

std::optional<SortKey> SortKeyNamed(std::string_view text, bool descending) {
    if (text == "row") return SortKey{SortKey::By::Row, 0, descending};
    if (text == "name") return SortKey{SortKey::By::Name, 0, descending};
    if (auto column = ColumnNamed(text)) return SortKey{SortKey::By::Column, *column, descending};
    return std::nullopt;
}

std::string SlotWords() {
    return Listed(kCardSlotCount,
                  [](std::size_t i) { return std::string(SlotName(CardSlot(i)).english); }) +
           ", or a slot index";
}

std::string ClassWords() {
    return Listed(CardClasses().size(),
                  [](std::size_t i) { return std::string(CardClasses()[i].english); });
}

std::string ColumnWords() {
    return "row, name, " + Listed(kColumnCount, [](std::size_t i) { return ColumnName(i); });
}

}  // namespace lf::finder
