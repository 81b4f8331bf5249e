#include "acquisition/protocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <variant>
#include <vector>

namespace kalvira::acquisition {
void PrintTo(const FrameSettings &s, std::ostream *os) {  // mode, rate, level, N, falling edge
    *os << s.triggerMode << s.rateCode << ' ' << +s.triggerLevel << ' ' << s.recordLength << ' '
        << s.fallingEdge;
}
namespace {

// Readers get a copy, which is allocated exactly: the address sanitizer stops a read past it.
using Bytes = std::vector<std::uint8_t>;

using FrameCase = std::tuple<FrameSettings, Bytes>;
const FrameCase kFrames[] = {
    {{0, 0, 100, 5000, true}, {0x00, 0x64, 0x88, 0x13, 1, 0, 0, 0, 0, 0, 0x00}},
    {{3, 4, 100, 5000, false}, {0x34, 0x64, 0x88, 0x13, 0, 0, 0, 0, 0, 0, 0x33}},
    {{0, 0, 100, 16000, true}, {0x00, 0x64, 0x80, 0x3E, 1, 0, 0, 0, 0, 0, 0x23}},
    {{2, 7, 1, 100, true}, {0x27, 0x01, 0x64, 0x00, 1, 0, 0, 0, 0, 0, 0x8D}},
    {{1, 3, 254, 300, false}, {0x13, 0xFE, 0x2C, 0x01, 0, 0, 0, 0, 0, 0, 0x3E}},
    {{3, 5, 128, 12800, true}, {0x35, 0x80, 0x00, 0x32, 1, 0, 0, 0, 0, 0, 0xE8}}};
class CommandFrames : public testing::TestWithParam<FrameCase> {};

TEST_P(CommandFrames, CarryTheSettingsAndTheirSumAndAreReadBackByTheUnit) {
    const auto &[settings, bytes] = GetParam();
    const auto frame = buildCommandFrame(settings);
    ASSERT_TRUE(frame);
    ASSERT_EQ(Bytes(frame->begin(), frame->end()), bytes);
    Bytes longer = bytes;
    longer.push_back(0x55);  // bytes after the eleventh are not part of the frame
    EXPECT_EQ(parseCommandFrame(longer), settings);
    for (std::size_t i = 0; i < kFrameLength; ++i) {  // any byte changed alone spoils the frame
        Bytes spoilt = bytes;
        spoilt[i] ^= 0x04;
        EXPECT_EQ(parseCommandFrame(spoilt), std::nullopt) << "byte " << i;
    }
}
INSTANTIATE_TEST_SUITE_P(Settings, CommandFrames, testing::ValuesIn(kFrames));

// Frames the unit cannot serve, given their right check byte: mode 4, rate 8, edge 2, a reserved
// byte set, 0, 150 and 16100 samples, and one byte short. Then settings no frame is built from:
// mode 4 and -1, rate 8 and -1, 0, 150, 16100, -100 and 65600 (0x40 in 16 bits) samples.
using Refused = std::variant<Bytes, FrameSettings>;
const Refused kRefused[] = {Bytes{0x40, 100, 0x88, 0x13, 1, 0, 0, 0, 0, 0},
                            Bytes{0x08, 100, 0x88, 0x13, 1, 0, 0, 0, 0, 0},
                            Bytes{0x00, 100, 0x88, 0x13, 2, 0, 0, 0, 0, 0},
                            Bytes{0x00, 100, 0x88, 0x13, 1, 0, 0, 1, 0, 0},
                            Bytes{0x00, 100, 0x00, 0x00, 1, 0, 0, 0, 0, 0},
                            Bytes{0x00, 100, 0x96, 0x00, 1, 0, 0, 0, 0, 0},
                            Bytes{0x00, 100, 0xE4, 0x3E, 1, 0, 0, 0, 0, 0},
                            Bytes{0x00, 100, 0x88, 0x13, 1, 0, 0, 0, 0},
                            FrameSettings{4, 0, 100, 5000, true},
                            FrameSettings{-1, 0, 100, 5000, true},
                            FrameSettings{0, 8, 100, 5000, true},
                            FrameSettings{0, -1, 100, 5000, true},
                            FrameSettings{0, 0, 100, 0, true},
                            FrameSettings{0, 0, 100, 150, true},
                            FrameSettings{0, 0, 100, 16100, true},
                            FrameSettings{0, 0, 100, -100, true},
                            FrameSettings{0, 0, 100, 65600, true}};
class RefusedInputs : public testing::TestWithParam<Refused> {};

TEST_P(RefusedInputs, AreNotReadEvenWithTheirSumRightNorBuiltIntoAFrame) {
    if (const auto *settings = std::get_if<FrameSettings>(&GetParam())) {
        EXPECT_EQ(buildCommandFrame(*settings), std::nullopt);
        return;
    }
    Bytes frame = std::get<Bytes>(GetParam());
    frame.push_back(checkByte(frame));
    EXPECT_EQ(parseCommandFrame(Bytes(frame)), std::nullopt);
}
INSTANTIATE_TEST_SUITE_P(Inputs, RefusedInputs, testing::ValuesIn(kRefused));

// 100 equal samples as low and high byte, then a check byte, cut or padded to a size; whether the
// block holds, and every decoded sample.
using BlockCase = std::tuple<std::uint8_t, std::uint8_t, std::uint8_t, std::size_t, bool, int>;
const BlockCase kBlocks[] = {
    {0x01, 0x02, 0x2C, 201, true, 0x0201},   // 100 x 3 = 300
    {0x01, 0x02, 0x2D, 201, false, 0x0201},  // check one off
    {0xFF, 0x7F, 0x38, 201, true, 32767},    // 38200 overflows 16 bits signed
    {0x00, 0x80, 0x00, 201, false, -32768},  // sum right, high byte 0x80
    {0x01, 0x02, 0x2C, 204, true, 0x0201},   // bytes past 201 ignored
    {0x01, 0x02, 0x2C, 200, false, 0}};      // one byte short
class DataBlocks : public testing::TestWithParam<BlockCase> {};

TEST_P(DataBlocks, DecodeLowByteFirstAndCheckTheSumModulo256) {
    const auto &[low, high, check, size, checkOk, sample] = GetParam();
    Bytes bytes(size, 0x13);  // 0x13 past the block
    for (std::size_t i = 0; i < std::min(size, kBlockLength); ++i)
        bytes[i] = i == kBlockDataLength ? check : i % 2 ? high : low;
    const DecodedBlock block = decodeBlock(Bytes(bytes));
    EXPECT_EQ(block.checkOk, checkOk);
    EXPECT_EQ(std::count(block.samples.begin(), block.samples.end(), sample), 100);
}
INSTANTIATE_TEST_SUITE_P(Blocks, DataBlocks, testing::ValuesIn(kBlocks));

// Random, cut and damaged streams, the unit's own blocks and frame-like bytes into every reader
// (the first chunk's split among them), each compared with the byte layout written out here.
TEST(ProtocolFuzz, ReadersAgreeWithTheByteLayoutAndStayInsideTheirInput) {
    std::mt19937 random(20261206);
    auto below = [&](unsigned n) { return std::uint8_t(random() % n); };
    int frames = 0;
    for (int n = 0; n < 30000; ++n) {
        SCOPED_TRACE(n);
        Bytes held(below(3) == 0 ? below(16) : 190 + below(30));
        for (auto &b : held) b = below(256);
        std::array<std::uint16_t, kSamplesPerBlock> values{};
        const bool encoded = held.size() >= kBlockLength && below(2) == 0, damaged = below(4) == 0;
        if (encoded) {
            const bool unheld = below(8) == 0;  // now and then values the unit does not send
            for (auto &v : values) v = std::uint16_t(random() % (unheld ? 0x10000 : 0x8000));
            std::ranges::copy(encodeBlock(values), held.begin());
            if (damaged) held[below(kBlockLength)] ^= 1 + below(255);
        } else if (held.size() >= kFrameLength && held.size() < 20 && below(2) == 0) {
            const unsigned samples = 100 * below(162);
            held.assign(kFrameLength - 1, 0);
            held[0] = below(4) * 16 + below(9), held[1] = below(256), held[4] = below(3);
            held[2] = std::uint8_t(samples), held[3] = std::uint8_t(samples >> 8);
            held.push_back(checkByte(held));
        } else if (!held.empty() && damaged) {
            held[0] = kStartByte;
        }
        const Bytes copy = held;
        const DecodedBlock block = decodeBlock(copy);
        bool full = held.size() >= kBlockLength, ok = full;
        unsigned sum = 0;
        for (std::size_t k = 0; k < kSamplesPerBlock; ++k) {
            const std::uint8_t low = full ? held[2 * k] : 0, high = full ? held[2 * k + 1] : 0;
            ok = ok && high < 0x80;
            sum += low + high;
            ASSERT_EQ(block.samples[k], std::int16_t(low | high << 8));
            ASSERT_TRUE(!encoded || damaged || block.samples[k] == std::int16_t(values[k]));
        }
        ASSERT_EQ(block.checkOk, ok && sum % 256 == held[200]);
        const FirstChunk split = splitFirstChunk(copy);
        ASSERT_EQ(split.startByteOk, !held.empty() && held[0] == kStartByte);
        ASSERT_EQ(split.blockBytes.size(), held.empty() ? 0 : held.size() - 1);
        ASSERT_TRUE(held.empty() || split.blockBytes.data() == copy.data() + 1);
        if (const auto settings = parseCommandFrame(copy)) {
            const auto rebuilt = buildCommandFrame(*settings);
            ASSERT_TRUE(rebuilt && std::equal(rebuilt->begin(), rebuilt->end(), held.begin()));
            ++frames;
        }
    }
    EXPECT_GT(frames, 500);  // the frame-like streams do reach the unit's reading
}

}  // namespace
}  // namespace kalvira::acquisition
