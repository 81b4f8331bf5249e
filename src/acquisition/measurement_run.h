#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "protocol.h"
#include "run_progress.h"
#include "run_state.h"
#include "serial_port.h"
#include "settings/scope_settings.h"

namespace kalvira::acquisition {

class RunHost;

// The measurement run from START to its end, as an event-driven state machine on the GUI thread.
// It never blocks and never polls: each of its waits is examined again in a pass whenever
// something can change the outcome (bytes arrive or leave, a Timer1 tick, STOP, a message box
// closing). Its front end passes it the tenth-second clock's ticks and STOP, nothing else; the
// port wakes it itself. The run owns its stop request and its countdown.
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
    // STOP: raises the stop request, seen at the run's next stop test. At rest the request waits
    // for nothing: START clears it.
    void stop();
    // A pass: examines the current wait again.
    void wake();
    // The tenth-second clock's tick: lowers the countdown by one while above 0, then a pass while
    // a run is in progress. At rest it does nothing more.
    void tick();
    // The window is closing: ends the run at once as if stopped, port closed, no message.
    void abort();

    RunState state() const { return state_; }
    // Whether STOP was pressed since START (StopGombLenyomva).
    bool stopRequested() const { return stopRequested_; }
    // The current wait's countdown in tenths of a second (TizedSec).
    std::int16_t countdown() const { return tizedSec_; }
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
    // Loads the countdown for a wait whose time limit is tenths.
    void loadCountdown(std::int16_t tenths);
    bool usesPort() const;

    RunHost &host_;
    SerialPort &port_;
    RunState state_ = RunState::Idle;
    bool stopRequested_ = false;  // StopGombLenyomva
    std::int16_t tizedSec_ = 0;   // TizedSec, lowered by every tick while above 0

    bool inPass_ = false;
    bool passAgain_ = false;
    std::optional<std::string> portFailure_;

    // The acquisition in flight.
    settings::ScopeSettings frame_;      // what the current frame asked for
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
