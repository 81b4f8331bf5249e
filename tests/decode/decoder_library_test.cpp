#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "decode/decoder_library.h"

namespace kalvira::decode {
namespace {

constexpr std::uint64_t kRate = 40000;
constexpr double kBitSamples = 40000.0 / 2400.0;  // 16 2/3 samples a bit at 2400 baud

// 8N1 frames of the bytes at 2400 baud after 50 idle samples, the line high at rest; withParity
// adds an even-parity bit, which odd parity reads as wrong. Each sample takes the bit its time
// falls into.
std::vector<std::uint8_t> uartLine(const std::string &bytes, bool withParity = false) {
    std::vector<int> bits;
    for (const unsigned char byte : bytes) {
        bits.push_back(0);
        int ones = 0;
        for (int i = 0; i < 8; ++i) {
            bits.push_back((byte >> i) & 1);
            ones += (byte >> i) & 1;
        }
        if (withParity) bits.push_back(ones % 2);
        bits.push_back(1);
    }
    const int idle = 50;
    const auto total = std::size_t(idle + std::ceil(bits.size() * kBitSamples) + 50);
    std::vector<std::uint8_t> line(total, 1);
    for (std::size_t i = idle; i < total; ++i) {
        const auto bit = std::size_t(std::floor((double(i) - idle) / kBitSamples));
        if (bit < bits.size()) line[i] = std::uint8_t(bits[bit]);
    }
    return line;
}

DecoderLibrary &library() {
    auto started = DecoderLibrary::instance();
    if (const auto *failure = std::get_if<std::string>(&started)) ADD_FAILURE() << *failure;
    return *std::get<DecoderLibrary *>(started);
}

std::vector<Annotation> rowOf(const std::vector<Annotation> &all, const std::string &row) {
    std::vector<Annotation> found;
    std::copy_if(all.begin(), all.end(), std::back_inserter(found),
                 [&](const Annotation &a) { return a.row == row; });
    return found;
}

TEST(DecoderLibraryTest, ListsTheDecodersOfOneChannel) {
    const auto &decoders = library().singleChannelDecoders();
    const auto has = [&](const std::string &id) {
        return std::any_of(decoders.begin(), decoders.end(),
                           [&](const DecoderInfo &d) { return d.id == id; });
    };
    for (const char *id : {"uart", "ir_nec", "ir_rc5", "dcf77", "pwm", "onewire_link", "can"})
        EXPECT_TRUE(has(id)) << id;
    for (const char *id : {"i2c", "i2s", "jtag"}) EXPECT_FALSE(has(id)) << id;  // two or more
    const auto uart = library().singleChannelDecoder("uart");
    ASSERT_TRUE(uart);
    EXPECT_EQ(uart->channel, "rx");
    const auto baud = std::find_if(uart->options.begin(), uart->options.end(),
                                   [](const DecoderOption &o) { return o.id == "baudrate"; });
    ASSERT_NE(baud, uart->options.end());
    EXPECT_EQ(baud->defaultValue, OptionValue(115200LL));
    EXPECT_FALSE(library().singleChannelDecoder("i2c"));
    EXPECT_FALSE(library().singleChannelDecoder("no-such-decoder"));
}

TEST(DecoderLibraryTest, DecodesTheBytesOfAUartLineWhereTheirFramesAre) {
    const auto decoded = library().decode({"uart", {{"baudrate", 2400LL}}}, uartLine("Hi!"), kRate);
    ASSERT_TRUE(std::holds_alternative<std::vector<Annotation>>(decoded))
        << std::get<std::string>(decoded);
    const auto data = rowOf(std::get<std::vector<Annotation>>(decoded), "rx-data");
    std::vector<std::string> texts;
    for (const auto &a : data) texts.push_back(a.text);
    const std::vector<std::string> expected{"Start bit", "48",        "Stop bit", "Start bit", "69",
                                            "Stop bit",  "Start bit", "21",       "Stop bit"};
    EXPECT_EQ(texts, expected);
    ASSERT_EQ(data.size(), 9u);
    // The second byte's data bits span bits 11..19 of the line, within a bit at either end.
    const double first = 50 + 11 * kBitSamples;
    const double last = 50 + 19 * kBitSamples;
    EXPECT_NEAR(double(data[4].startSample), first, kBitSamples);
    EXPECT_NEAR(double(data[4].endSample), last, kBitSamples);
    EXPECT_FALSE(data[4].problem);
}

TEST(DecoderLibraryTest, AParityErrorIsAProblem) {
    const auto decoded =
        library().decode({"uart", {{"baudrate", 2400LL}, {"parity", std::string("odd")}}},
                         uartLine("A", true), kRate);
    ASSERT_TRUE(std::holds_alternative<std::vector<Annotation>>(decoded));
    const auto data = rowOf(std::get<std::vector<Annotation>>(decoded), "rx-data");
    EXPECT_TRUE(std::any_of(data.begin(), data.end(), [](const Annotation &a) {
        return a.problem && a.text.find("arity") != std::string::npos;
    }));
}

TEST(DecoderLibraryTest, FailuresAreMessages) {
    const std::vector<std::uint8_t> line(100, 1);
    const std::pair<DecoderSetup, std::string> table[] = {
        {{"no-such-decoder", {}}, "no decoder of one channel named no-such-decoder"},
        {{"uart", {{"baudrate", std::string("fast")}}}, "uart refuses its options"},
    };
    for (const auto &[setup, start] : table) {
        const auto decoded = library().decode(setup, line, kRate);
        ASSERT_TRUE(std::holds_alternative<std::string>(decoded)) << start;
        EXPECT_EQ(std::get<std::string>(decoded).rfind(start, 0), 0u)
            << std::get<std::string>(decoded);
    }
    EXPECT_EQ(library().decode({"uart", {}}, {}, kRate),
              (std::variant<std::vector<Annotation>, std::string>(std::vector<Annotation>{})));
}

}  // namespace
}  // namespace kalvira::decode
