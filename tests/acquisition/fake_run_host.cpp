#include "fake_run_host.h"

#include <algorithm>
#include <stdexcept>

namespace kalvira::acquisition::testing {

void FakeRunHost::setTizedSec(std::int16_t value) {
    TizedSec = value;
    tizedSecLoads.push_back(value);
}

void FakeRunHost::setControlEnabled(RunControl control, bool enabled) {
    enableCalls.emplace_back(control, enabled);
}

void FakeRunHost::commitSampleData(std::span<const std::int16_t> record) {
    if (record.size() + 1 > SampleData.size()) throw std::out_of_range("record too long");
    std::copy(record.begin(), record.end(), SampleData.begin() + 1);
    commitLengths.push_back(record.size());
}

void FakeRunHost::redraw() {
    ++redraws;
    meresVegeAtRedraw.push_back(MeresVege);
}

void FakeRunHost::showMessage(const std::string &text, std::function<void()> closed) {
    if (closeBox_) throw std::logic_error("a second message box over the first");
    messages.push_back(text);
    closeBox_ = std::move(closed);
}

void FakeRunHost::closeMessage() {
    auto closed = std::move(closeBox_);
    closeBox_ = nullptr;
    if (closed) closed();
}

}  // namespace kalvira::acquisition::testing
