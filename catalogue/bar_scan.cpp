#include "catalogue/bar_scan.h"

namespace lf {

std::size_t NthBar(std::string_view text, std::size_t from, std::size_t n, TextEncoding encoding) {
    using namespace bar_scan;
    std::size_t pos = from;
    while (pos < text.size()) {
        std::uint64_t word;
        if (ReadWhole(text, pos, encoding, word)) {
            std::uint64_t hits = BarBits(word);
            // The byte sum of the hits, without a population-count instruction.
            const auto count =
                static_cast<std::size_t>(((hits >> 7) * 0x0101010101010101ull) >> 56);
            if (count < n) {
                n -= count;
                pos += 8;
                continue;
            }
            while (--n) hits &= hits - 1;
            return pos + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
        }
        if (text[pos] == '|' && --n == 0) return pos;
        pos += CharacterLength(text, pos, encoding);
    }
    return std::string_view::npos;
}

}  // namespace lf
