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

void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace lf
