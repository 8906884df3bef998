// The description markup on any text: every block it makes is a piece of the description.

#include <cstddef>
#include <cstdint>

#include "common/bytes.h"
#include "composer/card_builders.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view description = lf::AsText({data, size});
    lf::Card card;
    lf::AddDescription(card, description);
    for (const lf::TextBlock& block : card.blocks) {
        lf::fuzz::Require(description.find(block.text) != std::string_view::npos,
                          "a block that is no piece of the description");
    }
    return 0;
}
