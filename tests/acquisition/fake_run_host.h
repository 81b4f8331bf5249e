#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "acquisition/run_host.h"

namespace kalvira::acquisition::testing {

// The window as the run sees it: plain settings the test sets, the form-level integers, and a
// record of everything the run asked of it. Message boxes stay open until the test closes them.
class FakeRunHost : public RunHost {
public:
    // Settings, at the window's initial values.
    int com1 = 0;
    int trigger = 0;
    int sampleRate = 0;
    int trigEdge = 0;
    std::int16_t trigLevel = 100;
    std::int16_t sampleScroll = 50;

    // Form-level integers.
    std::int16_t StopGombLenyomva = 0;
    std::int16_t TizedSec = 0;
    std::int16_t MeresVege = 0;
    bool timer1Enabled = false;
    std::array<std::int16_t, 16003> SampleData{};  // positions 1..16002

    // What the run did.
    std::vector<std::pair<RunControl, bool>> enableCalls;
    std::vector<std::int16_t> tizedSecLoads;
    std::vector<std::size_t> commitLengths;
    int redraws = 0;
    std::vector<std::int16_t> meresVegeAtRedraw;
    std::vector<std::string> messages;

    int selectedCom1() const override { return com1; }
    int selectedTrigger() const override { return trigger; }
    int selectedSampleRate() const override { return sampleRate; }
    int selectedTrigEdge() const override { return trigEdge; }
    std::int16_t trigLevelValue() const override { return trigLevel; }
    std::int16_t sampleScrollValue() const override { return sampleScroll; }
    std::int16_t stopGombLenyomva() const override { return StopGombLenyomva; }
    void setStopGombLenyomva(std::int16_t value) override { StopGombLenyomva = value; }
    std::int16_t tizedSec() const override { return TizedSec; }
    void setTizedSec(std::int16_t value) override;
    void setMeresVege(std::int16_t value) override { MeresVege = value; }
    void enableTimer1() override { timer1Enabled = true; }
    void setControlEnabled(RunControl control, bool enabled) override;
    void commitSampleData(std::span<const std::int16_t> record) override;
    void redraw() override;
    void showMessage(const std::string &text, std::function<void()> closed) override;

    // The user presses OK on the message on screen.
    void closeMessage();
    bool messageOpen() const { return static_cast<bool>(closeBox_); }

private:
    std::function<void()> closeBox_;
};

}  // namespace kalvira::acquisition::testing
