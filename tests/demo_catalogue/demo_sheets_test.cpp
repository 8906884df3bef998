// The shipped icon sheets, and the generator that writes the whole catalogue.

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "common/file_io.h"
#include "tests/support/child_process.h"
#include "tests/support/test_folder.h"

namespace lf {
namespace {

namespace fs = std::filesystem;

std::string SheetName(int number) {
    char name[32];
    std::snprintf(name, sizeof name, "icon_sheet_%02d.jpg", number);
    return name;
}

std::vector<std::string> CatalogueFiles() {
    std::vector<std::string> names = {"item_table.txt"};
    for (int number = 1; number <= 16; ++number) names.push_back(SheetName(number));
    return names;
}

Bytes ReadOrEmpty(const fs::path& path) {
    auto bytes = ReadWholeFile(path);
    return bytes ? *bytes : Bytes{};
}

Bytes Sheet(int number) { return ReadOrEmpty(fs::path(LF_CATALOGUE_DIR) / SheetName(number)); }

// The marker codes of the segments before the first scan, in order.
std::vector<std::uint8_t> HeaderMarkers(const Bytes& jpeg) {
    std::vector<std::uint8_t> markers;
    for (std::size_t at = 2; at + 4 <= jpeg.size() && jpeg[at] == 0xFF;) {
        markers.push_back(jpeg[at + 1]);
        if (jpeg[at + 1] == 0xDA) break;
        at += 2 + (jpeg[at + 2] << 8 | jpeg[at + 3]);
    }
    return markers;
}

struct Decoder {
    tjhandle handle = tjInitDecompress();
    ~Decoder() { tjDestroy(handle); }
};

TEST(ShippedIconSheets, AreBaselineJpegsOfTheGridPaddedToFourBytes) {
    Decoder decoder;
    for (int number = 1; number <= 16; ++number) {
        SCOPED_TRACE(SheetName(number));
        const Bytes jpeg = Sheet(number);
        ASSERT_FALSE(jpeg.empty()) << "the build did not write the sheet";
        EXPECT_GE(jpeg.size(), 150000u);
        EXPECT_LE(jpeg.size(), 250000u);
        EXPECT_EQ(jpeg.size() % 4, 0u);
        const auto padding =
            std::find_if(jpeg.rbegin(), jpeg.rend(), [](auto b) { return b; }) - jpeg.rbegin();
        EXPECT_LE(padding, 3);
        ASSERT_GE(jpeg.size(), static_cast<std::size_t>(padding) + 2);
        EXPECT_EQ(jpeg[jpeg.size() - padding - 2], 0xFF);
        EXPECT_EQ(jpeg[jpeg.size() - padding - 1], 0xD9) << "end-of-image marker";
        EXPECT_EQ(std::string(jpeg.begin() + 6, jpeg.begin() + 11), std::string("JFIF\0", 5));

        const auto markers = HeaderMarkers(jpeg);
        EXPECT_NE(std::find(markers.begin(), markers.end(), 0xC0), markers.end()) << "baseline";
        EXPECT_EQ(markers.back(), 0xDA);
        int width = 0, height = 0, subsampling = 0, colourspace = 0;
        ASSERT_EQ(tjDecompressHeader3(decoder.handle, jpeg.data(), jpeg.size(), &width, &height,
                                      &subsampling, &colourspace),
                  0);
        EXPECT_EQ(width, 512);
        EXPECT_EQ(height, 512);
        EXPECT_TRUE(subsampling == TJSAMP_444 || subsampling == TJSAMP_422);
        EXPECT_EQ(colourspace, TJCS_YCbCr);
    }
}

TEST(ShippedIconSheets, LastTwoAreIdenticalAndTheOthersDiffer) {
    std::vector<Bytes> sheets;
    for (int number = 1; number <= 16; ++number) sheets.push_back(Sheet(number));
    EXPECT_EQ(sheets[14], sheets[15]);
    for (int a = 0; a < 15; ++a) {
        for (int b = a + 1; b < 15; ++b) EXPECT_NE(sheets[a], sheets[b]) << a + 1 << " " << b + 1;
    }
}

// Every cell holds a drawn picture: bright and dark parts and many colours, not a flat field.
TEST(ShippedIconSheets, EveryCellHoldsAPicture) {
    Decoder decoder;
    for (int number : {1, 8, 15}) {
        SCOPED_TRACE(SheetName(number));
        const Bytes jpeg = Sheet(number);
        std::vector<std::uint8_t> rgb(512 * 512 * 3);
        ASSERT_EQ(tjDecompress2(decoder.handle, jpeg.data(), jpeg.size(), rgb.data(), 512, 0, 512,
                                TJPF_RGB, TJFLAG_ACCURATEDCT),
                  0);
        for (int cell = 0; cell < 256; ++cell) {
            int darkest = 255, brightest = 0;
            std::vector<int> colours;
            for (int y = 4; y < 28; ++y) {
                for (int x = 4; x < 28; ++x) {
                    const auto* pixel = &rgb[((cell / 16 * 32 + y) * 512 + cell % 16 * 32 + x) * 3];
                    const int light = (pixel[0] * 3 + pixel[1] * 6 + pixel[2]) / 10;
                    darkest = std::min(darkest, light);
                    brightest = std::max(brightest, light);
                    colours.push_back(pixel[0] / 32 * 64 + pixel[1] / 32 * 8 + pixel[2] / 32);
                }
            }
            std::sort(colours.begin(), colours.end());
            const auto distinct = std::unique(colours.begin(), colours.end()) - colours.begin();
            EXPECT_GT(brightest - darkest, 100) << "cell " << cell;
            EXPECT_GT(distinct, 6) << "cell " << cell;
        }
    }
}

class Generator : public testing::FolderTest {
  protected:
    static int Run(const std::string& arguments) {
        return testing::RunShell("'" LF_CATALOGUE_GEN "' " + arguments + " 2>/dev/null").status;
    }
};

// The build ran the generator once; a second run must write the same bytes.
TEST_F(Generator, WritesTheSameBytesOnEveryRun) {
    ASSERT_EQ(Run("'" + folder_.string() + "/out'"), 0);
    for (const std::string& name : CatalogueFiles()) {
        const Bytes built = ReadOrEmpty(fs::path(LF_CATALOGUE_DIR) / name);
        ASSERT_FALSE(built.empty()) << name;
        EXPECT_TRUE(ReadOrEmpty(folder_ / "out" / name) == built) << name << " differs";
    }
}

TEST_F(Generator, RefusesBadArgumentsAndFoldersItCannotWrite) {
    EXPECT_EQ(Run(""), 2);
    EXPECT_EQ(Run("a b"), 2);
    const fs::path file = folder_ / "not_a_folder";
    std::FILE* out = std::fopen(file.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fputs("keep me", out);
    std::fclose(out);
    EXPECT_EQ(Run("'" + file.string() + "'"), 1);
    EXPECT_EQ(ReadOrEmpty(file), Bytes({'k', 'e', 'e', 'p', ' ', 'm', 'e'}));
}

}  // namespace
}  // namespace lf
