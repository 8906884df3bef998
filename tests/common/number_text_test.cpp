#include "common/number_text.h"

#include <gtest/gtest.h>

namespace lf {
namespace {

TEST(NumberText, RecognisesTheUsualNumericForms) {
    EXPECT_EQ(ParseNumber("12"), 12.0);
    EXPECT_EQ(ParseNumber(" 7"), 7.0);
    EXPECT_EQ(ParseNumber("-3.5 "), -3.5);
    EXPECT_EQ(ParseNumber("+1e3"), 1000.0);
    EXPECT_EQ(ParseNumber(".5"), 0.5);
    EXPECT_EQ(ParseNumber("0.000000"), 0.0);
    for (const char* text :
         {"", " ", "-", "1-", "abc", "1e", "0x10", "inf", "nan", "1 2", "1.2.3"}) {
        EXPECT_FALSE(ParseNumber(text).has_value()) << text;
    }
}

TEST(NumberText, RoundsHalvesToEven) {
    EXPECT_EQ(RoundHalfEven(12.5), 12);
    EXPECT_EQ(RoundHalfEven(13.5), 14);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(0.4), 0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
    EXPECT_EQ(RoundHalfEven(2.6), 3);
}

TEST(NumberText, ConvertsToInt32WithTheTwoErrorKinds) {
    EXPECT_EQ(ToInt32(" 21809 "), 21809);
    EXPECT_EQ(ToInt32("-0"), 0);
    EXPECT_EQ(ToInt32("2147483647"), 2147483647);
    EXPECT_EQ(ToInt32("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ToInt32("2147483647.4"), 2147483647);
    EXPECT_EQ(ToInt32("2147483647.5").error(), NumberError::Overflow);
    EXPECT_EQ(ToInt32("-2147483649").error(), NumberError::Overflow);
    EXPECT_EQ(ToInt32("1e400").error(), NumberError::Overflow);
    EXPECT_EQ(ToInt32("12a").error(), NumberError::TypeMismatch);
    EXPECT_EQ(ToInt32("").error(), NumberError::TypeMismatch);
}

}  // namespace
}  // namespace lf
