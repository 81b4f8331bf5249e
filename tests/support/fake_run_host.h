#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "acquisition/run_host.h"

namespace kalvira::acquisition::testing {

// The window as the run sees it: plain settings the test sets, the form-level integers, and a
// log of everything the run asked of it. Message boxes stay open until the test closes them.
class FakeRunHost : public RunHost {
public:
    static constexpr std::int16_t kUntouched = 777;  // SampleData before any record

    int com1 = 0, trigger = 0, sampleRate = 0, trigEdge = 0;
    std::int16_t trigLevel = 100, sampleScroll = 50;
    std::int16_t StopGombLenyomva = 0, TizedSec = 0, MeresVege = 0;
    bool timer1Enabled = false;
    std::vector<std::int16_t> SampleData = std::vector<std::int16_t>(16003, kUntouched);

    // What each redraw could draw: MeresVege and SampleData at the moment it was called.
    std::vector<std::pair<std::int16_t, std::vector<std::int16_t>>> redraws;
    std::vector<bool> locks;  // each lock (true) and unlock (false) of the settings
    std::vector<std::int16_t> tizedSecLoads;
    std::vector<std::size_t> commitLengths;
    std::vector<std::string> messages;

    // The user presses OK on the message on screen.
    void closeMessage() { std::exchange(closeBox_, nullptr)(); }

    int selectedCom1() const override { return com1; }
    int selectedTrigger() const override { return trigger; }
    int selectedSampleRate() const override { return sampleRate; }
    int selectedTrigEdge() const override { return trigEdge; }
    std::int16_t trigLevelValue() const override { return trigLevel; }
    std::int16_t sampleScrollValue() const override { return sampleScroll; }
    std::int16_t stopGombLenyomva() const override { return StopGombLenyomva; }
    void setStopGombLenyomva(std::int16_t value) override { StopGombLenyomva = value; }
    std::int16_t tizedSec() const override { return TizedSec; }
    void setTizedSec(std::int16_t value) override { tizedSecLoads.push_back(TizedSec = value); }
    void setMeresVege(std::int16_t value) override { MeresVege = value; }
    void enableTimer1() override { timer1Enabled = true; }
    void setSettingsLocked(bool locked) override { locks.push_back(locked); }
    void commitSampleData(std::span<const std::int16_t> record) override;
    void redraw() override { redraws.push_back({MeresVege, SampleData}); }
    void showMessage(const std::string &text, std::function<void()> closed) override;

private:
    std::function<void()> closeBox_;
};

}  // namespace kalvira::acquisition::testing
