#pragma once

#include <chrono>
#include <memory>
#include <optional>

namespace kalvira::acquisition {

// The few calls to the serial driver that QSerialPort does not make: the driver's output queue,
// its serial flags, and the clock and sleep the bounded drain polls with. On a pseudo-terminal
// the queue always reads empty and the flags are refused, so what depends on them is tested with
// a fake that keeps bytes queued or answers like a USB adapter.
class SerialDriver {
public:
    using Clock = std::chrono::steady_clock;
    virtual ~SerialDriver() = default;

    // Bytes the driver still holds for the line (TIOCOUTQ); nullopt when it does not say.
    virtual std::optional<int> queuedOutput(int fd) = 0;
    // Drops every byte the driver still holds for the line (tcflush, TCOFLUSH).
    virtual void discardOutput(int fd) = 0;
    // serial_struct.flags (TIOCGSERIAL); nullopt when the driver has no such settings.
    virtual std::optional<int> serialFlags(int fd) = 0;
    // Sets serial_struct.flags, the rest as the driver has it (TIOCSSERIAL); false when refused.
    virtual bool setSerialFlags(int fd, int flags) = 0;
    // The clock and the sleep the drain polls by; the sleep blocks the calling thread.
    virtual Clock::time_point now() = 0;
    virtual void sleepFor(std::chrono::microseconds duration) = 0;
};

// The driver of the running system: Linux ioctls; elsewhere one that holds nothing and has no
// flags.
std::unique_ptr<SerialDriver> systemSerialDriver();

// ASYNC_LOW_LATENCY of serial_struct.flags: the driver hands received bytes on at once; a USB
// adapter on ftdi_sio turns it into a latency timer of 1 ms instead of 16 ms.
inline constexpr int kLowLatencyFlag = 1 << 13;

// Time allowed beyond the line time of the queued bytes, for the adapter and the USB frames; and
// how often the queue is looked at meanwhile (11 bytes' time at 115200 baud).
inline constexpr std::chrono::milliseconds kDrainMargin{50};
inline constexpr std::chrono::milliseconds kDrainPoll{1};

// Waits, polling every kDrainPoll, until the driver's output queue of fd is empty, at most for the
// time the bytes queued at the start need at baudRate (10 bits a byte) plus kDrainMargin. When
// that time runs out the bytes are discarded, since the system's own close would wait for them
// too. True when the queue emptied.
bool drainWithin(SerialDriver &driver, int fd, int baudRate);

// Sets the low latency flag on fd. The flags to put back on close, when they were changed;
// nullopt when the flag was set already or the driver refused.
std::optional<int> requestLowLatency(SerialDriver &driver, int fd);

}  // namespace kalvira::acquisition
