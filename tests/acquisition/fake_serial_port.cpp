#include "fake_serial_port.h"

#include <algorithm>

namespace kalvira::acquisition::testing {

void FakeSerialPort::CommPort(std::int16_t number) {
    calls.push_back("CommPort " + std::to_string(number));
    if (!open_) number_ = number;
}

void FakeSerialPort::Settings(std::string_view settings) {
    calls.push_back("Settings " + std::string(settings));
}

void FakeSerialPort::RThreshold(std::int16_t threshold) {
    calls.push_back("RThreshold " + std::to_string(threshold));
}

void FakeSerialPort::InputLen(std::int16_t length) {
    calls.push_back("InputLen " + std::to_string(length));
    inputLength_ = length;
}

void FakeSerialPort::OutBufferCount(std::int16_t zero) {
    calls.push_back("OutBufferCount " + std::to_string(zero));
    transmit_.clear();
}

std::int16_t FakeSerialPort::OutBufferCount() const {
    return static_cast<std::int16_t>(transmit_.size());
}

void FakeSerialPort::InBufferCount(std::int16_t zero) {
    calls.push_back("InBufferCount " + std::to_string(zero));
    receive_.clear();
}

std::int16_t FakeSerialPort::InBufferCount() const {
    return static_cast<std::int16_t>(receive_.size());
}

std::optional<std::string> FakeSerialPort::PortOpen(bool open) {
    calls.push_back(open ? "PortOpen true" : "PortOpen false");
    if (!open) {
        open_ = false;
        receive_.clear();
        transmit_.clear();
        return std::nullopt;
    }
    if (openError) return openError;
    open_ = true;
    ++opens;
    return std::nullopt;
}

void FakeSerialPort::Output(std::span<const std::uint8_t> bytes) {
    calls.push_back("Output " + std::to_string(bytes.size()));
    writes.emplace_back(bytes.begin(), bytes.end());
    if (open_) transmit_.insert(transmit_.end(), bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> FakeSerialPort::Input() {
    std::size_t count = receive_.size();
    if (inputLength_ > 0) count = std::min<std::size_t>(count, inputLength_);
    std::vector<std::uint8_t> bytes(receive_.begin(), receive_.begin() + count);
    receive_.erase(receive_.begin(), receive_.begin() + count);
    readSizes.push_back(count);
    calls.push_back("Input " + std::to_string(count));
    return bytes;
}

void FakeSerialPort::arrive(const std::vector<std::uint8_t> &bytes, bool notify) {
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
