#pragma once

#include <cstdint>
#include <optional>

namespace kalvira::analysis {

// The statistics of a stream of values, kept by Welford's update: each new value costs the same
// few operations however many came before, and the mean and the spread stay accurate where a
// sum of squares would cancel (frequencies of 200.001 Hz, say, whose squares agree in their
// first ten digits).
class RunningStatistics {
public:
    void add(double value);

    std::int64_t count() const { return count_; }
    // Meaningful once count() > 0.
    double last() const { return last_; }
    double minimum() const { return minimum_; }
    double maximum() const { return maximum_; }
    double mean() const { return mean_; }
    // The sample standard deviation, over count() - 1; none below two values.
    std::optional<double> standardDeviation() const;

private:
    std::int64_t count_ = 0;
    double last_ = 0.0;
    double minimum_ = 0.0;
    double maximum_ = 0.0;
    double mean_ = 0.0;
    double squaredDeviations_ = 0.0;  // Welford's M2: the sum of squared deviations from the mean
};

}  // namespace kalvira::analysis
