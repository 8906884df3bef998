#pragma once

// The shipped item table as the benchmarks read it: once per program. A program that cannot read
// it ends, saying why.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalogue/item_table.h"
#include "common/file_io.h"

namespace lf::bench {

[[noreturn]] inline void StopBecause(const std::string& why) {
    std::fprintf(stderr, "%s\n", why.c_str());
    std::exit(1);
}

// The table's GBK bytes.
inline const std::string& ShippedTableText() {
    static const std::string text = [] {
        auto bytes = ReadWholeFile(LF_CATALOGUE_DIR "/item_table.txt");
        if (!bytes) StopBecause(bytes.error().message);
        return std::string(AsText(*bytes));
    }();
    return text;
}

inline const ItemTable& ShippedItems() {
    static const ItemTable items = [] {
        auto loaded = LoadItemTableInPlace(ShippedTableText());
        if (!loaded)
            StopBecause("item table: " + std::string(LoadErrorKindName(loaded.error().kind)));
        return *std::move(loaded);
    }();
    return items;
}

// Every record of the table decoded, for benchmarks of what reads decoded rows.
inline const std::vector<std::string>& ShippedRows() {
    static const std::vector<std::string> rows = [] {
        std::vector<std::string> decoded;
        for (std::size_t row = 0; row < ShippedItems().size(); ++row) {
            decoded.push_back(ShippedItems().RowText(row));
        }
        return decoded;
    }();
    return rows;
}

}  // namespace lf::bench
