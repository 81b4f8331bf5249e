#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <variant>
#include <vector>

#include "figure_limits.h"
#include "record_mask.h"

namespace kalvira::analysis {

// Why a mask asked for could not test a record: the record is judged by its limits alone.
enum class MaskProblem {
    NoReference,    // no reference to widen into a mask
    OtherRate,      // the reference was taken at another sample rate
    NoCalibration,  // the level is in volts and the record reads in counts
};

// What testing a record against the limits and the mask found.
struct Verdict {
    bool tested = false;                       // by a limit or by the mask: else it counts for
                                               // neither pass nor fail
    std::vector<Figure> figuresOutside;        // in the limits' order
    std::vector<std::int32_t> samplesOutside;  // indices from 0
    std::optional<MaskProblem> maskProblem;    // the mask was asked for but not applied
    bool passed() const { return figuresOutside.empty() && samplesOutside.empty(); }
    bool operator==(const Verdict &) const = default;
};

// The mask a record is tested against: its band, or why it cannot be applied.
using AppliedMask = std::optional<std::variant<const MaskBand *, MaskProblem>>;

// The record's verdict: every limit checked on its values, and its samples against the mask's band
// when there is a mask.
Verdict judgeRecord(std::span<const FigureLimit> limits, const FigureValues &values,
                    const AppliedMask &mask, std::span<const std::int16_t> record);

}  // namespace kalvira::analysis
