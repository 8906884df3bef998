#include "catalogue/item_table.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#include "common/gbk.h"
#include "common/number_text.h"

namespace lf {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

constexpr std::int32_t kNoField = -1;

std::unexpected<LoadError> Fail(LoadErrorKind kind, std::string detail, std::int32_t line,
                                std::int32_t field) {
    return std::unexpected(LoadError{kind, std::move(detail), line, field});
}

// Walks the text line by line; a line ends at CR LF only, so a bare CR or LF stays in it.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : text_(text) {}
    bool Next(std::string_view& line) {
        if (pos_ > text_.size()) return false;
        const std::size_t end = text_.find(kLineBreak, pos_);
        const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
        line = text_.substr(pos_, stop - pos_);
        pos_ = stop + kLineBreak.size();
        return true;
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Where the n-th "|" at or after `from` stands (n >= 1), or npos. Records are mostly short
// numbers, so bars are counted eight bytes at a time.
std::size_t NthBar(std::string_view line, std::size_t from, std::size_t n) {
    constexpr std::uint64_t kBars = 0x7C7C7C7C7C7C7C7Cull;
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    for (; from + 8 <= line.size(); from += 8) {
        std::uint64_t word;
        std::memcpy(&word, line.data() + from, 8);
        const std::uint64_t x = word ^ kBars;
        std::uint64_t hits = ~(((x & kLow7) + kLow7) | x | kLow7);  // 0x80 where a byte is "|"
        const auto count = static_cast<std::size_t>(std::popcount(hits));
        if (count < n) {
            n -= count;
            continue;
        }
        while (--n) hits &= hits - 1;
        return from + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
    }
    for (; from < line.size(); ++from) {
        if (line[from] == '|' && --n == 0) return from;
    }
    return std::string_view::npos;
}

// Field `index` of a line split on "|", or false when the line has fewer fields.
bool FieldAt(std::string_view line, std::size_t index, std::string_view& field) {
    const std::size_t start = index == 0 ? 0 : NthBar(line, 0, index);
    if (start == std::string_view::npos) return false;
    const std::size_t begin = index == 0 ? 0 : start + 1;
    field = line.substr(begin, line.find('|', begin) - begin);
    return true;
}

std::expected<std::int32_t, LoadError> Convert(std::string_view text, std::int32_t line) {
    auto value = ToInt32(text);
    if (value) return *value;
    const std::string where =
        line == 0 ? "the count line" : "field 73 of line " + std::to_string(line);
    const std::int32_t field = line == 0 ? 0 : static_cast<std::int32_t>(record_field::kIcon);
    if (value.error() == NumberError::Overflow)
        return Fail(LoadErrorKind::Overflow, where, line, field);
    return Fail(LoadErrorKind::TypeMismatch, where, line, field);
}

}  // namespace

std::string_view LoadErrorKindName(LoadErrorKind kind) {
    switch (kind) {
        case LoadErrorKind::ResourceNotFound:
            return "resource not found";
        case LoadErrorKind::TypeMismatch:
            return "type mismatch";
        case LoadErrorKind::Overflow:
            return "overflow";
        case LoadErrorKind::SubscriptOutOfRange:
            return "subscript out of range";
    }
    return "unknown error";
}

std::expected<ItemTable, LoadError> LoadItemTable(std::string_view gbkText) {
    auto text = std::make_unique<const std::string>(DecodeGbk(gbkText));
    LineReader lines(*text);
    std::string_view line;
    lines.Next(line);
    auto count = Convert(line.substr(0, line.find('|')), 0);
    if (!count) return std::unexpected(count.error());
    if (*count < 1) return Fail(LoadErrorKind::SubscriptOutOfRange, "a count below 1", 0, 0);

    std::vector<ItemEntry> items;
    // Every record holds at least 73 "|", so the text bounds what a count may reserve.
    items.reserve(std::min(static_cast<std::size_t>(*count), text->size() / record_field::kIcon));
    for (std::int32_t i = 1; i <= *count; ++i) {
        if (!lines.Next(line)) {
            return Fail(LoadErrorKind::SubscriptOutOfRange,
                        "line " + std::to_string(i) + " is missing", i, kNoField);
        }
        std::string_view name, icon;
        if (!FieldAt(line, record_field::kName, name) ||
            !FieldAt(line, record_field::kIcon, icon)) {
            return Fail(LoadErrorKind::SubscriptOutOfRange,
                        "line " + std::to_string(i) + " has fewer than 74 fields", i,
                        static_cast<std::int32_t>(record_field::kIcon));
        }
        auto iconNo = Convert(icon, i);
        if (!iconNo) return std::unexpected(iconNo.error());
        items.push_back({name, *iconNo, line});
    }
    return ItemTable(std::move(text), std::move(items));
}

}  // namespace lf
