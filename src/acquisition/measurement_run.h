#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "protocol.h"
#include "run_progress.h"
#include "run_state.h"
#include "serial_port.h"

namespace kalvira::acquisition {

class RunHost;

// The measurement run from START to its end, as an event-driven state machine on the GUI thread.
// It never blocks and never polls: each of its waits is examined again in a pass whenever
// something can change the outcome (bytes arrive or leave, a Timer1 tick, STOP, a message box
// closing). The host passes it Timer1's ticks and wakes it for STOP, nothing else; the port wakes
// it itself.
class MeasurementRun final : public SerialPortListener {
public:
    // Both must outlive the run. The run becomes the port's listener.
    MeasurementRun(RunHost &host, SerialPort &port);
    ~MeasurementRun() override;
    MeasurementRun(const MeasurementRun &) = delete;
    MeasurementRun &operator=(const MeasurementRun &) = delete;

    // START: locks the settings and sends the first frame; the run then goes on in passes.
    // Ignored while a run is in progress.
    void start();
    // A pass: call after STOP set the stop request.
    void wake();
    // Timer1's tick: lowers TizedSec by one while above 0, then a pass while a run is in
    // progress. At rest it does nothing more.
    void tick();
    // The window is closing: ends the run at once as if stopped, port closed, no message.
    void abort();

    RunState state() const { return state_; }
    bool running() const { return state_ != RunState::Idle; }
    // How far the run has come; the percentages follow TizedSec and the blocks received, so they
    // move with Timer1's ticks and the bytes arriving.
    RunProgress progress() const;

    void bytesArrived() override { wake(); }
    void bytesLeft() override { wake(); }
    void portFailed(const std::string &reason) override;

private:
    void enter(RunState next);
    void examine();

    void prepare();
    void awaitFrameSent();
    void awaitStartByte();
    void checkStartByte();
    void startBlock();
    void receiveBlock();
    void checkBlock();
    void sendAcknowledgement(bool lastBlock);
    void awaitAcknowledgementSent();
    void commit();
    void pause();
    void finishReport();
    void end();

    void fail(const std::string &message, bool clearsMeresVege);
    // Loads TizedSec for a wait whose time limit is tenths.
    void loadCountdown(std::int16_t tenths);
    bool stopRequested() const;
    bool usesPort() const;

    RunHost &host_;
    SerialPort &port_;
    RunState state_ = RunState::Idle;

    bool inPass_ = false;
    bool passAgain_ = false;
    std::optional<std::string> portFailure_;

    // The acquisition in flight.
    int blocks_ = 0;                     // blocks the frame asked for, 1..160
    int block_ = 0;                      // current block b, 1..blocks_
    int copiesLeft_ = 0;                 // 3, 2 or 1
    std::int16_t firstBlockTenths_ = 0;  // countdown loaded for block 1
    std::int16_t countdownLoaded_ = 0;   // countdown loaded for the current wait
    int recordsTaken_ = 0;               // complete records since START
    bool ackForLastBlock_ = false;       // the acknowledgement in flight closes the record
    std::vector<std::uint8_t> text_;     // received bytes not yet used
    std::vector<std::int16_t> rxData_;   // RxData: staging record, positions 1..16002

    // The failure being reported.
    bool messageClosed_ = false;
    bool reportClearsMeresVege_ = false;
    unsigned reportNumber_ = 0;  // tells a late OK of an abandoned report from the current one
};

}  // namespace kalvira::acquisition
