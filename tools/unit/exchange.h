#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "acquisition/protocol.h"
#include "faults.h"
#include "signal.h"
#include "unit_options.h"
#include "wire_log.h"

namespace kalvira::unit {

// The unit's side of the exchange, free of any terminal: bytes from the host and the passing of
// time go in, the bytes to send come out. Every method takes the current time, so tests drive it
// with a clock of their own.
//
// Waiting for frame -> (frame) start byte queued, Acquiring -> (record's duration) Sending block
// -> (all bytes written) Awaiting acknowledgement -> (0x55) next block or Waiting for frame;
// an acknowledgement not in time sends the block again, up to the copies allowed. A valid frame
// in any state restarts the exchange with it; the host closing its end returns to waiting.
class UnitExchange {
public:
    using Clock = std::chrono::steady_clock;
    using TimePoint = Clock::time_point;

    enum class State { WaitingForFrame, Acquiring, SendingBlock, AwaitingAcknowledgement, Stalled };

    UnitExchange(const UnitOptions &options, LogSink log);

    // Bytes read from the host, in arrival order.
    void received(std::span<const std::uint8_t> bytes, TimePoint now);
    // The host closed its end (or opened it again): the exchange goes back to waiting.
    void hostClosed(TimePoint now);
    void hostOpened(TimePoint now);
    // Lets time pass; call by deadline() at the latest.
    void tick(TimePoint now);
    // When tick() is next needed; nullopt while only the host can move things on.
    std::optional<TimePoint> deadline() const;

    // The bytes still to be written to the host, in order; empty when nothing is to be sent.
    std::span<const std::uint8_t> unsent() const;
    // The first count bytes of unsent() reached the host; now is when the last one left the line.
    void wrote(std::size_t count, TimePoint now);

    State state() const { return state_; }
    // Frames answered so far; the current acquisition's number.
    int acquisition() const { return acquisition_; }

private:
    struct Outgoing {
        std::vector<std::uint8_t> bytes;
        std::size_t written = 0;
        std::string label;  // "start acq=1", "block acq=1 block=2 copy=1"
    };

    void takeFrame(const acquisition::FrameSettings &frame, TimePoint now);
    void acknowledged(TimePoint now);
    void sendCopy(TimePoint now);
    void abandon(const std::string &reason);
    void dropOutgoing();
    void scanForFrames(TimePoint now);
    void logSkipped();
    void advance(TimePoint now);
    const Fault *fault(FaultKind kind, int block = -1) const;
    int lastBlock() const;
    std::string acq() const;

    UnitOptions options_;
    LogSink log_;
    State state_ = State::WaitingForFrame;
    int acquisition_ = 0;
    std::vector<Fault> faults_;  // those of the current acquisition
    std::vector<std::uint16_t> record_;
    int block_ = 0;  // 1-based block being delivered
    int copy_ = 0;   // copies of it sent so far
    TimePoint recordReady_{};
    TimePoint ackDeadline_{};
    std::optional<Outgoing> outgoing_;
    std::vector<std::uint8_t> pendingFrame_;  // received bytes that may still begin a frame
    std::vector<std::uint8_t> skipped_;       // received bytes found to be no frame, to log
};

}  // namespace kalvira::unit
