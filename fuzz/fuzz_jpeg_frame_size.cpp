// The frame size read from a sheet's markers, on any bytes: wherever TurboJPEG reads a frame
// header as well, both read the same size.

#include <turbojpeg.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "browser/jpeg_decoder.h"
#include "fuzz/fuzz_support.h"

namespace {

struct TjDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<lf::PictureSize> ours = lf::JpegFrameSize({data, size});
    static const std::unique_ptr<void, TjDeleter> decoder(tjInitDecompress());
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    const bool theirs = tjDecompressHeader3(decoder.get(), const_cast<std::uint8_t*>(data),
                                            static_cast<unsigned long>(size), &width, &height,
                                            &subsampling, &colourspace) == 0;
    if (ours && theirs) {
        lf::fuzz::Require(ours->width == width && ours->height == height,
                          "a frame size other than TurboJPEG's");
    }
    return 0;
}
