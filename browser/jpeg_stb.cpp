// Icon sheets on the web page: stb_image (Debian's libstb-dev) decodes them inside the module,
// from the bytes the page fetched. Only its JPEG reader is compiled: no files, no other formats.

#include "browser/jpeg_decoder.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_THREAD_LOCALS
// The decoder's own bound, for a frame header that our marker scan did not find.
#define STBI_MAX_DIMENSIONS 4096
#include <stb/stb_image.h>

#include <memory>

namespace lf {
namespace {

static_assert(STBI_MAX_DIMENSIONS == kLargestPictureSide);

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

}  // namespace

Result<PixelImage> DecodeJpeg(ByteView jpeg) {
    if (jpeg.size() > std::size_t{INT32_MAX}) {
        return Fail(Error::Kind::TooLarge, "the JPEG picture is too large");
    }
    // The decoder allocates the whole picture as soon as it has read the frame header.
    if (const auto declared = JpegFrameSize(jpeg)) {
        if (auto fits = CheckPictureSize(declared->width, declared->height); !fits) {
            return std::unexpected(fits.error());
        }
    }
    int width = 0, height = 0, channels = 0;
    const std::unique_ptr<stbi_uc, StbFree> rgba(stbi_load_from_memory(
        jpeg.data(), static_cast<int>(jpeg.size()), &width, &height, &channels, 4));
    if (!rgba) {
        return Fail(Error::Kind::Malformed,
                    std::string("the JPEG picture does not decode: ") + stbi_failure_reason());
    }
    if (auto fits = CheckPictureSize(width, height); !fits) return std::unexpected(fits.error());
    PixelImage image{width, height, std::vector<std::uint32_t>(std::size_t(width) * height)};
    const stbi_uc* pixel = rgba.get();
    for (std::uint32_t& word : image.pixels) {
        word =
            0xFF000000u | std::uint32_t{pixel[0]} << 16 | std::uint32_t{pixel[1]} << 8 | pixel[2];
        pixel += 4;
    }
    return image;
}

}  // namespace lf
