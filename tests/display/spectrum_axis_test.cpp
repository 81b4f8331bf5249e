#include "display/spectrum_axis.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kalvira::display {
namespace {

// Span, most divisions, step: the smallest of 1, 2, 5 times ten to a power covering the span.
TEST(SpectrumAxis, GridStepsAreOneTwoFiveAndFrequenciesReadInHzOrKhz) {
    for (const auto &[span, divisions, step] :
         {std::tuple{20000.0, 10, 2000.0}, std::tuple{20000.0, 8, 5000.0},
          std::tuple{20001.0, 10, 5000.0}, std::tuple{100.0, 10, 10.0}, std::tuple{100.0, 4, 50.0},
          std::tuple{37.5, 10, 5.0}, std::tuple{0.5, 5, 0.1}, std::tuple{120.0, 12, 10.0},
          std::tuple{3.0, 2, 2.0}}) {
        EXPECT_DOUBLE_EQ(gridStep(span, divisions), step) << span << " / " << divisions;
    }
    // Hz below one kilohertz, kHz from there, as many decimals as needed.
    for (const auto &[hz, label] :
         {std::pair{0.0, "0 Hz"}, std::pair{12.5, "12.5 Hz"}, std::pair{500.0, "500 Hz"},
          std::pair{999.4, "999.4 Hz"}, std::pair{1000.0, "1 kHz"}, std::pair{2500.0, "2.5 kHz"},
          std::pair{20000.0, "20 kHz"}, std::pair{1234.5678, "1.235 kHz"}}) {
        EXPECT_EQ(frequencyLabel(hz), label) << hz;
    }
}

}  // namespace
}  // namespace kalvira::display
