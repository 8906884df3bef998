#include "modding/plain_numbers.h"

#include <bit>
#include <cstdint>

#include "modding/block_scan.h"

namespace lf {
namespace {

using block_scan::Below;
using block_scan::kBlockSize;

// The bytes of a block that a plain number is made of.
struct Kinds {
    std::uint64_t bar, dot, minus, digit;
};

Kinds Sort(const block_scan::Block& block) {
    return {block.Equal('|'), block.Equal('.'), block.Equal('-'), block.Digits()};
}

constexpr int kLongestRun = 9;  // nine digits stay below 2^31 whatever follows

int Highest(std::uint64_t mask) { return 63 - std::countl_zero(mask); }

// Walks the text a block at a time, one bit per byte; what a field needs from the bytes before a
// block is carried over.
class Scan {
  public:
    explicit Scan(std::size_t fields) : barsLeft_(static_cast<int>(fields)) {}

    // Takes the bytes of a block that valid marks; false when a field is not a plain number.
    // Sets `closed` past the "|" that closes the last field once it is reached.
    bool Take(Kinds k, std::uint64_t valid, std::size_t& closed) {
        k.bar &= valid;
        int stop = -1;
        if (const int bars = block_scan::CountBits(k.bar); bars >= barsLeft_) {
            std::uint64_t rest = k.bar;
            for (int i = 1; i < barsLeft_; ++i) rest &= rest - 1;
            stop = std::countr_zero(rest);
            valid &= Below(static_cast<std::size_t>(stop) + 1);
            k.bar &= valid;
        } else {
            barsLeft_ -= bars;
        }
        k = {k.bar, k.dot & valid, k.minus & valid, k.digit & valid};
        const std::uint64_t afterBar = k.bar << 1 | afterBar_;
        const std::uint64_t afterDigit = k.digit << 1 | afterDigit_;
        // A field ends in a digit, so it is never empty; a "-" only starts one.
        if ((valid & ~(k.digit | k.bar | k.dot | k.minus)) || (k.minus & ~afterBar) ||
            (k.bar & ~afterDigit) || !DotsApart(k) || !RunsShort(k.digit, valid)) {
            return false;
        }
        if (stop >= 0) {
            closed = static_cast<std::size_t>(stop) + 1;
            return true;
        }
        afterBar_ = k.bar >> 63;
        afterDigit_ = k.digit >> 63;
        return true;
    }

  private:
    // No field holds two dots: the event before each dot is a "|", never another dot.
    bool DotsApart(const Kinds& k) {
        const std::uint64_t events = k.bar | k.dot;
        for (std::uint64_t dots = k.dot; dots; dots &= dots - 1) {
            const std::uint64_t before =
                events & Below(static_cast<std::size_t>(std::countr_zero(dots)));
            if (before ? (k.dot >> Highest(before) & 1) != 0 : lastEventDot_) return false;
        }
        if (events) lastEventDot_ = (k.dot >> Highest(events) & 1) != 0;
        return true;
    }

    // No run of ten digits: none within the block, none through its first bytes.
    bool RunsShort(std::uint64_t digit, std::uint64_t valid) {
        std::uint64_t eight = digit & digit >> 1;
        eight &= eight >> 2;
        eight &= eight >> 4;
        if (eight & digit >> 8 & digit >> 9) return false;
        const std::uint64_t gaps = ~digit & valid;
        if (!gaps) {
            run_ += block_scan::CountBits(valid);
            return run_ <= kLongestRun;
        }
        if (run_ + std::countr_zero(gaps) > kLongestRun) return false;
        run_ = std::countl_zero(gaps | ~valid);
        return true;
    }

    int barsLeft_;
    std::uint64_t afterBar_ = 1;  // the text starts a field
    std::uint64_t afterDigit_ = 0;
    bool lastEventDot_ = false;
    int run_ = 0;
};

}  // namespace

std::size_t PlainNumberFields(std::string_view text, std::size_t fields) {
    if (fields == 0) return 0;
    Scan scan(fields);
    for (std::size_t pos = 0; pos < text.size(); pos += kBlockSize) {
        std::size_t closed = std::string_view::npos;
        const Kinds kinds = Sort(block_scan::BlockAt(text.data(), text.size(), pos));
        if (!scan.Take(kinds, Below(text.size() - pos), closed)) return std::string_view::npos;
        if (closed != std::string_view::npos) return pos + closed;
    }
    return std::string_view::npos;
}

}  // namespace lf
