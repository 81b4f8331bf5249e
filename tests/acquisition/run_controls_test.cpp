// The controls a run locks at its start and enables at its end.
#include <gtest/gtest.h>

#include "run_fixture.h"

namespace kalvira::acquisition::testing {
namespace {

using Calls = std::vector<std::pair<RunControl, bool>>;

const Calls kLock{{RunControl::start, false},        {RunControl::Kilepes, false},
                  {RunControl::SampleRate, false},   {RunControl::trigger, false},
                  {RunControl::SampleScroll, false}, {RunControl::Com1, false}};

// The end enables more than the start disabled: the time base and the trigger level bar too.
const Calls kUnlock{{RunControl::SampleRate, true},      {RunControl::TimeOption, true},
                    {RunControl::trigger, true},         {RunControl::SampleScroll, true},
                    {RunControl::TrigLevelScroll, true}, {RunControl::Com1, true},
                    {RunControl::start, true},           {RunControl::Kilepes, true}};

Calls concat(Calls a, const Calls &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(RunTest, StartLocksTheAcquisitionSettingsAndNothingElse) {
    run.start();
    EXPECT_EQ(host.enableCalls, kLock);
}

TEST_F(RunTest, StartClearsAStopPressedBeforeIt) {
    host.StopGombLenyomva = -1;
    run.start();
    EXPECT_EQ(host.StopGombLenyomva, 0);
    EXPECT_EQ(run.state(), RunState::Sending);
}

TEST_F(RunTest, ControlsStayLockedForTheWholeContinuousRun) {
    host.trigger = 3;
    host.sampleScroll = 1;
    run.start();
    recordDelivered(1, 1);
    tick(3);
    recordDelivered(2, 1);
    EXPECT_EQ(host.enableCalls, kLock);
}

TEST_F(RunTest, ASingleRunEndsWithTheLargerSetEnabledAndThePortClosed) {
    host.sampleScroll = 1;
    run.start();
    recordDelivered(1, 1);
    EXPECT_EQ(host.enableCalls, concat(kLock, kUnlock));
    EXPECT_FALSE(port.PortOpen());
}

TEST_F(RunTest, AFailedRunEnablesTheSameSetOnlyOnceItsMessageIsClosed) {
    run.start();
    tick(15);
    ASSERT_TRUE(host.messageOpen());
    EXPECT_EQ(host.enableCalls, kLock);
    EXPECT_TRUE(port.PortOpen());
    host.closeMessage();
    EXPECT_EQ(host.enableCalls, concat(kLock, kUnlock));
    EXPECT_FALSE(port.PortOpen());
}

TEST_F(RunTest, AStoppedRunEnablesTheSameSet) {
    run.start();
    port.drain();
    pressStop();
    EXPECT_EQ(host.enableCalls, concat(kLock, kUnlock));
}

}  // namespace
}  // namespace kalvira::acquisition::testing
