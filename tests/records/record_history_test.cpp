#include "records/record_history.h"

#include <gtest/gtest.h>

namespace kalvira::records {
namespace {

RecordFile entryOf(int samples, std::int16_t value) {
    RecordFile entry;
    entry.settings.recordLength = samples;
    entry.records = {std::vector<std::int16_t>(static_cast<std::size_t>(samples), value)};
    return entry;
}

// Each entry of 100 samples costs its bookkeeping and 200 bytes.
const std::size_t kCost = sizeof(RecordFile) + sizeof(std::vector<std::int16_t>) + 200;

class Budget : public ::testing::TestWithParam<std::tuple<std::size_t, int, std::size_t>> {};

TEST_P(Budget, KeepsTheNewestThatFitAndDropsTheOldestFirst) {
    const auto [budget, added, kept] = GetParam();
    RecordHistory history(budget);
    std::size_t dropped = 0;
    for (int i = 1; i <= added; ++i) dropped += history.add(entryOf(100, std::int16_t(i)));
    ASSERT_EQ(history.size(), kept);
    EXPECT_EQ(dropped, added - kept);
    EXPECT_EQ(history.bytes(), kept * kCost);
    EXPECT_EQ(history.at(0).records[0][0], added - int(kept) + 1);
    EXPECT_EQ(history.at(kept - 1).records[0][99], added);
    history.clear();  // and the whole budget is free again
    EXPECT_TRUE(history.empty() && history.bytes() == 0 && !history.add(entryOf(100, 1)));
}

INSTANTIATE_TEST_SUITE_P(Table, Budget,
                         ::testing::Values(std::tuple(3 * kCost, 3, 3), std::tuple(3 * kCost, 7, 3),
                                           std::tuple(3 * kCost - 1, 7, 2),
                                           std::tuple(kCost - 1, 2, 1)));  // the newest stays

}  // namespace
}  // namespace kalvira::records
