// The card composer on any row text, in both languages.

#include <cstddef>
#include <cstdint>

#include "common/bytes.h"
#include "composer/card.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view row = lf::AsText({data, size});
    for (bool isChineseUI : {true, false}) {
        const lf::Card card = lf::SetItemStat(row, isChineseUI);
        lf::fuzz::Require(card.title.has_value() == !row.empty(),
                          "a card without a title, or a title for an empty row");
    }
    return 0;
}
