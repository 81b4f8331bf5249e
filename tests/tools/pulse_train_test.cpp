#include <gtest/gtest.h>

#include <numeric>

#include "unit/pulse_train.h"
#include "unit/signal.h"

namespace kalvira::unit {
namespace {

using Train = std::vector<Stretch>;
constexpr double kBit = 1.0 / 1024;  // at 1024 baud every stretch is exact in binary
constexpr double kNec = 562.5e-6;

double length(const Train &train) {
    return std::accumulate(train.begin(), train.end(), 0.0,
                           [](double sum, const Stretch &s) { return sum + s.seconds; });
}

TEST(PulseTrainTest, LinesOfTheVirtualUnitAreTheirProtocolsTimings) {
    const std::pair<Train, Train> table[] = {
        // 'A' = 0x41: idle, start, bit 0 high, bits 1..5 low, bit 6 high, bit 7 low, stop.
        {uartCycle("A", 1024),
         {{true, 20 * kBit},
          {false, kBit},
          {true, kBit},
          {false, 5 * kBit},
          {true, kBit},
          {false, kBit},
          {true, kBit}}},
        // 0xFF, 0x00: the stop bit joins the ones before it, the zeros join the start bit.
        {uartCycle("\xff", 1024), {{true, 20 * kBit}, {false, kBit}, {true, 9 * kBit}}},
        {uartCycle(std::string(1, '\0'), 1024),
         {{true, 20 * kBit}, {false, 9 * kBit}, {true, kBit}}},
        {uartCycle("", 1024), {{true, 20 * kBit}}},
        {pwmCycle(1000, 25), {{true, 0.25e-3}, {false, 0.75e-3}}},
        {pwmCycle(1000, 0), {{false, 1e-3}}},
        {pwmCycle(1000, 100), {{true, 1e-3}}},
    };
    for (const auto &[made, expected] : table) EXPECT_EQ(made, expected) << &made - &table[0].first;
}

TEST(PulseTrainTest, AnNecCodeHasItsLeaderItsBitsAndItsRepeat) {
    const Train train = irNecCycle(0x01, 0x80);
    ASSERT_EQ(train.size(), 68u);  // leader, space, 32 pulses and spaces, final pulse, rest
    EXPECT_EQ(train[0], (Stretch{false, 16 * kNec}));
    EXPECT_EQ(train[1], (Stretch{true, 8 * kNec}));
    // Address 0x01: bit 0 a long space, bit 1 a short one; inverted address 0xFE the opposite.
    EXPECT_EQ(train[3].seconds, 3 * kNec);
    EXPECT_EQ(train[5].seconds, kNec);
    EXPECT_EQ(train[19].seconds, kNec);
    EXPECT_EQ(train[21].seconds, 3 * kNec);
    // Command 0x80: only bit 7 long; its inverse 0x7F: all but bit 7 long.
    EXPECT_EQ(train[35].seconds, kNec);
    EXPECT_EQ(train[47].seconds, kNec);
    EXPECT_EQ(train[49].seconds, 3 * kNec);
    EXPECT_EQ(train[51].seconds, 3 * kNec);
    EXPECT_EQ(train[65].seconds, kNec);
    EXPECT_EQ(train[66], (Stretch{false, kNec}));
    EXPECT_DOUBLE_EQ(length(train), 108e-3);
}

TEST(PulseTrainTest, TheSignalSwingsBetweenTheTwoLevels) {
    // 2000 baud at 40 kSPS: 20 samples a bit; 20 idle bits, then 0x0F: start low, four high,
    // four low, stop high.
    SignalOptions signal;
    signal.waveform = Waveform::Uart;
    signal.text = "\x0f";
    signal.baud = 2000;
    SignalSource source(signal, 1.0 / 40000, 1);
    for (int i = 0; i < 20 * 20; ++i) ASSERT_EQ(source.next(), 812) << i;
    std::vector<int> perBit;
    for (int bit = 0; bit < 12; ++bit) {
        const int first = source.next();
        for (int i = 1; i < 20; ++i) EXPECT_EQ(source.next(), first) << bit;
        perBit.push_back(first);
    }
    EXPECT_EQ(perBit,
              (std::vector<int>{212, 812, 812, 812, 812, 212, 212, 212, 212, 812, 812, 812}));
}

}  // namespace
}  // namespace kalvira::unit
