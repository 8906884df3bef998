// The modder's table tools on any bytes: check and both conversions end in a result or a clean
// refusal, and every table the browser loads comes back from its CSV byte for byte.

#include <cstddef>
#include <cstdint>

#include "common/bytes.h"
#include "fuzz/fuzz_support.h"
#include "modding/item_table_check.h"
#include "modding/table_csv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = lf::AsText({data, size});
    const lf::TableCheck check = lf::CheckItemTable(bytes);
    const auto csv = lf::ItemTableToCsv(bytes, size % 2 == 1);
    lf::fuzz::Require(csv.has_value() == check.Loads(), "check and to-csv disagree on loading");
    if (csv) {
        const auto back = lf::ItemTableFromCsv(*csv);
        lf::fuzz::Require(back && *back == bytes,
                          "a loadable table changed on its way through CSV");
    }
    (void)lf::ItemTableFromCsv(bytes);  // the same bytes taken as a CSV
    return 0;
}
