#pragma once

// The demo icon sheets, drawn and encoded the same way on every build.

#include "common/bytes.h"
#include "common/error.h"

namespace lf::demo {

inline constexpr int kSheetQuality = 90;

// Sheet `sheet` (0 to 15) as the browser stores it: a baseline JPEG of 16 x 16 item pictures,
// 512 x 512 pixels, followed by zero bytes up to a multiple of four. The sixteenth sheet repeats
// the fifteenth byte for byte.
Result<Bytes> EncodeIconSheet(int sheet);

}  // namespace lf::demo
