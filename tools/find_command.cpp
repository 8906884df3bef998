// lftool find: the items of a catalogue that meet every condition given, in the order asked
// for; an aligned table for a terminal, or JSON Lines for scripts.

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/utf8.h"
#include "composer/card_builders.h"
#include "finder/finder_query.h"
#include "tools/catalogue_source.h"
#include "tools/commands.h"
#include "tools/json_lines.h"

namespace lf::tool {
namespace {

constexpr const char* kCommand = "find";

struct FindRequest {
    std::string source;
    std::string name;
    std::vector<std::int32_t> kinds;
    std::string slot;
    std::string className;
    std::string level;
    std::string fame;
    std::vector<std::string> minimums;
    std::vector<std::string> maximums;
    bool specialOnly = false;
    std::string sort;
    bool descending = false;
    std::size_t limit = 0;
    std::string language = "en";
    bool json = false;
};

// What a request asks for, or why it cannot be asked.
std::expected<finder::FinderQuery, std::string> QueryOf(const FindRequest& request) {
    using namespace finder;
    FinderQuery query;
    query.name = request.name;
    query.kinds = request.kinds;
    query.specialOnly = request.specialOnly;
    if (!request.slot.empty() && !(query.slot = SlotChoiceNamed(request.slot))) {
        return std::unexpected("no slot is named \"" + request.slot + "\"; slots: " + SlotWords());
    }
    if (!request.className.empty() && !(query.classIndex = ClassNamed(request.className))) {
        return std::unexpected("no class is named \"" + request.className +
                               "\"; classes: " + ClassWords());
    }
    for (const auto& [text, range, option] : {std::tuple{request.level, &query.level, "--level"},
                                              std::tuple{request.fame, &query.fame, "--fame"}}) {
        if (text.empty()) continue;
        const auto parsed = RangeNamed(text);
        if (!parsed)
            return std::unexpected(std::string(option) + " takes MIN..MAX, MIN.. or ..MAX");
        *range = *parsed;
    }
    for (const auto& [conditions, isMinimum] :
         {std::pair{&request.minimums, true}, std::pair{&request.maximums, false}}) {
        for (const std::string& condition : *conditions) {
            const std::size_t equals = condition.find('=');
            const auto column = ColumnNamed(condition.substr(0, equals));
            const auto bound = equals == std::string::npos
                                   ? std::nullopt
                                   : RangeNamed(condition.substr(equals + 1));
            if (!column) {
                return std::unexpected("no column is named \"" + condition.substr(0, equals) +
                                       "\"; columns: " + ColumnWords());
            }
            if (!bound || !bound->min) return std::unexpected("write COLUMN=N, not " + condition);
            Range range;
            (isMinimum ? range.min : range.max) = bound->min;
            query.columns.push_back({*column, range});
        }
    }
    if (!request.sort.empty() && !SortKeyNamed(request.sort, request.descending)) {
        return std::unexpected("no column is named \"" + request.sort +
                               "\"; columns: " + ColumnWords());
    }
    query.sort = request.sort.empty() ? SortKey{SortKey::By::Row, 0, request.descending}
                                      : *SortKeyNamed(request.sort, request.descending);
    return query;
}

// Columns of a terminal: two for a wide (East Asian) character, one for any other.
std::size_t DisplayWidth(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t c = NextCodePoint(text, pos);
        const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                          (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                          (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                          (c >= 0xFFE0 && c <= 0xFFE6);
        width += wide ? 2 : 1;
    }
    return width;
}

using Cells = std::vector<std::string>;

std::string AlignedTable(const std::vector<Cells>& lines) {
    std::vector<std::size_t> widths(lines.front().size(), 0);
    for (const Cells& cells : lines) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            widths[i] = std::max(widths[i], DisplayWidth(cells[i]));
        }
    }
    std::string out;
    for (const Cells& cells : lines) {
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            line += cells[i];
            if (i + 1 < cells.size()) line.append(widths[i] - DisplayWidth(cells[i]) + 2, ' ');
        }
        out += line + "\n";
    }
    return out;
}

int RunFind(const FindRequest& request) {
    using namespace finder;
    const auto query = QueryOf(request);
    if (!query) return Fail(kCommand, query.error());
    const auto source = ReadCatalogueSource(request.source);
    if (!source) return Fail(kCommand, source.error().message);
    const auto items = LoadSourceTable(*source);
    if (!items) return Fail(kCommand, items.error());
    const std::vector<ItemFacts> facts = ReadAllItemFacts(*items);
    std::vector<std::size_t> rows = RunQuery(*query, *items, facts);
    if (request.limit > 0 && rows.size() > request.limit) rows.resize(request.limit);

    const Language language = request.language == "zh" ? Language::Chinese : Language::English;
    // Not an optional: GCC 12 at -O3 takes the optional's value for uninitialised where it is read.
    const bool sorted = query->sort.by == SortKey::By::Column;
    const Column sortColumn = query->sort.column;
    const auto slotOf = [&](const ItemFacts& item) -> std::optional<std::string> {
        if (!item.slot) return std::nullopt;
        return std::string(SlotName(*item.slot).In(language));
    };
    std::string out;
    std::vector<Cells> table{{"row", "name", "level_requirement", "slot", "class"}};
    if (sorted) table.front().push_back(ColumnName(sortColumn));
    for (const std::size_t row : rows) {
        const ItemFacts& item = facts[row];
        const std::string name((*items)[row].Name);
        const std::string className = ClassNameText(item[ClassMaskColumn()], language);
        const std::optional<std::string> slot = slotOf(item);
        if (request.json) {
            Json line{{"row", row},
                      {"name", name},
                      {"level_requirement", item[LevelColumn()]},
                      {"slot", slot ? Json(*slot) : Json()},
                      {"class", className}};
            if (sorted) line[ColumnName(sortColumn)] = item[sortColumn];
            out += JsonLine(line);
        } else {
            table.push_back({std::to_string(row), name, std::to_string(item[LevelColumn()]),
                             slot.value_or(""), className});
            if (sorted) table.back().push_back(std::to_string(item[sortColumn]));
        }
    }
    if (!request.json && !rows.empty()) out = AlignedTable(table);
    if (!Print(out) || std::fflush(stdout) != 0) return Fail(kCommand, "cannot write the output");
    return rows.empty() ? kExitFound : kExitSuccess;
}

}  // namespace

void AddFindCommand(CLI::App& lftool, Work& chosen) {
    auto request = std::make_shared<FindRequest>();
    CLI::App* find = lftool.add_subcommand(
        "find", "Find the items that meet every condition given: slot, class, level, stats");
    find->footer(
        "Exit status: 0 items were found, 1 none was, 2 misuse (an unknown slot, class or column "
        "is refused with the list of valid ones) or a file that cannot be read.");
    find->add_option("SOURCE", request->source, "Item table file, or an executable carrying one")
        ->required();
    find->add_option("--name", request->name, "A fragment of the name (case-sensitive)");
    find->add_option("--kind", request->kinds, "Item kinds (field 2), K[,K...]")->delimiter(',');
    find->add_option("--slot", request->slot, "Slot as the card names it (Head, Shield, ...)");
    find->add_option("--class", request->className,
                     "Items this class may use (Knight, ...): named for it or for every class");
    find->add_option("--level", request->level, "Level requirement MIN..MAX, MIN.. or ..MAX");
    find->add_option("--fame", request->fame, "Fame requirement MIN..MAX, MIN.. or ..MAX");
    find->add_option("--min", request->minimums, "COLUMN=N: at least N (repeatable)");
    find->add_option("--max", request->maximums, "COLUMN=N: at most N (repeatable)");
    find->add_flag("--special", request->specialOnly, "Special items only");
    find->add_option("--sort", request->sort, "Order by row, name or a column (default row)");
    find->add_flag("--desc", request->descending, "Highest first");
    find->add_option("--limit", request->limit, "At most N items");
    find->add_option("--lang", request->language, "Language of slot and class names (default en)")
        ->check(CLI::IsMember({"zh", "en"}));
    find->add_flag("--json", request->json, "One JSON object per item and line");
    find->callback([request, &chosen] { chosen = [request] { return RunFind(*request); }; });
}

}  // namespace lf::tool
