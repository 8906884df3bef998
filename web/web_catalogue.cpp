#include "web/web_catalogue.h"

#include "catalogue/catalogue_format.h"

namespace lf::web {

std::uint8_t* WebCatalogue::Room(std::uint16_t id, std::size_t size) {
    Bytes& file = files_[id];
    file.assign(size, 0);
    return file.data();
}

Result<ByteView> WebCatalogue::Read(const ResourceName& type, const ResourceName& name) const {
    static const ResourceName catalogueType(kCatalogueType);
    const auto file = name.IsId() ? files_.find(name.Id()) : files_.end();
    if (!(type == catalogueType) || file == files_.end()) {
        return Fail(Error::Kind::NotFound,
                    "resource " + type.ToString() + "/" + name.ToString() + " not found");
    }
    return ByteView(file->second);
}

}  // namespace lf::web
