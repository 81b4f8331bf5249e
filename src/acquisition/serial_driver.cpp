#include "serial_driver.h"

#include <algorithm>
#include <thread>

#ifdef __linux__
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <termios.h>
#endif

namespace kalvira::acquisition {

namespace {

#ifdef __linux__
static_assert(kLowLatencyFlag == ASYNC_LOW_LATENCY);

class LinuxSerialDriver final : public SerialDriver {
public:
    std::optional<int> queuedOutput(int fd) override {
        int count = 0;
        if (::ioctl(fd, TIOCOUTQ, &count) != 0) return std::nullopt;
        return count;
    }
    void discardOutput(int fd) override { ::tcflush(fd, TCOFLUSH); }
    std::optional<int> serialFlags(int fd) override {
        serial_struct serial{};
        if (::ioctl(fd, TIOCGSERIAL, &serial) != 0) return std::nullopt;
        return serial.flags;
    }
    bool setSerialFlags(int fd, int flags) override {
        serial_struct serial{};
        if (::ioctl(fd, TIOCGSERIAL, &serial) != 0) return false;
        serial.flags = flags;
        return ::ioctl(fd, TIOCSSERIAL, &serial) == 0;
    }
    Clock::time_point now() override { return Clock::now(); }
    void sleepFor(std::chrono::microseconds duration) override {
        std::this_thread::sleep_for(duration);
    }
};
#else
class PlainSerialDriver final : public SerialDriver {
public:
    std::optional<int> queuedOutput(int) override { return std::nullopt; }
    void discardOutput(int) override {}
    std::optional<int> serialFlags(int) override { return std::nullopt; }
    bool setSerialFlags(int, int) override { return false; }
    Clock::time_point now() override { return Clock::now(); }
    void sleepFor(std::chrono::microseconds duration) override {
        std::this_thread::sleep_for(duration);
    }
};
#endif

}  // namespace

std::unique_ptr<SerialDriver> systemSerialDriver() {
#ifdef __linux__
    return std::make_unique<LinuxSerialDriver>();
#else
    return std::make_unique<PlainSerialDriver>();
#endif
}

bool drainWithin(SerialDriver &driver, int fd, int baudRate) {
    const auto queued = driver.queuedOutput(fd);
    if (!queued || *queued <= 0) return true;
    const auto lineTime = std::chrono::microseconds(
        baudRate > 0 ? static_cast<long long>(*queued) * 10 * 1'000'000 / baudRate : 0);
    const auto deadline = driver.now() + lineTime + kDrainMargin;
    for (auto now = driver.now(); now < deadline; now = driver.now()) {
        driver.sleepFor(std::min<std::chrono::microseconds>(
            kDrainPoll, std::chrono::ceil<std::chrono::microseconds>(deadline - now)));
        const auto left = driver.queuedOutput(fd);
        if (!left || *left <= 0) return true;
    }
    driver.discardOutput(fd);
    return false;
}

std::optional<int> requestLowLatency(SerialDriver &driver, int fd) {
    const auto flags = driver.serialFlags(fd);
    if (!flags || (*flags & kLowLatencyFlag) != 0) return std::nullopt;
    if (!driver.setSerialFlags(fd, *flags | kLowLatencyFlag)) return std::nullopt;
    return flags;
}

}  // namespace kalvira::acquisition
