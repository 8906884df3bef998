#include "browser/search.h"

#include <algorithm>
#include <cstring>

#include "common/number_text.h"

namespace lf {
namespace {

// Where needle first occurs in haystack at pos or later. glibc's memmem is the fastest scan
// there; other C libraries have none, and the standard library's serves.
std::size_t FindBytes(std::string_view haystack, std::string_view needle, std::size_t pos) {
#ifdef __GLIBC__
    const void* hit =
        ::memmem(haystack.data() + pos, haystack.size() - pos, needle.data(), needle.size());
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - haystack.data())
               : std::string_view::npos;
#else
    return haystack.find(needle, pos);
#endif
}

}  // namespace

NameIndex::NameIndex(const ItemTable& items) : names_(items.AllNames()) {
    starts_.reserve(items.size());
    for (const ItemEntry& item : items) {
        starts_.push_back(static_cast<std::size_t>(item.Name.data() - names_.data()));
    }
}

std::optional<std::size_t> NameIndex::FindFrom(std::size_t from, std::string_view text) const {
    if (from >= starts_.size() || text.empty()) return std::nullopt;
    std::size_t pos = starts_[from];
    while (true) {
        const std::size_t at = FindBytes(names_, text, pos);
        if (at == std::string_view::npos) return std::nullopt;
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
