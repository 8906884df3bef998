#pragma once

// Item pictures, cut from the icon sheets. One decoded sheet is held at a time.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "browser/jpeg_decoder.h"
#include "catalogue/catalogue_format.h"
#include "common/bytes.h"
#include "common/error.h"
#include "common/executable_resources.h"

namespace lf {

inline constexpr int kIconBoxSize = 32;
inline constexpr int kIconCopySize = 31;  // the last pixel row and column stay grey
inline constexpr std::uint32_t kIconBoxGrey = 0xFF808080;

// The icon box and the sheet held for it.
class IconSheets {
  public:
    // reportError receives the message shown when a sheet's resource is empty.
    IconSheets(ResourceReader readResource, std::function<void(const std::string&)> reportError);

    // Draws the icon of one item into the box, decoding its sheet only when the sheet changes.
    void ShowItemIcon(std::int32_t iconNumber);

    std::int32_t CurrentSheet() const { return currentSheet_; }
    const PixelImage& Box() const { return box_; }
    int Decodes() const { return decodes_; }

  private:
    void LoadIconSheet(std::int32_t sheet);
    void DrawIconCell(std::int32_t column, std::int32_t row);
    std::optional<PixelImage> PictureFromResource(std::int32_t sheet);

    ResourceReader readResource_;
    std::function<void(const std::string&)> reportError_;
    std::int32_t currentSheet_ = -1;
    std::optional<PixelImage> held_;
    PixelImage box_;
    int decodes_ = 0;
};

}  // namespace lf
