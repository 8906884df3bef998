#include "web/page_link.h"

#include <algorithm>
#include <charconv>

#include "finder/finder_presenter.h"
#include "finder/finder_query.h"

namespace lf::web {
namespace {

using namespace finder;

bool FlagOn(std::string_view value) { return value.empty() || value == "1" || value == "true"; }

// The result column that shows a column: level, slot and class have their own, every stat is
// shown by the stat column once chosen.
std::optional<std::size_t> ResultColumnOf(Column column, const std::vector<Column>& stats,
                                          std::size_t& statChoice) {
    if (column == LevelColumn()) return kLevel;
    if (column == SlotColumn()) return kSlot;
    if (column == ClassMaskColumn()) return kClass;
    const auto stat = std::ranges::find(stats, column);
    if (stat == stats.end()) return std::nullopt;
    statChoice = static_cast<std::size_t>(stat - stats.begin());
    return kStat;
}

}  // namespace

std::optional<std::size_t> ItemLinkRow(const PageLink& link, std::size_t rowCount) {
    if (!link.path.empty()) return std::nullopt;
    for (const auto& [key, value] : link.parameters) {
        if (key != "item") continue;
        std::size_t row = 0;
        const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), row);
        if (value.empty() || ec != std::errc() || end != value.data() + value.size() ||
            row >= rowCount) {
            return std::nullopt;
        }
        return row;
    }
    return std::nullopt;
}

bool IsFinderLink(const PageLink& link) { return link.path == "find"; }

std::expected<FinderLink, std::string> ReadFinderLink(const PageLink& link) {
    const std::vector<Column> stats = StatChoiceColumns();
    FinderLink result;
    FinderForm& form = result.form;
    std::optional<std::size_t> minimumChoice;
    std::optional<std::size_t> sortChoice;
    bool sorted = false;
    for (const auto& [key, value] : link.parameters) {
        if (key == "name") {
            form.name = value;
        } else if (key == "slot") {
            const auto slot = SlotChoiceNamed(value);
            const CardSlot* named = slot ? std::get_if<CardSlot>(&*slot) : nullptr;
            if (!named)
                return std::unexpected("no slot is named \"" + value + "\"; slots: " + SlotWords());
            form.slotChoice = static_cast<std::size_t>(*named) + 1;
        } else if (key == "class") {
            const auto classIndex = ClassNamed(value);
            if (!classIndex) {
                return std::unexpected("no class is named \"" + value +
                                       "\"; classes: " + ClassWords());
            }
            form.classChoice = *classIndex + 1;
        } else if (key == "level") {
            const auto range = RangeNamed(value);
            if (!range) return std::unexpected("level takes MIN..MAX, MIN.. or ..MAX");
            form.levelFrom = range->min ? std::to_string(*range->min) : std::string();
            form.levelTo = range->max ? std::to_string(*range->max) : std::string();
        } else if (key == "min") {
            const std::size_t equals = value.find('=');
            const auto column = ColumnNamed(value.substr(0, equals));
            const auto bound =
                equals == std::string::npos ? std::nullopt : RangeNamed(value.substr(equals + 1));
            if (!column) {
                return std::unexpected("no column is named \"" + value.substr(0, equals) +
                                       "\"; columns: " + ColumnWords());
            }
            if (!bound || !bound->min) return std::unexpected("write min=COLUMN=N, not " + value);
            const auto stat = std::ranges::find(stats, *column);
            if (stat == stats.end() || minimumChoice) {
                result.unused.push_back(key + "=" + value);
                continue;
            }
            minimumChoice = static_cast<std::size_t>(stat - stats.begin());
            form.statMinimum = std::to_string(*bound->min);
        } else if (key == "special") {
            form.specialOnly = FlagOn(value);
        } else if (key == "sort") {
            sorted = true;
            const auto sort = SortKeyNamed(value, false);
            if (!sort) {
                return std::unexpected("no column is named \"" + value +
                                       "\"; columns: " + ColumnWords());
            }
            if (sort->by == SortKey::By::Row) {
                form.sortColumn = kRow;
            } else if (sort->by == SortKey::By::Name) {
                form.sortColumn = kName;
            } else {
                std::size_t choice = 0;
                form.sortColumn = ResultColumnOf(sort->column, stats, choice);
                if (!form.sortColumn) {
                    result.unused.push_back(key + "=" + value);
                } else if (form.sortColumn == kStat) {
                    sortChoice = choice;
                }
            }
        } else if (key == "desc") {
            form.descending = FlagOn(value);
        } else {
            result.unused.push_back(value.empty() ? key : key + "=" + value);
        }
    }
    // One stat column shows both the minimum and the order by a stat.
    if (minimumChoice && sortChoice && *minimumChoice != *sortChoice) {
        result.unused.push_back("sort=" + ColumnName(stats[*sortChoice]));
        form.sortColumn.reset();
        sortChoice.reset();
    }
    form.statChoice = minimumChoice.value_or(sortChoice.value_or(0));
    // lftool find orders by row unless told otherwise, also when told to turn the order round.
    if (!sorted && form.descending) form.sortColumn = kRow;
    if (!form.sortColumn) form.descending = false;
    return result;
}

bool IsChinesePageLanguage(std::string_view languageTag) {
    const std::string_view primary = languageTag.substr(0, languageTag.find_first_of("-_"));
    return primary.size() == 2 && (primary[0] | 0x20) == 'z' && (primary[1] | 0x20) == 'h';
}

}  // namespace lf::web
