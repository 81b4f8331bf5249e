#include "run_state.h"

namespace kalvira::acquisition {

const char *runStateName(RunState state) {
    switch (state) {
        case RunState::Idle:
            return "Idle";
        case RunState::Preparing:
            return "Preparing";
        case RunState::Sending:
            return "Sending";
        case RunState::AwaitingStartByte:
            return "Awaiting start byte";
        case RunState::CheckingStartByte:
            return "Checking start byte";
        case RunState::ReceivingBlock:
            return "Receiving block";
        case RunState::CheckingBlock:
            return "Checking block";
        case RunState::Acknowledging:
            return "Acknowledging";
        case RunState::Committing:
            return "Committing";
        case RunState::Pausing:
            return "Pausing";
        case RunState::Reporting:
            return "Reporting";
        case RunState::Ending:
            return "Ending";
    }
    return "?";
}

}  // namespace kalvira::acquisition
