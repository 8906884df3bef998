#pragma once

// Code page 936 (GBK) text, the encoding of everything the catalogue stores.
// In memory, text is UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

namespace lf {

// Decodes GBK into UTF-8. Never fails: a byte sequence that is not GBK becomes U+FFFD.
// A lead byte takes the next byte with it whenever that byte can be a trail byte, so the
// second half of a double-byte character (0x7C among them) is never read as ASCII.
std::string DecodeGbk(std::string_view gbk);
// The same, appended to out.
void AppendDecodedGbk(std::string& out, std::string_view gbk);

// One character of GBK text as the decoder reads it: its bytes (1 or 2) and its code point,
// or, where the bytes are not GBK, valid false (the decoder shows them as U+FFFD).
struct GbkChar {
    std::size_t length;
    char32_t codePoint;
    bool valid;
};
// The character at pos (pos < gbk.size()).
GbkChar ReadGbkChar(std::string_view gbk, std::size_t pos);

// Appends the GBK form of one code point; returns false, appending nothing, where GBK has none.
bool AppendGbk(std::string& out, char32_t codePoint);

// Appends the GBK form of utf8 up to the first character GBK cannot hold or the first bytes that
// are not UTF-8; returns how many bytes of utf8 it took.
std::size_t AppendGbkPrefix(std::string& out, std::string_view utf8);

// Encodes UTF-8 into GBK. A character GBK cannot represent becomes '?'.
std::string EncodeGbk(std::string_view utf8);

// Bytes of the GBK form of a UTF-8 text; a character GBK cannot represent counts 1.
std::size_t GbkByteLength(std::string_view utf8);

}  // namespace lf
