#include "acquisition/qt_serial_port.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QTest>
#include <cstdlib>
#include <numeric>

#include "pty_pair.h"
#include "scoped_environment.h"

namespace kalvira::acquisition {
namespace {

struct Listener : SerialPortListener {
    void bytesArrived() override {}
    void bytesLeft() override {}
    void portFailed(const std::string &reason) override { failures.push_back(reason); }
    std::vector<std::string> failures;
};

// The port opened as COM1 on a pseudo-terminal whose far end the test holds.
class QtSerialPortOnPty : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(far.device().empty());
        port.setListener(&listener);
        port.CommPort(1);
        ASSERT_EQ(port.PortOpen(true), std::nullopt);
    }
    testing::PtyPair far;
    testing::ScopedEnvironment com1{"KALVIRA_COM1", far.device()};
    Listener listener;
    QtSerialPort port;
};

TEST_F(QtSerialPortOnPty, EveryByteValuePassesUnchangedBothWaysAtMostInputLenARead) {
    std::vector<std::uint8_t> all(256), got;
    std::iota(all.begin(), all.end(), 0);
    ASSERT_EQ(::write(far.fd(), all.data(), 256), 256);
    ASSERT_TRUE(QTest::qWaitFor([&] { return port.InBufferCount() == 256; }, 10000));
    port.InputLen(100);
    for (std::size_t size : {100u, 100u, 56u}) {
        const auto chunk = port.Input();
        EXPECT_EQ(chunk.size(), size);
        got.insert(got.end(), chunk.begin(), chunk.end());
    }
    EXPECT_EQ(got, all);
    port.Output(all);
    ASSERT_TRUE(QTest::qWaitFor([&] { return port.OutBufferCount() == 0; }, 10000));
    EXPECT_EQ(::read(far.fd(), got.data(), 256), 256);
    EXPECT_EQ(got, all);
}

TEST_F(QtSerialPortOnPty, AVanishedDeviceClosesThePortAndIsReportedOnceByName) {
    far.hangUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !listener.failures.empty(); }, 10000));
    QTest::qWait(50);
    ASSERT_EQ(listener.failures.size(), 1u);
    EXPECT_TRUE(listener.failures[0].starts_with(far.device() + ": ")) << listener.failures[0];
    EXPECT_FALSE(port.PortOpen());
}

TEST(QtSerialPort, ALackOfPermissionSaysHowToGetIt) {
    const auto denied = describeOpenFailure("/dev/ttyUSB0", QSerialPort::PermissionError, "No");
    EXPECT_TRUE(denied.starts_with("/dev/ttyUSB0: No\n")) << denied;
    EXPECT_TRUE(denied.ends_with("dialout\", then log out and log in again.")) << denied;
    EXPECT_EQ(describeOpenFailure("/dev/ttyS1", QSerialPort::OpenError, "No"), "/dev/ttyS1: No");
}

TEST(QtSerialPort, AnOpenFailureNamesTheDeviceAndTheReason) {
    const testing::ScopedEnvironment com2("KALVIRA_COM2", "/nonexistent/ttyKALVIRA");
    QtSerialPort port;
    port.CommPort(2);
    const auto error = port.PortOpen(true).value_or("");
    EXPECT_TRUE(error.starts_with("/nonexistent/ttyKALVIRA: ") && error.size() > 25) << error;
    EXPECT_FALSE(port.PortOpen());
}

}  // namespace
}  // namespace kalvira::acquisition
