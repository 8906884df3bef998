#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lf {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;
inline constexpr std::string_view kReplacementCharacterUtf8 = "\xEF\xBF\xBD";
inline constexpr std::string_view kByteOrderMarkUtf8 = "\xEF\xBB\xBF";

// Reads one code point at pos and advances pos; a malformed sequence yields U+FFFD and
// consumes one byte.
char32_t NextCodePoint(std::string_view utf8, std::size_t& pos);

// Writes a code point as UTF-8, one to four bytes from out on, and returns the end. Inline: the
// GBK decoder writes every character of the catalogue through it.
inline char* PutUtf8(char* out, char32_t cp) {
    if (cp < 0x80) {
        *out++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *out++ = static_cast<char>(0xC0 | (cp >> 6));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (cp >> 12));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (cp >> 18));
        *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

inline void AppendUtf8(std::string& out, char32_t codePoint) {
    char bytes[4];
    out.append(bytes, PutUtf8(bytes, codePoint));
}

}  // namespace lf
