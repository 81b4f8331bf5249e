#pragma once

#include <optional>
#include <string>

namespace kalvira::acquisition {

// What a run is doing, as a user would put it.
enum class RunPhase {
    Idle,             // no run
    Starting,         // the frame is leaving, the unit's answer is awaited
    Acquiring,        // the unit is taking the record: percent of the record's duration elapsed
    AwaitingTrigger,  // the record's duration has passed and no block has begun: no trigger yet
    Transferring,     // blocks are arriving: percent of the blocks asked for received
    Pausing,          // between two records of a continuous run
    Reporting,        // a failure's message is on screen
};

struct RunProgress {
    RunPhase phase = RunPhase::Idle;
    std::optional<int> percent;  // 0..100 where the phase has one
    int recordsTaken = 0;        // complete records of this run so far
    // Share of the current wait's time limit already used, 0..100: moves with Timer1's ticks.
    int timeLimitUsedPercent = 0;
    bool operator==(const RunProgress &) const = default;
};

// The progress in words, in the user's language (QCoreApplication's translators): "acquiring 42 %",
// "transferring 37 %", "waiting for the answer", "waiting for the trigger", "pause after record 3",
// "failure" ("felvétel 42 %", ... in Hungarian); empty when no run is in progress.
std::string describeProgress(const RunProgress &progress);

}  // namespace kalvira::acquisition
