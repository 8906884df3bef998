// Icon sheets on Linux: TurboJPEG decodes them.

#include <turbojpeg.h>

#include <memory>

#include "browser/jpeg_decoder.h"

namespace lf {
namespace {

struct TjDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};

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
    if (auto fits = CheckPictureSize(width, height); !fits) return std::unexpected(fits.error());
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

}  // namespace lf
