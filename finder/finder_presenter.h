#pragma once

// The Item Finder's rules, apart from any window: the query that every keystroke and choice
// changes, the results and their order, the current result and the keys that move it, picking
// a result in the main window, and the comparison of a pinned item with the selected one. A
// window layer implements FinderView, forwards its events here and shows what it is told.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/item_table.h"
#include "common/wording.h"
#include "composer/card.h"
#include "finder/comparison.h"
#include "finder/finder_query.h"
#include "finder/item_facts.h"

namespace lf::finder {

struct FinderCaptions {
    std::string_view window;
    std::string_view nameLabel;
    std::string_view slotLabel;
    std::string_view classLabel;
    std::string_view levelLabel;
    std::string_view levelToLabel;
    std::string_view statLabel;
    std::string_view statMinimumLabel;
    std::string_view specialOnly;
    std::string_view compareButton;
    std::string_view clearButton;
};

// The drop-downs' entries. Slots and classes begin with "any"; the stats are the columns a
// minimum can be set on and the last result column shows.
struct FinderChoices {
    std::vector<std::string> slotNames;
    std::vector<std::string> classNames;
    std::vector<std::string> statNames;
};

// The result table's columns: row, name, level, slot, class and the chosen stat.
enum ResultColumn : std::size_t { kRow, kName, kLevel, kSlot, kClass, kStat };
inline constexpr std::size_t kResultColumns = 6;

// The columns of the stat drop-down, in its order: every column but kind, level, fame, slot and
// class, which have filters or result columns of their own.
std::vector<Column> StatChoiceColumns();

struct ResultHeaders {
    std::vector<std::string> titles;    // kResultColumns of them
    std::optional<std::size_t> sorted;  // the column the results are ordered by, if shown
    bool descending = false;
};

// One line of the comparison: what differs, then the pinned item's value, the selected
// item's and the change, coloured by whether the selected item is the better there.
struct ComparisonLine {
    std::string label;
    std::string pinned;
    std::string other;
    std::string change;
    Rgb colour;
};

class FinderView {
  public:
    virtual ~FinderView() = default;

    virtual void ShowCaptions(const FinderCaptions& captions, const FinderChoices& choices) = 0;
    virtual void ShowHeaders(const ResultHeaders& headers) = 0;
    // The results changed; the view reads the cells it shows with ResultCell.
    virtual void ShowResults(std::size_t count, std::string_view countText) = 0;
    // Highlights the current result and scrolls it into view; none when there are no results.
    virtual void ShowCurrent(std::optional<std::size_t> result) = 0;
    // The first line names the two items; no lines hide the comparison.
    virtual void ShowComparison(const std::vector<ComparisonLine>& lines) = 0;
    virtual void ShowWindow() = 0;  // shown and raised, the name box focused
    virtual void HideWindow() = 0;
};

class FinderPresenter {
  public:
    // showItem selects a row in the main window, by the main window's own rules.
    FinderPresenter(FinderView& view, const ItemTable& items, Language language,
                    std::function<void(std::size_t row)> showItem);

    // Ctrl+F or the search box's menu. The items' facts are read on the first opening.
    void OnOpen();
    void OnEscape() { view_.HideWindow(); }

    void OnNameChanged(std::string_view text);
    void OnSlotChosen(std::size_t choice);   // 0 is "any"
    void OnClassChosen(std::size_t choice);  // 0 is "any"
    void OnLevelFromChanged(std::string_view text);
    void OnLevelToChanged(std::string_view text);
    void OnStatChosen(std::size_t choice);
    void OnStatMinimumChanged(std::string_view text);
    void OnSpecialOnlyChanged(bool specialOnly);
    // The first click orders by that column best first; the next one turns the order round.
    void OnHeaderClicked(std::size_t column);

    // Down (+1) and Up (-1) in the name box.
    void OnMoveCurrent(int step);
    void OnResultClicked(std::size_t result);
    // Enter (the current result) or a double click (the result clicked).
    void OnActivate();
    void OnResultActivated(std::size_t result);

    void OnCompare();
    void OnClear();
    // The main window's selection changed.
    void OnMainSelectionChanged(std::size_t row);

    std::size_t ResultCount() const { return results_.size(); }
    std::size_t ResultRow(std::size_t result) const { return results_[result]; }
    std::string ResultCell(std::size_t result, std::size_t column) const;
    const FinderQuery& Query() const { return query_; }
    std::optional<std::size_t> Current() const { return current_; }

  private:
    void Refresh();
    void ShowHeaders();
    void ShowComparison();
    Column StatColumn() const;
    std::string ValueText(Column column, const ItemFacts& facts) const;

    FinderView& view_;
    const ItemTable& items_;
    Language language_;
    std::function<void(std::size_t)> showItem_;
    std::vector<ItemFacts> facts_;
    std::vector<Column> statColumns_;
    std::size_t statChoice_ = 0;
    std::optional<std::size_t> sortedColumn_;
    FinderQuery query_;
    std::vector<std::size_t> results_;
    std::optional<std::size_t> current_;
    std::optional<std::size_t> pinned_;
    std::optional<std::size_t> mainSelection_;
};

}  // namespace lf::finder
