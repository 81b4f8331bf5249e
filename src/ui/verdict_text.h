#pragma once

#include <QString>
#include <cstddef>

#include "analysis/record_verdict.h"

namespace kalvira::ui {

// What the mask found on a record of `samples` samples, for the readout: "mask: inside",
// "mask: outside at 3 of 5000 samples", or why it could not test the record.
QString maskNote(const analysis::Verdict &verdict, std::size_t samples);

// The tag over a failing record: "FAIL · f, duty · mask: outside at 3 of 5000 samples".
QString failureTag(const analysis::Verdict &verdict, std::size_t samples);

}  // namespace kalvira::ui
