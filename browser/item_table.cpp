#include "browser/item_table.h"

#include <algorithm>
#include <string>

#include "common/gbk.h"
#include "common/number_text.h"

namespace lf {
namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::size_t kNameField = 1;
constexpr std::size_t kIconField = 73;

std::unexpected<LoadError> Fail(LoadErrorKind kind, std::string detail) {
    return std::unexpected(LoadError{kind, std::move(detail)});
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

// Field `index` of a line split on "|", searching on from the field that starts at `from`
// (field `fromIndex`); false when the line has fewer fields.
bool FieldAt(std::string_view line, std::size_t index, std::string_view& field,
             std::size_t from = 0, std::size_t fromIndex = 0) {
    for (std::size_t i = fromIndex; i < index; ++i) {
        const std::size_t bar = line.find('|', from);
        if (bar == std::string_view::npos) return false;
        from = bar + 1;
    }
    field = line.substr(from, line.find('|', from) - from);
    return true;
}

std::expected<std::int32_t, LoadError> Convert(std::string_view text, std::int32_t line) {
    auto value = ToInt32(text);
    if (value) return *value;
    const std::string where = line == 0 ? "the count line" : "field 73 of line " + std::to_string(line);
    if (value.error() == NumberError::Overflow) return Fail(LoadErrorKind::Overflow, where);
    return Fail(LoadErrorKind::TypeMismatch, where);
}

}  // namespace

std::string_view LoadErrorKindName(LoadErrorKind kind) {
    switch (kind) {
        case LoadErrorKind::ResourceNotFound: return "resource not found";
        case LoadErrorKind::TypeMismatch: return "type mismatch";
        case LoadErrorKind::Overflow: return "overflow";
        case LoadErrorKind::SubscriptOutOfRange: return "subscript out of range";
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
    if (*count < 1) return Fail(LoadErrorKind::SubscriptOutOfRange, "a count below 1");

    std::vector<ItemEntry> items;
    // Every record holds at least 73 "|", so the text bounds what a count may reserve.
    items.reserve(std::min(static_cast<std::size_t>(*count), text->size() / kIconField));
    for (std::int32_t i = 1; i <= *count; ++i) {
        if (!lines.Next(line)) {
            return Fail(LoadErrorKind::SubscriptOutOfRange, "line " + std::to_string(i) + " is missing");
        }
        std::string_view name, icon;
        if (!FieldAt(line, kNameField, name) ||
            !FieldAt(line, kIconField, icon, name.data() - line.data(), kNameField)) {
            return Fail(LoadErrorKind::SubscriptOutOfRange,
                        "line " + std::to_string(i) + " has fewer than 74 fields");
        }
        auto iconNo = Convert(icon, i);
        if (!iconNo) return std::unexpected(iconNo.error());
        items.push_back({name, *iconNo, line});
    }
    return ItemTable(std::move(text), std::move(items));
}

std::string_view DescriptionOf(std::string_view rowText) {
    const std::size_t last = rowText.rfind('|');
    if (last == std::string_view::npos) return {};  // a single element: nothing before it
    const std::size_t before = last == 0 ? std::string_view::npos : rowText.rfind('|', last - 1);
    const std::size_t start = before == std::string_view::npos ? 0 : before + 1;
    return rowText.substr(start, last - start);
}

}  // namespace lf
