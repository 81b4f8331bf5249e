// Receiving and checking blocks: reads of at most 100 bytes, the 201 bytes of a block, bad copies
// and the time-out tested before completeness.
#include <gtest/gtest.h>

#include "run_fixture.h"

namespace kalvira::acquisition::testing {
namespace {

TEST_F(RunTest, ABlockOf201BytesTakesThreeReadsOfAtMost100) {
    host.sampleScroll = 1;
    run.start();
    frameSentAndAnswered();
    port.arrive(testBlock(1, 1));
    EXPECT_EQ(port.readSizes, (std::vector<std::size_t>{1, 100, 100, 1}));
}

TEST_F(RunTest, BytesAfterTheStartByteInTheSameReadBeginBlockOne) {
    host.sampleScroll = 1;
    run.start();
    port.drain();
    Bytes first{0xAA};
    const Bytes block = testBlock(1, 1);
    first.insert(first.end(), block.begin(), block.begin() + 150);
    port.arrive(first);
    EXPECT_EQ(port.readSizes.front(), 100u);
    port.arrive(Bytes(block.begin() + 150, block.end()));
    port.drain();
    EXPECT_EQ(run.state(), RunState::Idle);
    expectRecord(1, 100);
}

TEST_F(RunTest, BytesBeyondABlockAreDroppedBeforeTheNextBlock) {
    host.sampleScroll = 2;
    run.start();
    frameSentAndAnswered();
    Bytes block = testBlock(1, 1);
    block.insert(block.end(), 40, 0xEE);
    port.arrive(block);
    EXPECT_EQ(port.InBufferCount(), 0);
    port.drain();
    blockDelivered(1, 2);
    expectRecord(1, 200);
}

TEST_F(RunTest, ABlockBadOnceIsAwaitedAgainWithNothingSent) {
    host.sampleScroll = 2;
    run.start();
    frameSentAndAnswered();
    const std::size_t written = port.writes.size();
    port.arrive(corrupted(testBlock(1, 1)));
    EXPECT_EQ(run.state(), RunState::ReceivingBlock);
    EXPECT_EQ(port.writes.size(), written);
    EXPECT_EQ(port.calls.end()[-2], "OutBufferCount 0");
    EXPECT_EQ(port.calls.end()[-1], "InBufferCount 0");
    blockDelivered(1, 1);
    blockDelivered(1, 2);
    expectRecord(1, 200);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(RunTest, ABlockBadTwiceIsStillAcceptedOnItsThirdCopy) {
    host.sampleScroll = 2;
    run.start();
    frameSentAndAnswered();
    blockDelivered(1, 1);
    port.arrive(corrupted(testBlock(1, 2)));
    port.arrive(corrupted(testBlock(1, 2)));
    EXPECT_EQ(port.writes.size(), 2u);
    blockDelivered(1, 2);
    expectRecord(1, 200);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(RunTest, EveryBlockHasItsOwnThreeCopies) {
    host.sampleScroll = 2;
    run.start();
    frameSentAndAnswered();
    port.arrive(corrupted(testBlock(1, 1)));
    port.arrive(corrupted(testBlock(1, 1)));
    blockDelivered(1, 1);
    port.arrive(corrupted(testBlock(1, 2)));
    port.arrive(corrupted(testBlock(1, 2)));
    blockDelivered(1, 2);
    expectRecord(1, 200);
}

TEST_F(RunTest, ABlockCompletedInThePassThatSeesTheCountdownAtZeroStillFails) {
    host.sampleScroll = 1;
    run.start();
    frameSentAndAnswered();
    const Bytes block = testBlock(1, 1);
    port.arrive(Bytes(block.begin(), block.end() - 1));
    tick(59);
    port.arrive({block.back()}, false);  // waiting in the port, no pass yet
    tick();
    EXPECT_EQ(port.readSizes.back(), 1u);
    EXPECT_EQ(host.messages, std::vector<std::string>{"A kapcsolat megszakadt!"});
}

TEST_F(RunTest, ABlockCompletedOneTickBeforeTheEndIsAccepted) {
    host.sampleScroll = 1;
    run.start();
    frameSentAndAnswered();
    tick(59);
    port.arrive(testBlock(1, 1));
    EXPECT_EQ(run.state(), RunState::Acknowledging);
}

}  // namespace
}  // namespace kalvira::acquisition::testing
