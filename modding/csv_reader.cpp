#include "modding/csv_reader.h"

#include <algorithm>

namespace lf::table_csv {
namespace {

constexpr ByteSet kPlainCellEnd = SetOf(",\r\n\"");
constexpr ByteSet kQuotedCellEnd = SetOf("\"\r\n");

}  // namespace

std::string_view CsvReader::LineAhead() {
    lineEnd_ = std::min(csv_.find('\n', pos_), csv_.size());
    std::string_view line = csv_.substr(pos_, lineEnd_ - pos_);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

std::expected<void, Refused> CsvReader::Next(std::vector<CellSource>& cells) {
    cells.clear();
    recordStart_ = pos_;
    for (;;) {
        const bool quoted = pos_ < csv_.size() && csv_[pos_] == '"';
        auto cell = quoted ? QuotedCell() : PlainCell();
        if (!cell) return std::unexpected(cell.error());
        cells.push_back(*cell);
        if (pos_ < csv_.size() && csv_[pos_] == ',') {
            ++pos_;
            continue;
        }
        return EndOfRecord();
    }
}

std::expected<CellSource, Refused> CsvReader::PlainCell() {
    const std::size_t start = pos_;
    const std::size_t end = Find(kPlainCellEnd, pos_);
    if (end < csv_.size() && csv_[end] == '"') {
        return Refusal({end, "a quote inside a cell that does not start with one"});
    }
    pos_ = end;
    return CellSource{csv_.substr(start, end - start), start, false};
}

std::expected<CellSource, Refused> CsvReader::QuotedCell() {
    const std::size_t start = ++pos_;
    for (;;) {
        const std::size_t stop = Find(kQuotedCellEnd, pos_);
        if (stop == std::string_view::npos) {
            return Refusal({start - 1, "a quoted cell that is never closed"});
        }
        if (csv_[stop] != '"') return Refusal({stop, "a line break inside a cell"});
        if (stop + 1 < csv_.size() && csv_[stop + 1] == '"') {
            pos_ = stop + 2;
            continue;
        }
        pos_ = stop + 1;
        if (pos_ < csv_.size() && csv_[pos_] != ',' && csv_[pos_] != '\r' && csv_[pos_] != '\n') {
            return Refusal({pos_, "text after the closing quote of a cell"});
        }
        return CellSource{csv_.substr(start, stop - start), start, true};
    }
}

std::expected<void, Refused> CsvReader::EndOfRecord() {
    if (pos_ >= csv_.size()) return {};
    if (csv_[pos_] == '\n') {
        ++pos_;
        return {};
    }
    if (csv_.substr(pos_, 2) == "\r\n") {
        pos_ += 2;
        return {};
    }
    return Refusal({pos_, "a line break inside a cell"});  // a CR on its own
}

std::size_t CsvReader::Find(const ByteSet& set, std::size_t pos) const {
    while (pos < csv_.size() && !set[static_cast<unsigned char>(csv_[pos])]) ++pos;
    return pos < csv_.size() ? pos : std::string_view::npos;
}

std::string Unquoted(const CellSource& cell) {
    std::string text(cell.text);
    if (cell.quoted) {
        for (std::size_t at = text.find("\"\""); at != std::string::npos;
             at = text.find("\"\"", at + 1)) {
            text.erase(at, 1);
        }
    }
    return text;
}

}  // namespace lf::table_csv
