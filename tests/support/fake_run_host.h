#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "acquisition/run_host.h"

namespace kalvira::acquisition::testing {

// The window as the run sees it: settings the test sets, the record on screen, and a log of
// everything the run asked of it. Message boxes stay open until the test closes them.
class FakeRunHost : public RunHost {
public:
    static constexpr std::int16_t kUntouched = 777;  // SampleData before any record

    RunSettings settings;
    std::int16_t MeresVege = 0;
    bool clockStarted = false;
    std::vector<std::int16_t> SampleData = std::vector<std::int16_t>(16003, kUntouched);

    // What each redraw could draw: MeresVege and SampleData at the moment it was called.
    std::vector<std::pair<std::int16_t, std::vector<std::int16_t>>> redraws;
    std::vector<bool> locks;  // each lock (true) and unlock (false) of the settings
    std::vector<std::size_t> commitLengths;
    std::vector<std::string> messages;

    // The user presses OK on the message on screen.
    void closeMessage() { std::exchange(closeBox_, nullptr)(); }

    RunSettings runSettings() const override { return settings; }
    void startClock() override { clockStarted = true; }
    void setSettingsLocked(bool locked) override { locks.push_back(locked); }
    void takeRecord(std::span<const std::int16_t> record) override;
    void dropRecord() override { MeresVege = 0; }
    void redraw() override { redraws.push_back({MeresVege, SampleData}); }
    void showMessage(const std::string &text, std::function<void()> closed) override;

private:
    std::function<void()> closeBox_;
};

}  // namespace kalvira::acquisition::testing
