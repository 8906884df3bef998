#pragma once

// A look at an item table before the browser gets it: whether the browser would load it, where
// it would stop if not, and what else in the text is likely a mistake.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/item_table.h"

namespace lf {

enum class Severity { Error, Warning };

struct Finding {
    Severity severity;
    std::size_t line;    // 1-based line of the file; the count line is line 1
    std::size_t column;  // 1-based, in bytes
    std::optional<std::size_t> field;
    std::string kind;  // an error's kind as the browser names it; a warning's short tag
    std::string message;
};

struct TableCheck {
    std::optional<LoadError> loadError;  // why the browser would refuse the table
    std::vector<Finding> findings;       // in the order of the file
    std::size_t rows = 0;                // records looked at

    bool Loads() const { return !loadError.has_value(); }
    std::size_t Count(Severity severity) const;
    // The finding of the load error, when there is one.
    const Finding* FirstError() const;
};

// Loads the table exactly as the browser does and looks at every record it would show (every
// line after the count line when the table does not load). Warnings:
//   "encoding"     bytes that are not GBK (the first of them)
//   "utf-8"        a UTF-8 byte-order mark, or text that is UTF-8 rather than GBK
//   "field count"  a record without 88 fields
//   "row end"      a record that does not end with "|"
//   "row number"   field 0 differs from the record's position
//   "icon"         an icon number outside the sixteen sheets
//   "not a number" a numeric field that the usual conversion refuses
//   "name blanks"  a name with blanks at either end
TableCheck CheckItemTable(std::string_view bytes);

}  // namespace lf
