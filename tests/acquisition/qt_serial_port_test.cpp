#include "acquisition/qt_serial_port.h"

#include <gtest/gtest.h>

#include <QTest>
#include <cstdlib>
#include <numeric>

#include "pty_pair.h"

namespace kalvira::acquisition {
namespace {

struct Listener : SerialPortListener {
    void bytesArrived() override {}
    void bytesLeft() override {}
    void portFailed(const std::string &reason) override { failures.push_back(reason); }
    std::vector<std::string> failures;
};

// The port opened as COM1 on the near end of a pseudo-terminal whose far end the test holds.
class QtSerialPortOnPty : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(far.device().empty());
        ::setenv("KALVIRA_COM1", far.device().c_str(), 1);
        port.setListener(&listener);
        port.CommPort(1);
        port.Settings("115200,n,8,1");
        ASSERT_EQ(port.PortOpen(true), std::nullopt);
    }
    testing::PtyPair far;
    Listener listener;
    QtSerialPort port;
    std::vector<std::uint8_t> all = std::vector<std::uint8_t>(256);
};

TEST_F(QtSerialPortOnPty, EveryByteValuePassesUnchangedBothWays) {
    std::iota(all.begin(), all.end(), 0);
    ASSERT_TRUE(far.write(all));
    ASSERT_TRUE(QTest::qWaitFor([&] { return port.InBufferCount() == 256; }, 10000));
    port.InputLen(100);
    std::vector<std::uint8_t> got;
    for (std::size_t size : {100u, 100u, 56u}) {
        const auto chunk = port.Input();
        EXPECT_EQ(chunk.size(), size);
        got.insert(got.end(), chunk.begin(), chunk.end());
    }
    EXPECT_EQ(got, all);

    got.clear();
    port.Output(all);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const auto more = far.readAvailable();
            got.insert(got.end(), more.begin(), more.end());
            return got.size() >= all.size();
        },
        10000));
    EXPECT_EQ(got, all);
    EXPECT_TRUE(listener.failures.empty());
}

TEST_F(QtSerialPortOnPty, AVanishedDeviceClosesThePortAndIsReportedOnce) {
    far.hangUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !listener.failures.empty(); }, 10000));
    QTest::qWait(50);
    ASSERT_EQ(listener.failures.size(), 1u);
    EXPECT_TRUE(listener.failures[0].starts_with(far.device() + ": ")) << listener.failures[0];
    EXPECT_FALSE(port.PortOpen());
}

TEST(QtSerialPort, AnOpenFailureNamesTheDeviceAndTheReason) {
    ::setenv("KALVIRA_COM2", "/nonexistent/ttyKALVIRA", 1);
    QtSerialPort port;
    port.CommPort(2);
    const auto error = port.PortOpen(true);
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->starts_with("/nonexistent/ttyKALVIRA: ")) << *error;
    EXPECT_GT(error->size(), std::string("/nonexistent/ttyKALVIRA: ").size());
    EXPECT_FALSE(port.PortOpen());
}

}  // namespace
}  // namespace kalvira::acquisition
