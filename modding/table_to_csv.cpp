// The table to a CSV: one row per record, the layout rows for what a row cannot hold.

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "catalogue/item_record.h"
#include "common/gbk.h"
#include "common/utf8.h"
#include "modding/block_scan.h"
#include "modding/table_csv.h"
#include "modding/table_text.h"

namespace lf {
namespace {

using namespace table_csv;

// GBK bytes as UTF-8 that converts back to the same bytes.
std::string ExactText(std::string_view gbk) {
    std::string out;
    out.reserve(gbk.size() * 2);
    for (std::size_t pos = 0; pos < gbk.size();) {
        const GbkChar c = ReadGbkChar(gbk, pos);
        if (c.valid && c.codePoint != '\r' && c.codePoint != '\n') {
            AppendUtf8(out, c.codePoint);
        } else {
            for (std::size_t i = 0; i < c.length; ++i) {
                AppendUtf8(out, kByteEscape + static_cast<unsigned char>(gbk[pos + i]));
            }
        }
        pos += c.length;
    }
    return out;
}

// A cell is quoted where it holds a separator, a quote or a line break, and where blanks at its
// ends might be trimmed by a spreadsheet.
bool NeedsQuotes(std::string_view cell) {
    if (cell.empty()) return false;
    if (cell.front() == ' ' || cell.back() == ' ' || cell.front() == '\t' || cell.back() == '\t') {
        return true;
    }
    return std::any_of(cell.begin(), cell.end(),
                       [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; });
}

void AppendCell(std::string& out, std::string_view cell) {
    if (!NeedsQuotes(cell)) {
        out += cell;
        return;
    }
    out += '"';
    for (const char c : cell) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void AppendCsvRow(std::string& out, const std::vector<std::string>& cells, std::size_t columns) {
    for (std::size_t i = 0; i < columns; ++i) {
        if (i > 0) out += ',';
        if (i < cells.size()) AppendCell(out, cells[i]);
    }
    out += "\r\n";
}

// One record as its CSV row holds it: the decoded text, split into fields at every "|".
struct RecordText {
    std::string_view text;
    std::size_t fields = 0;  // elements before the closing "|", or all of them for an open record
    bool open = false;       // does not end with "|"
    bool plain = true;       // no cell needs quotes: the row is the text with "," for "|"
    bool lossy = false;      // the loader's text does not hold the bytes exactly
};

// One pass over a record: its "|", and whether any byte asks for more than a plain copy (a
// quote, a separator, a line break, a blank at either end of a cell, a possible U+FFFD).
RecordText ReadRecord(std::string_view rowText) {
    using namespace block_scan;
    RecordText record{rowText};
    std::size_t bars = 0;
    std::uint64_t cellStart = 1;  // the text starts a cell
    bool blankBefore = false;     // the last byte of the block before was a blank
    bool replacement = false;
    bool lineBreaks = false;
    for (std::size_t pos = 0; pos < rowText.size(); pos += kBlockSize) {
        const Block block = BlockAt(rowText.data(), rowText.size(), pos);
        const std::uint64_t valid = Below(rowText.size() - pos);
        const std::uint64_t bar = block.Equal('|') & valid;
        const std::uint64_t blank = (block.Equal(' ') | block.Equal('\t')) & valid;
        const std::uint64_t lineBreak = (block.Equal('\r') | block.Equal('\n')) & valid;
        const std::uint64_t quoted = block.Equal(',') | block.Equal('"') | lineBreak;
        const bool lastBlock = pos + kBlockSize >= rowText.size();
        const std::uint64_t cellEnd = bar >> 1 | (lastBlock ? valid & ~(valid >> 1) : 0);
        bars += static_cast<std::size_t>(CountBits(bar));
        replacement |= (block.Equal('\xEF') & valid) != 0;
        lineBreaks |= lineBreak != 0;
        if ((quoted & valid) || (blank & ((bar << 1 | cellStart) | cellEnd)) ||
            (blankBefore && (bar & 1))) {
            record.plain = false;
        }
        cellStart = bar >> 63;
        blankBefore = (blank >> 63) != 0;
    }
    record.open = !rowText.ends_with('|');
    record.fields = record.open ? bars + 1 : bars;
    // The loader shows bytes that are not GBK as U+FFFD, and a CR or LF cannot stand in a cell.
    record.lossy = lineBreaks || (replacement && rowText.find(kReplacementCharacterUtf8) !=
                                                     std::string_view::npos);
    return record;
}

void AppendReplacing(std::string& out, std::string_view text, char from, char to) {
    using namespace block_scan;
    const std::size_t start = out.size();
    out.resize_and_overwrite(start + text.size() + kBlockSize, [&](char* put, std::size_t) {
        for (std::size_t pos = 0; pos < text.size(); pos += kBlockSize) {
            BlockAt(text.data(), text.size(), pos).StoreReplacing(from, to, put + start + pos);
        }
        return start + text.size();
    });
}

void AppendRecordRow(std::string& out, const RecordText& record, std::size_t columns) {
    if (record.plain) {
        AppendReplacing(out,
                        record.open ? record.text : record.text.substr(0, record.text.size() - 1),
                        '|', ',');
        out.append(columns - record.fields, ',');
        out += "\r\n";
        return;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i < columns; ++i) {
        if (i > 0) out += ',';
        if (i >= record.fields) continue;
        const std::size_t bar = std::min(record.text.find('|', start), record.text.size());
        AppendCell(out, record.text.substr(start, bar - start));
        start = bar + 1;
    }
    out += "\r\n";
}

std::vector<std::string> LayoutRow(std::initializer_list<std::string> cells) {
    std::vector<std::string> row{std::string(kLayoutMark)};
    row.insert(row.end(), cells);
    return row;
}

}  // namespace

std::expected<std::string, LoadError> ItemTableToCsv(std::string_view table, bool byteOrderMark) {
    const auto items = LoadItemTableInPlace(table);
    if (!items) return std::unexpected(items.error());
    const std::vector<std::string_view> lines = TableLines(table);

    std::vector<RecordText> records;
    records.reserve(items->size());
    const DecodedRows decoded(*items);
    std::deque<std::string> exact;  // records read again from their bytes; never moved
    std::size_t columns = kDataFields;
    for (std::size_t row = 0; row < items->size(); ++row) {
        records.push_back(ReadRecord(decoded[row]));
        if (records.back().lossy)
            records.back() = ReadRecord(exact.emplace_back(ExactText(lines[row + 1])));
        columns = std::max(columns, records.back().fields);
    }

    std::string csv(byteOrderMark ? kByteOrderMarkUtf8 : "");
    csv.reserve(table.size() * 3 / 2);
    std::vector<std::string> header;
    for (std::size_t i = 0; i < columns; ++i) header.push_back(FieldName(i));
    AppendCsvRow(csv, header, columns);
    for (const RecordText& record : records) AppendRecordRow(csv, record, columns);

    const std::string count = std::to_string(records.size());
    if (lines[0] != count)
        AppendCsvRow(csv, LayoutRow({"count", ExactText(lines[0]), count}), columns);
    const std::string_view last = lines[records.size()];
    const std::string_view end =
        table.substr(static_cast<std::size_t>(last.data() + last.size() - table.data()));
    if (end != kShippedEnd) AppendCsvRow(csv, LayoutRow({"end", ExactText(end)}), columns);
    for (std::size_t row = 0; row < records.size(); ++row) {
        const RecordText& record = records[row];
        if (record.fields == kDataFields && !record.open) continue;
        std::vector<std::string> layout =
            LayoutRow({"row", std::to_string(row), std::to_string(record.fields)});
        if (record.open) layout.push_back("open");
        AppendCsvRow(csv, layout, columns);
    }
    return csv;
}

}  // namespace lf
