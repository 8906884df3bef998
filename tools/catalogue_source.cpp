#include "tools/catalogue_source.h"

#include "catalogue/catalogue_format.h"
#include "common/elf_file.h"
#include "common/executable_resources.h"
#include "common/file_io.h"
#include "common/pe_file.h"
#include "common/utf8_path.h"

namespace lf::tool {

Result<CatalogueSource> ReadCatalogueSource(const std::string& path) {
    auto bytes = ReadWholeFile(PathFromUtf8(path));
    if (!bytes) return std::unexpected(bytes.error());
    CatalogueSource source{std::move(*bytes), {}, false};
    source.executable = IsPeFile(source.file) || IsElf(source.file);
    if (!source.executable) {
        source.table = source.file;
        return source;
    }
    auto table =
        ReadResource(source.file, ResourceName(std::u16string(kCatalogueType)), kItemTableId);
    if (!table) return std::unexpected(table.error());
    source.table = *table;
    return source;
}

std::expected<ItemTable, std::string> LoadSourceTable(const CatalogueSource& source) {
    auto items = LoadItemTableInPlace(AsText(source.table));
    if (!items) {
        return std::unexpected(std::string(LoadErrorKindName(items.error().kind)) + " (" +
                               items.error().detail + ")");
    }
    return std::move(*items);
}

}  // namespace lf::tool
