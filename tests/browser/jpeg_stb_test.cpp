// The web page's JPEG decoder (stb_image) against the desktop's (TurboJPEG), on the shipped
// sheets: the same pictures, but for the rounding of two different inverse DCTs.

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <cstdio>
#include <cstdlib>

#include "browser/jpeg_decoder.h"
#include "common/file_io.h"

namespace lf {
namespace {

TEST(StbJpeg, TheShippedSheetsDecodeAsTurboJpegDecodesThem) {
    for (int sheet = 1; sheet <= 16; ++sheet) {
        char name[32];
        std::snprintf(name, sizeof name, "/icon_sheet_%02d.jpg", sheet);
        const auto jpeg = ReadWholeFile(std::string(LF_CATALOGUE_DIR) + name);
        ASSERT_TRUE(jpeg) << name;
        const auto ours = DecodeJpeg(*jpeg);
        ASSERT_TRUE(ours) << name << ": " << ours.error().message;

        tjhandle handle = tjInitDecompress();
        std::vector<std::uint32_t> theirs(std::size_t(ours->width) * ours->height);
        const int status =
            tjDecompress2(handle, jpeg->data(), static_cast<unsigned long>(jpeg->size()),
                          reinterpret_cast<unsigned char*>(theirs.data()), ours->width, 0,
                          ours->height, TJPF_BGRA, 0);
        tjDestroy(handle);
        ASSERT_EQ(status, 0) << name;

        int largest = 0;
        std::size_t beyondOne = 0;
        for (std::size_t i = 0; i < theirs.size(); ++i) {
            for (int shift : {0, 8, 16, 24}) {
                const int difference =
                    std::abs(int(ours->pixels[i] >> shift & 0xFF) - int(theirs[i] >> shift & 0xFF));
                largest = std::max(largest, difference);
                beyondOne += difference > 1;
            }
        }
        EXPECT_LE(largest, 4) << name;
        EXPECT_LT(beyondOne, theirs.size() / 100) << name;
    }
}

}  // namespace
}  // namespace lf
