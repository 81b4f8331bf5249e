#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "acquisition/serial_port.h"

namespace kalvira::acquisition::testing {

using Bytes = std::vector<std::uint8_t>;

// A port whose far side the test plays: bytes arrive when the test says so, written bytes leave
// the transmit buffer only when the test drains it, and the device fails on demand.
class FakeSerialPort : public SerialPort {
public:
    std::vector<std::string> calls;  // every operation but the polled counts: "CommPort 1", ...
    std::vector<Bytes> writes;       // each Output, as written
    Bytes wire;                      // bytes that have left the transmit buffer
    std::optional<std::string> openError;  // every open fails with this text

    void CommPort(std::int16_t number) override { log("CommPort", number); }
    void Settings(std::string_view s) override { calls.push_back("Settings " + std::string(s)); }
    void RThreshold(std::int16_t t) override { log("RThreshold", t); }
    void InputLen(std::int16_t length) override { log("InputLen", inputLength_ = length); }
    void OutBufferCount(std::int16_t zero) override {
        log("OutBufferCount", zero), transmit_.clear();
    }
    std::int16_t OutBufferCount() const override { return std::int16_t(transmit_.size()); }
    void InBufferCount(std::int16_t zero) override { log("InBufferCount", zero), receive_.clear(); }
    std::int16_t InBufferCount() const override { return std::int16_t(receive_.size()); }
    bool PortOpen() const override { return open_; }
    std::optional<std::string> PortOpen(bool open) override;
    void Output(std::span<const std::uint8_t> bytes) override;
    Bytes Input() override;

    // The unit sends bytes; notify false leaves them waiting without telling the run.
    void arrive(const Bytes &bytes, bool notify = true);
    // Everything written leaves the transmit buffer, and the run is told.
    void drain();
    // The device fails: the port closes itself and reports, as the real one does.
    void breakDown(const std::string &reason);

private:
    void log(const char *op, std::size_t n) {
        calls.push_back(std::string(op).append(" ").append(std::to_string(n)));
    }
    bool open_ = false;
    std::int16_t inputLength_ = 0;  // 0 until the run sets it: reads take nothing
    std::deque<std::uint8_t> receive_;
    Bytes transmit_;
};

}  // namespace kalvira::acquisition::testing
