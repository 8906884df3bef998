#include "catalogue/item_table.h"

#include <algorithm>
#include <string>

#include "catalogue/bar_scan.h"
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

// Walks the text line by line; a line ends at CR LF only, so a bare CR or LF stays in it. Neither
// CR nor LF can be the second byte of a GBK character: the lines are those of the decoded text.
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

std::size_t NthBar(std::string_view line, std::size_t from, std::size_t n) {
    return lf::NthBar(line, from, n, TextEncoding::Gbk);
}

// The field that starts at `begin`, up to the next "|" or the end of the line.
std::string_view FieldFrom(std::string_view line, std::size_t begin) {
    const std::size_t end = NthBar(line, begin, 1);
    return line.substr(begin, (end == std::string_view::npos ? line.size() : end) - begin);
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

// Where a record's name lies, in its GBK bytes and among the names.
struct NamePlace {
    std::size_t offset;
    std::size_t size;
};

std::expected<ItemTable, LoadError> Load(std::string_view text,
                                         std::shared_ptr<const std::string> ownText) {
    LineReader lines(text);
    std::string_view line;
    lines.Next(line);
    const std::size_t countEnd = NthBar(line, 0, 1);
    auto count = Convert(line.substr(0, countEnd), 0);
    if (!count) return std::unexpected(count.error());
    if (*count < 1) return Fail(LoadErrorKind::SubscriptOutOfRange, "a count below 1", 0, 0);

    // Every record holds at least 73 "|", so the text bounds what a count may reserve.
    const std::size_t most =
        std::min(static_cast<std::size_t>(*count), text.size() / record_field::kIcon);
    std::vector<ItemEntry> items;
    std::vector<NamePlace> names;
    items.reserve(most);
    names.reserve(most);
    auto decodedNames = std::make_unique<std::string>();
    for (std::int32_t i = 1; i <= *count; ++i) {
        if (!lines.Next(line)) {
            return Fail(LoadErrorKind::SubscriptOutOfRange,
                        "line " + std::to_string(i) + " is missing", i, kNoField);
        }
        const std::size_t nameBar = NthBar(line, 0, 1);
        const std::size_t nameEnd =
            nameBar == std::string_view::npos ? nameBar : NthBar(line, nameBar + 1, 1);
        const std::size_t iconBar =
            nameEnd == std::string_view::npos ? nameEnd : NthBar(line, nameEnd + 1, 71);
        if (iconBar == std::string_view::npos) {
            return Fail(LoadErrorKind::SubscriptOutOfRange,
                        "line " + std::to_string(i) + " has fewer than 74 fields", i,
                        static_cast<std::int32_t>(record_field::kIcon));
        }
        auto iconNo = Convert(FieldFrom(line, iconBar + 1), i);
        if (!iconNo) return std::unexpected(iconNo.error());
        const std::size_t nameStart = decodedNames->size();
        AppendDecodedGbk(*decodedNames, line.substr(nameBar + 1, nameEnd - nameBar - 1));
        names.push_back({nameStart, decodedNames->size() - nameStart});
        items.push_back({{}, *iconNo, line});
    }
    // The names are all decoded before any view of them is taken: the text grew as they came.
    const std::string_view all = *decodedNames;
    for (std::size_t row = 0; row < items.size(); ++row) {
        items[row].Name = all.substr(names[row].offset, names[row].size);
    }
    return ItemTable(std::move(ownText), std::move(decodedNames), std::move(items));
}

}  // namespace

std::string ItemTable::RowText(std::size_t row) const { return DecodeGbk(entries_[row].Gbk); }

DecodedRows::DecodedRows(const ItemTable& items) {
    // Room for the worst case (three UTF-8 bytes for each GBK byte) is only reserved, not
    // touched: the text is written once, never moved as it grows.
    std::size_t gbkBytes = 0;
    for (const ItemEntry& item : items) gbkBytes += item.Gbk.size();
    text_.reserve(gbkBytes * 3 + 8);
    rows_.reserve(items.size());
    for (const ItemEntry& item : items) {
        const std::size_t start = text_.size();
        AppendDecodedGbk(text_, item.Gbk);
        rows_.push_back({start, text_.size() - start});
    }
}

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

std::expected<ItemTable, LoadError> LoadItemTable(std::string gbkText) {
    auto text = std::make_shared<const std::string>(std::move(gbkText));
    const std::string_view view = *text;
    return Load(view, std::move(text));
}

std::expected<ItemTable, LoadError> LoadItemTableInPlace(std::string_view gbkText) {
    return Load(gbkText, nullptr);
}

}  // namespace lf
