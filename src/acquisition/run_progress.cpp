#include "run_progress.h"

namespace kalvira::acquisition {

namespace {

std::string withPercent(const char *phase, const std::optional<int> &percent) {
    std::string text = phase;
    if (!percent) return text;
    text += ' ';
    text += std::to_string(*percent);
    text += " %";
    return text;
}

}  // namespace

std::string describeProgress(const RunProgress &progress) {
    switch (progress.phase) {
        case RunPhase::Idle:
            return {};
        case RunPhase::Starting:
            return "várakozás a válaszra";
        case RunPhase::Acquiring:
            return withPercent("felvétel", progress.percent);
        case RunPhase::AwaitingTrigger:
            return "várakozás a triggerre";
        case RunPhase::Transferring:
            return withPercent("átvitel", progress.percent);
        case RunPhase::Pausing:
            return "szünet, " + std::to_string(progress.recordsTaken) + " felvétel kész";
        case RunPhase::Reporting:
            return "hiba";
    }
    return {};
}

}  // namespace kalvira::acquisition
