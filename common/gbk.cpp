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

// The catalogue is decoded whole at every start, so this loop copies ASCII eight bytes at a
// time straight into an output sized for the worst case (three UTF-8 bytes per input byte,
// plus room for one spare word), which is never cleared and is trimmed to what was written.
std::string DecodeGbk(std::string_view gbk) {
    std::string out;
    out.resize_and_overwrite(gbk.size() * 3 + 8, [gbk](char* const start, std::size_t) {
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
            const unsigned lead = in[pos];
            char16_t cp = kGbkSingle[lead - 0x80];
            std::size_t used = 1;
            if (lead >= kFirstLead && lead <= kLastLead && pos + 1 < size && IsTrail(in[pos + 1])) {
                cp = kGbkPairs[(lead - kFirstLead) * kTrailsPerLead + in[pos + 1] - kFirstTrail];
                used = 2;
            }
            put = PutUtf8(put, cp != 0 ? cp : char16_t{0xFFFD});
            pos += used;
        }
        return static_cast<std::size_t>(put - start);
    });
    return out;
}

std::string EncodeGbk(std::string_view utf8) {
    const EncodeTable& table = Encoder();
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t cp = NextCodePoint(utf8, pos);
        const std::uint16_t code = cp < 0x10000 ? table[cp] : 0;
        if (code == 0 && cp != 0) {
            out += '?';
        } else if (code < 0x100) {
            out += static_cast<char>(code);
        } else {
            out += static_cast<char>(code >> 8);
            out += static_cast<char>(code & 0xFF);
        }
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
