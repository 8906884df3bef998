// lftool card: the information card of every row of an item table file, one JSON object per
// line: {"row": i, "title": "...", "blocks": [{"text": "...", "rgb": "#rrggbb"}, ...]}.
// Scripts and tests read this format; keep it stable.

#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "catalogue/item_table.h"
#include "common/bytes.h"
#include "common/file_io.h"
#include "common/utf8_path.h"
#include "composer/card.h"
#include "tools/commands.h"
#include "tools/json_lines.h"

namespace lf::tool {
namespace {

struct CardRequest {
    std::string language = "zh";
    std::string tableFile;
    std::string first;
    std::string last;
};

std::optional<std::size_t> ParseRow(std::string_view text) {
    std::size_t row = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), row);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return row;
}

std::string Colour(Rgb colour) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
    return hex;
}

Json CardObject(std::size_t row, const Card& card) {
    Json blocks = Json::array();
    for (const auto& block : card.blocks) {
        blocks.push_back({{"text", block.text}, {"rgb", Colour(block.colour)}});
    }
    // An empty record names nothing: its title is null.
    return {{"row", row}, {"title", card.title ? Json(*card.title) : Json()}, {"blocks", blocks}};
}

int RunCard(const CardRequest& request) {
    constexpr const char* kCommand = "card";
    const auto rowArgument = [](const std::string& text, std::size_t fallback) {
        return text.empty() ? std::optional<std::size_t>(fallback) : ParseRow(text);
    };
    const Result<Bytes> bytes = ReadWholeFile(PathFromUtf8(request.tableFile));
    if (!bytes) return Fail(kCommand, bytes.error().message);
    const auto items = LoadItemTableInPlace(AsText(*bytes));
    if (!items) {
        return Fail(kCommand, std::string(LoadErrorKindName(items.error().kind)) + " (" +
                                  items.error().detail + ")");
    }
    const std::optional<std::size_t> first = rowArgument(request.first, 0);
    const std::optional<std::size_t> last = rowArgument(request.last, items->size() - 1);
    if (!first || !last) return Fail(kCommand, "FIRST and LAST are row numbers from 0");
    if (*first > *last) {
        return Fail(kCommand, "FIRST " + std::to_string(*first) + " comes after LAST " +
                                  std::to_string(*last));
    }
    if (*last >= items->size()) {
        return Fail(kCommand, "row " + std::to_string(*last) + " is beyond the last row, " +
                                  std::to_string(items->size() - 1));
    }
    const bool chinese = request.language == "zh";
    for (std::size_t row = *first; row <= *last; ++row) {
        if (!Print(JsonLine(CardObject(row, SetItemStat(items->RowText(row), chinese))))) break;
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return Fail(kCommand, "cannot write the output");
    return kExitSuccess;
}

}  // namespace

void AddCardCommand(CLI::App& lftool, Work& chosen) {
    auto request = std::make_shared<CardRequest>();
    CLI::App* card =
        lftool.add_subcommand("card", "Print the information card of each row as JSON Lines");
    card->footer(
        "Each line: {\"row\": i, \"title\": ..., \"blocks\": [{\"text\": ..., \"rgb\": "
        "\"#rrggbb\"}]}");
    card->add_option("--lang", request->language, "Language of the card (default zh)")
        ->check(CLI::IsMember({"zh", "en"}));
    card->add_option("TABLE_FILE", request->tableFile, "Item table file")->required();
    card->add_option("FIRST", request->first, "First row (default 0)");
    card->add_option("LAST", request->last, "Last row (default the table's last)");
    card->callback([request, &chosen] { chosen = [request] { return RunCard(*request); }; });
}

}  // namespace lf::tool
