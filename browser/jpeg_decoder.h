#pragma once

// Icon sheets are JPEG pictures, decoded by the platform's own decoder.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "common/error.h"

namespace lf {

// 32-bit pixels 0xAARRGGBB, row by row.
struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// A sheet is 512 pixels on a side; a header declaring far more would only exhaust memory.
inline constexpr int kLargestPictureSide = 4096;

// Refuses a picture whose header declares more than kLargestPictureSide on a side.
inline Result<void> CheckPictureSize(int width, int height) {
    if (width <= kLargestPictureSide && height <= kLargestPictureSide) return {};
    return Fail(Error::Kind::Unsupported,
                "the JPEG picture is too large: " + std::to_string(width) + " x " +
                    std::to_string(height) + " pixels, at most " +
                    std::to_string(kLargestPictureSide) + " on a side");
}

struct PictureSize {
    int width = 0;
    int height = 0;
};

// The size the picture's frame header declares, read from the markers before it; none when the
// bytes hold no frame header. For decoders that allocate the whole picture as soon as they open
// it, so that the bound is checked first.
std::optional<PictureSize> JpegFrameSize(ByteView jpeg);

// Pictures over kLargestPictureSide on a side are refused before anything is allocated for them.
Result<PixelImage> DecodeJpeg(ByteView jpeg);

}  // namespace lf
