#pragma once

// Finding items: a forward, case-sensitive substring scan over the names, and the number
// field's rule for going to a row.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/item_table.h"

namespace lf {

// The table's names, back to back, so one scan covers many rows. UTF-8 substring search on
// bytes equals search over characters. The index reads the table's names, which must outlive it.
class NameIndex {
  public:
    NameIndex() = default;
    explicit NameIndex(const ItemTable& items);

    std::size_t RowCount() const { return starts_.size(); }
    // The first row at or after `from` whose name contains `text`.
    std::optional<std::size_t> FindFrom(std::size_t from, std::string_view text) const;

  private:
    std::string_view names_;
    std::vector<std::size_t> starts_;  // where each row's name begins in names_
};

struct SearchStep {
    std::optional<std::size_t> select;  // the row to select, if any
    bool beep = false;                  // the scan ran off the end of the list
};

// One press of the search button. An empty text does nothing; a scan that runs off the end
// selects the last row and beeps; a scan that starts at or past the end does nothing.
SearchStep RunSearch(const NameIndex& names, std::string_view text, std::size_t startRow);

// The row the number field's text leads to: a number v with 0 < v < rowCount, rounded half
// to even, when the rounded row still exists.
std::optional<std::size_t> RowForNumber(std::string_view text, std::size_t rowCount);

}  // namespace lf
