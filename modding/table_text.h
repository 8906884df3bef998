#pragma once

// An item table's bytes cut where the loader cuts its decoded text: lines at CR LF, fields at
// "|". Cutting the bytes instead keeps every byte where it stands, for positions and for
// conversions that must give the same bytes back.

#include <cstddef>
#include <string_view>
#include <vector>

namespace lf {

// The lines, each without its CR LF; a bare CR or LF stays inside its line. Text without any
// CR LF is one line; text ending in CR LF ends with an empty line.
std::vector<std::string_view> TableLines(std::string_view bytes);

// The byte offset of each field of a line: the line split at every "|" that is a character of
// its own, never at the second byte of a double-byte character.
std::vector<std::size_t> FieldStarts(std::string_view gbkLine);

// Where a byte lies in the text the lines were cut from: 1-based line and byte column.
struct TextPosition {
    std::size_t line;
    std::size_t column;
};
TextPosition PositionOf(const std::vector<std::string_view>& lines, const char* byte);

}  // namespace lf
