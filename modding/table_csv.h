#pragma once

// The item table as a spreadsheet, and back.
//
// The CSV is UTF-8 (RFC 4180, CR LF). Its header names the fields (FieldName); below it, one row
// per record with its fields 0 to 86, the record's closing "|" implied, every number the text it
// is. Bytes that a cell cannot show as text (bytes that are not GBK, a CR or LF inside a record)
// become the private-use characters U+F700 + byte, which GBK does not hold, and come back as the
// same bytes. What a table holds beyond such records is kept in layout rows at the end, marked
// by the first cell "|layout|" (no field can hold "|"):
//   |layout|,count,TEXT,N    the count line's own text, used while the CSV has N records
//   |layout|,end,TEXT        what follows the last record, where it is not CR LF and a NUL byte
//   |layout|,row,R,F[,open]  record R has F fields rather than 87, or does not end with "|"
// A record with more than 87 fields widens the header with columns field_87, field_88, ...
// So table -> CSV -> table gives the same bytes for every table the browser loads.

#include <cstddef>
#include <expected>
#include <string>
#include <string_view>

#include "catalogue/catalogue_format.h"
#include "catalogue/item_table.h"

namespace lf {

namespace table_csv {
inline constexpr std::size_t kDataFields = kRecordFieldCount - 1;  // the closing "|" is implied
inline constexpr char32_t kByteEscape = 0xF700;
inline constexpr std::string_view kLayoutMark = "|layout|";
// What follows the last record of a table written by the browser's makers.
inline constexpr std::string_view kShippedEnd{"\r\n\0", 3};
}  // namespace table_csv

// The CSV of a table the browser loads, or why it would not load it.
std::expected<std::string, LoadError> ItemTableToCsv(std::string_view table, bool byteOrderMark);

struct CsvRefusal {
    std::size_t line;    // 1-based line of the CSV
    std::size_t column;  // 1-based, in bytes
    std::string message;
};

// The table back from its CSV: GBK, CR LF, the count line recomputed, every record ending "|".
// A character GBK cannot hold, a record whose column count differs from the header's, or a
// "|" or line break inside a cell is refused where it stands.
std::expected<std::string, CsvRefusal> ItemTableFromCsv(std::string_view csv);

}  // namespace lf
