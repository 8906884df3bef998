#include "common/gbk.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "common/utf8.h"

namespace lf {
namespace {

#include "gbk_table.inc"

constexpr unsigned kFirstLead = 0x81;
constexpr unsigned kLastLead = 0xFE;
constexpr unsigned kFirstTrail = 0x40;
constexpr unsigned kLastTrail = 0xFE;
constexpr unsigned kTrailsPerLead = kLastTrail - kFirstTrail + 1;

bool IsTrail(unsigned byte) { return byte >= kFirstTrail && byte <= kLastTrail && byte != 0x7F; }

// Code point -> GBK code: 0 unencodable, below 0x100 one byte, otherwise lead << 8 | trail.
using EncodeTable = std::array<std::uint16_t, 0x10000>;

const EncodeTable& Encoder() {
    static const EncodeTable table = [] {
        EncodeTable t{};
        for (unsigned cp = 0; cp < 0x80; ++cp) t[cp] = static_cast<std::uint16_t>(cp);
        for (unsigned b = 0x80; b <= 0xFF; ++b) {
            if (char16_t cp = kGbkSingle[b - 0x80]; cp != 0 && t[cp] == 0) t[cp] = b;
        }
        for (unsigned lead = kFirstLead; lead <= kLastLead; ++lead) {
            for (unsigned trail = kFirstTrail; trail <= kLastTrail; ++trail) {
                char16_t cp = kGbkPairs[(lead - kFirstLead) * kTrailsPerLead + trail - kFirstTrail];
                if (cp != 0 && t[cp] == 0) t[cp] = static_cast<std::uint16_t>(lead << 8 | trail);
            }
        }
        return t;
    }();
    return table;
}

}  // namespace

namespace {

// A character whose first byte is 0x80 or above.
GbkChar ReadHighChar(std::string_view gbk, std::size_t pos) {
    const auto byte = [gbk](std::size_t i) { return static_cast<unsigned char>(gbk[i]); };
    const unsigned lead = byte(pos);
    char16_t cp = kGbkSingle[lead - 0x80];
    std::size_t used = 1;
    if (lead >= kFirstLead && lead <= kLastLead && pos + 1 < gbk.size() && IsTrail(byte(pos + 1))) {
        cp = kGbkPairs[(lead - kFirstLead) * kTrailsPerLead + byte(pos + 1) - kFirstTrail];
        used = 2;
    }
    return {used, cp, cp != 0};
}

}  // namespace

GbkChar ReadGbkChar(std::string_view gbk, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(gbk[pos]);
    return lead < 0x80 ? GbkChar{1, lead, true} : ReadHighChar(gbk, pos);
}

bool AppendGbk(std::string& out, char32_t codePoint) {
    const std::uint16_t code = codePoint < 0x10000 ? Encoder()[codePoint] : 0;
    if (code == 0 && codePoint != 0) return false;
    if (code >= 0x100) out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
    return true;
}

std::string DecodeGbk(std::string_view gbk) {
    std::string out;
    AppendDecodedGbk(out, gbk);
    return out;
}

// Every start decodes all names, every reader of the rows all rows, so this loop copies ASCII
// eight bytes at a time straight into an output sized for the worst case (three UTF-8 bytes per
// input byte, plus room for one spare word), which is never cleared and is trimmed to what was
// written.
void AppendDecodedGbk(std::string& out, std::string_view gbk) {
    const std::size_t kept = out.size();
    out.resize_and_overwrite(
        kept + gbk.size() * 3 + 8, [gbk, kept](char* const buffer, std::size_t) {
            char* const start = buffer + kept;
            const auto* in = reinterpret_cast<const unsigned char*>(gbk.data());
            const std::size_t size = gbk.size();
            char* put = start;
            std::size_t pos = 0;
            while (pos < size) {
                if (pos + 8 <= size) {
                    std::uint64_t word;
                    std::memcpy(&word, in + pos, 8);
                    std::memcpy(put, &word, 8);  // the ASCII prefix is kept, the rest overwritten
                    const std::uint64_t high = word & 0x8080808080808080ull;
                    const std::size_t ascii =
                        high == 0 ? 8 : static_cast<std::size_t>(std::countr_zero(high) / 8);
                    put += ascii;
                    pos += ascii;
                    if (ascii == 8) continue;
                } else if (in[pos] < 0x80) {
                    *put++ = static_cast<char>(in[pos++]);
                    continue;
                }
                const GbkChar c = ReadHighChar(gbk, pos);
                put = PutUtf8(put, c.valid ? static_cast<char16_t>(c.codePoint) : char16_t{0xFFFD});
                pos += c.length;
            }
            return kept + static_cast<std::size_t>(put - start);
        });
}

// Chinese text in a spreadsheet's CSV is converted whole, so ASCII goes eight bytes at a time
// and the three-byte UTF-8 of the common characters is read here rather than by a call.
std::size_t AppendGbkPrefix(std::string& out, std::string_view utf8) {
    const EncodeTable& table = Encoder();
    const std::size_t start = out.size();
    std::size_t pos = 0;
    // A GBK form is never longer than the UTF-8 it comes from.
    out.resize_and_overwrite(start + utf8.size(), [&](char* buffer, std::size_t) {
        const auto byte = [utf8](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
        char* put = buffer + start;
        while (pos < utf8.size()) {
            if (pos + 8 <= utf8.size()) {
                std::uint64_t word;
                std::memcpy(&word, utf8.data() + pos, 8);
                if ((word & 0x8080808080808080ull) == 0) {
                    std::memcpy(put, &word, 8);
                    put += 8;
                    pos += 8;
                    continue;
                }
            }
            if (byte(pos) < 0x80) {
                *put++ = static_cast<char>(byte(pos++));
                continue;
            }
            std::size_t next = pos;
            char32_t cp = 0;
            if ((byte(pos) & 0xF0) == 0xE0 && pos + 2 < utf8.size() &&
                (byte(pos + 1) & 0xC0) == 0x80 && (byte(pos + 2) & 0xC0) == 0x80) {
                cp = (byte(pos) & 0x0Fu) << 12 | (byte(pos + 1) & 0x3Fu) << 6 |
                     (byte(pos + 2) & 0x3Fu);
                next = pos + 3;
                if (cp < 0x800) break;  // an overlong form is not UTF-8
            } else {
                cp = NextCodePoint(utf8, next);
            }
            const std::uint16_t code = cp < 0x10000 ? table[cp] : 0;
            if (code == 0) break;  // no GBK form; U+FFFD, which stands for bad bytes, has none
            if (code >= 0x100) *put++ = static_cast<char>(code >> 8);
            *put++ = static_cast<char>(code & 0xFF);
            pos = next;
        }
        return static_cast<std::size_t>(put - buffer);
    });
    return pos;
}

std::string EncodeGbk(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = AppendGbkPrefix(out, utf8); pos < utf8.size();
         pos += AppendGbkPrefix(out, utf8.substr(pos))) {
        NextCodePoint(utf8, pos);
        out += '?';
    }
    return out;
}

std::size_t GbkByteLength(std::string_view utf8) {
    const EncodeTable& table = Encoder();
    std::size_t length = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t cp = NextCodePoint(utf8, pos);
        length += (cp < 0x10000 && table[cp] >= 0x100) ? 2 : 1;
    }
    return length;
}

}  // namespace lf
