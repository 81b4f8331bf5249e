#include "scpi_status.h"

namespace kalvira::remote {

void ScpiStatus::report(ScpiError error, const std::string &detail) {
    const int number = static_cast<int>(error);
    if (number <= -100 && number > -200) setEvent(kCommandError);
    if (number <= -200 && number > -300) setEvent(kExecutionError);
    if (number <= -300 && number > -400) setEvent(kDeviceError);
    if (errors_.size() >= kQueueLength) {
        errors_.back() = errorEntry(ScpiError::QueueOverflow);
        return;
    }
    errors_.push_back(errorEntry(error, detail));
}

std::string ScpiStatus::nextError() {
    if (errors_.empty()) return "0,\"No error\"";
    std::string entry = std::move(errors_.front());
    errors_.pop_front();
    return entry;
}

int ScpiStatus::takeEvents() {
    const int events = events_;
    events_ = 0;
    return events;
}

int ScpiStatus::statusByte() const {
    int byte = 0;
    if (!errors_.empty()) byte |= kErrorQueueBit;
    if (events_ & eventEnable_) byte |= kEventSummaryBit;
    if (byte & serviceEnable_) byte |= kMasterSummaryBit;
    return byte;
}

void ScpiStatus::clear() {
    errors_.clear();
    events_ = 0;
}

}  // namespace kalvira::remote
