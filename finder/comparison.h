#pragma once

// Two items side by side: every named value in which they differ, and which of the two is the
// better for a player.

#include <cstdint>
#include <vector>

#include "finder/item_facts.h"

namespace lf::finder {

enum class Verdict : std::uint8_t { Better, Worse, Neither };

struct Difference {
    Column column;
    std::int32_t pinned;
    std::int32_t other;
    std::int64_t change;  // other - pinned
    Verdict verdict;      // of the other item against the pinned one
};

// The columns in which the two differ, in column order.
std::vector<Difference> Compare(const ItemFacts& pinned, const ItemFacts& other);

}  // namespace lf::finder
