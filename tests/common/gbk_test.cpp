#include "common/gbk.h"

#include <gtest/gtest.h>

namespace lf {
namespace {

TEST(Gbk, DecodesAsciiAndDoubleByteCharacters) {
    EXPECT_EQ(DecodeGbk("abc|123"), "abc|123");
    EXPECT_EQ(DecodeGbk("\xB5\xC0\xBE\xDF"), "道具");
    EXPECT_EQ(DecodeGbk("\x80"), "€");  // the euro sign, as Windows maps it
    EXPECT_EQ(DecodeGbk(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Gbk, TrailByte7CIsPartOfTheCharacterNotASeparator) {
    // 0x81 0x7C is a double-byte character; its second byte is the "|" code.
    const std::string decoded = DecodeGbk(
        "A\x81\x7C"
        "B|");
    EXPECT_EQ(decoded.find('|'), decoded.size() - 1);
    EXPECT_EQ(EncodeGbk(decoded),
              "A\x81\x7C"
              "B|");
}

TEST(Gbk, LongTextsDecodeAsTheSumOfTheirCharacters) {
    // Runs of every length around the eight-byte copies, with characters at every offset.
    std::string utf8;
    for (int run = 0; run < 20; ++run) utf8 += std::string(run, 'a' + run) + "道具|€\r\n";
    const std::string gbk = EncodeGbk(utf8);
    for (std::size_t skip = 0; skip < 9; ++skip) {
        std::string expected;
        for (std::size_t i = skip; i < gbk.size();) {
            const unsigned char b = gbk[i];
            const std::size_t length = (b >= 0x81 && b <= 0xFE && i + 1 < gbk.size()) ? 2 : 1;
            expected += DecodeGbk(gbk.substr(i, length));
            i += length;
        }
        EXPECT_EQ(DecodeGbk(std::string_view(gbk).substr(skip)), expected) << skip;
    }
    EXPECT_EQ(DecodeGbk(gbk), utf8);
}

TEST(Gbk, InvalidBytesBecomeReplacementCharacters) {
    EXPECT_EQ(DecodeGbk("\xFF"), "\uFFFD");
    EXPECT_EQ(DecodeGbk("a\x81"), "a\uFFFD");        // lead byte at the very end
    EXPECT_EQ(DecodeGbk("\x81\r\n"), "\uFFFD\r\n");  // a stray lead keeps the line break
    EXPECT_EQ(DecodeGbk("\xFE\xA1x"), "\uFFFDx");    // unmapped pair: one character
}

TEST(Gbk, EncodeRoundTripsAndMarksUnencodableCharacters) {
    EXPECT_EQ(EncodeGbk("攻击力 120"), "\xB9\xA5\xBB\xF7\xC1\xA6 120");
    EXPECT_EQ(EncodeGbk("😀x"), "?x");
    EXPECT_EQ(DecodeGbk(EncodeGbk("減少伤害力 ")), "減少伤害力 ");
}

TEST(Gbk, ByteLengthCountsGbkBytes) {
    EXPECT_EQ(GbkByteLength(""), 0u);
    EXPECT_EQ(GbkByteLength("攻击力 120"), 10u);
    EXPECT_EQ(GbkByteLength("增加伤害力 100 %"), 16u);
    EXPECT_EQ(GbkByteLength("€"), 1u);
    EXPECT_EQ(GbkByteLength("😀"), 1u);  // not representable: one byte, as the card layout counts
}

}  // namespace
}  // namespace lf
