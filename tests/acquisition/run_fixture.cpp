#include "run_fixture.h"

#include <algorithm>

namespace kalvira::acquisition::testing {

std::int16_t testSample(int record, int k) {
    return static_cast<std::int16_t>((k * 37 + record * 101) % 1021);
}

Bytes testBlock(int record, int b) {
    Bytes bytes;
    unsigned sum = 0;
    for (int i = 1; i <= 100; ++i) {
        const auto value = static_cast<std::uint16_t>(testSample(record, (b - 1) * 100 + i));
        const auto low = static_cast<std::uint8_t>(value & 0xFF);
        const auto high = static_cast<std::uint8_t>(value >> 8);
        bytes.push_back(low);
        bytes.push_back(high);
        sum += low + high;
    }
    bytes.push_back(static_cast<std::uint8_t>(sum % 256));
    return bytes;
}

Bytes corrupted(Bytes block) {
    block.back() = static_cast<std::uint8_t>(block.back() + 1);
    return block;
}

RunTest::RunTest() {
    host.SampleData.fill(kUntouched);
}

void RunTest::tick(int n) {
    for (int i = 0; i < n; ++i) {
        if (host.timer1Enabled && host.TizedSec > 0) --host.TizedSec;
        run.wake();
    }
}

void RunTest::pressStop() {
    host.StopGombLenyomva = -1;
    run.wake();
}

void RunTest::frameSentAndAnswered() {
    ASSERT_EQ(run.state(), RunState::Sending);
    port.drain();
    ASSERT_EQ(run.state(), RunState::AwaitingStartByte);
    port.arrive({0xAA});
    ASSERT_EQ(run.state(), RunState::ReceivingBlock);
}

void RunTest::blockDelivered(int record, int b) {
    ASSERT_EQ(run.state(), RunState::ReceivingBlock);
    port.arrive(testBlock(record, b));
    ASSERT_EQ(run.state(), RunState::Acknowledging);
    port.drain();
}

void RunTest::recordDelivered(int record, int blocks) {
    frameSentAndAnswered();
    for (int b = 1; b <= blocks; ++b) {
        blockDelivered(record, b);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

void RunTest::expectRecord(int record, int length) const {
    int wrong = 0;
    for (int k = 1; k <= length; ++k) {
        if (host.SampleData[k] != testSample(record, k)) ++wrong;
    }
    EXPECT_EQ(wrong, 0) << "samples of record " << record << " wrong in positions 1.." << length;
}

}  // namespace kalvira::acquisition::testing
