#pragma once

// The catalogue's only source of variety: a fixed-seed splitmix64 stream, so that every build
// writes the same bytes. Integer arithmetic only; nothing depends on the platform's library.

#include <cstdint>
#include <iterator>
#include <span>

namespace lf::demo {

class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    // A stream of its own for one item or one picture, independent of how many draws others made.
    static Random For(std::uint64_t stream, std::uint64_t index) {
        Random mixer(stream * 0x9E3779B97F4A7C15ull + index);
        return Random(mixer.Next());
    }

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A whole number from lo to hi, both included.
    std::int64_t Between(std::int64_t lo, std::int64_t hi) {
        const auto span = static_cast<std::uint64_t>(hi - lo) + 1;
        return lo + static_cast<std::int64_t>(Next() % span);
    }

    // True in `percent` cases out of a hundred.
    bool Percent(int percent) { return Between(0, 99) < percent; }

    // One element of an array, span or vector.
    template <typename Choices>
    const auto& Pick(const Choices& choices) {
        return choices[static_cast<std::size_t>(Between(0, std::ssize(choices) - 1))];
    }

    // An index drawn by relative weights.
    std::size_t Weighted(std::span<const int> weights) {
        int total = 0;
        for (int w : weights) total += w;
        auto roll = static_cast<int>(Between(0, total - 1));
        for (std::size_t i = 0; i < weights.size(); ++i) {
            if (roll < weights[i]) return i;
            roll -= weights[i];
        }
        return weights.size() - 1;
    }

  private:
    std::uint64_t state_;
};

}  // namespace lf::demo
