#include "finder/finder_presenter.h"

#include <algorithm>
#include <charconv>

#include "composer/card_builders.h"

namespace lf::finder {
namespace {

constexpr FinderCaptions kChineseCaptions{"道具查找", "名称:", "部位:",      "职业:", "等级:", "至",
                                          "属性:",    "至少",  "仅特殊道具", "比较",  "清除"};
constexpr FinderCaptions kEnglishCaptions{
    "Item Finder", "Name:",    "Slot:",        "Class:",  "Level:", "to",
    "Stat:",       "at least", "Special only", "Compare", "Clear"};
constexpr Bilingual kAny{"任意", "any"};
constexpr Bilingual kRowTitle{"编号", "Row"};
constexpr Bilingual kNameTitle{"名称", "Name"};
constexpr Bilingual kItems{" 件道具", " items"};
constexpr Bilingual kOneItem{" 件道具", " item"};
constexpr Bilingual kNoDifference{"没有差别", "No difference"};
constexpr Rgb kBetter{0, 140, 0};
constexpr Rgb kWorse{200, 0, 0};
constexpr Rgb kNeither{40, 40, 40};

std::optional<std::int32_t> WholeNumber(std::string_view text) {
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// A change with its sign, "+12" or "-5"; without the C library's formatting, which the web
// page's module does not carry.
std::string Signed(std::int64_t change) {
    char text[24] = {'+'};
    const auto written = std::to_chars(text + 1, std::end(text), change);
    return change > 0 ? std::string(text, written.ptr) : std::string(text + 1, written.ptr);
}

}  // namespace

std::vector<Column> StatChoiceColumns() {
    std::vector<Column> columns;
    for (Column column = 0; column < kColumnCount; ++column) {
        if (column != KindColumn() && column != LevelColumn() && column != FameColumn() &&
            column != SlotColumn() && column != ClassMaskColumn()) {
            columns.push_back(column);
        }
    }
    return columns;
}

FinderPresenter::FinderPresenter(FinderView& view, const ItemTable& items, Language language,
                                 std::function<void(std::size_t row)> showItem)
    : view_(view),
      items_(items),
      language_(language),
      showItem_(std::move(showItem)),
      statColumns_(StatChoiceColumns()) {}

void FinderPresenter::OnOpen() {
    if (facts_.empty() && !items_.empty()) {
        facts_ = ReadAllItemFacts(items_);
        FinderChoices choices;
        choices.slotNames.emplace_back(kAny.In(language_));
        for (std::size_t slot = 0; slot < kCardSlotCount; ++slot) {
            choices.slotNames.emplace_back(SlotName(static_cast<CardSlot>(slot)).In(language_));
        }
        choices.classNames.emplace_back(kAny.In(language_));
        for (const Bilingual& name : CardClasses())
            choices.classNames.emplace_back(name.In(language_));
        for (Column column : statColumns_) {
            choices.statNames.emplace_back(Columns()[column].label.In(language_));
        }
        view_.ShowCaptions(language_ == Language::Chinese ? kChineseCaptions : kEnglishCaptions,
                           choices);
        Refresh();
    }
    view_.ShowWindow();
}

// ---- the query -------------------------------------------------------------------------------

void FinderPresenter::OnNameChanged(std::string_view text) {
    query_.name = text;
    Refresh();
}

void FinderPresenter::OnSlotChosen(std::size_t choice) {
    if (choice == 0) {
        query_.slot.reset();
    } else {
        query_.slot = static_cast<CardSlot>(choice - 1);
    }
    Refresh();
}

void FinderPresenter::OnClassChosen(std::size_t choice) {
    query_.classIndex = choice == 0 ? std::nullopt : std::optional<std::size_t>(choice - 1);
    Refresh();
}

void FinderPresenter::OnLevelFromChanged(std::string_view text) {
    query_.level.min = WholeNumber(text);
    Refresh();
}

void FinderPresenter::OnLevelToChanged(std::string_view text) {
    query_.level.max = WholeNumber(text);
    Refresh();
}

// The minimum moves with the stat it is set on.
void FinderPresenter::OnStatChosen(std::size_t choice) {
    statChoice_ = choice;
    for (ColumnRange& condition : query_.columns) condition.column = StatColumn();
    if (sortedColumn_ == kStat) query_.sort.column = StatColumn();
    Refresh();
}

void FinderPresenter::OnStatMinimumChanged(std::string_view text) {
    query_.columns.clear();
    if (auto minimum = WholeNumber(text)) query_.columns.push_back({StatColumn(), {minimum, {}}});
    Refresh();
}

void FinderPresenter::OnSpecialOnlyChanged(bool specialOnly) {
    query_.specialOnly = specialOnly;
    Refresh();
}

void FinderPresenter::OnHeaderClicked(std::size_t column) {
    if (sortedColumn_ == column) {
        query_.sort.descending = !query_.sort.descending;
    } else {
        sortedColumn_ = column;
        switch (column) {
            case kRow:
                query_.sort = {SortKey::By::Row, 0, false};
                break;
            case kName:
                query_.sort = {SortKey::By::Name, 0, false};
                break;
            default: {
                const Column sorted = column == kLevel   ? LevelColumn()
                                      : column == kSlot  ? SlotColumn()
                                      : column == kClass ? ClassMaskColumn()
                                                         : StatColumn();
                const bool higherFirst = Columns()[sorted].judgement == Judgement::HigherIsBetter;
                query_.sort = {SortKey::By::Value, sorted, higherFirst};
            }
        }
    }
    Refresh();
}

// ---- the results and the current one ----------------------------------------------------------

void FinderPresenter::Refresh() {
    results_ = RunQuery(query_, items_, facts_);
    current_ = results_.empty() ? std::nullopt : std::optional<std::size_t>(0);
    const std::size_t count = results_.size();
    ShowHeaders();
    view_.ShowResults(
        count, std::to_string(count) + std::string((count == 1 ? kOneItem : kItems).In(language_)));
    view_.ShowCurrent(current_);
}

void FinderPresenter::ShowHeaders() {
    ResultHeaders headers;
    headers.titles = {std::string(kRowTitle.In(language_)),
                      std::string(kNameTitle.In(language_)),
                      std::string(Columns()[LevelColumn()].label.In(language_)),
                      std::string(Columns()[SlotColumn()].label.In(language_)),
                      std::string(Columns()[ClassMaskColumn()].label.In(language_)),
                      std::string(Columns()[StatColumn()].label.In(language_))};
    headers.sorted = sortedColumn_;
    headers.descending = query_.sort.descending;
    view_.ShowHeaders(headers);
}

void FinderPresenter::OnMoveCurrent(int step) {
    if (!current_) return;
    const auto last = static_cast<std::ptrdiff_t>(results_.size()) - 1;
    const std::ptrdiff_t moved = static_cast<std::ptrdiff_t>(*current_) + step;
    current_ = static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(moved, 0, last));
    view_.ShowCurrent(current_);
}

void FinderPresenter::OnResultClicked(std::size_t result) {
    if (result >= results_.size()) return;
    current_ = result;
    view_.ShowCurrent(current_);
}

void FinderPresenter::OnActivate() {
    if (current_) showItem_(results_[*current_]);
}

void FinderPresenter::OnResultActivated(std::size_t result) {
    OnResultClicked(result);
    OnActivate();
}

std::string FinderPresenter::ResultCell(std::size_t result, std::size_t column) const {
    const std::size_t row = results_[result];
    const ItemFacts& facts = facts_[row];
    switch (column) {
        case kRow:
            return std::to_string(row);
        case kName:
            return std::string(items_[row].Name);
        case kLevel:
            return std::to_string(facts[LevelColumn()]);
        case kSlot:
            return ValueText(SlotColumn(), facts);
        case kClass:
            return ValueText(ClassMaskColumn(), facts);
        default:
            return std::to_string(facts[StatColumn()]);
    }
}

// Slots and classes as the card names them; every other value as a number.
std::string FinderPresenter::ValueText(Column column, const ItemFacts& facts) const {
    if (column == SlotColumn()) {
        return facts.slot ? std::string(SlotName(*facts.slot).In(language_)) : std::string();
    }
    if (column == ClassMaskColumn()) return ClassNameText(facts[column], language_);
    return std::to_string(facts[column]);
}

Column FinderPresenter::StatColumn() const { return statColumns_[statChoice_]; }

// ---- comparison -------------------------------------------------------------------------------

void FinderPresenter::OnCompare() {
    if (!current_) return;
    pinned_ = results_[*current_];
    ShowComparison();
}

void FinderPresenter::OnClear() {
    pinned_.reset();
    ShowComparison();
}

void FinderPresenter::OnMainSelectionChanged(std::size_t row) {
    mainSelection_ = row;
    if (pinned_) ShowComparison();
}

void FinderPresenter::ShowComparison() {
    std::vector<ComparisonLine> lines;
    if (pinned_ && mainSelection_ && *mainSelection_ < facts_.size()) {
        const ItemFacts& pinned = facts_[*pinned_];
        const ItemFacts& other = facts_[*mainSelection_];
        lines.push_back({std::string(), std::string(items_[*pinned_].Name),
                         std::string(items_[*mainSelection_].Name), std::string(), kNeither});
        const std::vector<Difference> differences = Compare(pinned, other);
        for (const Difference& difference : differences) {
            const Column column = difference.column;
            const bool named = Columns()[column].judgement == Judgement::Neutral;
            const Rgb colour = difference.verdict == Verdict::Better  ? kBetter
                               : difference.verdict == Verdict::Worse ? kWorse
                                                                      : kNeither;
            lines.push_back({std::string(Columns()[column].label.In(language_)),
                             ValueText(column, pinned), ValueText(column, other),
                             named ? std::string() : Signed(difference.change), colour});
        }
        if (differences.empty()) {
            lines.push_back({std::string(kNoDifference.In(language_)), {}, {}, {}, kNeither});
        }
    }
    view_.ShowComparison(lines);
}

}  // namespace lf::finder
