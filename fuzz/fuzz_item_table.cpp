// The item table loader on any bytes: a table or a clean load error, never a crash.

#include <cstddef>
#include <cstdint>

#include "catalogue/item_table.h"
#include "common/bytes.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto table = lf::LoadItemTable(lf::AsText({data, size}));
    if (!table) return 0;
    for (const lf::ItemEntry& item : *table) {
        const std::string_view description = lf::DescriptionOf(item.RowText);
        lf::fuzz::Require(description.empty() || (description.data() >= item.RowText.data() &&
                                                  description.data() + description.size() <=
                                                      item.RowText.data() + item.RowText.size()),
                          "a description outside its row");
    }
    return 0;
}
