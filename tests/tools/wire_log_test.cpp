#include "unit/wire_log.h"

#include <gtest/gtest.h>

namespace kalvira::unit {
namespace {

TEST(WireLog, BytesAreTwoDigitUpperCaseHex) {
    const std::vector<std::uint8_t> bytes{0x00, 0x0A, 0xAA, 0x55, 0xFF};
    EXPECT_EQ(hexBytes(bytes), "00 0A AA 55 FF");
    EXPECT_EQ(hexBytes({}), "");
}

TEST(WireLog, LineSplitsIntoKindWordsFieldsAndBytes) {
    const auto line = parseLogLine("TX block acq=2 block=12 copy=1 0C 02 5E");
    EXPECT_EQ(line.kind, "TX");
    EXPECT_EQ(line.words, (std::vector<std::string>{"block"}));
    EXPECT_EQ(line.fields.at("acq"), "2");
    EXPECT_EQ(line.fields.at("block"), "12");  // two digits, yet a field, not a byte
    EXPECT_EQ(line.fields.at("copy"), "1");
    EXPECT_EQ(line.bytes, (std::vector<std::uint8_t>{0x0C, 0x02, 0x5E}));

    const auto rx = parseLogLine("RX 00 64 88 13 01 00 00 00 00 00 00");
    EXPECT_EQ(rx.kind, "RX");
    EXPECT_EQ(rx.bytes.size(), 11U);
    EXPECT_EQ(rx.bytes[2], 0x88);
}

}  // namespace
}  // namespace kalvira::unit
