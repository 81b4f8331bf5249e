#include "acquisition/protocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kalvira::acquisition {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes toBytes(const CommandFrame &frame) {
    return {frame.begin(), frame.end()};
}

// A block of 100 equal samples with the check byte given explicitly.
Bytes blockOf(std::uint8_t low, std::uint8_t high, std::uint8_t check) {
    Bytes block;
    for (std::size_t k = 0; k < kSamplesPerBlock; ++k) {
        block.push_back(low);
        block.push_back(high);
    }
    block.push_back(check);
    return block;
}

// ---- Command frames -------------------------------------------------------------------------

struct FrameCase {
    const char *name;
    FrameSettings settings;
    Bytes frame;
};

class CommandFrames : public testing::TestWithParam<FrameCase> {};

TEST_P(CommandFrames, CarryTheSettingsAndTheirSum) {
    EXPECT_EQ(toBytes(buildCommandFrame(GetParam().settings)), GetParam().frame);
}

TEST_P(CommandFrames, AreReadBackByTheUnit) {
    EXPECT_EQ(parseCommandFrame(GetParam().frame), GetParam().settings);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, CommandFrames,
    testing::Values(
        // The window's first settings: the sum of bytes 0..9 is 256, so the check byte is 0.
        FrameCase{"InitialSettings",
                  {0, 0, 100, 5000, true},
                  {0x00, 0x64, 0x88, 0x13, 0x01, 0, 0, 0, 0, 0, 0x00}},
        FrameCase{"TrigContRate4Rise",
                  {3, 4, 100, 5000, false},
                  {0x34, 0x64, 0x88, 0x13, 0x00, 0, 0, 0, 0, 0, 0x33}},
        FrameCase{"LongestRecord",
                  {0, 0, 100, 16000, true},
                  {0x00, 0x64, 0x80, 0x3E, 0x01, 0, 0, 0, 0, 0, 0x23}},
        FrameCase{"ShortestRecordLowestLevel",
                  {2, 7, 1, 100, true},
                  {0x27, 0x01, 0x64, 0x00, 0x01, 0, 0, 0, 0, 0, 0x8D}},
        FrameCase{"HighestLevelSumWraps",
                  {1, 3, 254, 16000, false},
                  {0x13, 0xFE, 0x80, 0x3E, 0x00, 0, 0, 0, 0, 0, 0xCF}}),
    [](const testing::TestParamInfo<FrameCase> &info) { return info.param.name; });

TEST(CommandFrame, FirstByteIsModeTimesSixteenPlusRateForEveryMode) {
    // Rows: trigger modes "Ext./Single", "Ext./Cont.", "Trig./Single", "Trig./Cont.".
    constexpr std::uint8_t kFirstBytes[4][8] = {
        {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07},
        {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17},
        {0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27},
        {0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37},
    };
    for (int mode = 0; mode < 4; ++mode) {
        for (int rate = 0; rate < 8; ++rate) {
            // Level 100, 5000 samples and "Fall" add up to 256, so the check byte equals byte 0.
            const auto frame = buildCommandFrame({mode, rate, 100, 5000, true});
            EXPECT_EQ(frame[0], kFirstBytes[mode][rate]) << mode << "/" << rate;
            EXPECT_EQ(frame[10], kFirstBytes[mode][rate]) << mode << "/" << rate;
        }
    }
}

TEST(CommandFrame, EdgeByteIsOneForFallAndZeroForRise) {
    EXPECT_EQ(buildCommandFrame({3, 4, 100, 5000, true})[4], 1);
    EXPECT_EQ(buildCommandFrame({3, 4, 100, 5000, false})[4], 0);
}

TEST(CommandFrame, RecordLengthTravelsLowByteFirst) {
    struct {
        int samples;
        std::uint8_t low, high;
    } const cases[] = {{100, 0x64, 0x00},  {200, 0xC8, 0x00},   {300, 0x2C, 0x01},
                       {5000, 0x88, 0x13}, {12800, 0x00, 0x32}, {16000, 0x80, 0x3E}};
    for (const auto &c : cases) {
        const auto frame = buildCommandFrame({0, 0, 100, c.samples, false});
        EXPECT_EQ(frame[2], c.low) << c.samples;
        EXPECT_EQ(frame[3], c.high) << c.samples;
    }
}

TEST(CommandFrame, ReservedBytesAreZeroAndCoveredByTheCheck) {
    const auto frame = toBytes(buildCommandFrame({3, 7, 254, 16000, true}));
    EXPECT_TRUE(std::all_of(frame.begin() + 5, frame.begin() + 10, [](auto b) { return b == 0; }));
    // A change to any of bytes 0..10 alone makes the frame unreadable for the unit.
    for (std::size_t i = 0; i < kFrameLength; ++i) {
        Bytes changed = frame;
        changed[i] ^= 0x04;
        EXPECT_EQ(parseCommandFrame(changed), std::nullopt) << "byte " << i;
    }
}

TEST(CommandFrame, UnitRefusesFramesItCannotServe) {
    const auto valid = toBytes(buildCommandFrame({0, 0, 100, 5000, true}));
    auto withSum = [](Bytes frame) {
        frame[10] = checkByte(std::span(frame).first(10));
        return frame;
    };
    auto edited = [&](std::size_t at, std::uint8_t value) {
        Bytes frame = valid;
        frame[at] = value;
        return withSum(frame);
    };
    EXPECT_EQ(parseCommandFrame(edited(0, 0x40)), std::nullopt);  // mode 4
    EXPECT_EQ(parseCommandFrame(edited(0, 0x08)), std::nullopt);  // rate 8
    EXPECT_EQ(parseCommandFrame(edited(4, 2)), std::nullopt);     // edge 2
    EXPECT_EQ(parseCommandFrame(edited(7, 1)), std::nullopt);     // reserved byte set
    EXPECT_EQ(parseCommandFrame(withSum({0, 100, 0, 0, 1, 0, 0, 0, 0, 0, 0})), std::nullopt);
    EXPECT_EQ(parseCommandFrame(withSum({0, 100, 150, 0, 1, 0, 0, 0, 0, 0, 0})), std::nullopt);
    EXPECT_EQ(parseCommandFrame(withSum({0, 100, 0xE4, 0x3E, 1, 0, 0, 0, 0, 0, 0})), std::nullopt);
    EXPECT_EQ(parseCommandFrame(std::span(valid).first(10)), std::nullopt);
    // Bytes after the eleventh are not part of the frame.
    Bytes longer = valid;
    longer.push_back(0x55);
    EXPECT_EQ(parseCommandFrame(longer), (FrameSettings{0, 0, 100, 5000, true}));
}

// ---- First chunk after a frame ---------------------------------------------------------------

TEST(FirstChunk, StartByteAloneLeavesNothingForBlockOne) {
    const Bytes chunk{0xAA};
    const auto split = splitFirstChunk(chunk);
    EXPECT_TRUE(split.startByteOk);
    EXPECT_TRUE(split.blockBytes.empty());
}

TEST(FirstChunk, BytesAfterTheStartByteBeginBlockOne) {
    const Bytes block = blockOf(0x01, 0x02, 0x2C);
    Bytes chunk{0xAA};
    chunk.insert(chunk.end(), block.begin(), block.begin() + 99);
    const auto split = splitFirstChunk(chunk);
    ASSERT_TRUE(split.startByteOk);
    ASSERT_EQ(split.blockBytes.size(), 99U);
    EXPECT_TRUE(std::equal(split.blockBytes.begin(), split.blockBytes.end(), block.begin()));

    Bytes held(split.blockBytes.begin(), split.blockBytes.end());
    held.insert(held.end(), block.begin() + 99, block.end());
    EXPECT_TRUE(decodeBlock(held).checkOk);
}

TEST(FirstChunk, AnyOtherFirstByteIsNoStartByte) {
    for (int first : {0x55, 0x00, 0xAB, 0xA9, 0xFF}) {
        const Bytes chunk{static_cast<std::uint8_t>(first), 0xAA};
        EXPECT_FALSE(splitFirstChunk(chunk).startByteOk) << first;
    }
    EXPECT_FALSE(splitFirstChunk({}).startByteOk);
    EXPECT_TRUE(splitFirstChunk({}).blockBytes.empty());
}

// ---- Data blocks -----------------------------------------------------------------------------

TEST(DataBlock, GoodBlockGivesItsSamplesLowByteFirst) {
    // 100 × (0x01 + 0x02) = 300, which is 0x2C modulo 256.
    const auto block = decodeBlock(blockOf(0x01, 0x02, 0x2C));
    EXPECT_TRUE(block.checkOk);
    EXPECT_TRUE(std::all_of(block.samples.begin(), block.samples.end(),
                            [](std::int16_t s) { return s == 0x0201; }));
}

TEST(DataBlock, SamplesKeepTheirOrder) {
    Bytes bytes;
    for (int k = 0; k < 100; ++k) {
        bytes.push_back(static_cast<std::uint8_t>(k));
        bytes.push_back(static_cast<std::uint8_t>(k % 4));
    }
    bytes.push_back(checkByte(bytes));
    const auto block = decodeBlock(bytes);
    ASSERT_TRUE(block.checkOk);
    EXPECT_EQ(block.samples[0], 0);
    EXPECT_EQ(block.samples[1], 0x0101);
    EXPECT_EQ(block.samples[3], 0x0303);
    EXPECT_EQ(block.samples[99], 0x0363);
}

TEST(DataBlock, WrongCheckByteFails) {
    const auto block = decodeBlock(blockOf(0x01, 0x02, 0x2D));
    EXPECT_FALSE(block.checkOk);
    EXPECT_EQ(block.samples[0], 0x0201);
}

TEST(DataBlock, CheckFailsWhenOneDataByteChanges) {
    Bytes bytes = blockOf(0x01, 0x02, 0x2C);
    bytes[137] = 0x03;
    EXPECT_FALSE(decodeBlock(bytes).checkOk);
}

TEST(DataBlock, SumPast32767IsTakenModulo256) {
    // 100 × (0xFF + 0x7F) = 38200, which is 0x38 modulo 256: the largest values a record holds.
    const auto block = decodeBlock(blockOf(0xFF, 0x7F, 0x38));
    EXPECT_TRUE(block.checkOk);
    EXPECT_EQ(block.samples[50], 32767);
}

TEST(DataBlock, HighByteOf0x80OrMoreFailsEvenWithAMatchingSum) {
    for (std::size_t sample : {0U, 57U, 99U}) {
        for (std::uint8_t high : {0x80, 0xC3, 0xFF}) {
            Bytes bytes = blockOf(0x01, 0x02, 0);
            bytes[2 * sample + 1] = high;
            bytes[200] = checkByte(std::span(bytes).first(200));
            EXPECT_FALSE(decodeBlock(bytes).checkOk) << sample << " " << int(high);
        }
    }
}

TEST(DataBlock, OnlyTheFirst201HeldBytesCount) {
    Bytes bytes = blockOf(0x01, 0x02, 0x2C);
    bytes.insert(bytes.end(), {0xFF, 0x00, 0x13});
    const auto block = decodeBlock(bytes);
    EXPECT_TRUE(block.checkOk);
    EXPECT_EQ(block.samples[99], 0x0201);
}

TEST(DataBlock, FewerThan201BytesFailWithSamplesZero) {
    Bytes bytes = blockOf(0x01, 0x02, 0x2C);
    bytes.pop_back();
    const auto block = decodeBlock(bytes);
    EXPECT_FALSE(block.checkOk);
    EXPECT_TRUE(std::all_of(block.samples.begin(), block.samples.end(),
                            [](std::int16_t s) { return s == 0; }));
    EXPECT_FALSE(decodeBlock({}).checkOk);
}

TEST(DataBlock, UnitsBlockSendsValuesLowByteFirstWithTheirSum) {
    std::array<std::uint16_t, kSamplesPerBlock> samples{};
    samples.fill(0x0201);
    samples[0] = 0x1234;
    const auto block = encodeBlock(samples);
    EXPECT_EQ(block[0], 0x34);
    EXPECT_EQ(block[1], 0x12);
    EXPECT_EQ(block[2], 0x01);
    EXPECT_EQ(block[3], 0x02);
    // 99 × 3 + 0x34 + 0x12 = 367, 0x6F modulo 256.
    EXPECT_EQ(block[200], 0x6F);
    const auto decoded = decodeBlock(block);
    EXPECT_TRUE(decoded.checkOk);
    EXPECT_EQ(decoded.samples[0], 0x1234);
}

TEST(DataBlock, UnitsBlockWithAnUnheldValueFailsOnlyByItsHighByte) {
    std::array<std::uint16_t, kSamplesPerBlock> samples{};
    samples.fill(512);
    samples[99] = 0x8000 | 512;
    const auto block = encodeBlock(samples);
    EXPECT_EQ(block[200], checkByte(std::span(block).first(200)));
    EXPECT_FALSE(decodeBlock(block).checkOk);
}

// ---- Sample periods --------------------------------------------------------------------------

TEST(SamplePeriod, EveryRateCodeHasItsPeriod) {
    const double periods[] = {0.000025, 0.00005, 0.0001, 0.0002, 0.0005, 0.001, 0.002, 0.005};
    for (int code = 0; code < 8; ++code) EXPECT_EQ(samplePeriod(code), periods[code]) << code;
    EXPECT_EQ(samplePeriod(-1), 0.0);
    EXPECT_EQ(samplePeriod(8), 0.0);
}

}  // namespace
}  // namespace kalvira::acquisition
