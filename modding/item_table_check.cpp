#include "modding/item_table_check.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <tuple>

#include "catalogue/catalogue_format.h"
#include "catalogue/item_record.h"
#include "common/gbk.h"
#include "common/number_text.h"
#include "common/utf8.h"
#include "modding/plain_numbers.h"
#include "modding/table_text.h"

namespace lf {
namespace {

using record_field::kDescription;
using record_field::kIcon;
using record_field::kName;
constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
constexpr std::size_t kQuotedLimit = 60;

// The first byte at or after pos that is not ASCII, or the end; eight bytes at a time.
std::size_t SkipAscii(std::string_view text, std::size_t pos) {
    for (; pos + 8 <= text.size(); pos += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + pos, 8);
        if (word & 0x8080808080808080ull) break;
    }
    while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80) ++pos;
    return pos;
}

std::size_t FirstNonGbk(std::string_view bytes) {
    for (std::size_t pos = SkipAscii(bytes, 0); pos < bytes.size(); pos = SkipAscii(bytes, pos)) {
        const GbkChar c = ReadGbkChar(bytes, pos);
        if (!c.valid) return pos;
        pos += c.length;
    }
    return std::string_view::npos;
}

// Whether text holding something beyond ASCII is well-formed UTF-8 throughout.
bool IsUtf8(std::string_view text) {
    for (std::size_t pos = SkipAscii(text, 0); pos < text.size(); pos = SkipAscii(text, pos)) {
        const std::size_t start = pos;
        if (NextCodePoint(text, pos) == kReplacementCharacter &&
            text.substr(start, 3) != kReplacementCharacterUtf8) {
            return false;
        }
    }
    return true;
}

bool HasOuterBlanks(std::string_view name) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    return !name.empty() &&
           (isBlank(name.front()) || isBlank(name.back()) || name.starts_with(kIdeographicSpace) ||
            name.ends_with(kIdeographicSpace));
}

// A field's text for a message, cut short on a character boundary.
std::string Quoted(std::string_view text) {
    if (text.size() <= kQuotedLimit) return "\"" + std::string(text) + "\"";
    std::size_t cut = kQuotedLimit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return "\"" + std::string(text.substr(0, cut)) + "...\"";
}

std::string FieldLabel(std::size_t field) {
    return "field " + std::to_string(field) + " (" + FieldName(field) + ")";
}

std::string Row(std::size_t row) { return "row " + std::to_string(row); }

std::string Fields(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " field" : " fields");
}

class Checker {
  public:
    explicit Checker(std::string_view bytes) : bytes_(bytes), lines_(TableLines(bytes)) {}

    TableCheck Run() {
        CheckUtf8();
        const auto items = LoadItemTableInPlace(bytes_);
        if (items) {
            // The loader shows bytes that are not GBK as U+FFFD; a clean record can hold one
            // only in its name and description.
            std::optional<std::size_t> firstWithReplacement;
            const DecodedRows rows(*items);
            for (std::size_t row = 0; row < items->size(); ++row) {
                const ItemEntry& entry = (*items)[row];
                const std::string_view text = rows[row];
                const auto description = DescriptionOfCleanRecord(row, entry, text);
                if (!description) CheckRow(row, text);
                const auto holds = [](std::string_view part) {
                    return part.find(kReplacementCharacterUtf8) != std::string_view::npos;
                };
                if (!firstWithReplacement &&
                    (description ? holds(entry.Name) || holds(*description) : holds(text))) {
                    firstWithReplacement = row;
                }
            }
            CheckGbk(firstWithReplacement, items->size());
            result_.rows = items->size();
        } else {
            result_.loadError = items.error();
            AddLoadError(items.error());
            WarnOfNonGbk(FirstNonGbk(bytes_));
            CheckRowsOfUnloadedTable();
        }
        std::stable_sort(result_.findings.begin(), result_.findings.end(),
                         [](const Finding& a, const Finding& b) {
                             return std::tie(a.line, a.column) < std::tie(b.line, b.column);
                         });
        return std::move(result_);
    }

  private:
    void Add(Severity severity, std::size_t lineIndex, std::size_t column,
             std::optional<std::size_t> field, std::string kind, std::string message) {
        result_.findings.push_back(
            {severity, lineIndex + 1, column, field, std::move(kind), std::move(message)});
    }
    void Warn(std::size_t lineIndex, std::size_t column, std::optional<std::size_t> field,
              std::string kind, std::string message) {
        Add(Severity::Warning, lineIndex, column, field, std::move(kind), std::move(message));
    }
    void WarnAt(std::size_t offset, std::string kind, std::string message) {
        const TextPosition at = PositionOf(lines_, bytes_.data() + offset);
        Warn(at.line - 1, at.column, std::nullopt, std::move(kind), std::move(message));
    }

    // The column where a field starts, or just past the line's end where it has no such field.
    std::size_t FieldColumn(std::size_t lineIndex, std::size_t field) const {
        const std::vector<std::size_t> starts = FieldStarts(lines_[lineIndex]);
        return (field < starts.size() ? starts[field] : lines_[lineIndex].size()) + 1;
    }
    std::size_t EndColumn(std::size_t lineIndex) const { return lines_[lineIndex].size() + 1; }

    void CheckUtf8() {
        if (bytes_.starts_with(kByteOrderMarkUtf8)) {
            WarnAt(0, "utf-8",
                   "a UTF-8 byte-order mark: the table was saved as UTF-8, the browser reads GBK");
        } else if (const std::size_t first = SkipAscii(bytes_, 0);
                   first < bytes_.size() && IsUtf8(bytes_.substr(first))) {
            WarnAt(first, "utf-8", "the text is UTF-8, not GBK: saved as UTF-8?");
        }
    }

    // Only the count line, the first record whose text holds U+FFFD and what follows the
    // records need to be read byte by byte.
    void CheckGbk(std::optional<std::size_t> firstWithReplacement, std::size_t records) {
        const auto offsetIn = [this](std::string_view part) {
            const std::size_t bad = FirstNonGbk(part);
            return bad == std::string_view::npos
                       ? bad
                       : static_cast<std::size_t>(part.data() - bytes_.data()) + bad;
        };
        std::size_t bad = offsetIn(lines_[0]);
        if (bad == std::string_view::npos && firstWithReplacement) {
            bad = offsetIn(lines_[*firstWithReplacement + 1]);
        }
        if (bad == std::string_view::npos) {
            const std::string_view last = lines_[records];
            bad = offsetIn(
                bytes_.substr(static_cast<std::size_t>(last.data() + last.size() - bytes_.data())));
        }
        WarnOfNonGbk(bad);
    }

    void WarnOfNonGbk(std::size_t bad) {
        if (bad == std::string_view::npos) return;
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(bytes_[bad]));
        WarnAt(bad, "encoding",
               std::string("byte ") + hex + " is not GBK text (the first such byte)");
    }

    // The description and what follows it, of a record that gives nothing to report, found
    // without splitting it: the loader's record of 88 fields ending "|", plain numbers, its own
    // position as number, an icon on the sheets, a name without blanks at its ends. None for any
    // other record, which is looked at field by field.
    static std::optional<std::string_view> DescriptionOfCleanRecord(std::size_t row,
                                                                    const ItemEntry& entry,
                                                                    std::string_view text) {
        const std::size_t nameStart = text.find('|') + 1;  // the name follows the number
        const std::size_t numbersStart = nameStart + entry.Name.size() + 1;
        const std::size_t numbers = PlainNumberFields(text.substr(numbersStart), kDescription - 2);
        if (numbers == std::string_view::npos) return std::nullopt;
        const std::string_view rest = text.substr(numbersStart + numbers);
        if (rest.find('|') + 1 != rest.size()) return std::nullopt;  // one field more, and the end
        char position[24];
        const std::string_view number(position,
                                      std::to_chars(position, std::end(position), row).ptr);
        if (text.substr(0, nameStart - 1) != number || entry.IconNo < 0 ||
            entry.IconNo >= kIconCount || HasOuterBlanks(entry.Name)) {
            return std::nullopt;
        }
        return rest;
    }

    void CheckRow(std::size_t row, std::string_view text) {
        const std::size_t line = row + 1;
        const RecordFields fields(text);
        const std::size_t count = fields.Count();
        if (count != kRecordFieldCount) {
            Warn(line,
                 count < kRecordFieldCount ? EndColumn(line) : FieldColumn(line, kRecordFieldCount),
                 std::nullopt, "field count",
                 Row(row) + " has " + Fields(count) + "; a record has 88");
        }
        if (!text.ends_with('|')) {
            Warn(line, EndColumn(line), std::nullopt, "row end",
                 Row(row) + " does not end with \"|\"");
        }
        if (HasOuterBlanks(fields[kName])) {
            Warn(line, FieldColumn(line, kName), kName, "name blanks",
                 "the name " + Quoted(fields[kName]) + " has blanks at an end");
        }
        // The last element closes the record; for the rest the description is the only text.
        const std::size_t numeric = std::min(count - 1, kDescription);
        for (std::size_t field = 0; field < numeric; ++field) {
            if (field != kName) CheckNumber(row, field, fields[field]);
        }
    }

    void CheckNumber(std::size_t row, std::size_t field, std::string_view text) {
        const std::size_t line = row + 1;
        const auto value = ToInt32(text);
        if (!value) {
            if (IsLoadErrorAt(line, field)) return;
            Warn(line, FieldColumn(line, field), field, "not a number",
                 FieldLabel(field) +
                     (value.error() == NumberError::Overflow ? " does not fit a 32-bit integer: "
                                                             : " is not a number: ") +
                     Quoted(text));
        } else if (field == 0 &&
                   static_cast<std::int64_t>(*value) != static_cast<std::int64_t>(row)) {
            Warn(line, 1, field, "row number",
                 FieldLabel(field) + " is " + std::to_string(*value) + " in " + Row(row));
        } else if (field == kIcon && (*value < 0 || *value >= kIconCount)) {
            Warn(line, FieldColumn(line, field), field, "icon",
                 "icon " + std::to_string(*value) + " is outside the sixteen sheets (0 to " +
                     std::to_string(kIconCount - 1) + ")");
        }
    }

    bool IsLoadErrorAt(std::size_t line, std::size_t field) const {
        const auto& error = result_.loadError;
        return error && error->line >= 0 && static_cast<std::size_t>(error->line) == line &&
               error->field >= 0 && static_cast<std::size_t>(error->field) == field;
    }

    // The empty or NUL line after the last CR LF, which ends a table rather than holding a record.
    bool IsTableEnd(std::size_t lineIndex) const {
        return lineIndex + 1 == lines_.size() &&
               (lines_[lineIndex].empty() || lines_[lineIndex] == std::string_view("\0", 1));
    }

    // Without the loader's records, every line after the count line counts as one, except
    // the line that ends a table.
    void CheckRowsOfUnloadedTable() {
        std::size_t end = lines_.size();
        if (end > 1 && IsTableEnd(end - 1)) --end;
        for (std::size_t line = 1; line < end; ++line) CheckRow(line - 1, DecodeGbk(lines_[line]));
        result_.rows = end - 1;
    }

    void AddLoadError(const LoadError& error) {
        std::string kind(LoadErrorKindName(error.kind));
        const auto line = static_cast<std::size_t>(error.line);
        if (error.line == 0) {
            const std::string text = DecodeGbk(lines_[0]);
            const std::string count = Quoted(std::string_view(text).substr(0, text.find('|')));
            const std::string message = error.kind == LoadErrorKind::TypeMismatch
                                            ? "the count line is not a number: " + count
                                        : error.kind == LoadErrorKind::Overflow
                                            ? "the count does not fit a 32-bit integer: " + count
                                            : "the count is below 1: " + count;
            Add(Severity::Error, 0, 1, std::nullopt, std::move(kind), message);
        } else if (error.field < 0 || IsTableEnd(line)) {
            const std::size_t last = lines_.size() - 1;
            Add(Severity::Error, last, EndColumn(last), std::nullopt, std::move(kind),
                "the count line announces more records than the table holds: " + Row(line - 1) +
                    " (line " + std::to_string(line + 1) + ") is missing");
        } else {
            const std::string text = DecodeGbk(lines_[line]);
            const RecordFields fields(text);
            const auto field = static_cast<std::size_t>(error.field);
            std::string message = error.kind == LoadErrorKind::SubscriptOutOfRange
                                      ? Row(line - 1) + " has " + Fields(fields.Count()) +
                                            "; the browser reads " + FieldLabel(field)
                                      : FieldLabel(field) +
                                            (error.kind == LoadErrorKind::Overflow
                                                 ? " does not fit a 32-bit integer: "
                                                 : " is not a number: ") +
                                            Quoted(fields[field]);
            Add(Severity::Error, line, FieldColumn(line, field), field, std::move(kind),
                std::move(message));
        }
    }

    std::string_view bytes_;
    std::vector<std::string_view> lines_;
    TableCheck result_;
};

}  // namespace

std::size_t TableCheck::Count(Severity severity) const {
    return static_cast<std::size_t>(
        std::count_if(findings.begin(), findings.end(),
                      [severity](const Finding& f) { return f.severity == severity; }));
}

const Finding* TableCheck::FirstError() const {
    const auto error = std::find_if(findings.begin(), findings.end(),
                                    [](const Finding& f) { return f.severity == Severity::Error; });
    return error == findings.end() ? nullptr : &*error;
}

TableCheck CheckItemTable(std::string_view bytes) { return Checker(bytes).Run(); }

}  // namespace lf
