#include "browser/jpeg_decoder.h"

namespace lf {
namespace {

constexpr std::uint8_t kMarker = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;

int BigEndian16(ByteView bytes, std::size_t at) { return bytes[at] << 8 | bytes[at + 1]; }

// Start-of-frame markers: C0 to CF but for C4 (Huffman tables), C8 (reserved) and CC
// (arithmetic coding conditions).
bool IsStartOfFrame(std::uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length: TEM and the restart markers.
bool StandsAlone(std::uint8_t marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

}  // namespace

std::optional<PictureSize> JpegFrameSize(ByteView jpeg) {
    if (jpeg.size() < 2 || jpeg[0] != kMarker || jpeg[1] != kStartOfImage) return std::nullopt;
    std::size_t at = 2;
    while (at + 1 < jpeg.size()) {
        if (jpeg[at] != kMarker) return std::nullopt;
        const std::uint8_t marker = jpeg[at + 1];
        at += 2;
        if (marker == kMarker) {  // a fill byte before the marker
            --at;
            continue;
        }
        if (StandsAlone(marker)) continue;
        if (at + 2 > jpeg.size()) return std::nullopt;
        const auto length = static_cast<std::size_t>(BigEndian16(jpeg, at));
        if (IsStartOfFrame(marker)) {
            // length, sample precision, height, width
            if (length < 7 || at + 7 > jpeg.size()) return std::nullopt;
            return PictureSize{BigEndian16(jpeg, at + 5), BigEndian16(jpeg, at + 3)};
        }
        if (length < 2) return std::nullopt;
        at += length;
    }
    return std::nullopt;
}

}  // namespace lf
