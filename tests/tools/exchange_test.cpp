#include "unit/exchange.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kalvira::unit {
namespace {

using namespace std::chrono_literals;
using acquisition::FrameSettings;
using Bytes = std::vector<std::uint8_t>;
using State = UnitExchange::State;

Bytes frameOf(const FrameSettings &settings) {
    const auto frame = acquisition::buildCommandFrame(settings);
    return {frame.begin(), frame.end()};
}

// The 201 bytes the unit sends for block b of a record, untouched by faults.
Bytes expectedBlock(const std::vector<std::uint16_t> &record, int b) {
    std::array<std::uint16_t, 100> values{};
    std::copy_n(record.begin() + (b - 1) * 100, 100, values.begin());
    const auto block = acquisition::encodeBlock(values);
    return {block.begin(), block.end()};
}

// Drives one exchange with a clock of its own; the host's side is written out step by step.
class Exchange : public testing::Test {
protected:
    void start(UnitOptions options) {
        options.ackTimeout = 100ms;
        exchange_.emplace(options, [this](const std::string &line) { log_.push_back(line); });
    }
    void startFast(std::vector<Fault> faults = {}) {
        UnitOptions options;
        options.waitForRecord = false;
        options.paced = false;
        options.faults = std::move(faults);
        start(options);
    }
    void send(const Bytes &bytes) { exchange_->received(bytes, now_); }
    void acknowledge() { send({0x55}); }
    void pass(std::chrono::milliseconds time) {
        now_ += time;
        exchange_->tick(now_);
    }
    // Everything the unit has ready to send, as the terminal would take it.
    Bytes take() {
        Bytes all;
        for (auto unsent = exchange_->unsent(); !unsent.empty(); unsent = exchange_->unsent()) {
            all.insert(all.end(), unsent.begin(), unsent.end());
            exchange_->wrote(unsent.size(), now_);
        }
        return all;
    }
    bool logged(const std::string &line) const {
        return std::find(log_.begin(), log_.end(), line) != log_.end();
    }

    std::optional<UnitExchange> exchange_;
    std::vector<std::string> log_;
    UnitExchange::TimePoint now_{};
    const FrameSettings twoBlocks_{0, 0, 100, 200, true};
    const std::vector<std::uint16_t> record_ = generateRecord({}, twoBlocks_, 1)->samples;
};

TEST_F(Exchange, AnswersAFrameWithStartByteAndDeliversEveryAcknowledgedBlock) {
    startFast();
    send(frameOf(twoBlocks_));
    Bytes first = take();
    ASSERT_EQ(first.size(), 202U);
    EXPECT_EQ(first[0], 0xAA);
    EXPECT_EQ(Bytes(first.begin() + 1, first.end()), expectedBlock(record_, 1));
    EXPECT_EQ(exchange_->state(), State::AwaitingAcknowledgement);

    acknowledge();
    EXPECT_EQ(take(), expectedBlock(record_, 2));
    acknowledge();
    EXPECT_TRUE(take().empty());
    EXPECT_EQ(exchange_->state(), State::WaitingForFrame);
    EXPECT_TRUE(logged("FRAME acq=1 mode=0 rate=0 level=100 samples=200 edge=fall"));
    EXPECT_TRUE(logged("ACK acq=1 block=2"));
    EXPECT_TRUE(logged("DONE acq=1"));
}

TEST_F(Exchange, LogShowsTheExactBytesBothWays) {
    startFast();
    send(frameOf(twoBlocks_));
    take();
    EXPECT_EQ(log_[0], "RX 00 64 C8 00 01 00 00 00 00 00 2D");
    EXPECT_EQ(log_[2], "TX start acq=1 AA");
    EXPECT_EQ(log_[3], "TX block acq=1 block=1 copy=1 " + hexBytes(expectedBlock(record_, 1)));
}

TEST_F(Exchange, FrameArrivingInPiecesIsAnswered) {
    startFast();
    const Bytes frame = frameOf(twoBlocks_);
    send(Bytes(frame.begin(), frame.begin() + 4));
    EXPECT_TRUE(exchange_->unsent().empty());
    send(Bytes(frame.begin() + 4, frame.end()));
    EXPECT_EQ(take().front(), 0xAA);
}

TEST_F(Exchange, FrameWithWrongCheckByteIsNotAnswered) {
    startFast();
    Bytes frame = frameOf(twoBlocks_);
    ++frame[10];
    send(frame);
    EXPECT_TRUE(take().empty());
    EXPECT_EQ(exchange_->acquisition(), 0);
    // A good frame after it is still found.
    send(frameOf(twoBlocks_));
    EXPECT_EQ(take().front(), 0xAA);
}

TEST_F(Exchange, StrayAcknowledgementsBeforeAFrameAreSkipped) {
    startFast();
    Bytes bytes{0x55, 0x55};
    const Bytes frame = frameOf(twoBlocks_);
    bytes.insert(bytes.end(), frame.begin(), frame.end());
    send(bytes);
    EXPECT_TRUE(logged("SKIP 55 55"));
    EXPECT_EQ(take().front(), 0xAA);
}

TEST_F(Exchange, BlockOneWaitsForTheRecordsDuration) {
    UnitOptions options;
    start(options);
    const FrameSettings slow{0, 7, 100, 100, true};  // 100 samples of 5 ms
    send(frameOf(slow));
    EXPECT_EQ(take(), Bytes{0xAA});  // the start byte goes at once
    EXPECT_EQ(exchange_->deadline(), now_ + 500ms);
    pass(499ms);
    EXPECT_TRUE(take().empty());
    pass(1ms);
    EXPECT_EQ(take().size(), 201U);
}

TEST_F(Exchange, InternalTriggerAddsTheWaitForTheCrossing) {
    UnitOptions options;
    start(options);
    const FrameSettings triggered{2, 7, 100, 100, false};
    const auto before = generateRecord({}, triggered, 1)->samplesBeforeTrigger;
    ASSERT_EQ(before, 4);
    send(frameOf(triggered));
    EXPECT_EQ(take(), Bytes{0xAA});
    EXPECT_EQ(exchange_->deadline(), now_ + 520ms);
}

TEST_F(Exchange, UnacknowledgedBlockIsSentAgainThenGivenUp) {
    startFast();
    send(frameOf(twoBlocks_));
    take();
    pass(99ms);
    EXPECT_TRUE(take().empty());
    pass(1ms);
    EXPECT_EQ(take(), expectedBlock(record_, 1));  // copy 2
    pass(100ms);
    EXPECT_EQ(take(), expectedBlock(record_, 1));  // copy 3
    pass(100ms);
    EXPECT_TRUE(take().empty());
    EXPECT_TRUE(logged("GIVEUP acq=1 block=1"));
    EXPECT_EQ(exchange_->state(), State::WaitingForFrame);
}

TEST_F(Exchange, NewFrameMidRecordRestartsTheExchange) {
    startFast();
    send(frameOf(twoBlocks_));
    take();
    const FrameSettings other{3, 4, 100, 100, false};
    send(frameOf(other));
    EXPECT_TRUE(logged("ABORT acq=1 reason=new-frame"));
    const Bytes answer = take();
    ASSERT_EQ(answer.size(), 202U);
    EXPECT_EQ(Bytes(answer.begin() + 1, answer.end()),
              expectedBlock(generateRecord({}, other, 2)->samples, 1));
    EXPECT_EQ(exchange_->acquisition(), 2);
}

TEST_F(Exchange, NewFrameHoldingTheAcknowledgementByteStillRestarts) {
    startFast();
    send(frameOf(twoBlocks_));
    take();
    const FrameSettings level85{0, 0, 0x55, 100, true};
    send(frameOf(level85));
    EXPECT_EQ(exchange_->acquisition(), 2);
    const Bytes answer = take();
    ASSERT_EQ(answer.size(), 202U);
    EXPECT_EQ(answer[0], 0xAA);
    EXPECT_EQ(Bytes(answer.begin() + 1, answer.end()),
              expectedBlock(generateRecord({}, level85, 2)->samples, 1));
}

TEST_F(Exchange, HostClosingMidRecordReturnsToWaiting) {
    startFast();
    send(frameOf(twoBlocks_));
    exchange_->wrote(1, now_);   // the start byte
    exchange_->wrote(50, now_);  // a quarter of block 1
    exchange_->hostClosed(now_);
    EXPECT_EQ(exchange_->state(), State::WaitingForFrame);
    EXPECT_TRUE(exchange_->unsent().empty());
    EXPECT_TRUE(logged("ABORT acq=1 reason=host-closed"));
    const auto cut = std::find_if(log_.begin(), log_.end(),
                                  [](const std::string &l) { return l.starts_with("CUT "); });
    ASSERT_NE(cut, log_.end());
    EXPECT_EQ(parseLogLine(*cut).fields.at("written"), "50");
    const Bytes block = expectedBlock(record_, 1);
    EXPECT_EQ(parseLogLine(*cut).bytes, Bytes(block.begin(), block.begin() + 50));

    exchange_->hostOpened(now_);
    send(frameOf(twoBlocks_));
    EXPECT_EQ(take().size(), 202U);
}

// ---- Faults ----------------------------------------------------------------------------------

TEST_F(Exchange, NoAnswerFaultSendsNothing) {
    startFast({{FaultKind::NoAnswer, 0, 0, 0}});
    send(frameOf(twoBlocks_));
    pass(1s);
    EXPECT_TRUE(take().empty());
    EXPECT_TRUE(logged("SILENT acq=1"));
}

TEST_F(Exchange, WrongStartFaultSendsItsByteThenTheRecord) {
    startFast({{FaultKind::WrongStart, 0, 0x3C, 0}});
    send(frameOf(twoBlocks_));
    const Bytes answer = take();
    ASSERT_EQ(answer.size(), 202U);
    EXPECT_EQ(answer[0], 0x3C);
}

TEST_F(Exchange, BadCheckFaultSpoilsTheFirstCopiesOnly) {
    startFast({{FaultKind::BadCheck, 2, 2, 0}});
    send(frameOf(twoBlocks_));
    take();
    acknowledge();
    Bytes good = expectedBlock(record_, 2);
    Bytes spoiled = good;
    ++spoiled[200];
    const Bytes copy1 = take();
    EXPECT_EQ(copy1, spoiled);
    EXPECT_FALSE(acquisition::decodeBlock(copy1).checkOk);
    pass(100ms);
    EXPECT_EQ(take(), spoiled);
    pass(100ms);
    EXPECT_EQ(take(), good);
}

TEST_F(Exchange, ShortBlockFaultCutsTheFirstCopy) {
    startFast({{FaultKind::ShortBlock, 1, 150, 0}});
    send(frameOf(twoBlocks_));
    const Bytes first = take();
    const Bytes block = expectedBlock(record_, 1);
    EXPECT_EQ(Bytes(first.begin() + 1, first.end()), Bytes(block.begin(), block.begin() + 150));
    pass(100ms);
    EXPECT_EQ(take(), block);
}

TEST_F(Exchange, StallFaultSendsNothingAfterItsBlock) {
    startFast({{FaultKind::Stall, 1, 0, 0}});
    send(frameOf(twoBlocks_));
    take();
    acknowledge();
    pass(1s);
    EXPECT_TRUE(take().empty());
    EXPECT_EQ(exchange_->deadline(), std::nullopt);
    EXPECT_TRUE(logged("STALL acq=1 block=1"));
    // Only a new frame moves it on.
    send(frameOf(twoBlocks_));
    EXPECT_EQ(take().size(), 202U);
}

TEST_F(Exchange, StallAfterBlockZeroSendsOnlyTheStartByte) {
    startFast({{FaultKind::Stall, 0, 0, 0}});
    send(frameOf(twoBlocks_));
    EXPECT_EQ(take(), Bytes{0xAA});
    pass(1s);
    EXPECT_TRUE(take().empty());
}

TEST_F(Exchange, HighByteFaultSendsAnUnheldValueWithAMatchingCheck) {
    startFast({{FaultKind::HighByte, 1, 1, 0}});
    send(frameOf(twoBlocks_));
    const Bytes first = take();
    const Bytes block(first.begin() + 1, first.end());
    EXPECT_EQ(block[199], 0x80 | (record_[99] >> 8));
    EXPECT_EQ(block[200], acquisition::checkByte(std::span(block).first(200)));
    EXPECT_FALSE(acquisition::decodeBlock(block).checkOk);
    pass(100ms);
    EXPECT_EQ(take(), expectedBlock(record_, 1));
}

TEST_F(Exchange, FaultForOneAcquisitionLeavesTheOthersAlone) {
    startFast({{FaultKind::NoAnswer, 0, 0, 2}});
    send(frameOf(twoBlocks_));
    EXPECT_EQ(take().size(), 202U);
    send(frameOf(twoBlocks_));  // acquisition 2, mid-record of 1
    EXPECT_TRUE(take().empty());
    send(frameOf(twoBlocks_));
    EXPECT_EQ(take().size(), 202U);
}

}  // namespace
}  // namespace kalvira::unit
