// The item table loader on any bytes: a table or a clean load error, never a crash; and the
// table it reads from the GBK bytes is the one the decoded text holds, line by line and field by
// field.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/item_table.h"
#include "common/bytes.h"
#include "common/gbk.h"
#include "fuzz/fuzz_support.h"

namespace {

// Line `index` of a text split at every CR LF, or none.
std::optional<std::string_view> LineOf(std::string_view text, std::size_t index) {
    std::size_t start = 0;
    for (; index > 0; --index) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string_view::npos) return std::nullopt;
        start = end + 2;
    }
    return text.substr(start, text.find("\r\n", start) - start);
}

std::string_view FieldOf(std::string_view line, std::size_t index) {
    std::size_t start = 0;
    for (; index > 0; --index) start = line.find('|', start) + 1;
    return line.substr(start, line.find('|', start) - start);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = lf::AsText({data, size});
    auto table = lf::LoadItemTableInPlace(bytes);
    if (!table) return 0;
    const std::string decoded = lf::DecodeGbk(bytes);
    for (std::size_t row = 0; row < table->size(); ++row) {
        const std::optional<std::string_view> line = LineOf(decoded, row + 1);
        lf::fuzz::Require(line && table->RowText(row) == *line, "a row other than its line");
        lf::fuzz::Require((*table)[row].Name == FieldOf(*line, 1), "a name other than field 1");
    }
    return 0;
}
