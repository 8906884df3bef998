// A CSV back to the table: records cell by cell, or a whole plain line at a time, then their
// shapes, the count line and the end from the layout rows.

#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/item_record.h"
#include "common/gbk.h"
#include "common/utf8.h"
#include "modding/block_scan.h"
#include "modding/csv_reader.h"
#include "modding/table_csv.h"

namespace lf {
namespace {

using namespace table_csv;

std::string CodePointName(char32_t cp) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(cp));
    return name;
}

// Bytes that pass from a cell to the table unchanged: ASCII other than "|" and the quote.
constexpr ByteSet kPlainBytes = [] {
    ByteSet plain{};
    for (int b = 0; b < 0x80; ++b) plain[b] = b != '|' && b != '"';
    return plain;
}();

// Bytes written from U+F700 + byte must not build what the record's own bytes cannot hold: read
// as the loader reads them, they make no "|" and no CR LF. Returns whether the cell ends with a
// byte that would take the "|" after it as the second half of a character.
std::expected<bool, Refused> CheckEscapedBytes(std::string_view gbk, std::size_t offset) {
    bool takesNext = false;
    for (std::size_t pos = 0; pos < gbk.size();) {
        const GbkChar c = ReadGbkChar(gbk, pos);
        if (gbk[pos] == '|' && c.length == 1) {
            return Refusal({offset, "a \"|\" inside a cell would split the record"});
        }
        if (gbk.substr(pos, 2) == "\r\n") return Refusal({offset, "a line break inside a cell"});
        const auto byte = static_cast<unsigned char>(gbk[pos]);
        takesNext = c.length == 1 && byte >= 0x81 && byte <= 0xFE;
        pos += c.length;
    }
    return takesNext;
}

// Appends the GBK form of a cell; a "|" is refused unless allowed (layout rows hold whole
// lines). Returns whether the cell ends with a byte that would take a "|" after it.
std::expected<bool, Refused> AppendGbkCell(std::string& out, const CellSource& cell,
                                           bool allowBar) {
    const std::string_view text = cell.text;
    const std::size_t start = out.size();
    bool escaped = false;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t run = pos;
        while (pos < text.size() && kPlainBytes[static_cast<unsigned char>(text[pos])]) ++pos;
        out.append(text, run, pos - run);
        if (pos >= text.size()) break;
        const char c = text[pos];
        if (c == '"') {  // doubled in a quoted cell, as the reader checked
            out += '"';
            pos += 2;
        } else if (c == '|') {
            if (!allowBar)
                return Refusal({cell.offset + pos, "a \"|\" inside a cell would split the record"});
            out += '|';
            ++pos;
        } else {
            const std::size_t at = pos;
            const char32_t cp = NextCodePoint(text, pos);
            if (cp == kReplacementCharacter && text.substr(at, 3) != kReplacementCharacterUtf8) {
                return Refusal({cell.offset + at, "bytes that are not UTF-8"});
            }
            if (cp >= kByteEscape && cp <= kByteEscape + 0xFF) {
                out += static_cast<char>(cp - kByteEscape);
                escaped = true;
            } else if (!AppendGbk(out, cp)) {
                return Refusal({cell.offset + at, "\"" + std::string(text.substr(at, pos - at)) +
                                                      "\" (" + CodePointName(cp) +
                                                      ") has no GBK form"});
            }
        }
    }
    if (!escaped || allowBar) return false;
    return CheckEscapedBytes(std::string_view(out).substr(start), cell.offset);
}

// A record on one line without quotes, "|" or CR: its cells and their count, found a block at
// a time.
struct PlainLine {
    bool plain = true;
    std::size_t commas = 0;
};

PlainLine ScanPlainLine(std::string_view line) {
    using namespace block_scan;
    PlainLine scan;
    for (std::size_t pos = 0; pos < line.size() && scan.plain; pos += kBlockSize) {
        const Block block = BlockAt(line.data(), line.size(), pos);
        const std::uint64_t valid = Below(line.size() - pos);
        scan.plain = ((block.Equal('"') | block.Equal('|') | block.Equal('\r')) & valid) == 0;
        scan.commas += static_cast<std::size_t>(CountBits(block.Equal(',') & valid));
    }
    return scan;
}

// Turns every `from` byte of data into `to`.
void ReplaceBytes(char* data, std::size_t size, char from, char to) {
    using namespace block_scan;
    std::size_t pos = 0;
    for (; pos + kBlockSize <= size; pos += kBlockSize)
        Block(data + pos).StoreReplacing(from, to, data + pos);
    char last[kBlockSize];
    BlockAt(data, size, pos).StoreReplacing(from, to, last);
    std::memcpy(data + pos, last, size - pos);
}

// Appends the GBK form of a plain line with "|" for ","; false at a character GBK cannot hold
// and at bytes written as U+F700 + byte, which the cell by cell path looks at. No GBK byte is a
// ",", so the commas can be turned afterwards.
bool AppendGbkLine(std::string& out, std::string_view line) {
    const std::size_t start = out.size();
    if (AppendGbkPrefix(out, line) < line.size()) return false;
    ReplaceBytes(out.data() + start, out.size() - start, ',', '|');
    return true;
}

std::optional<std::size_t> ParseCount(std::string_view text) {
    std::size_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

struct RecordShape {
    std::size_t fields = kDataFields;
    bool open = false;
};

// The records as they come, each cell followed by "|" up to its last non-empty cell; their
// shapes and the count line and end come from the layout rows that follow them.
class TableBuilder {
  public:
    std::expected<void, Refused> Header(const std::vector<CellSource>& cells) {
        if (cells.size() < kDataFields) {
            return Refusal({cells.front().offset, "the header has " + std::to_string(cells.size()) +
                                                      " columns; a record has " +
                                                      std::to_string(kDataFields)});
        }
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (Unquoted(cells[i]) != FieldName(i)) {
                return Refusal({cells[i].offset, "column " + std::to_string(i + 1) +
                                                     " is named \"" + Unquoted(cells[i]) +
                                                     "\"; it must be \"" + FieldName(i) +
                                                     "\", the columns in their order"});
            }
        }
        columns_ = cells.size();
        return {};
    }

    void Reserve(std::size_t bytes) { body_.reserve(bytes); }

    // Takes a record that is one plain line; false, taking nothing, for any other.
    bool PlainRecord(std::string_view line) {
        if (inLayout_ || columns_ == 0) return false;
        const PlainLine scan = ScanPlainLine(line);
        if (!scan.plain || scan.commas + 1 != columns_) return false;
        const std::size_t start = body_.size();
        if (!AppendGbkLine(body_, line)) {
            body_.resize(start);
            return false;
        }
        body_ += '|';
        const std::size_t lastFull = line.find_last_not_of(',');
        const std::size_t emptyAtEnd =
            line.size() - (lastFull == std::string_view::npos ? 0 : lastFull + 1);
        const std::size_t used = lastFull == std::string_view::npos ? 0 : columns_ - emptyAtEnd;
        records_.push_back({body_.size(), columns_, used});
        return true;
    }

    std::expected<void, Refused> Record(const std::vector<CellSource>& cells, std::size_t offset) {
        if (cells.front().text == kLayoutMark) return Layout(cells);
        if (inLayout_) return Refusal({offset, "a record after the layout rows"});
        if (cells.size() == 1 && cells.front().text.empty()) {
            return Refusal(
                {offset, "an empty line; a record has " + std::to_string(columns_) + " cells"});
        }
        if (cells.size() != columns_) {
            return Refusal({offset, "the record has " + std::to_string(cells.size()) +
                                        " cells; the header has " + std::to_string(columns_)});
        }
        std::size_t used = cells.size();
        while (used > 0 && cells[used - 1].text.empty()) --used;
        std::optional<std::size_t> openEnd;  // the last cell, when it may only end an open record
        for (std::size_t i = 0; i < used; ++i) {
            const auto appended = AppendGbkCell(body_, cells[i], false);
            const auto refuse = [&](std::size_t at, const std::string& message) {
                return Refusal({at, "column " + std::to_string(i + 1) + " (" + FieldName(i) +
                                        "): " + message});
            };
            if (!appended) return refuse(appended.error().offset, appended.error().message);
            if (*appended && i + 1 < used) {
                return refuse(cells[i].offset, "its last byte would take the \"|\" after it");
            }
            if (*appended) openEnd = cells[i].offset;
            body_ += '|';
        }
        records_.push_back({body_.size(), used, used, openEnd});
        return {};
    }

    std::expected<std::string, Refused> Table(std::size_t endOffset) const {
        if (records_.empty())
            return Refusal({endOffset, "no records: the browser needs at least one"});
        for (const auto& [row, shape] : shapes_) {
            if (row >= records_.size()) {
                return Refusal({endOffset, "a layout row names record " + std::to_string(row) +
                                               "; there are " + std::to_string(records_.size())});
            }
        }
        std::string table = countLine_ && countLine_->second == records_.size()
                                ? countLine_->first
                                : std::to_string(records_.size());
        table.reserve(table.size() + body_.size() + records_.size() * 4 + end_.size());
        std::size_t start = 0;
        for (std::size_t row = 0; row < records_.size(); ++row) {
            table += "\r\n";
            const BuiltRecord record = records_[row];
            const auto shape = shapes_.find(row);
            const RecordShape shaped = shape == shapes_.end() ? RecordShape{} : shape->second;
            if (record.openEnd && !(shaped.open && shaped.fields <= record.used)) {
                return Refusal(
                    {*record.openEnd, "the last byte of this cell would take the \"|\" after it"});
            }
            // Each empty cell at the end is one "|": they give way to the record's own shape.
            table.append(body_, start, record.end - (record.written - record.used) - start);
            table.append(std::max(shaped.fields, record.used) - record.used, '|');
            if (shaped.open) table.pop_back();
            start = record.end;
        }
        table += end_;
        return table;
    }

  private:
    std::expected<void, Refused> Layout(const std::vector<CellSource>& cells) {
        inLayout_ = true;
        const auto cell = [&cells](std::size_t i) {
            return i < cells.size() ? Unquoted(cells[i]) : "";
        };
        const auto gbk = [&cells](std::size_t i) -> std::expected<std::string, Refused> {
            std::string out;
            if (i >= cells.size()) return out;
            if (auto appended = AppendGbkCell(out, cells[i], true); !appended) {
                return std::unexpected(appended.error());
            }
            return out;
        };
        const std::string kind = cell(1);
        if (kind == "count") {
            auto text = gbk(2);
            const auto records = ParseCount(cell(3));
            if (!text) return std::unexpected(text.error());
            if (!records) return Refusal({cells.front().offset, "a broken count layout row"});
            countLine_ = {std::move(*text), *records};
        } else if (kind == "end") {
            auto text = gbk(2);
            if (!text) return std::unexpected(text.error());
            end_ = std::move(*text);
        } else if (kind == "row") {
            const auto row = ParseCount(cell(2));
            const auto fields = ParseCount(cell(3));
            const std::string open = cell(4);
            if (!row || !fields || *fields == 0 || !(open.empty() || open == "open")) {
                return Refusal({cells.front().offset, "a broken row layout row"});
            }
            shapes_[*row] = {*fields, open == "open"};
        } else {
            return Refusal({cells.front().offset, "a layout row of unknown kind \"" + kind + "\""});
        }
        return {};
    }

    std::size_t columns_ = 0;
    bool inLayout_ = false;
    std::string body_;
    struct BuiltRecord {
        std::size_t end;                                    // in body_
        std::size_t written;                                // cells in body_, each followed by "|"
        std::size_t used;                                   // up to the last that is not empty
        std::optional<std::size_t> openEnd = std::nullopt;  // see Record()
    };
    std::vector<BuiltRecord> records_;
    std::map<std::size_t, RecordShape> shapes_;
    std::optional<std::pair<std::string, std::size_t>> countLine_;  // its text, for N records
    std::string end_{kShippedEnd};
};

}  // namespace

std::expected<std::string, CsvRefusal> ItemTableFromCsv(std::string_view csv) {
    const auto refusal = [csv](const Refused& refused) {
        std::size_t line = 1;
        std::size_t lineStart = 0;
        for (std::size_t i = 0; i < refused.offset && i < csv.size(); ++i) {
            if (csv[i] == '\n') ++line, lineStart = i + 1;
        }
        return std::unexpected(CsvRefusal{line, refused.offset - lineStart + 1, refused.message});
    };
    CsvReader reader(csv, csv.starts_with(kByteOrderMarkUtf8) ? kByteOrderMarkUtf8.size() : 0);
    TableBuilder builder;
    std::vector<CellSource> cells;
    if (reader.AtEnd()) return refusal({0, "the CSV is empty"});
    if (auto read = reader.Next(cells); !read) return refusal(read.error());
    if (auto header = builder.Header(cells); !header) return refusal(header.error());
    builder.Reserve(csv.size());
    while (!reader.AtEnd()) {
        if (builder.PlainRecord(reader.LineAhead())) {
            reader.SkipLine();
            continue;
        }
        if (auto read = reader.Next(cells); !read) return refusal(read.error());
        if (auto record = builder.Record(cells, reader.RecordOffset()); !record) {
            return refusal(record.error());
        }
    }
    auto table = builder.Table(csv.size());
    if (!table) return refusal(table.error());
    return std::move(*table);
}

}  // namespace lf
