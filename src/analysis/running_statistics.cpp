#include "running_statistics.h"

#include <cmath>

namespace kalvira::analysis {

void RunningStatistics::add(double value) {
    ++count_;
    last_ = value;
    if (count_ == 1) {
        minimum_ = maximum_ = mean_ = value;
        squaredDeviations_ = 0.0;
        return;
    }
    minimum_ = value < minimum_ ? value : minimum_;
    maximum_ = value > maximum_ ? value : maximum_;
    const double before = value - mean_;
    mean_ += before / static_cast<double>(count_);
    squaredDeviations_ += before * (value - mean_);
}

std::optional<double> RunningStatistics::standardDeviation() const {
    if (count_ < 2) return std::nullopt;
    return std::sqrt(squaredDeviations_ / static_cast<double>(count_ - 1));
}

}  // namespace kalvira::analysis
