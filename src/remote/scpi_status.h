#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "scpi_error.h"

namespace kalvira::remote {

// The IEEE 488.2 status of the instrument: the error queue, the standard event status register
// with its enable mask, and the service request enable mask.
class ScpiStatus {
public:
    // Standard event status bits.
    static constexpr int kOperationComplete = 1 << 0;
    static constexpr int kQueryError = 1 << 2;
    static constexpr int kDeviceError = 1 << 3;
    static constexpr int kExecutionError = 1 << 4;
    static constexpr int kCommandError = 1 << 5;
    // Status byte bits.
    static constexpr int kErrorQueueBit = 1 << 2;
    static constexpr int kEventSummaryBit = 1 << 5;
    static constexpr int kMasterSummaryBit = 1 << 6;

    // At most this many errors wait in the queue; one more replaces the last with -350.
    static constexpr std::size_t kQueueLength = 10;

    // Queues the error and sets its class's event bit (-1xx command, -2xx execution, -3xx device).
    void report(ScpiError error, const std::string &detail = {});
    // The oldest entry, taken off the queue; 0,"No error" when it is empty.
    std::string nextError();

    void setEvent(int bits) { events_ |= bits; }
    // *ESR?: the register, cleared by reading.
    int takeEvents();
    int eventEnable() const { return eventEnable_; }
    void setEventEnable(int mask) { eventEnable_ = mask & 0xFF; }
    int serviceEnable() const { return serviceEnable_; }
    void setServiceEnable(int mask) { serviceEnable_ = mask & 0xBF; }
    // *STB?: the error queue, the event summary and the master summary.
    int statusByte() const;
    // *CLS: the queue and the event register emptied.
    void clear();

private:
    std::deque<std::string> errors_;
    int events_ = 0;
    int eventEnable_ = 0;
    int serviceEnable_ = 0;
};

}  // namespace kalvira::remote
