#include "record_verdict.h"

namespace kalvira::analysis {

Verdict judgeRecord(std::span<const FigureLimit> limits, const FigureValues &values,
                    const AppliedMask &mask, std::span<const std::int16_t> record) {
    Verdict verdict;
    verdict.figuresOutside = figuresOutside(limits, values);
    verdict.tested = !limits.empty();
    if (!mask) return verdict;
    if (const auto *problem = std::get_if<MaskProblem>(&*mask)) {
        verdict.maskProblem = *problem;
    } else {
        verdict.samplesOutside = maskFailures(*std::get<const MaskBand *>(*mask), record);
        verdict.tested = true;
    }
    return verdict;
}

}  // namespace kalvira::analysis
