#pragma once

// The files of a web catalogue's site: the page's program files at its top (index.html, the
// module, its script and style), the catalogue's files as they are in catalogue/, under the
// names the demo catalogue's generator gives them. lftool site writes this layout and the page
// fetches it.

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/catalogue_format.h"

namespace lf::web {

inline constexpr char kCatalogueFolder[] = "catalogue";
// Marks a folder that lftool site wrote, and may therefore replace.
inline constexpr char kSiteMarkerFile[] = ".lftool-site";

struct CatalogueFile {
    std::uint16_t id;  // the resource id in Lorefinder.exe
    std::string name;  // in the catalogue folder
};

// The item table first, then the sixteen sheets in order.
inline std::vector<CatalogueFile> CatalogueFiles() {
    std::vector<CatalogueFile> files{{kItemTableId, "item_table.txt"}};
    for (int sheet = 0; sheet < kIconSheetCount; ++sheet) {
        const std::string number = std::to_string(sheet + 1);
        files.push_back(
            {IconSheetId(sheet),
             "icon_sheet_" + std::string(number.size() < 2 ? "0" : "") + number + ".jpg"});
    }
    return files;
}

}  // namespace lf::web
