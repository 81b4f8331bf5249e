#include <gtest/gtest.h>
#include <unistd.h>

#include <QTest>
#include <numeric>
#include <tuple>

#include "acquisition/measurement_run.h"
#include "acquisition/qt_serial_port.h"
#include "fake_run_host.h"
#include "fake_serial_driver.h"
#include "fake_serial_port.h"
#include "pty_pair.h"
#include "scoped_environment.h"

namespace kalvira::acquisition::testing {
namespace {

using namespace std::chrono_literals;
using us = std::chrono::microseconds;

// The port opened as COM1 on a pseudo-terminal whose far end the test holds; every driver call
// goes to the fake, which plays a USB adapter.
struct PortOnFakeDriver : ::testing::Test {
    void SetUp() override { ASSERT_FALSE(far.device().empty()); }
    Bytes readFar(std::size_t count) {  // what the far end got, waiting for count bytes (5 s)
        Bytes got;
        EXPECT_TRUE(QTest::qWaitFor([&] {
            std::uint8_t byte = 0;
            while (got.size() < count && ::read(far.fd(), &byte, 1) == 1) got.push_back(byte);
            return got.size() == count;
        })) << count
            << " bytes awaited";
        return got;
    }

    kalvira::testing::PtyPair far;
    kalvira::testing::ScopedEnvironment com1{"KALVIRA_COM1", far.device()};
    std::unique_ptr<FakeSerialDriver> owned = std::make_unique<FakeSerialDriver>();
    FakeSerialDriver &driver = *owned;
    QtSerialPort port{std::move(owned)};
};

// Line settings, bytes the driver holds, virtual time after which it holds none (never: -1), the
// virtual time the close takes, and whether the bytes are discarded. The time allowed is 10 bits a
// byte at the baud rate plus 50 ms: 1152 bytes take 100 ms at 115200 baud, 1.2 s at 9600.
using DrainCase = std::tuple<const char *, int, us, std::pair<us, us>, bool>;
const DrainCase kDrains[] = {{"115200,n,8,1", 0, -1us, {0us, 0us}, false},
                             {"115200,n,8,1", 12, 30ms, {30ms, 31ms}, false},
                             {"115200,n,8,1", 1152, -1us, {150ms, 151ms}, true},
                             {"9600,n,8,1", 1152, -1us, {1250ms, 1251ms}, true},
                             {"115200,n,8,1", 1, -1us, {50087us - 1us, 50087us + 1ms}, true}};
struct BoundedDrain : PortOnFakeDriver, ::testing::WithParamInterface<DrainCase> {};

TEST_P(BoundedDrain, ClosesOnceTheQueueIsEmptyOrItsLineTimeHasPassedDiscardingTheRest) {
    const auto &[settings, queued, emptiesAfter, closesWithin, discards] = GetParam();
    port.Settings(settings);
    ASSERT_EQ(port.PortOpen(true), std::nullopt);
    driver.queued = queued;
    if (emptiesAfter >= 0us) driver.emptiesAfter = emptiesAfter;
    port.Output(Bytes{0xAA});
    port.PortOpen(false);  // no event loop in between: only the close path can send it
    EXPECT_FALSE(port.PortOpen());
    EXPECT_GE(driver.elapsed, closesWithin.first);
    EXPECT_LE(driver.elapsed, closesWithin.second);
    EXPECT_EQ(driver.discardedAt, discards ? std::optional(driver.elapsed) : std::nullopt);
    EXPECT_EQ(readFar(1), Bytes{0xAA});
}
INSTANTIATE_TEST_SUITE_P(Queues, BoundedDrain, ::testing::ValuesIn(kDrains));

// The driver's flags (none: refused, as on a pseudo-terminal), whether it refuses to set them,
// and the flags set after the open and after the close. Low latency is 0x2000.
using LatencyCase = std::tuple<std::optional<int>, bool, std::vector<int>, std::vector<int>>;
const LatencyCase kLatencies[] = {{std::nullopt, false, {}, {}},
                                  {0x0440, false, {0x2440}, {0x2440, 0x0440}},
                                  {0x2440, false, {}, {}},
                                  {0x0440, true, {0x2440}, {0x2440}}};
struct LowLatency : PortOnFakeDriver, ::testing::WithParamInterface<LatencyCase> {};

TEST_P(LowLatency, IsAskedForOnOpenAndTheEarlierFlagsPutBackOnCloseOnlyIfChanged) {
    const auto &[flags, refusesSetting, afterOpen, afterClose] = GetParam();
    driver.flags = flags, driver.refusesSetting = refusesSetting;
    ASSERT_EQ(port.PortOpen(true), std::nullopt);
    EXPECT_EQ(driver.flagsSet, afterOpen);
    port.PortOpen(false);
    EXPECT_EQ(driver.flagsSet, afterClose);
}
INSTANTIATE_TEST_SUITE_P(Drivers, LowLatency, ::testing::ValuesIn(kLatencies));

// A record of one block, and then the adapter takes no more: the acknowledgement stays queued.
// The run still ends, with its record, after 4096 bytes' line time plus 50 ms (405.6 ms).
TEST_F(PortOnFakeDriver, AStuckAdapterLosesItsLastBytesButNotTheRunsEnd) {
    driver.flags = 0;
    FakeRunHost host;
    host.settings.scope.recordLength = 100;
    MeasurementRun run(host, port);
    run.start();
    ASSERT_EQ(readFar(kFrameLength).size(), kFrameLength);
    driver.queued = 4096;
    std::array<std::uint16_t, kSamplesPerBlock> values{};
    std::iota(values.begin(), values.end(), 0);
    const DataBlock block = encodeBlock(values);
    Bytes answer{kStartByte};
    answer.insert(answer.end(), block.begin(), block.end());
    ASSERT_EQ(::write(far.fd(), answer.data(), answer.size()), ssize_t(answer.size()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !run.running(); }));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.commitLengths, std::vector<std::size_t>{100});
    EXPECT_FALSE(port.PortOpen());
    EXPECT_GE(driver.discardedAt, std::optional(405555us));
    EXPECT_LE(driver.discardedAt, std::optional(405556us + 1ms));
    EXPECT_EQ(driver.flagsSet, (std::vector<int>{0x2000, 0}));
    EXPECT_EQ(readFar(1), Bytes{kAcknowledgement});
}

}  // namespace
}  // namespace kalvira::acquisition::testing
