// Random byte streams through the protocol's readers. Run in the sanitizer build as well, where
// any read outside the held bytes stops the test.
#include "acquisition/protocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace kalvira::acquisition {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kStreams = 20000;

class RandomBytes {
public:
    explicit RandomBytes(unsigned seed) : engine_(seed) {}

    std::uint8_t byte() { return static_cast<std::uint8_t>(below(256)); }
    std::size_t below(std::size_t bound) {
        return std::uniform_int_distribution<std::size_t>(0, bound - 1)(engine_);
    }
    Bytes bytes(std::size_t count) {
        Bytes out(count);
        std::generate(out.begin(), out.end(), [this] { return byte(); });
        return out;
    }
    // Mostly lengths around one block, sometimes empty or far longer.
    std::size_t streamLength() {
        switch (below(4)) {
            case 0:
                return below(8);
            case 1:
                return 195 + below(12);
            default:
                return below(700);
        }
    }

private:
    std::mt19937 engine_;
};

// Exactly sized heap copy, so that a read one past the end is caught by the address sanitizer.
std::unique_ptr<std::uint8_t[]> exactCopy(const Bytes &bytes) {
    auto copy = std::make_unique<std::uint8_t[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), copy.get());
    return copy;
}

// What a block's check must say: written out independently of the decoder.
bool blockShouldPass(const Bytes &held) {
    if (held.size() < kBlockLength) return false;
    unsigned sum = 0;
    for (std::size_t i = 0; i < 200; ++i) {
        if (i % 2 == 1 && held[i] >= 0x80) return false;
        sum += held[i];
    }
    return sum % 256 == held[200];
}

TEST(ProtocolFuzz, DecoderReadsOnlyTheFirst201HeldBytes) {
    RandomBytes random(20261206);
    for (int n = 0; n < kStreams; ++n) {
        Bytes held = random.bytes(random.streamLength());
        // Give the check byte a fair chance to match, and the high bytes to stay below 0x80.
        if (held.size() >= kBlockLength && random.below(2) == 0) {
            for (std::size_t i = 1; i < 200; i += 2) held[i] &= 0x7F;
            held[200] = checkByte(std::span(held).first(200));
        }
        const auto copy = exactCopy(held);
        const auto decoded = decodeBlock({copy.get(), held.size()});
        ASSERT_EQ(decoded.checkOk, blockShouldPass(held)) << "stream " << n;
        for (std::size_t k = 0; k < kSamplesPerBlock; ++k) {
            const int expected =
                held.size() < kBlockLength
                    ? 0
                    : static_cast<std::int16_t>(held[2 * k] + 256 * held[2 * k + 1]);
            ASSERT_EQ(decoded.samples[k], expected) << "stream " << n << " sample " << k;
        }
    }
}

TEST(ProtocolFuzz, EveryChangedByteOfAGoodBlockIsCaught) {
    RandomBytes random(7);
    for (int n = 0; n < kStreams; ++n) {
        std::array<std::uint16_t, kSamplesPerBlock> samples{};
        for (auto &s : samples) s = static_cast<std::uint16_t>(random.below(0x8000));
        const auto block = encodeBlock(samples);
        const auto decoded = decodeBlock(block);
        ASSERT_TRUE(decoded.checkOk);
        ASSERT_TRUE(std::equal(samples.begin(), samples.end(), decoded.samples.begin()));

        // A single byte changed by any amount moves the sum modulo 256, so the check never holds.
        auto damaged = block;
        const std::size_t at = random.below(kBlockLength);
        damaged[at] = static_cast<std::uint8_t>(damaged[at] + 1 + random.below(255));
        ASSERT_FALSE(decodeBlock(damaged).checkOk) << "byte " << at;
    }
}

TEST(ProtocolFuzz, FirstChunkSplitStaysInsideTheChunk) {
    RandomBytes random(11);
    for (int n = 0; n < kStreams; ++n) {
        Bytes chunk = random.bytes(random.streamLength());
        if (!chunk.empty() && random.below(2) == 0) chunk[0] = kStartByte;
        const auto copy = exactCopy(chunk);
        const std::span<const std::uint8_t> view{copy.get(), chunk.size()};
        const auto split = splitFirstChunk(view);
        ASSERT_EQ(split.startByteOk, !chunk.empty() && chunk[0] == kStartByte);
        if (chunk.empty()) {
            ASSERT_TRUE(split.blockBytes.empty());
            continue;
        }
        ASSERT_EQ(split.blockBytes.data(), view.data() + 1);
        ASSERT_EQ(split.blockBytes.size(), chunk.size() - 1);
    }
}

TEST(ProtocolFuzz, UnitTakesOnlyFramesTheHostCanBuild) {
    RandomBytes random(13);
    int accepted = 0;
    for (int n = 0; n < kStreams * 5; ++n) {
        Bytes bytes = random.bytes(random.below(14));
        // Half of the streams look like frames: plausible first bytes, zeros and a right sum.
        if (bytes.size() >= kFrameLength && random.below(2) == 0) {
            bytes[0] = static_cast<std::uint8_t>(random.below(4) * 16 + random.below(9));
            bytes[4] = static_cast<std::uint8_t>(random.below(3));
            std::fill(bytes.begin() + 5, bytes.begin() + 10, 0);
            if (random.below(2) == 0) {
                const int samples = 100 * static_cast<int>(1 + random.below(161));
                bytes[2] = static_cast<std::uint8_t>(samples % 256);
                bytes[3] = static_cast<std::uint8_t>(samples / 256);
            }
            bytes[10] = checkByte(std::span(bytes).first(10));
        }
        const auto copy = exactCopy(bytes);
        const auto parsed = parseCommandFrame({copy.get(), bytes.size()});
        if (!parsed) continue;
        ++accepted;
        const auto rebuilt = buildCommandFrame(*parsed);
        ASSERT_TRUE(std::equal(rebuilt.begin(), rebuilt.end(), bytes.begin())) << "stream " << n;
    }
    EXPECT_GT(accepted, kStreams / 20);  // the frame-like half does reach the unit's reading
}

// The host's way through one record: the first chunk split after the start byte, every later read
// appended until 201 bytes are held, the surplus dropped. Random read sizes must never change
// what is decoded.
TEST(ProtocolFuzz, RecordSurvivesAnyCuttingIntoReads) {
    RandomBytes random(17);
    for (int n = 0; n < 500; ++n) {
        const std::size_t blocks = 1 + random.below(5);
        std::vector<std::array<std::uint16_t, kSamplesPerBlock>> record(blocks);
        Bytes wire{kStartByte};
        for (auto &samples : record) {
            for (auto &s : samples) s = static_cast<std::uint16_t>(random.below(1024));
            const auto block = encodeBlock(samples);
            wire.insert(wire.end(), block.begin(), block.end());
        }

        std::size_t at = 0;
        auto read = [&] {
            const std::size_t size = std::min(1 + random.below(100), wire.size() - at);
            Bytes chunk(wire.begin() + static_cast<std::ptrdiff_t>(at),
                        wire.begin() + static_cast<std::ptrdiff_t>(at + size));
            at += size;
            return chunk;
        };
        const Bytes first = read();
        const auto split = splitFirstChunk(first);
        ASSERT_TRUE(split.startByteOk);
        Bytes held(split.blockBytes.begin(), split.blockBytes.end());
        for (std::size_t b = 0; b < blocks; ++b) {
            while (held.size() < kBlockLength) {
                const Bytes chunk = read();
                held.insert(held.end(), chunk.begin(), chunk.end());
            }
            const auto decoded = decodeBlock(held);
            ASSERT_TRUE(decoded.checkOk) << "record " << n << " block " << b;
            ASSERT_TRUE(std::equal(record[b].begin(), record[b].end(), decoded.samples.begin()));
            // Here the wire is one stream, so bytes read past this block begin the next one.
            held.erase(held.begin(), held.begin() + kBlockLength);
        }
    }
}

}  // namespace
}  // namespace kalvira::acquisition
