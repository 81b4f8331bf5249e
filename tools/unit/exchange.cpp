#include "exchange.h"

#include <algorithm>
#include <array>

namespace kalvira::unit {

namespace {

using acquisition::kAcknowledgement;
using acquisition::kFrameLength;

// Byte 0 of a frame is mode * 16 + rate with mode 0..3 and rate 0..7; any other byte cannot
// begin one, so it is dropped at once instead of waiting for ten more.
bool canBeginFrame(std::uint8_t byte) {
    return byte / 16 <= 3 && byte % 16 <= 7;
}

constexpr std::uint16_t kUnheldHighBit = 0x8000;

// A log line with the bytes appended in hex, when there are any.
std::string withBytes(std::string line, std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return line;
    line += ' ';
    line += hexBytes(bytes);
    return line;
}

}  // namespace

UnitExchange::UnitExchange(const UnitOptions &options, LogSink log)
    : options_(options), log_(std::move(log)) {}

std::string UnitExchange::acq() const {
    return "acq=" + std::to_string(acquisition_);
}

int UnitExchange::lastBlock() const {
    return static_cast<int>(record_.size() / kSamplesPerBlock);
}

const Fault *UnitExchange::fault(FaultKind kind, int block) const {
    const auto found = std::find_if(faults_.begin(), faults_.end(), [&](const Fault &f) {
        return f.kind == kind && (block < 0 || f.block == block);
    });
    return found == faults_.end() ? nullptr : &*found;
}

void UnitExchange::received(std::span<const std::uint8_t> bytes, TimePoint now) {
    if (bytes.empty()) return;
    log_("RX " + hexBytes(bytes));
    for (const std::uint8_t byte : bytes) {
        const bool expectingAcknowledgement =
            state_ == State::SendingBlock || state_ == State::AwaitingAcknowledgement;
        if (byte == kAcknowledgement && expectingAcknowledgement) {
            // 0x55 cannot begin a frame, but a frame under way may hold one (level 85).
            if (!pendingFrame_.empty()) pendingFrame_.push_back(byte);
            acknowledged(now);
        } else {
            pendingFrame_.push_back(byte);
        }
        scanForFrames(now);
    }
    logSkipped();
    advance(now);
}

void UnitExchange::scanForFrames(TimePoint now) {
    while (!pendingFrame_.empty()) {
        if (canBeginFrame(pendingFrame_.front()) && pendingFrame_.size() < kFrameLength) break;
        if (canBeginFrame(pendingFrame_.front())) {
            if (const auto frame = acquisition::parseCommandFrame(pendingFrame_)) {
                pendingFrame_.erase(pendingFrame_.begin(), pendingFrame_.begin() + kFrameLength);
                logSkipped();
                takeFrame(*frame, now);
                continue;
            }
        }
        skipped_.push_back(pendingFrame_.front());
        pendingFrame_.erase(pendingFrame_.begin());
    }
}

void UnitExchange::logSkipped() {
    if (!skipped_.empty()) log_("SKIP " + hexBytes(skipped_));
    skipped_.clear();
}

void UnitExchange::takeFrame(const acquisition::FrameSettings &frame, TimePoint now) {
    if (state_ != State::WaitingForFrame) abandon("new-frame");
    ++acquisition_;
    faults_ = faultsFor(options_.faults, acquisition_);
    log_("FRAME " + acq() + " mode=" + std::to_string(frame.triggerMode) + " rate=" +
         std::to_string(frame.rateCode) + " level=" + std::to_string(frame.triggerLevel) +
         " samples=" + std::to_string(frame.recordLength) +
         " edge=" + (frame.fallingEdge ? "fall" : "rise"));
    if (fault(FaultKind::NoAnswer)) {
        log_("SILENT " + acq());
        return;
    }

    const Fault *wrongStart = fault(FaultKind::WrongStart);
    const auto start =
        wrongStart ? static_cast<std::uint8_t>(wrongStart->count) : acquisition::kStartByte;
    outgoing_ = Outgoing{{start}, 0, "start " + acq()};

    auto record = generateRecord(options_.signal, frame, acquisition_);
    if (!record) {
        log_("NOTRIGGER " + acq());
        state_ = State::Stalled;
        return;
    }
    record_ = std::move(record->samples);
    block_ = 1;
    copy_ = 0;
    const double seconds = acquisition::samplePeriod(frame.rateCode) *
                           static_cast<double>(record->samplesBeforeTrigger + frame.recordLength);
    recordReady_ = now;
    if (options_.waitForRecord) {
        recordReady_ +=
            std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    }
    if (fault(FaultKind::Stall, 0)) {
        log_("STALL " + acq() + " block=0");
        state_ = State::Stalled;
        return;
    }
    state_ = State::Acquiring;
}

void UnitExchange::sendCopy(TimePoint now) {
    ++copy_;
    std::array<std::uint16_t, kSamplesPerBlock> values{};
    const auto first =
        record_.begin() + static_cast<std::ptrdiff_t>((block_ - 1) * kSamplesPerBlock);
    std::copy(first, first + kSamplesPerBlock, values.begin());

    const Fault *highByte = fault(FaultKind::HighByte, block_);
    if (highByte && copy_ <= highByte->count) values.back() |= kUnheldHighBit;
    const auto block = acquisition::encodeBlock(values);
    std::vector<std::uint8_t> bytes(block.begin(), block.end());
    const Fault *badCheck = fault(FaultKind::BadCheck, block_);
    if (badCheck && copy_ <= badCheck->count) ++bytes.back();
    const Fault *shortBlock = fault(FaultKind::ShortBlock, block_);
    if (shortBlock && copy_ == 1) bytes.resize(static_cast<std::size_t>(shortBlock->count));

    outgoing_ = Outgoing{
        std::move(bytes), 0,
        "block " + acq() + " block=" + std::to_string(block_) + " copy=" + std::to_string(copy_)};
    state_ = State::SendingBlock;
    if (outgoing_->bytes.empty()) wrote(0, now);
}

void UnitExchange::wrote(std::size_t count, TimePoint now) {
    if (!outgoing_) return;
    outgoing_->written = std::min(outgoing_->written + count, outgoing_->bytes.size());
    if (outgoing_->written < outgoing_->bytes.size()) return;
    const auto &bytes = outgoing_->bytes;
    log_(withBytes("TX " + outgoing_->label, bytes));
    outgoing_.reset();
    if (state_ == State::SendingBlock) {
        state_ = State::AwaitingAcknowledgement;
        ackDeadline_ = now + options_.ackTimeout;
    }
    advance(now);
}

void UnitExchange::acknowledged(TimePoint now) {
    log_("ACK " + acq() + " block=" + std::to_string(block_));
    dropOutgoing();
    if (block_ == lastBlock()) {
        log_("DONE " + acq());
        state_ = State::WaitingForFrame;
        return;
    }
    if (fault(FaultKind::Stall, block_)) {
        log_("STALL " + acq() + " block=" + std::to_string(block_));
        state_ = State::Stalled;
        return;
    }
    ++block_;
    copy_ = 0;
    sendCopy(now);
}

void UnitExchange::advance(TimePoint now) {
    if (state_ == State::Acquiring && !outgoing_ && now >= recordReady_) sendCopy(now);
    if (state_ == State::AwaitingAcknowledgement && now >= ackDeadline_) {
        if (copy_ < options_.maxCopies) {
            sendCopy(now);
        } else {
            log_("GIVEUP " + acq() + " block=" + std::to_string(block_));
            state_ = State::WaitingForFrame;
        }
    }
}

void UnitExchange::dropOutgoing() {
    if (!outgoing_) return;
    const auto written = std::span(outgoing_->bytes).first(outgoing_->written);
    log_(withBytes("CUT " + outgoing_->label + " written=" + std::to_string(written.size()),
                   written));
    outgoing_.reset();
}

void UnitExchange::abandon(const std::string &reason) {
    log_("ABORT " + acq() + " reason=" + reason);
    dropOutgoing();
    state_ = State::WaitingForFrame;
}

void UnitExchange::hostClosed(TimePoint) {
    log_("HOST closed");
    if (state_ != State::WaitingForFrame) abandon("host-closed");
    dropOutgoing();
    skipped_ = std::move(pendingFrame_);
    pendingFrame_.clear();
    logSkipped();
}

void UnitExchange::hostOpened(TimePoint) {
    log_("HOST open");
}

void UnitExchange::tick(TimePoint now) {
    advance(now);
}

std::optional<UnitExchange::TimePoint> UnitExchange::deadline() const {
    if (state_ == State::Acquiring && !outgoing_) return recordReady_;
    if (state_ == State::AwaitingAcknowledgement) return ackDeadline_;
    return std::nullopt;
}

std::span<const std::uint8_t> UnitExchange::unsent() const {
    if (!outgoing_) return {};
    return std::span(outgoing_->bytes).subspan(outgoing_->written);
}

}  // namespace kalvira::unit
