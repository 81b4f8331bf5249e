#include "acquisition/protocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace kalvira::acquisition {
namespace {

using Bytes = std::vector<std::uint8_t>;

// An exactly sized heap copy: under the address sanitizer a read one past its end stops the test.
struct Exact {
    explicit Exact(const Bytes &b) : size(b.size()), data(new std::uint8_t[b.size()]) {
        std::copy(b.begin(), b.end(), data.get());
    }
    std::span<const std::uint8_t> view() const { return {data.get(), size}; }
    std::size_t size;
    std::unique_ptr<std::uint8_t[]> data;
};

struct FrameCase {
    FrameSettings settings;
    Bytes frame;
};
class CommandFrames : public testing::TestWithParam<FrameCase> {};

TEST_P(CommandFrames, CarryTheSettingsTheirSumAndReadBack) {
    const CommandFrame frame = buildCommandFrame(GetParam().settings);
    ASSERT_EQ(Bytes(frame.begin(), frame.end()), GetParam().frame);
    EXPECT_EQ(parseCommandFrame(GetParam().frame), GetParam().settings);
    for (std::size_t i = 0; i < kFrameLength; ++i) {  // any byte changed alone spoils the frame
        Bytes changed = GetParam().frame;
        changed[i] ^= 0x04;
        EXPECT_EQ(parseCommandFrame(changed), std::nullopt) << "byte " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, CommandFrames,
    testing::Values(
        FrameCase{{0, 0, 100, 5000, true}, {0x00, 0x64, 0x88, 0x13, 1, 0, 0, 0, 0, 0, 0x00}},
        FrameCase{{3, 4, 100, 5000, false}, {0x34, 0x64, 0x88, 0x13, 0, 0, 0, 0, 0, 0, 0x33}},
        FrameCase{{0, 0, 100, 16000, true}, {0x00, 0x64, 0x80, 0x3E, 1, 0, 0, 0, 0, 0, 0x23}},
        FrameCase{{2, 7, 1, 100, true}, {0x27, 0x01, 0x64, 0x00, 1, 0, 0, 0, 0, 0, 0x8D}},
        FrameCase{{1, 3, 254, 300, false}, {0x13, 0xFE, 0x2C, 0x01, 0, 0, 0, 0, 0, 0, 0x3E}},
        FrameCase{{3, 5, 128, 12800, true}, {0x35, 0x80, 0x00, 0x32, 1, 0, 0, 0, 0, 0, 0xE8}}));

// Ten bytes the unit cannot serve; the test gives them their right check byte.
class RefusedFrames : public testing::TestWithParam<Bytes> {};

TEST_P(RefusedFrames, AreNotReadEvenWithTheirSumRight) {
    Bytes frame = GetParam();
    frame.push_back(checkByte(frame));
    EXPECT_EQ(parseCommandFrame(Exact(frame).view()), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Bytes, RefusedFrames,
                         testing::Values(Bytes{0x40, 100, 0x88, 0x13, 1, 0, 0, 0, 0, 0},  // mode 4
                                         Bytes{0x08, 100, 0x88, 0x13, 1, 0, 0, 0, 0, 0},  // rate 8
                                         Bytes{0x00, 100, 0x88, 0x13, 2, 0, 0, 0, 0, 0},  // edge 2
                                         Bytes{0x00, 100, 0x88, 0x13, 1, 0, 0, 1, 0, 0},
                                         Bytes{0x00, 100, 0x00, 0x00, 1, 0, 0, 0, 0, 0},  // 0
                                         Bytes{0x00, 100, 0x96, 0x00, 1, 0, 0, 0, 0, 0},  // 150
                                         Bytes{0x00, 100, 0xE4, 0x3E, 1, 0, 0, 0, 0, 0},  // 16100
                                         Bytes{0x00, 100, 0x88, 0x13, 1, 0, 0, 0, 0}));

TEST(CommandFrame, BytesAfterTheEleventhAreNotPartOfIt) {
    const CommandFrame frame = buildCommandFrame({0, 0, 100, 5000, true});
    Bytes longer(frame.begin(), frame.end());
    longer.push_back(0x55);
    EXPECT_EQ(parseCommandFrame(longer), (FrameSettings{0, 0, 100, 5000, true}));
}

struct ChunkCase {
    Bytes chunk;
    bool startByteOk;
};
class FirstChunks : public testing::TestWithParam<ChunkCase> {};

TEST_P(FirstChunks, StartWithTheStartByteAndHandOnTheRest) {
    const Exact chunk(GetParam().chunk);
    const FirstChunk split = splitFirstChunk(chunk.view());
    EXPECT_EQ(split.startByteOk, GetParam().startByteOk);
    EXPECT_EQ(split.blockBytes.size(), chunk.size == 0 ? 0 : chunk.size - 1);
    if (chunk.size == 0) return;
    EXPECT_EQ(split.blockBytes.data(), chunk.data.get() + 1);
}

INSTANTIATE_TEST_SUITE_P(Chunks, FirstChunks,
                         testing::Values(ChunkCase{{0xAA}, true},
                                         ChunkCase{{0xAA, 0x01, 0x02}, true},
                                         ChunkCase{{0x55, 0xAA}, false}, ChunkCase{{0xAB}, false},
                                         ChunkCase{{0xA9, 0xAA}, false}, ChunkCase{{}, false}));

// 100 equal samples given as low and high byte, a check byte, and the block cut or padded.
struct BlockCase {
    std::uint8_t low, high, check;
    std::size_t size;
    bool checkOk;
    std::int16_t sample;  // every decoded sample
};
class DataBlocks : public testing::TestWithParam<BlockCase> {};

TEST_P(DataBlocks, DecodeLowByteFirstAndCheckTheSumModulo256) {
    const BlockCase &c = GetParam();
    Bytes bytes;
    for (std::size_t k = 0; k < kSamplesPerBlock; ++k) bytes.insert(bytes.end(), {c.low, c.high});
    bytes.push_back(c.check);
    bytes.resize(c.size, 0x13);
    const DecodedBlock block = decodeBlock(Exact(bytes).view());
    EXPECT_EQ(block.checkOk, c.checkOk);
    EXPECT_EQ(std::count(block.samples.begin(), block.samples.end(), c.sample), 100);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, DataBlocks,
    testing::Values(BlockCase{0x01, 0x02, 0x2C, 201, true, 0x0201},   // 100 x 3 = 300
                    BlockCase{0x01, 0x02, 0x2D, 201, false, 0x0201},  // check one off
                    BlockCase{0xFF, 0x7F, 0x38, 201, true, 32767},    // 38200, past 16 bits signed
                    BlockCase{0x00, 0x80, 0x00, 201, false, -32768},  // sum right, high byte 0x80
                    BlockCase{0xFF, 0xFF, 0x38, 201, false, -1},      // 51000, high byte 0xFF
                    BlockCase{0x01, 0x02, 0x2C, 204, true, 0x0201},   // bytes past 201 ignored
                    BlockCase{0x01, 0x02, 0x2C, 200, false, 0},       // one byte short
                    BlockCase{0x01, 0x02, 0x2C, 0, false, 0}));

TEST(DataBlock, UnitsBlockSendsValuesLowByteFirstWithTheirSum) {
    std::array<std::uint16_t, kSamplesPerBlock> samples{};
    samples.fill(0x0201);
    samples[0] = 0x1234;
    DataBlock block = encodeBlock(samples);
    EXPECT_EQ(Bytes(block.begin(), block.begin() + 4), (Bytes{0x34, 0x12, 0x01, 0x02}));
    EXPECT_EQ(block[200], 0x6F);  // 99 x 3 + 0x34 + 0x12 = 367
    const DecodedBlock decoded = decodeBlock(block);
    EXPECT_TRUE(decoded.checkOk);
    EXPECT_TRUE(std::equal(samples.begin(), samples.end(), decoded.samples.begin()));
    samples[99] = 0x8201;  // sent as given, refused by the high byte alone
    block = encodeBlock(samples);
    EXPECT_EQ(block[200], checkByte(std::span(block).first(200)));
    EXPECT_FALSE(decodeBlock(block).checkOk);
}

// Random and truncated streams into every reader, each compared with a reading written out here.
TEST(ProtocolFuzz, ReadersAgreeWithTheByteLayoutAndStayInsideTheirInput) {
    std::mt19937 random(20261206);
    auto below = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    int frames = 0;
    for (int n = 0; n < 30000; ++n) {
        Bytes held(below(3) == 0 ? below(16) : 190 + below(30));
        for (auto &b : held) b = static_cast<std::uint8_t>(below(256));
        if (held.size() >= kBlockLength && below(2) == 0) {  // a fair chance of a good block
            for (std::size_t i = 1; i < 200; i += 2) held[i] &= 0x7F;
            held[200] = checkByte(std::span(held).first(200));
            if (below(2) == 0)
                held[below(kBlockLength)] ^= static_cast<std::uint8_t>(1 + below(255));
        }
        if (held.size() >= kFrameLength && held.size() < 20 && below(2) == 0) {  // frame-like
            const auto samples = 100 * below(162);
            held = {std::uint8_t(below(4) * 16 + below(9)),
                    held[1],
                    std::uint8_t(samples),
                    std::uint8_t(samples >> 8),
                    std::uint8_t(below(3)),
                    0,
                    0,
                    0,
                    0,
                    0};
            held.push_back(checkByte(held));
        }
        if (!held.empty() && below(4) == 0) held[0] = kStartByte;
        const Exact exact(held);
        const DecodedBlock block = decodeBlock(exact.view());
        const bool full = held.size() >= kBlockLength;
        bool ok = full;
        unsigned sum = 0;
        for (std::size_t k = 0; k < kSamplesPerBlock; ++k) {
            const std::uint8_t low = full ? held[2 * k] : 0, high = full ? held[2 * k + 1] : 0;
            ok = ok && high < 0x80;
            sum += low + high;
            ASSERT_EQ(block.samples[k], std::int16_t(low | high << 8)) << "stream " << n;
        }
        ASSERT_EQ(block.checkOk, ok && sum % 256 == held[200]) << "stream " << n;
        const FirstChunk split = splitFirstChunk(exact.view());
        ASSERT_EQ(split.startByteOk, !held.empty() && held[0] == kStartByte);
        ASSERT_EQ(split.blockBytes.size(), held.empty() ? 0 : held.size() - 1);
        if (const auto settings = parseCommandFrame(exact.view())) {
            ++frames;
            const CommandFrame rebuilt = buildCommandFrame(*settings);
            ASSERT_TRUE(std::equal(rebuilt.begin(), rebuilt.end(), held.begin())) << n;
        }
    }
    EXPECT_GT(frames, 500);  // the frame-like streams do reach the unit's reading
}

}  // namespace
}  // namespace kalvira::acquisition
