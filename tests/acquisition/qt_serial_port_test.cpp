#include "acquisition/qt_serial_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QTest>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

namespace kalvira::acquisition {
namespace {

// The far end of a pseudo-terminal plays the unit; the port opens the near end as COM1.
class FarEnd {
public:
    FarEnd() {
        fd_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (fd_ < 0 || grantpt(fd_) != 0 || unlockpt(fd_) != 0) return;
        termios raw{};
        tcgetattr(fd_, &raw);
        cfmakeraw(&raw);
        tcsetattr(fd_, TCSANOW, &raw);
        device_ = ptsname(fd_);
        setenv("KALVIRA_COM1", device_.c_str(), 1);
    }
    ~FarEnd() {
        hangUp();
        unsetenv("KALVIRA_COM1");
    }
    const std::string &device() const { return device_; }
    void send(const std::vector<std::uint8_t> &bytes) const {
        ASSERT_EQ(write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Reads until count bytes have come or a second has passed.
    std::vector<std::uint8_t> receive(std::size_t count) const {
        std::vector<std::uint8_t> got;
        for (int tries = 0; got.size() < count && tries < 100; ++tries) {
            QTest::qWait(10);  // lets the port hand its queued bytes to the system
            pollfd p{fd_, POLLIN, 0};
            while (got.size() < count && poll(&p, 1, 0) > 0 && (p.revents & POLLIN)) {
                std::uint8_t chunk[512];
                const ssize_t n = read(fd_, chunk, sizeof chunk);
                if (n <= 0) break;
                got.insert(got.end(), chunk, chunk + n);
            }
        }
        return got;
    }
    void hangUp() {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
    std::string device_;
};

struct RecordingListener : SerialPortListener {
    void bytesArrived() override { ++arrivals; }
    void bytesLeft() override { ++departures; }
    void portFailed(const std::string &reason) override { failures.push_back(reason); }
    int arrivals = 0;
    int departures = 0;
    std::vector<std::string> failures;
};

std::vector<std::uint8_t> everyByteValue() {
    std::vector<std::uint8_t> bytes(256);
    std::iota(bytes.begin(), bytes.end(), 0);
    return bytes;
}

class QtSerialPortOnPty : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(farEnd.device().empty());
        port.setListener(&listener);
        port.CommPort(1);
        port.Settings("115200,n,8,1");
        ASSERT_EQ(port.PortOpen(true), std::nullopt);
    }
    FarEnd farEnd;
    RecordingListener listener;
    QtSerialPort port;
};

TEST(QtSerialPort, PortThatCannotBeOpenedIsReportedWithItsDeviceAndReason) {
    setenv("KALVIRA_COM2", "/nonexistent/ttyKALVIRA", 1);
    QtSerialPort port;
    port.CommPort(2);
    const auto error = port.PortOpen(true);
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("/nonexistent/ttyKALVIRA"), std::string::npos) << *error;
    EXPECT_GT(error->size(), std::string("/nonexistent/ttyKALVIRA: ").size()) << *error;
    EXPECT_FALSE(port.PortOpen());
    // Buffer operations on a closed port are harmless.
    port.OutBufferCount(0);
    port.InBufferCount(0);
    EXPECT_EQ(port.InBufferCount(), 0);
    EXPECT_TRUE(port.Input().empty());
    unsetenv("KALVIRA_COM2");
}

TEST_F(QtSerialPortOnPty, EveryByteValueArrivesUnchangedAtMostInputLenPerRead) {
    farEnd.send(everyByteValue());
    ASSERT_TRUE(QTest::qWaitFor([&] { return port.InBufferCount() == 256; }, 2000));
    EXPECT_GT(listener.arrivals, 0);
    port.InputLen(100);
    std::vector<std::uint8_t> got;
    for (std::size_t expected : {100u, 100u, 56u}) {
        const auto chunk = port.Input();
        EXPECT_EQ(chunk.size(), expected);
        got.insert(got.end(), chunk.begin(), chunk.end());
    }
    EXPECT_EQ(got, everyByteValue());
    EXPECT_EQ(port.InBufferCount(), 0);
}

TEST_F(QtSerialPortOnPty, EveryByteValueLeavesUnchangedAndTheTransmitBufferEmpties) {
    const auto bytes = everyByteValue();
    port.Output(bytes);
    // The run is woken when the bytes have gone to the line.
    EXPECT_TRUE(QTest::qWaitFor([&] { return listener.departures > 0; }, 2000));
    EXPECT_EQ(port.OutBufferCount(), 0);
    EXPECT_EQ(farEnd.receive(256), bytes);
}

TEST_F(QtSerialPortOnPty, EmptyingTheReceiveBufferDropsWhatWaits) {
    farEnd.send({1, 2, 3, 4, 5});
    ASSERT_TRUE(QTest::qWaitFor([&] { return port.InBufferCount() == 5; }, 2000));
    port.InBufferCount(0);
    EXPECT_EQ(port.InBufferCount(), 0);
    farEnd.send({0xAA});
    ASSERT_TRUE(QTest::qWaitFor([&] { return port.InBufferCount() == 1; }, 2000));
    EXPECT_EQ(port.Input(), std::vector<std::uint8_t>{0xAA});
}

TEST_F(QtSerialPortOnPty, AVanishedFarEndClosesThePortAndIsReportedOnce) {
    farEnd.hangUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !listener.failures.empty(); }, 2000));
    QTest::qWait(100);  // a dead line must not keep reporting
    ASSERT_EQ(listener.failures.size(), 1u);
    EXPECT_NE(listener.failures[0].find(farEnd.device()), std::string::npos);
    EXPECT_NE(listener.failures[0].find("reading from the device failed"), std::string::npos)
        << listener.failures[0];
    EXPECT_FALSE(port.PortOpen());
}

}  // namespace
}  // namespace kalvira::acquisition
