#pragma once

// Sixty-four bytes at a time: a mask per kind of byte, bit i for byte i of the block. SSE2 looks
// at sixteen bytes at once where the processor has it; elsewhere a 64-bit word takes eight.

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lf::block_scan {

inline constexpr std::size_t kBlockSize = 64;

#if defined(__SSE2__)

class Block {
  public:
    explicit Block(const char* bytes) {
        for (int i = 0; i < 4; ++i)
            part_[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * i));
    }

    std::uint64_t Equal(char byte) const {
        const __m128i wanted = _mm_set1_epi8(byte);
        return Marks([wanted](__m128i part) { return _mm_cmpeq_epi8(part, wanted); });
    }

    // ASCII digits: byte - '0' below 10, compared as signed bytes shifted by 128.
    std::uint64_t Digits() const {
        const __m128i zero = _mm_set1_epi8(static_cast<char>('0' + 128));
        const __m128i ten = _mm_set1_epi8(static_cast<char>(10 - 128));
        return Marks([&](__m128i part) { return _mm_cmplt_epi8(_mm_sub_epi8(part, zero), ten); });
    }

    // Bytes of 0x80 and above.
    std::uint64_t High() const {
        return Marks([](__m128i part) { return part; });
    }

    // The block with every `from` byte turned into `to`, written to out.
    void StoreReplacing(char from, char to, char* out) const {
        const __m128i wanted = _mm_set1_epi8(from);
        const __m128i change = _mm_set1_epi8(static_cast<char>(from ^ to));
        for (int i = 0; i < 4; ++i) {
            const __m128i hits = _mm_cmpeq_epi8(part_[i], wanted);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16 * i),
                             _mm_xor_si128(part_[i], _mm_and_si128(hits, change)));
        }
    }

  private:
    template <typename Test>
    std::uint64_t Marks(Test test) const {
        std::uint64_t marks = 0;
        for (int i = 0; i < 4; ++i) {
            marks |= static_cast<std::uint64_t>(
                         static_cast<std::uint16_t>(_mm_movemask_epi8(test(part_[i]))))
                     << (16 * i);
        }
        return marks;
    }

    __m128i part_[4];
};

#else

class Block {
  public:
    explicit Block(const char* bytes) { std::memcpy(word_, bytes, sizeof word_); }

    std::uint64_t Equal(char byte) const {
        return Marks([byte](std::uint64_t word) {
            return EqualHigh(word, static_cast<std::uint8_t>(byte));
        });
    }

    std::uint64_t Digits() const {
        return Marks([](std::uint64_t word) {
            return ((word | kHigh) - Repeat('0')) & (Repeat(0x80 + '9') - (word & kLow7)) & ~word &
                   kHigh;
        });
    }

    std::uint64_t High() const {
        return Marks([](std::uint64_t word) { return word & kHigh; });
    }

    void StoreReplacing(char from, char to, char* out) const {
        const std::uint8_t change = static_cast<std::uint8_t>(from ^ to);
        for (int i = 0; i < 8; ++i) {
            const std::uint64_t hits = EqualHigh(word_[i], static_cast<std::uint8_t>(from)) >> 7;
            const std::uint64_t word = word_[i] ^ (hits * change);
            std::memcpy(out + 8 * i, &word, 8);
        }
    }

  private:
    static constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    static constexpr std::uint64_t kLow7 = ~kHigh;
    static constexpr std::uint64_t Repeat(std::uint8_t byte) {
        return 0x0101010101010101ull * byte;
    }

    // The high bit of each byte that equals byte.
    static std::uint64_t EqualHigh(std::uint64_t word, std::uint8_t byte) {
        const std::uint64_t x = word ^ Repeat(byte);
        return ~(((x & kLow7) + kLow7) | x | kLow7);
    }

    template <typename Test>
    std::uint64_t Marks(Test test) const {
        std::uint64_t marks = 0;
        for (int i = 0; i < 8; ++i) {
            marks |= (((test(word_[i]) >> 7) * 0x0102040810204080ull) >> 56) << (8 * i);
        }
        return marks;
    }

    std::uint64_t word_[8];
};

#endif

// The block at bytes[pos], or the bytes left there padded with zeros.
inline Block BlockAt(const char* bytes, std::size_t size, std::size_t pos) {
    if (pos + kBlockSize <= size) return Block(bytes + pos);
    char last[kBlockSize] = {};
    std::memcpy(last, bytes + pos, size - pos);
    return Block(last);
}

// The bits below bit n (n up to 64).
inline std::uint64_t Below(std::size_t n) { return n >= 64 ? ~0ull : (1ull << n) - 1; }

// The number of bits set, without a library call where the processor has no instruction.
inline int CountBits(std::uint64_t x) {
    x -= (x >> 1) & 0x5555555555555555ull;
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((x * 0x0101010101010101ull) >> 56);
}

}  // namespace lf::block_scan
