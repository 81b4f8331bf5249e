#pragma once

#include <cstdint>
#include <vector>

#include "scope/scope.h"

namespace kalvira::testing {

// Puts samples on the scope's screen as a finished run leaves them: with the settings it has now,
// reading by the user's calibration. The caller redraws.
inline void showSamples(scope::Scope &scope, std::vector<std::int16_t> samples) {
    records::RecordFile file = scope.recordOnScreen();
    file.settings.calibration = scope.userCalibration();
    file.records = {std::move(samples)};
    scope.showRecord(file);
}

}  // namespace kalvira::testing
