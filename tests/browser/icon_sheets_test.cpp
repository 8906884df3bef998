#include "browser/icon_sheets.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/test_catalogue.h"

namespace lf {
namespace {

class IconSheetsTest : public ::testing::Test {
  protected:
    IconSheetsTest()
        : sheets_(resources_.Reader(),
                  [this](const std::string& message) { messages_.push_back(message); }) {
        resources_.AddSheets();
    }

    std::uint32_t BoxPixel(int x, int y) const { return sheets_.Box().pixels[y * 32 + x]; }

    testing::FakeResources resources_;
    std::vector<std::string> messages_;
    IconSheets sheets_;
};

TEST_F(IconSheetsTest, CopiesA31PixelCellAndLeavesAGreyStrip) {
    sheets_.ShowItemIcon(601);  // sheet 2, column 9, row 5
    auto decoded = DecodeJpeg(resources_.byId[1003]);
    ASSERT_TRUE(decoded);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const std::uint32_t expected = (x < 31 && y < 31)
                                               ? decoded->pixels[(5 * 32 + y) * 512 + 9 * 32 + x]
                                               : kIconBoxGrey;
            ASSERT_EQ(BoxPixel(x, y), expected) << x << "," << y;
        }
    }
    EXPECT_EQ(sheets_.CurrentSheet(), 2);
}

TEST_F(IconSheetsTest, DecodesASheetOnlyWhenTheSheetChanges) {
    sheets_.ShowItemIcon(255);
    sheets_.ShowItemIcon(3);
    EXPECT_EQ(sheets_.Decodes(), 1);
    sheets_.ShowItemIcon(256);
    EXPECT_EQ(sheets_.Decodes(), 2);
    EXPECT_EQ(sheets_.CurrentSheet(), 1);
    sheets_.ShowItemIcon(3834);  // sheet 14, padded with two zero bytes
    EXPECT_NE(BoxPixel(0, 0), kIconBoxGrey);
}

TEST_F(IconSheetsTest, BadSheetsLeaveTheBoxGreyWithoutRetrying) {
    resources_.byId[1004] = Bytes(100, 0x42);  // sheet 3 is no JPEG
    EXPECT_FALSE(JpegFrameSize(resources_.byId[1004]));
    sheets_.ShowItemIcon(3 * 256 + 5);
    EXPECT_EQ(BoxPixel(0, 0), kIconBoxGrey);
    sheets_.ShowItemIcon(3 * 256 + 6);
    EXPECT_EQ(sheets_.Decodes(), 1) << "the same sheet is not tried again";
    EXPECT_TRUE(messages_.empty());

    // Sheet 5's header declares 60000 x 60000 pixels: refused before it is decoded.
    Bytes& huge = resources_.byId[1006];
    const auto frame = std::ranges::search(huge, Bytes{0xFF, 0xC0}).begin();
    std::ranges::copy(Bytes{0xEA, 0x60, 0xEA, 0x60}, frame + 5);  // height, width
    EXPECT_EQ(JpegFrameSize(huge)->width, 60000);
    EXPECT_NE(DecodeJpeg(huge).error().message.find("60000 x 60000"), std::string::npos);
    sheets_.ShowItemIcon(5 * 256);
    EXPECT_EQ(BoxPixel(0, 0), kIconBoxGrey);

    resources_.byId[1005].clear();  // sheet 4 is empty
    sheets_.ShowItemIcon(4 * 256);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "函数提供的是空数组!");
    EXPECT_EQ(BoxPixel(10, 10), kIconBoxGrey);
}

TEST_F(IconSheetsTest, IconNumbersOutOfRangeShowAnEmptyBox) {
    for (std::int32_t n : {-1, -300, 4096, 2147483647, -2147483647 - 1}) {
        sheets_.ShowItemIcon(n);
        EXPECT_EQ(BoxPixel(0, 0), kIconBoxGrey) << n;
    }
    sheets_.ShowItemIcon(17);
    EXPECT_NE(BoxPixel(0, 0), kIconBoxGrey) << "a valid icon shows again afterwards";
}

}  // namespace
}  // namespace lf
