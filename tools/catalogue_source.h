#pragma once

// What a command reads a catalogue from: an item table file, or an executable that carries one
// (a Lorefinder.exe, patched or not, of either platform), read as the browser reads its own.

#include <string>

#include "catalogue/item_table.h"
#include "common/bytes.h"
#include "common/error.h"

namespace lf::tool {

struct CatalogueSource {
    Bytes file;
    ByteView table;  // within file
    bool executable = false;
};

Result<CatalogueSource> ReadCatalogueSource(const std::string& path);

// The source's item table loaded, or the loader's reason for refusing it, for a message. The
// table keeps views of the source, which must outlive it.
std::expected<ItemTable, std::string> LoadSourceTable(const CatalogueSource& source);

}  // namespace lf::tool
