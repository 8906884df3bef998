#include "browser/icon_sheets.h"

#include <turbojpeg.h>

#include <cmath>
#include <memory>

namespace lf {
namespace {

constexpr int kCellsPerSide = 16;
constexpr int kCellSize = 32;
constexpr std::int32_t kFirstSheetId = 1001;

struct TjDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};

PixelImage GreyBox() {
    return {kIconBoxSize, kIconBoxSize,
            std::vector<std::uint32_t>(kIconBoxSize * kIconBoxSize, kIconBoxGrey)};
}

}  // namespace

Result<PixelImage> DecodeJpeg(ByteView jpeg) {
    std::unique_ptr<void, TjDeleter> handle(tjInitDecompress());
    if (!handle) return Fail(Error::Kind::Io, "cannot start the JPEG decoder");
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    auto* data = const_cast<unsigned char*>(jpeg.data());
    const auto size = static_cast<unsigned long>(jpeg.size());
    if (tjDecompressHeader3(handle.get(), data, size, &width, &height, &subsampling,
                            &colourspace) != 0) {
        return Fail(Error::Kind::Malformed,
                    std::string("not a JPEG picture: ") + tjGetErrorStr2(handle.get()));
    }
    PixelImage image{width, height, std::vector<std::uint32_t>(std::size_t(width) * height)};
    // BGRA bytes are 0xAARRGGBB words on a little-endian machine.
    if (tjDecompress2(handle.get(), data, size,
                      reinterpret_cast<unsigned char*>(image.pixels.data()), width, 0, height,
                      TJPF_BGRA, 0) != 0 &&
        tjGetErrorCode(handle.get()) == TJERR_FATAL) {
        return Fail(Error::Kind::Malformed, std::string("the JPEG picture does not decode: ") +
                                                tjGetErrorStr2(handle.get()));
    }
    return image;
}

IconCell CellOfIcon(std::int32_t n) {
    const auto sheet = static_cast<std::int32_t>(std::floor(n / 256.0));
    const std::int32_t cell = n % 256;  // takes the sign of n
    return {sheet, cell % kCellsPerSide, static_cast<std::int32_t>(std::floor(cell / 16.0))};
}

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
    const int left = kCellSize * column;
    const int top = kCellSize * row;
    for (int y = 0; y < kIconCopySize && top + y < held_->height; ++y) {
        for (int x = 0; x < kIconCopySize && left + x < held_->width; ++x) {
            box_.pixels[std::size_t(y) * kIconBoxSize + x] =
                held_->pixels[std::size_t(top + y) * held_->width + left + x];
        }
    }
}

std::optional<PixelImage> IconSheets::PictureFromResource(std::int32_t sheet) {
    if (sheet < 0 || sheet >= kIconSheetCount) return std::nullopt;  // no such resource
    auto bytes =
        readResource_(ResourceName(u"CUSTOM"), static_cast<std::uint16_t>(kFirstSheetId + sheet));
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
