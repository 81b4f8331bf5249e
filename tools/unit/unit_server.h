#pragma once

#include "exchange.h"

namespace kalvira::unit {

// Moves bytes between the pseudo-terminal and the exchange until the stop descriptor becomes
// readable. Sleeps in poll() between events; paced output leaves at 115200 baud, 10 bits a byte.
// When the program closes its end the exchange is told and the server waits, probing every
// 50 ms, for the next open.
class UnitServer {
public:
    UnitServer(int masterFd, int stopFd, UnitExchange &exchange, bool paced);
    void run();

private:
    using Clock = UnitExchange::Clock;
    using TimePoint = UnitExchange::TimePoint;

    bool hungUp();
    void readFromHost(TimePoint now);
    void writeToHost(TimePoint now);
    void hostGone(TimePoint now);

    int master_;
    int stop_;
    UnitExchange &exchange_;
    bool paced_;
    bool hostPresent_ = true;
    TimePoint lineFree_{};  // when the paced line has sent every byte written so far
    bool backlog_ = false;  // bytes were left waiting for the line at the last write
};

}  // namespace kalvira::unit
