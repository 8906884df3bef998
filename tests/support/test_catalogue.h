#pragma once

// Small catalogues made in the tests: records, tables and icon sheets in the shipped formats.

#include <map>
#include <string>
#include <vector>

#include "catalogue/catalogue_format.h"
#include "common/bytes.h"
#include "common/executable_resources.h"
#include "tests/support/jpeg_encoder.h"
#include "tests/support/record_text.h"

namespace lf::testing {

// A record of `fields` closed fields (87 make the usual 88 elements) that holds its number, name,
// icon number and description.
inline std::string Record(int number, const std::string& name, const std::string& icon = "5",
                          int fields = 87, const std::string& description = "") {
    using namespace record_field;
    return RecordText(static_cast<std::size_t>(fields))
        .Set(kNumber, std::to_string(number))
        .Set(kName, name)
        .Set(kIcon, icon)
        .Set(kDescription, description.empty() ? "desc " + std::to_string(number) : description)
        .Text();
}

// Line 0 holds count, then one line per record, each ending in CR LF.
inline std::string Table(const std::vector<std::string>& records, const std::string& count) {
    std::string text = count + "\r\n";
    for (const auto& r : records) text += r + "\r\n";
    return text;
}

// A 512 x 512 sheet whose cell (c, r) is a flat colour made of c, r and the sheet's tint,
// as a JPEG followed by zeroPadding zero bytes.
inline Bytes SheetJpeg(int tint, int zeroPadding = 0) {
    std::vector<unsigned char> rgb(512 * 512 * 3);
    for (int y = 0; y < 512; ++y) {
        for (int x = 0; x < 512; ++x) {
            unsigned char* p = &rgb[(y * 512 + x) * 3];
            p[0] = static_cast<unsigned char>((x / 32) * 16);
            p[1] = static_cast<unsigned char>((y / 32) * 16);
            p[2] = static_cast<unsigned char>(tint);
        }
    }
    Bytes bytes = EncodeJpeg(rgb, 512, 512);
    bytes.resize(bytes.size() + zeroPadding, 0);
    return bytes;
}

// CUSTOM resources by id, served the way the browser reads its own.
class FakeResources {
  public:
    std::map<std::uint16_t, Bytes> byId;

    void SetTable(const std::string& table) {
        byId[kItemTableId] = Bytes(table.begin(), table.end());
    }
    void AddSheets() {
        for (int sheet = 0; sheet < kIconSheetCount; ++sheet) {
            byId[IconSheetId(sheet)] = SheetJpeg(sheet * 15, sheet % 4);
        }
    }
    ResourceReader Reader() {
        return [this](const ResourceName& type, const ResourceName& name) -> Result<ByteView> {
            auto it = byId.find(name.Id());
            if (!(type == ResourceName(kCatalogueType)) || !name.IsId() || it == byId.end()) {
                return Fail(Error::Kind::NotFound, "resource " + name.ToString() + " not found");
            }
            return ByteView(it->second);
        };
    }
};

}  // namespace lf::testing
