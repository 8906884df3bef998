#pragma once

// Chinese names and descriptions of the demo items, as UTF-8.

#include <string>
#include <string_view>

#include "demo_catalogue/item_kinds.h"
#include "demo_catalogue/pictures.h"
#include "demo_catalogue/random.h"

namespace lf::demo {

// The name the rows of one series share before their "+N" and ".G" endings.
std::string SeriesName(const KindPlan& plan, Rarity rarity, Random& random);

// A description in the item table's markup: plain sentences, or sentences split into coloured
// blocks by the codes #N# #R# #G# #B# #X#.
std::string Description(const KindPlan& plan, Random& random);

// True when the GBK form of the text holds a double-byte character whose second byte is '|',
// the case a reader must not mistake for a field separator.
bool HasSeparatorTrail(std::string_view utf8);

}  // namespace lf::demo
