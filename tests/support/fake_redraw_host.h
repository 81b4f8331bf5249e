#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "display/redraw_host.h"

namespace kalvira::testing {

// The window as the redraw sees it, set up as the window starts. Its scroll bars act as the
// window's: a value is kept in range, a change of value runs the bar's hook before the setter
// returns (setting the value it holds runs none), a maximum below the value brings the value down.
class FakeRedrawHost : public display::RedrawHost {
public:
    struct Bar {
        bool enabled;
        std::int16_t minimum, maximum, value, smallChange = 1, largeChange = 1;
    };
    std::int16_t koordinataKorrekcio = 0, triglevel = 0, meresVegeFlag = 0, trigLevel = 100;
    display::SampleRecord record{};
    int timeOption = 0, sampleRate = 0, lineStyle = 0;  // "5sec/Div.", "25usec/ 40kSPS", "Line"
    bool trigVisibleTicked = false, voltsPerDiv2Ticked = false;
    Bar sampleScroll{true, 1, 160, 50}, hscroll{false, 0, 16000, 0};
    int layouts = 0;
    std::function<void()> onSampleScrollChange, onHscrollChange;
    bool keepLog =
        true;  // every bar setter call and change: "Hscroll.maximum 8", "Hscroll changed"
    std::vector<std::string> log;

    void setKoordinataKorrekcio(std::int16_t v) override { koordinataKorrekcio = v; }
    void setTriglevel(std::int16_t v) override { triglevel = v; }
    std::int16_t meresVege() const override { return meresVegeFlag; }
    const display::SampleRecord &sampleData() const override { return record; }
    int selectedTimeOption() const override { return timeOption; }
    int selectedSampleRate() const override { return sampleRate; }
    int selectedLineStyle() const override { return lineStyle; }
    bool trigVisible() const override { return trigVisibleTicked; }
    bool voltsPerDiv2() const override { return voltsPerDiv2Ticked; }
    std::int16_t trigLevelValue() const override { return trigLevel; }
    std::int16_t sampleScrollValue() const override { return sampleScroll.value; }
    std::int16_t hscrollValue() const override { return hscroll.value; }
    void setSampleScrollValue(std::int16_t v) override { move(sampleScroll, "SampleScroll", v); }
    void setHscrollValue(std::int16_t v) override { move(hscroll, "Hscroll", v); }
    void setHscrollMaximum(std::int16_t v) override {
        note("Hscroll.maximum ", hscroll.maximum = v);
        hscroll.minimum = std::min(hscroll.minimum, v);
        move(hscroll, "Hscroll", hscroll.value, false);
    }
    void setHscrollEnabled(bool v) override { note("Hscroll.enabled ", hscroll.enabled = v); }
    void setHscrollSmallChange(std::int16_t v) override {
        note("Hscroll.smallChange ", hscroll.smallChange = v);
    }
    void setHscrollLargeChange(std::int16_t v) override {
        note("Hscroll.largeChange ", hscroll.largeChange = v);
    }
    void layoutControls() override { ++layouts; }

private:
    void note(const std::string &entry, int v) {
        if (keepLog) log.push_back(v == kNoValue ? entry : entry + std::to_string(v));
    }
    void move(Bar &bar, const std::string &name, std::int16_t v, bool noted = true) {
        if (noted) note(name + ".value ", v);
        if (std::clamp(v, bar.minimum, bar.maximum) == bar.value) return;
        bar.value = std::clamp(v, bar.minimum, bar.maximum);
        note(name + " changed", kNoValue);
        const auto &hook = &bar == &hscroll ? onHscrollChange : onSampleScrollChange;
        if (hook) hook();
    }
    static constexpr int kNoValue = -99999;
};

}  // namespace kalvira::testing
