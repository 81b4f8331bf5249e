#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "display/plain_number.h"

namespace kalvira::display {
namespace {

struct PlainNumberCase {
    float value;
    const char *text;
};

class PlainNumberTest : public ::testing::TestWithParam<PlainNumberCase> {};

TEST_P(PlainNumberTest, WritesSignPlaceValueAndTrailingSpace) {
    EXPECT_EQ(formatPlainNumber(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, PlainNumberTest,
    ::testing::Values(PlainNumberCase{0.0f, " 0 "}, PlainNumberCase{-0.0f, " 0 "},
                      PlainNumberCase{5.0f, " 5 "}, PlainNumberCase{20.0f, " 20 "},
                      PlainNumberCase{12.5f, " 12,5 "}, PlainNumberCase{1.5f, " 1,5 "},
                      PlainNumberCase{600.0f, " 600 "}, PlainNumberCase{1000.0f, " 1000 "},
                      PlainNumberCase{-2.5f, "-2,5 "}));

INSTANTIATE_TEST_SUITE_P(
    SevenSignificantDigits, PlainNumberTest,
    ::testing::Values(
        // The float nearest 0.1 is 0.100000001490116...: seven digits leave 0,1.
        PlainNumberCase{0.1f, " 0,1 "}, PlainNumberCase{1.0f / 3.0f, " 0,3333333 "},
        PlainNumberCase{2.0f / 3.0f, " 0,6666667 "},
        // The float just above 600 (600.00006103515625) shows as 600,0001.
        PlainNumberCase{std::nextafter(600.0f, 1000.0f), " 600,0001 "},
        PlainNumberCase{123456.789f, " 123456,8 "},
        // Whole numbers beyond seven digits are rounded too, and filled up with zeros.
        PlainNumberCase{16777215.0f, " 16777220 "}, PlainNumberCase{-0.099999998f, "-0,1 "}));

INSTANTIATE_TEST_SUITE_P(NoExponent, PlainNumberTest,
                         ::testing::Values(PlainNumberCase{1.0e7f, " 10000000 "},
                                           PlainNumberCase{123456789.0f, " 123456800 "},
                                           PlainNumberCase{1.5e10f, " 15000000000 "},
                                           PlainNumberCase{0.0001234f, " 0,0001234 "},
                                           PlainNumberCase{-0.000001f, "-0,000001 "}));

}  // namespace
}  // namespace kalvira::display
