#include "fake_run_host.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kalvira::acquisition::testing {

void FakeRunHost::takeRecord(std::span<const std::int16_t> record) {
    MeresVege = -1;
    commitLengths.push_back(record.size());
    ASSERT_LT(record.size(), SampleData.size());
    std::copy(record.begin(), record.end(), SampleData.begin() + 1);
}

void FakeRunHost::showMessage(const std::string &text, std::function<void()> closed) {
    EXPECT_FALSE(closeBox_) << "a second message box over the first: " << text;
    messages.push_back(text);
    closeBox_ = std::move(closed);
}

}  // namespace kalvira::acquisition::testing
