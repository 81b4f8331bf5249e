#include "measurement_run.h"

#include <algorithm>
#include <array>

#include "run_countdowns.h"
#include "run_host.h"

namespace kalvira::acquisition {

namespace {

constexpr std::int16_t kReadLength = 100;  // one read takes at most this many bytes

}  // namespace

MeasurementRun::MeasurementRun(RunHost &host, SerialPort &port)
    : host_(host), port_(port), rxData_(kRecordLastPosition + 1, 0) {
    port_.setListener(this);
}

MeasurementRun::~MeasurementRun() {
    port_.setListener(nullptr);
}

void MeasurementRun::start() {
    if (running()) return;
    stopRequested_ = false;
    host_.setSettingsLocked(true);
    text_.clear();
    portFailure_.reset();
    recordsTaken_ = 0;
    enter(RunState::Preparing);
    wake();
}

void MeasurementRun::stop() {
    stopRequested_ = true;
    wake();
}

void MeasurementRun::wake() {
    if (inPass_) {
        passAgain_ = true;  // a nested wake: examine once more when the current pass is done
        return;
    }
    inPass_ = true;
    do {
        passAgain_ = false;
        examine();
    } while (passAgain_);
    inPass_ = false;
}

void MeasurementRun::tick() {
    if (tizedSec_ > 0) --tizedSec_;
    // At rest the timer keeps ticking; nothing is waited for then.
    if (running()) wake();
}

void MeasurementRun::loadCountdown(std::int16_t tenths) {
    countdownLoaded_ = tenths;
    tizedSec_ = tenths;
}

void MeasurementRun::abort() {
    if (!running()) return;
    stopRequested_ = true;
    ++reportNumber_;
    enter(RunState::Ending);
    wake();
}

void MeasurementRun::portFailed(const std::string &reason) {
    if (!running()) return;
    portFailure_ = reason;
    wake();
}

// The one place where the run changes state. Every change is examined at once, as a pass that
// finds no event pending would.
void MeasurementRun::enter(RunState next) {
    state_ = next;
    passAgain_ = true;
    host_.runStateChanged();
}

void MeasurementRun::examine() {
    if (portFailure_) {
        const std::string reason = *portFailure_;
        portFailure_.reset();
        if (usesPort()) {
            fail(reason, false);
            return;
        }
    }
    switch (state_) {
        case RunState::Idle:
            return;
        case RunState::Preparing:
            return prepare();
        case RunState::Sending:
            return awaitFrameSent();
        case RunState::AwaitingStartByte:
            return awaitStartByte();
        case RunState::CheckingStartByte:
            return checkStartByte();
        case RunState::ReceivingBlock:
            return receiveBlock();
        case RunState::CheckingBlock:
            return checkBlock();
        case RunState::Acknowledging:
            return awaitAcknowledgementSent();
        case RunState::Committing:
            return commit();
        case RunState::Pausing:
            return pause();
        case RunState::Reporting:
            return finishReport();
        case RunState::Ending:
            return end();
    }
}

// Top of an acquisition: configure the port, build the frame from the current settings, send it.
void MeasurementRun::prepare() {
    if (stopRequested()) return enter(RunState::Ending);

    const RunSettings now = host_.runSettings();
    const bool wasOpen = port_.PortOpen();
    if (!wasOpen) port_.CommPort(now.port == 1 ? 2 : 1);
    port_.Settings("115200,n,8,1");
    port_.RThreshold(0);
    port_.InputLen(kReadLength);
    port_.OutBufferCount(0);
    port_.InBufferCount(0);
    if (!wasOpen) {
        if (const auto error = port_.PortOpen(true)) return fail(*error, false);
    }

    // The record length is fixed here for the whole acquisition: the unit sends what the frame
    // asked for, even if the redraw lowers the record length bar meanwhile.
    frame_ = now.scope;
    blocks_ = std::clamp<int>(frame_.recordLength / kSamplesPerBlock, 1, kMaxBlocks);
    frame_.recordLength = blocks_ * kSamplesPerBlock;
    // The window always has one trigger mode and one sample rate selected; a host that offers
    // another gets a message instead of a frame the unit would misread.
    const auto frame = settings::commandFrame(frame_);
    if (!frame) {
        return fail("No command frame for trigger mode " + std::to_string(frame_.triggerMode) +
                        " and sample rate " + std::to_string(frame_.rateCode) + ".",
                    false);
    }

    port_.Output(*frame);
    loadCountdown(kFrameSendTenths);
    host_.startClock();
    enter(RunState::Sending);
}

void MeasurementRun::awaitFrameSent() {
    if (port_.OutBufferCount() == 0) {
        loadCountdown(kStartByteTenths);
        return enter(RunState::AwaitingStartByte);
    }
    if (tizedSec_ == 0) return fail("COM port hiba!", false);
}

void MeasurementRun::awaitStartByte() {
    if (stopRequested()) return enter(RunState::Ending);
    if (port_.InBufferCount() != 0) return enter(RunState::CheckingStartByte);
    if (tizedSec_ == 0) return fail("KALVIRA nem válaszol!", false);
}

void MeasurementRun::checkStartByte() {
    const std::vector<std::uint8_t> chunk = port_.Input();
    const FirstChunk first = splitFirstChunk(chunk);
    if (!first.startByteOk) return fail("KALVIRA hibás válasz!", true);
    text_.assign(first.blockBytes.begin(), first.blockBytes.end());
    block_ = 1;
    startBlock();
}

void MeasurementRun::startBlock() {
    copiesLeft_ = 3;
    if (block_ == 1) {
        firstBlockTenths_ =
            firstBlockCountdown(frame_.rateCode, static_cast<std::int16_t>(blocks_));
    }
    loadCountdown(block_ == 1 ? firstBlockTenths_ : laterBlockCountdown());
    enter(RunState::ReceivingBlock);
}

// One pass of the block wait: one read at most, then the time-out, then completeness, in this
// order, so a block completed in the pass that sees the countdown at 0 still fails.
void MeasurementRun::receiveBlock() {
    if (stopRequested()) return enter(RunState::Ending);
    bool readSome = false;
    if (text_.size() < kBlockLength && port_.InBufferCount() > 0) {
        const std::vector<std::uint8_t> chunk = port_.Input();
        text_.insert(text_.end(), chunk.begin(), chunk.end());
        readSome = !chunk.empty();
    }
    if (tizedSec_ == 0) return fail("A kapcsolat megszakadt!", true);
    if (text_.size() >= kBlockLength) return enter(RunState::CheckingBlock);
    // Bytes still waiting raise no new notification: take them in the next pass.
    if (readSome && port_.InBufferCount() > 0) passAgain_ = true;
}

void MeasurementRun::checkBlock() {
    const DecodedBlock decoded = decodeBlock(text_);
    if (!decoded.checkOk) {
        if (copiesLeft_ == 1) return fail("Kapcsolat nem megfelelő!", false);
        // Await another copy within the same countdown; nothing is sent for a bad copy.
        --copiesLeft_;
        text_.clear();
        port_.OutBufferCount(0);
        port_.InBufferCount(0);
        return enter(RunState::ReceivingBlock);
    }
    const auto first = rxData_.begin() + (block_ - 1) * kSamplesPerBlock + 1;
    std::copy(decoded.samples.begin(), decoded.samples.end(), first);
    if (block_ == blocks_) return sendAcknowledgement(true);
    ++block_;
    text_.clear();
    port_.OutBufferCount(0);
    port_.InBufferCount(0);
    sendAcknowledgement(false);
}

void MeasurementRun::sendAcknowledgement(bool lastBlock) {
    ackForLastBlock_ = lastBlock;
    const std::array<std::uint8_t, 1> ack{kAcknowledgement};
    port_.Output(ack);
    loadCountdown(kAckSendTenths);
    host_.startClock();
    enter(RunState::Acknowledging);
}

void MeasurementRun::awaitAcknowledgementSent() {
    if (port_.OutBufferCount() == 0) {
        if (ackForLastBlock_) return enter(RunState::Committing);
        return startBlock();
    }
    if (tizedSec_ == 0) return fail("Nyugta adás hiba!", false);
}

void MeasurementRun::commit() {
    ++recordsTaken_;
    const std::size_t length = static_cast<std::size_t>(blocks_) * kSamplesPerBlock;
    host_.takeRecord(std::span<const std::int16_t>(rxData_).subspan(1, length));
    host_.redraw();
    if (frame_.continuous()) {
        loadCountdown(kPauseTenths);
        return enter(RunState::Pausing);
    }
    enter(RunState::Ending);
}

// The pause between records has no stop test: a stop is seen at the top of the next acquisition.
void MeasurementRun::pause() {
    if (tizedSec_ == 0) enter(RunState::Preparing);
}

void MeasurementRun::fail(const std::string &message, bool clearsMeresVege) {
    reportClearsMeresVege_ = clearsMeresVege;
    messageClosed_ = false;
    const unsigned report = ++reportNumber_;
    enter(RunState::Reporting);
    host_.showMessage(message, [this, report] {
        if (report != reportNumber_ || state_ != RunState::Reporting) return;
        messageClosed_ = true;
        wake();
    });
}

void MeasurementRun::finishReport() {
    if (!messageClosed_) return;
    if (reportClearsMeresVege_) host_.dropRecord();
    enter(RunState::Ending);
}

void MeasurementRun::end() {
    host_.setSettingsLocked(false);
    port_.PortOpen(false);
    enter(RunState::Idle);
}

RunProgress MeasurementRun::progress() const {
    RunProgress progress;
    progress.recordsTaken = recordsTaken_;
    if (countdownLoaded_ > 0) {
        const int left = std::clamp<int>(tizedSec_, 0, countdownLoaded_);
        progress.timeLimitUsedPercent = (countdownLoaded_ - left) * 100 / countdownLoaded_;
    }
    switch (state_) {
        case RunState::Idle:
        case RunState::Ending:
            return progress;
        case RunState::Preparing:
        case RunState::Sending:
        case RunState::AwaitingStartByte:
        case RunState::CheckingStartByte:
            progress.phase = RunPhase::Starting;
            return progress;
        case RunState::Pausing:
            progress.phase = RunPhase::Pausing;
            return progress;
        case RunState::Reporting:
            progress.phase = RunPhase::Reporting;
            return progress;
        case RunState::ReceivingBlock:
        case RunState::CheckingBlock:
        case RunState::Acknowledging:
        case RunState::Committing:
            break;
    }
    if (block_ == 1 && text_.empty() && state_ == RunState::ReceivingBlock) {
        // Block 1's countdown is the record's duration plus the link's allowance.
        const int duration = firstBlockTenths_ - kLinkAllowanceTenths;
        const int elapsed = firstBlockTenths_ - tizedSec_;
        if (duration > 0 && elapsed < duration) {
            progress.phase = RunPhase::Acquiring;
            progress.percent = elapsed * 100 / duration;
        } else {
            progress.phase = RunPhase::AwaitingTrigger;
        }
        return progress;
    }
    const bool lastAcknowledged =
        state_ != RunState::ReceivingBlock && state_ != RunState::CheckingBlock && ackForLastBlock_;
    const int received = lastAcknowledged ? blocks_ : block_ - 1;
    progress.phase = RunPhase::Transferring;
    progress.percent = blocks_ > 0 ? received * 100 / blocks_ : 0;
    return progress;
}

bool MeasurementRun::usesPort() const {
    return state_ != RunState::Idle && state_ != RunState::Reporting && state_ != RunState::Ending;
}

}  // namespace kalvira::acquisition
