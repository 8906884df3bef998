#pragma once

// Icon sheets are JPEG pictures, decoded by the platform's own decoder.

#include <cstdint>
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

// Pictures over kLargestPictureSide on a side are refused before anything is allocated for them.
Result<PixelImage> DecodeJpeg(ByteView jpeg);

}  // namespace lf
