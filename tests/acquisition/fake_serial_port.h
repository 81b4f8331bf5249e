#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "acquisition/serial_port.h"

namespace kalvira::acquisition::testing {

// A serial port whose far side the test plays: bytes arrive when the test says so, written bytes
// leave the transmit buffer only when the test drains it, and the port fails on demand.
class FakeSerialPort : public SerialPort {
public:
    // Every port operation except the polled counts, in order: "CommPort 1",
    // "Settings 115200,n,8,1", "RThreshold 0", "InputLen 100", "OutBufferCount 0",
    // "InBufferCount 0", "PortOpen true", "Output 11", "Input 100", "PortOpen false".
    std::vector<std::string> calls;
    std::vector<std::vector<std::uint8_t>> writes;  // each Output, as written
    std::vector<std::uint8_t> wire;                 // bytes that have left the transmit buffer
    std::vector<std::size_t> readSizes;             // bytes returned by each Input
    std::optional<std::string> openError;           // the next open fails with this text
    int opens = 0;

    void CommPort(std::int16_t number) override;
    void Settings(std::string_view settings) override;
    void RThreshold(std::int16_t threshold) override;
    void InputLen(std::int16_t length) override;
    void OutBufferCount(std::int16_t zero) override;
    std::int16_t OutBufferCount() const override;
    void InBufferCount(std::int16_t zero) override;
    std::int16_t InBufferCount() const override;
    bool PortOpen() const override { return open_; }
    std::optional<std::string> PortOpen(bool open) override;
    void Output(std::span<const std::uint8_t> bytes) override;
    std::vector<std::uint8_t> Input() override;

    // The unit sends bytes; notify false leaves them waiting without telling the run.
    void arrive(const std::vector<std::uint8_t> &bytes, bool notify = true);
    // Everything written leaves the transmit buffer, and the run is told.
    void drain();
    // The device fails: the port closes itself and reports, as the real one does.
    void breakDown(const std::string &reason);

    std::int16_t portNumber() const { return number_; }
    std::size_t pending() const { return transmit_.size(); }

private:
    bool open_ = false;
    std::int16_t number_ = 0;
    std::int16_t inputLength_ = 0;
    std::deque<std::uint8_t> receive_;
    std::vector<std::uint8_t> transmit_;
};

}  // namespace kalvira::acquisition::testing
