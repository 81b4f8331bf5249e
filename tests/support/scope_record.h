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

// Writes to path a file of three records of 100 samples, sample k of record r worth 100 r + k
// (means 150.5, 250.5 and 350.5); whether it could.
inline bool writeThreeRecords(const QString &path) {
    records::RecordFile file;
    file.settings.recordLength = 100;
    file.taken = QDateTime::currentDateTimeUtc();
    for (int r = 1; r <= 3; ++r) {
        auto &record = file.records.emplace_back();
        for (int k = 1; k <= 100; ++k) record.push_back(std::int16_t(100 * r + k));
    }
    return !records::writeRecordFile(path, file);
}

}  // namespace kalvira::testing
