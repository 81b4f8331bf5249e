#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "exchange.h"

namespace kalvira::unit {

// Moves bytes between the pseudo-terminal and the exchange until the stop descriptor becomes
// readable. Sleeps in poll() between events; paced output leaves at 115200 baud, 10 bits a byte.
// With a USB latency the bytes off the line are held as a USB adapter holds them: they reach the
// host when 62 (a 64-byte packet less its two status bytes) are waiting, or once the latency has
// passed since the first one held. When the program closes its end the exchange is told and the
// server waits, probing every 50 ms, for the next open.
class UnitServer {
public:
    UnitServer(int masterFd, int stopFd, UnitExchange &exchange, bool paced,
               std::optional<std::chrono::milliseconds> usbLatency = std::nullopt);
    void run();

private:
    using Clock = UnitExchange::Clock;
    using TimePoint = UnitExchange::TimePoint;

    bool hungUp();
    void readFromHost(TimePoint now);
    void writeToHost(TimePoint now);
    std::size_t lineTakes(std::size_t waiting, TimePoint now);
    void lineSent(std::size_t sent, std::size_t waiting, TimePoint now);
    void feedAdapter(TimePoint now);
    bool adapterReleases(TimePoint now) const;
    void releaseHeld(TimePoint now);
    void hostGone(TimePoint now);

    int master_;
    int stop_;
    UnitExchange &exchange_;
    bool paced_;
    bool hostPresent_ = true;
    TimePoint lineFree_{};  // when the paced line has sent every byte written so far
    bool backlog_ = false;  // bytes were left waiting for the line at the last write
    std::optional<std::chrono::milliseconds> usbLatency_;
    std::vector<std::uint8_t> held_;  // off the line, held by the adapter for the host
    TimePoint heldSince_{};           // when the first byte of held_ came off the line
};

}  // namespace kalvira::unit
