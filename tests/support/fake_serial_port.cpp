#include "fake_serial_port.h"

#include <algorithm>

namespace kalvira::acquisition::testing {

std::optional<std::string> FakeSerialPort::PortOpen(bool open) {
    calls.push_back(open ? "PortOpen true" : "PortOpen false");
    if (open && openError) return openError;
    open_ = open;
    receive_.clear();
    transmit_.clear();
    return std::nullopt;
}

void FakeSerialPort::Output(std::span<const std::uint8_t> bytes) {
    log("Output", bytes.size());
    writes.emplace_back(bytes.begin(), bytes.end());
    if (open_) transmit_.insert(transmit_.end(), bytes.begin(), bytes.end());
}

Bytes FakeSerialPort::Input() {
    const std::size_t count = std::min<std::size_t>(receive_.size(), inputLength_);
    Bytes bytes(receive_.begin(), receive_.begin() + count);
    receive_.erase(receive_.begin(), receive_.begin() + count);
    log("Input", count);
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
    if (listener()) listener()->portFailed(reason);
}

}  // namespace kalvira::acquisition::testing
