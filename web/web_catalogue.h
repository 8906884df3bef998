#pragma once

// The catalogue of the web page: the item table and the icon sheets, fetched by the page as
// files and handed to the module byte for byte, served to the presenter as the browser's own
// resources (type CUSTOM, ids 101 and 1001 to 1016).

#include <cstdint>
#include <map>

#include "common/bytes.h"
#include "common/executable_resources.h"

namespace lf::web {

class WebCatalogue {
  public:
    // Room for the resource of that id, which the page fills; it replaces what was there.
    std::uint8_t* Room(std::uint16_t id, std::size_t size);

    // A resource the page did not hand over is not found, as in an executable without it.
    Result<ByteView> Read(const ResourceName& type, const ResourceName& name) const;
    ResourceReader Reader() const {
        return
            [this](const ResourceName& type, const ResourceName& name) { return Read(type, name); };
    }

  private:
    std::map<std::uint16_t, Bytes> files_;
};

}  // namespace lf::web
