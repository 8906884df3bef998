// lftool card: the information card of every row of an item table file, one JSON object per
// line: {"row": i, "title": "...", "blocks": [{"text": "...", "rgb": "#rrggbb"}, ...]}.
// Scripts and tests read this format; keep it stable.

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>

#include "browser/item_table.h"
#include "common/bytes.h"
#include "common/file_io.h"
#include "composer/card.h"
#include "tools/commands.h"

namespace lf::tool {
namespace {

constexpr const char* kUsage = "usage: lftool card [--lang zh|en] TABLE_FILE [FIRST [LAST]]\n";

struct CardRequest {
    bool chinese = true;
    std::string_view tableFile;
    std::optional<std::size_t> first;
    std::optional<std::size_t> last;
};

std::optional<std::size_t> ParseRow(std::string_view text) {
    std::size_t row = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), row);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return row;
}

std::optional<CardRequest> ParseRequest(Args args) {
    CardRequest request;
    if (!args.empty() && args.front() == "--lang") {
        if (args.size() < 2 || (args[1] != "zh" && args[1] != "en")) return std::nullopt;
        request.chinese = args[1] == "zh";
        args = args.subspan(2);
    }
    if (args.empty() || args.size() > 3) return std::nullopt;
    request.tableFile = args[0];
    if (args.size() >= 2 && !(request.first = ParseRow(args[1]))) return std::nullopt;
    if (args.size() == 3 && !(request.last = ParseRow(args[2]))) return std::nullopt;
    return request;
}

void AppendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", c);
                    out += escape;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

void AppendColour(std::string& out, Rgb colour) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
    out += '"';
    out += hex;
    out += '"';
}

std::string CardLine(std::size_t row, const Card& card) {
    std::string line = "{\"row\": " + std::to_string(row) + ", \"title\": ";
    if (card.title) {
        AppendJsonString(line, *card.title);
    } else {
        line += "null";  // an empty record names nothing
    }
    line += ", \"blocks\": [";
    for (std::size_t i = 0; i < card.blocks.size(); ++i) {
        if (i > 0) line += ", ";
        line += "{\"text\": ";
        AppendJsonString(line, card.blocks[i].text);
        line += ", \"rgb\": ";
        AppendColour(line, card.blocks[i].colour);
        line += '}';
    }
    line += "]}\n";
    return line;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "lftool card: %s\n", message.c_str());
    return 2;
}

}  // namespace

int RunCard(Args args) {
    const std::optional<CardRequest> request = ParseRequest(args);
    if (!request) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const Result<Bytes> bytes = ReadWholeFile(request->tableFile);
    if (!bytes) return Fail(bytes.error().message);
    const auto items = LoadItemTable(AsText(*bytes));
    if (!items) {
        return Fail(std::string(LoadErrorKindName(items.error().kind)) + " (" +
                    items.error().detail + ")");
    }
    const std::size_t first = request->first.value_or(0);
    const std::size_t last = request->last.value_or(items->size() - 1);
    if (first > last) {
        return Fail("FIRST " + std::to_string(first) + " comes after LAST " + std::to_string(last));
    }
    if (last >= items->size()) {
        return Fail("row " + std::to_string(last) + " is beyond the last row, " +
                    std::to_string(items->size() - 1));
    }
    for (std::size_t row = first; row <= last; ++row) {
        const std::string line =
            CardLine(row, SetItemStat((*items)[row].RowText, request->chinese));
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) return Fail("cannot write the output");
    return 0;
}

}  // namespace lf::tool
