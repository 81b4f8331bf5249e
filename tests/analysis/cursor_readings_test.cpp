#include "analysis/cursor_readings.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kalvira::analysis {
namespace {

class Figures : public ::testing::TestWithParam<std::tuple<bool, double, const char *>> {};

// Four significant digits, rounded before the unit is chosen.
TEST_P(Figures, ReadInTheUnitTheyReach) {
    const auto [seconds, value, text] = GetParam();
    EXPECT_EQ(seconds ? secondsText(value) : hertzText(value), text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Figures,
    ::testing::Values(std::tuple(true, 0.0625, "62.50 ms"), std::tuple(true, 0.99996, "1.000 s"),
                      std::tuple(true, 0.00025, "250.0 µs"), std::tuple(true, 0.0, "0 s"),
                      std::tuple(true, -0.0125, "-12.50 ms"), std::tuple(true, 2.5e-5, "25.00 µs"),
                      std::tuple(true, 12.0, "12.00 s"), std::tuple(false, 8.0, "8.000 Hz"),
                      std::tuple(false, 12.5e3, "12.50 kHz"),
                      std::tuple(false, 999.96, "1.000 kHz"),
                      std::tuple(false, 999.94, "999.9 Hz")));

const std::vector<std::int16_t> kRecord{50, 10, 90, 30, 70, 20, 80, 40, 60};

class Initial : public ::testing::TestWithParam<std::tuple<int, int, CursorPositions>> {};

// T1 and T2 at a quarter and three quarters of the part on screen, V1 and V2 at its extremes.
TEST_P(Initial, CursorsStandOnTheVisiblePart) {
    const auto [first, last, expected] = GetParam();
    EXPECT_EQ(initialCursors(kRecord, first, last), expected);
}

INSTANTIATE_TEST_SUITE_P(Table, Initial,
                         ::testing::Values(std::tuple(1, 9, CursorPositions{3, 7, 10, 90}),
                                           std::tuple(4, 6, CursorPositions{5, 6, 20, 70}),
                                           std::tuple(-5, 40, CursorPositions{3, 7, 10, 90}),
                                           std::tuple(9, 9, CursorPositions{9, 9, 60, 60})));

TEST(CursorMoves, AreHeldToTheRecordAndToTheLevelRange) {
    const CursorPositions start{3, 7, 10, 90};
    EXPECT_EQ(movedCursor(start, CursorId::T1, -5, 9).t1, 1);
    EXPECT_EQ(movedCursor(start, CursorId::T2, 100, 9).t2, 9);
    EXPECT_EQ(movedCursor(start, CursorId::T2, -1, 9), (CursorPositions{3, 6, 10, 90}));
    EXPECT_EQ(movedCursor(start, CursorId::V1, -100, 9).v1, 0);
    EXPECT_EQ(placedCursor(start, CursorId::V2, 40000, 9).v2, 32767);
}

// At 40 kSPS sample k stands (k - 1) * 25 µs after the first.
TEST(CursorReadout, SaysTimesValuesAndDifferences) {
    const auto lines =
        cursorReadoutLines(readCursors(CursorPositions{3, 7, 10, 90}, kRecord, 25e-6));
    EXPECT_EQ(lines, (std::vector<std::string>{"T1 = 50.00 µs  #3  90", "T2 = 150.0 µs  #7  80",
                                               "Δt = 100.0 µs", "1/Δt = 10.00 kHz", "V1 = 10",
                                               "V2 = 90", "ΔV = 80"}));
    const auto same = cursorReadoutLines(readCursors(CursorPositions{4, 4, 90, 10}, kRecord, 1e-3));
    EXPECT_EQ(same[3], "1/Δt = –");
    EXPECT_EQ(same[6], "ΔV = -80");
}

}  // namespace
}  // namespace kalvira::analysis
