#pragma once

// Reading a CSV as RFC 4180 has it, cell by cell, for the table's way back from a spreadsheet.

#include <array>
#include <cstddef>
#include <expected>
#include <string>
#include <string_view>
#include <vector>

namespace lf::table_csv {

// Why a CSV cannot become a table, and where in it.
struct Refused {
    std::size_t offset;  // where in the CSV
    std::string message;
};
using Refusal = std::unexpected<Refused>;

using ByteSet = std::array<bool, 256>;

constexpr ByteSet SetOf(std::string_view bytes) {
    ByteSet set{};
    for (const char b : bytes) set[static_cast<unsigned char>(b)] = true;
    return set;
}

// A cell as it stands in the CSV: its text between the quotes, if any, with quotes doubled.
struct CellSource {
    std::string_view text;
    std::size_t offset;  // of text in the CSV
    bool quoted;
};

// The cell's text with its doubled quotes made single.
std::string Unquoted(const CellSource& cell);

// Reads RFC 4180 records (CR LF or LF between them). A cell never holds a line break: a table
// record cannot, so one in a cell is an editing slip and refused.
class CsvReader {
  public:
    CsvReader(std::string_view csv, std::size_t start) : csv_(csv), pos_(start) {}

    bool AtEnd() const { return pos_ >= csv_.size(); }
    std::size_t RecordOffset() const { return recordStart_; }

    // The next line, without its CR LF or LF: the whole record when it holds no quote.
    std::string_view LineAhead();
    void SkipLine() { pos_ = std::min(lineEnd_ + 1, csv_.size()); }

    // The cells of the next record.
    std::expected<void, Refused> Next(std::vector<CellSource>& cells);

  private:
    std::expected<CellSource, Refused> PlainCell();
    std::expected<CellSource, Refused> QuotedCell();
    std::expected<void, Refused> EndOfRecord();
    // The first byte at or after pos that the set holds, or npos.
    std::size_t Find(const ByteSet& set, std::size_t pos) const;

    std::string_view csv_;
    std::size_t pos_;
    std::size_t recordStart_ = 0;
    std::size_t lineEnd_ = 0;
};

}  // namespace lf::table_csv
