#include "fake_serial_port.h"

#include <algorithm>

namespace kalvira::acquisition::testing {

void FakeSerialPort::CommPort(std::int16_t n) {
    log("CommPort " + std::to_string(n));
    if (!open_) number = n;
}

void FakeSerialPort::InputLen(std::int16_t length) {
    log("InputLen " + std::to_string(length));
    inputLength_ = length;
}

void FakeSerialPort::OutBufferCount(std::int16_t zero) {
    log("OutBufferCount " + std::to_string(zero));
    transmit_.clear();
}

void FakeSerialPort::InBufferCount(std::int16_t zero) {
    log("InBufferCount " + std::to_string(zero));
    receive_.clear();
}

std::optional<std::string> FakeSerialPort::PortOpen(bool open) {
    log(open ? "PortOpen true" : "PortOpen false");
    if (open && openError) return openError;
    open_ = open;
    opens += open;
    receive_.clear();
    transmit_.clear();
    return std::nullopt;
}

void FakeSerialPort::Output(std::span<const std::uint8_t> bytes) {
    log("Output " + std::to_string(bytes.size()));
    writes.emplace_back(bytes.begin(), bytes.end());
    if (open_) transmit_.insert(transmit_.end(), bytes.begin(), bytes.end());
}

Bytes FakeSerialPort::Input() {
    std::size_t count = receive_.size();
    if (inputLength_ > 0) count = std::min<std::size_t>(count, inputLength_);
    Bytes bytes(receive_.begin(), receive_.begin() + count);
    receive_.erase(receive_.begin(), receive_.begin() + count);
    readSizes.push_back(count);
    log("Input " + std::to_string(count));
    return bytes;
}

void FakeSerialPort::arrive(const Bytes &bytes, bool notify) {
    receive_.insert(receive_.end(), bytes.begin(), bytes.end());
    if (notify && listener()) listener()->bytesArrived();
}

void FakeSerialPort::drain() {
    wire.insert(wire.end(), transmit_.begin(), transmit_.end());
    transmit_.clear();
    if (listener()) listener()->bytesLeft();
}

void FakeSerialPort::breakDown(const std::string &reason) {
    open_ = false;
    receive_.clear();
    transmit_.clear();
    if (listener()) listener()->portFailed(reason);
}

}  // namespace kalvira::acquisition::testing
