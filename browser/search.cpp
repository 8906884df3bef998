#include "browser/search.h"

#include <algorithm>
#include <cstring>

#include "common/number_text.h"

namespace lf {

NameIndex::NameIndex(std::span<const ItemEntry> items) {
    starts_.reserve(items.size());
    for (const ItemEntry& item : items) {
        starts_.push_back(names_.size());
        names_ += item.Name;
    }
}

std::optional<std::size_t> NameIndex::FindFrom(std::size_t from, std::string_view text) const {
    if (from >= starts_.size() || text.empty()) return std::nullopt;
    std::size_t pos = starts_[from];
    while (true) {
        const void* hit =
            ::memmem(names_.data() + pos, names_.size() - pos, text.data(), text.size());
        if (!hit) return std::nullopt;
        const std::size_t at = static_cast<const char*>(hit) - names_.data();
        const std::size_t row =
            static_cast<std::size_t>(std::upper_bound(starts_.begin(), starts_.end(), at) -
                                     starts_.begin()) -
            1;
        const std::size_t rowEnd = row + 1 < starts_.size() ? starts_[row + 1] : names_.size();
        if (at + text.size() <= rowEnd) return row;
        pos = at + 1;  // the hit straddles two names: look further
    }
}

SearchStep RunSearch(const NameIndex& names, std::string_view text, std::size_t startRow) {
    if (text.empty() || startRow >= names.RowCount()) return {};
    if (auto row = names.FindFrom(startRow, text)) return {row, false};
    return {names.RowCount() - 1, true};
}

std::optional<std::size_t> RowForNumber(std::string_view text, std::size_t rowCount) {
    const std::optional<double> value = ParseNumber(text);
    if (!value || !(*value > 0 && *value < static_cast<double>(rowCount))) return std::nullopt;
    const double row = RoundHalfEven(*value);
    if (row >= static_cast<double>(rowCount)) return std::nullopt;
    return static_cast<std::size_t>(row);
}

}  // namespace lf
