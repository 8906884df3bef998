#pragma once

// Finding the "|" between a record's fields, in UTF-8 or in the GBK bytes the table stores. In
// GBK a "|" can be the second byte of a double-byte character, which keeps it: GBK text splits
// exactly as its decoded text would. Records are mostly short ASCII numbers, read eight bytes at
// a time.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace lf {

enum class TextEncoding { Utf8, Gbk };

// Where the n-th "|" at or after `from` stands (n >= 1), or npos; `from` starts a character.
std::size_t NthBar(std::string_view text, std::size_t from, std::size_t n, TextEncoding encoding);

}  // namespace lf

namespace lf::bar_scan {

inline constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// 0x80 in every byte of the word that is "|".
inline std::uint64_t BarBits(std::uint64_t word) {
    constexpr std::uint64_t kBars = 0x7C7C7C7C7C7C7C7Cull;
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const std::uint64_t x = word ^ kBars;
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// A word that can be read for bars as it is: any UTF-8, or GBK without a double-byte character
// (which could end in a "|" of its own).
inline bool ReadWhole(std::string_view text, std::size_t pos, TextEncoding encoding,
                      std::uint64_t& word) {
    if (pos + 8 > text.size()) return false;
    std::memcpy(&word, text.data() + pos, 8);
    return encoding == TextEncoding::Utf8 || (word & kHighBits) == 0;
}

// The length of the character at pos as the GBK decoder reads it: a lead byte takes a following
// trail byte, "|" among them.
inline std::size_t CharacterLength(std::string_view text, std::size_t pos, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) return 1;
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x81 || lead == 0xFF || pos + 1 >= text.size()) return 1;
    const auto trail = static_cast<unsigned char>(text[pos + 1]);
    return trail >= 0x40 && trail != 0x7F && trail != 0xFF ? 2 : 1;
}

}  // namespace lf::bar_scan

namespace lf {

// Calls onBar(position) for each "|" in order until it returns false.
template <typename OnBar>
void ForEachBar(std::string_view text, TextEncoding encoding, OnBar onBar) {
    using namespace bar_scan;
    for (std::size_t pos = 0; pos < text.size();) {
        std::uint64_t word;
        if (ReadWhole(text, pos, encoding, word)) {
            for (std::uint64_t hits = BarBits(word); hits != 0; hits &= hits - 1) {
                if (!onBar(pos + static_cast<std::size_t>(std::countr_zero(hits)) / 8)) return;
            }
            pos += 8;
            continue;
        }
        if (text[pos] == '|' && !onBar(pos)) return;
        pos += CharacterLength(text, pos, encoding);
    }
}

}  // namespace lf
