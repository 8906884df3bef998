#include "browser/icon_sheets.h"

#include <memory>

namespace lf {
namespace {

PixelImage GreyBox() {
    return {kIconBoxSize, kIconBoxSize,
            std::vector<std::uint32_t>(kIconBoxSize * kIconBoxSize, kIconBoxGrey)};
}

}  // namespace

IconSheets::IconSheets(ResourceReader readResource,
                       std::function<void(const std::string&)> reportError)
    : readResource_(std::move(readResource)),
      reportError_(std::move(reportError)),
      box_(GreyBox()) {}

void IconSheets::ShowItemIcon(std::int32_t iconNumber) {
    const IconCell cell = CellOfIcon(iconNumber);
    if (cell.sheet != currentSheet_) {
        LoadIconSheet(cell.sheet);
        currentSheet_ = cell.sheet;  // even when no picture came of it
    }
    DrawIconCell(cell.column, cell.row);
}

void IconSheets::LoadIconSheet(std::int32_t sheet) {
    if (sheet == currentSheet_) return;
    held_ = PictureFromResource(sheet);
}

// Copies 31 x 31 pixels from the held sheet; without a sheet, or for a cell outside it (an
// icon number out of range in a patched table), the box stays grey.
void IconSheets::DrawIconCell(std::int32_t column, std::int32_t row) {
    box_ = GreyBox();
    if (!held_ || column < 0 || row < 0) return;
    const int left = kCellSide * column;
    const int top = kCellSide * row;
    for (int y = 0; y < kIconCopySize && top + y < held_->height; ++y) {
        for (int x = 0; x < kIconCopySize && left + x < held_->width; ++x) {
            box_.pixels[std::size_t(y) * kIconBoxSize + x] =
                held_->pixels[std::size_t(top + y) * held_->width + left + x];
        }
    }
}

std::optional<PixelImage> IconSheets::PictureFromResource(std::int32_t sheet) {
    if (sheet < 0 || sheet >= kIconSheetCount) return std::nullopt;  // no such resource
    auto bytes = readResource_(ResourceName(kCatalogueType), IconSheetId(sheet));
    if (!bytes) return std::nullopt;
    if (bytes->empty()) {
        reportError_("函数提供的是空数组!");
        return std::nullopt;
    }
    ++decodes_;
    auto image = DecodeJpeg(*bytes);
    if (!image) return std::nullopt;  // a sheet that does not decode shows no picture
    return std::move(*image);
}

}  // namespace lf
