#include "unit/signal.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kalvira::unit {
namespace {

using acquisition::FrameSettings;

// Rate code 7 is 200 samples per second: a 50 Hz signal advances a quarter cycle per sample.
constexpr int kQuarterCycleRate = 7;

std::vector<std::uint16_t> firstSamples(const SignalOptions &signal, int acquisition = 1,
                                        FrameSettings frame = {0, kQuarterCycleRate, 100, 100,
                                                               true}) {
    const auto record = generateRecord(signal, frame, acquisition);
    if (!record) return {};
    return {record->samples.begin(), record->samples.begin() + 5};
}

struct ShapeCase {
    Waveform waveform;
    std::vector<std::uint16_t> quarterCycles;
};

TEST(Signal, EachShapeAtQuarterCycles) {
    const ShapeCase cases[] = {
        {Waveform::Sine, {512, 812, 512, 212, 512}},
        {Waveform::Square, {812, 812, 212, 212, 812}},
        {Waveform::Triangle, {512, 812, 512, 212, 512}},
    };
    for (const auto &c : cases) {
        SignalOptions signal;
        signal.waveform = c.waveform;
        EXPECT_EQ(firstSamples(signal), c.quarterCycles) << static_cast<int>(c.waveform);
    }
}

TEST(Signal, TriangleRisesInStraightSteps) {
    SignalOptions signal;
    signal.waveform = Waveform::Triangle;
    signal.frequency = 25.0;  // an eighth of a cycle per sample
    EXPECT_EQ(firstSamples(signal), (std::vector<std::uint16_t>{512, 662, 812, 662, 512}));
}

TEST(Signal, LaterAcquisitionsStartFurtherIntoTheCycle) {
    // The second record starts 0.381966 of a cycle on: 512 + 300 sin(2π·0.381966) = 714.6.
    EXPECT_EQ(firstSamples({}, 2), (std::vector<std::uint16_t>{715, 291, 309, 733, 715}));
}

TEST(Signal, ValuesAreHeldWithinTheConvertersRange) {
    SignalOptions signal;
    signal.waveform = Waveform::Square;
    signal.amplitude = 700.0;
    EXPECT_EQ(firstSamples(signal), (std::vector<std::uint16_t>{1023, 1023, 0, 0, 1023}));
}

TEST(Signal, OffsetAndAmplitudeSetTheSwing) {
    SignalOptions signal;
    signal.offset = 300.0;
    signal.amplitude = 100.0;
    EXPECT_EQ(firstSamples(signal), (std::vector<std::uint16_t>{300, 400, 300, 200, 300}));
}

TEST(Signal, NoiseIsRepeatableForItsSeedAndStaysWithinItsPeak) {
    SignalOptions signal;
    signal.waveform = Waveform::Noise;
    signal.amplitude = 100.0;
    const FrameSettings frame{0, 0, 100, 16000, true};
    const auto first = generateRecord(signal, frame, 1)->samples;
    EXPECT_EQ(generateRecord(signal, frame, 1)->samples, first);
    EXPECT_TRUE(std::all_of(first.begin(), first.end(),
                            [](std::uint16_t s) { return s >= 412 && s <= 612; }));
    const auto [low, high] = std::minmax_element(first.begin(), first.end());
    EXPECT_LT(*low, 420);
    EXPECT_GT(*high, 604);

    EXPECT_NE(generateRecord(signal, frame, 2)->samples, first);
    signal.seed = 2;
    EXPECT_NE(generateRecord(signal, frame, 1)->samples, first);
}

TEST(Signal, AddedNoiseMovesSamplesByAtMostItsPeak) {
    SignalOptions clean;
    SignalOptions noisy;
    noisy.noise = 20.0;
    const FrameSettings frame{0, 0, 100, 2000, true};
    const auto a = generateRecord(clean, frame, 1)->samples;
    const auto b = generateRecord(noisy, frame, 1)->samples;
    ASSERT_EQ(a.size(), b.size());
    int moved = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_LE(std::abs(a[i] - b[i]), 21) << i;  // 20 plus the rounding of each
        moved += a[i] != b[i];
    }
    EXPECT_GT(moved, 1500);
}

TEST(Signal, RecordHasTheFramesLength) {
    for (int samples : {100, 5000, 16000}) {
        EXPECT_EQ(generateRecord({}, {0, 0, 100, samples, true}, 1)->samples.size(),
                  static_cast<std::size_t>(samples));
    }
}

TEST(Trigger, ExternalTriggerStartsAtTheFirstSample) {
    const auto record = generateRecord({}, {1, kQuarterCycleRate, 200, 100, false}, 1);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->samplesBeforeTrigger, 0);
    EXPECT_EQ(record->samples[0], 512);
}

TEST(Trigger, InternalTriggerStartsWhereTheLevelIsCrossedOnTheEdge) {
    // Level 100 is 400 in sample units; the signal runs 512, 812, 512, 212, 512, 812 ...
    const auto rising = generateRecord({}, {2, kQuarterCycleRate, 100, 100, false}, 1);
    ASSERT_TRUE(rising);
    EXPECT_EQ(rising->samplesBeforeTrigger, 4);  // 212 -> 512
    EXPECT_EQ(rising->samples[0], 512);
    EXPECT_EQ(rising->samples[1], 812);

    const auto falling = generateRecord({}, {3, kQuarterCycleRate, 100, 100, true}, 1);
    ASSERT_TRUE(falling);
    EXPECT_EQ(falling->samplesBeforeTrigger, 3);  // 512 -> 212
    EXPECT_EQ(falling->samples[0], 212);
}

TEST(Trigger, SampleBeforeTheTriggerIsOnTheOtherSideOfTheLevel) {
    SignalOptions signal;
    signal.noise = 30.0;
    for (int level : {60, 100, 127, 128, 150, 200}) {
        for (bool fall : {false, true}) {
            for (int acquisition : {1, 2, 3}) {
                const FrameSettings triggered{2, 0, static_cast<std::uint8_t>(level), 1000, fall};
                const auto record = generateRecord(signal, triggered, acquisition);
                ASSERT_TRUE(record) << level;
                // The same acquisition untriggered shows the samples around the trigger point.
                FrameSettings free = triggered;
                free.triggerMode = 0;
                free.recordLength = 16000;
                const auto stream = generateRecord(signal, free, acquisition)->samples;
                const auto at = static_cast<std::size_t>(record->samplesBeforeTrigger);
                ASSERT_GE(at, 1U);
                ASSERT_LT(at, stream.size());
                const int threshold = level * 4;
                if (fall) {
                    EXPECT_GT(stream[at - 1], threshold);
                    EXPECT_LE(stream[at], threshold);
                } else {
                    EXPECT_LT(stream[at - 1], threshold);
                    EXPECT_GE(stream[at], threshold);
                }
                EXPECT_TRUE(std::equal(record->samples.begin(), record->samples.end(),
                                       stream.begin() + static_cast<std::ptrdiff_t>(at)));
            }
        }
    }
}

TEST(Trigger, LevelOutsideTheSignalNeverTriggers) {
    // The sine reaches 812; level 254 is 1016.
    EXPECT_FALSE(generateRecord({}, {2, 0, 254, 100, false}, 1));
    EXPECT_FALSE(generateRecord({}, {3, 0, 1, 100, true}, 1));  // never falls to 4
}

}  // namespace
}  // namespace kalvira::unit
