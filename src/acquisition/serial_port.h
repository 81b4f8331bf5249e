#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kalvira::acquisition {

// Notifications that wake the measurement run: something on the port changed.
class SerialPortListener {
public:
    virtual ~SerialPortListener() = default;
    virtual void bytesArrived() = 0;
    virtual void bytesLeft() = 0;
    // The open port failed (device gone, read or write error); reason is the system's text.
    virtual void portFailed(const std::string &reason) = 0;
};

// The serial port as the measurement run uses it. Byte-transparent both ways: every value
// 0..255 passes unchanged, with no line-end handling.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Port number 1 or 2 that the next open uses; set only while closed.
    virtual void CommPort(std::int16_t number) = 0;
    // Line settings such as "115200,n,8,1": baud, parity, data bits, stop bits.
    virtual void Settings(std::string_view settings) = 0;
    // 0: no receive notifications are wanted by the caller.
    virtual void RThreshold(std::int16_t threshold) = 0;
    // Most bytes one Input() returns.
    virtual void InputLen(std::int16_t length) = 0;
    // Setting 0 empties the transmit buffer; harmless while closed.
    virtual void OutBufferCount(std::int16_t zero) = 0;
    // Bytes written but not yet sent.
    virtual std::int16_t OutBufferCount() const = 0;
    // Setting 0 empties the receive buffer; harmless while closed.
    virtual void InBufferCount(std::int16_t zero) = 0;
    // Bytes received and not yet read.
    virtual std::int16_t InBufferCount() const = 0;
    virtual bool PortOpen() const = 0;
    // Opens or closes the port. On failure returns the device name and the system's reason.
    virtual std::optional<std::string> PortOpen(bool open) = 0;
    // Queues bytes for sending, in order.
    virtual void Output(std::span<const std::uint8_t> bytes) = 0;
    // Takes the waiting bytes, at most InputLen of them, in arrival order.
    virtual std::vector<std::uint8_t> Input() = 0;

    // Where notifications go; nullptr for none. The listener must outlive the port or be unset.
    void setListener(SerialPortListener *listener) { listener_ = listener; }

protected:
    SerialPortListener *listener() const { return listener_; }

private:
    SerialPortListener *listener_ = nullptr;
};

}  // namespace kalvira::acquisition
