#include <gtest/gtest.h>

#include "decode/decoder_setup.h"

namespace kalvira::decode {
namespace {

using Parsed = std::variant<DecodeRequest, std::string>;
using Checked = std::variant<DecoderSetup, std::string>;

TEST(ParseDecodeRequestTest, TakesTheDecoderAndItsOptionsApart) {
    const std::pair<const char *, Parsed> table[] = {
        {"uart", DecodeRequest{"uart", {}}},
        {"uart:", DecodeRequest{"uart", {}}},
        {"uart:baudrate=2400", DecodeRequest{"uart", {{"baudrate", "2400"}}}},
        {"uart:baudrate=2400,parity=none",
         DecodeRequest{"uart", {{"baudrate", "2400"}, {"parity", "none"}}}},
        {"pwm:polarity=", DecodeRequest{"pwm", {{"polarity", ""}}}},
        {"", std::string("no decoder named before the options")},
        {":baudrate=1", std::string("no decoder named before the options")},
        {"uart:baudrate", std::string("option 'baudrate' is not NAME=VALUE")},
        {"uart:=5", std::string("option '=5' is not NAME=VALUE")},
        {"uart:baudrate=1,", std::string("an option is missing after the last comma")},
        {"uart:baudrate=1,,parity=odd", std::string("option '' is not NAME=VALUE")},
        {"uart:baudrate=1,baudrate=2", std::string("option baudrate given twice")},
    };
    for (const auto &[text, expected] : table)
        EXPECT_EQ(parseDecodeRequest(text), expected) << text;
}

// Two decoders as the library would describe them.
std::vector<DecoderInfo> known() {
    DecoderInfo uart{"uart", "UART", "", "", "rx", {}, {}, {}};
    uart.options = {
        {"baudrate", "Baud rate", 115200LL, {}},
        {"parity", "Parity", std::string("none"), {std::string("none"), std::string("odd")}},
        {"stop_bits", "Stop bits", 1.0, {0.0, 0.5, 1.0, 1.5}},
        {"format", "Format", std::string("hex"), {}}};
    DecoderInfo pwm{"pwm", "PWM", "", "", "data", {}, {}, {}};
    return {uart, pwm};
}

TEST(CheckDecodeRequestTest, ReadsEachValueAsItsOptionsTypeOrListsWhatIsKnown) {
    const std::pair<DecodeRequest, Checked> table[] = {
        {{"uart", {}}, DecoderSetup{"uart", {}}},
        {{"uart", {{"baudrate", "2400"}, {"parity", "odd"}}},
         DecoderSetup{"uart", {{"baudrate", 2400LL}, {"parity", std::string("odd")}}}},
        {{"uart", {{"stop_bits", "1.5"}, {"format", "ascii"}}},
         DecoderSetup{"uart", {{"stop_bits", 1.5}, {"format", std::string("ascii")}}}},
        {{"uart", {{"baudrate", "24OO"}}}, std::string("uart: baudrate must be a whole number")},
        {{"uart", {{"baudrate", "2400.5"}}}, std::string("uart: baudrate must be a whole number")},
        {{"uart", {{"baudrate", ""}}}, std::string("uart: baudrate must be a whole number")},
        {{"uart", {{"parity", "even"}}}, std::string("uart: parity must be one of: none, odd")},
        {{"uart", {{"stop_bits", "2"}}},
         std::string("uart: stop_bits must be one of: 0, 0.5, 1, 1.5")},
        {{"uart", {{"speed", "1"}}},
         std::string("uart: unknown option speed; its options are: baudrate, parity, "
                     "stop_bits, format")},
        {{"spi", {}},
         std::string("unknown decoder spi; the decoders of one channel are: uart, "
                     "pwm")},
    };
    const auto decoders = known();
    for (const auto &[request, expected] : table)
        EXPECT_EQ(checkDecodeRequest(request, decoders), expected) << &request - &table[0].first;
}

TEST(SetupTextTest, WritesTheRequestBack) {
    EXPECT_EQ(setupText({"uart", {}}), "uart");
    EXPECT_EQ(
        setupText(
            {"uart", {{"baudrate", 2400LL}, {"stop_bits", 1.5}, {"parity", std::string("odd")}}}),
        "uart:baudrate=2400,stop_bits=1.5,parity=odd");
    EXPECT_EQ(optionText(-0.25), "-0.25");
}

}  // namespace
}  // namespace kalvira::decode
