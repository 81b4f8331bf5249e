#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "display/redraw_host.h"

namespace kalvira::testing {

// The window as it starts. A bar keeps its value in range; a change runs the bar's hook at once.
class FakeRedrawHost : public display::RedrawHost {
public:
    std::int16_t koordinataKorrekcio = 0, triglevel = 0, meresVegeFlag = 0, trigLevel = 100;
    display::SampleRecord record{};
    int timeOption = 0, sampleRate = 0, lineStyle = 0;  // "5sec/Div.", "25usec/ 40kSPS", "Line"
    bool trigVisibleTicked = false, voltsPerDiv2Ticked = false, hscrollEnabled = false;
    std::int16_t sampleScroll = 50, hscroll = 0, hscrollMaximum = 16000;
    std::function<void()> onSampleScrollChange, onHscrollChange;
    // Every bar setter call and change, e.g. "Hscroll.maximum 8", "Hscroll changed", if kept.
    std::vector<std::string> log;
    bool keepLog = true;

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
    std::int16_t sampleScrollValue() const override { return sampleScroll; }
    std::int16_t hscrollValue() const override { return hscroll; }
    void setSampleScrollValue(std::int16_t v) override {
        note("SampleScroll.value ", v);
        move(sampleScroll, std::clamp<std::int16_t>(v, 1, 160), "SampleScroll");
    }
    void setHscrollValue(std::int16_t v) override {
        note("Hscroll.value ", v);
        move(hscroll, std::clamp<std::int16_t>(v, 0, hscrollMaximum), "Hscroll");
    }
    void setHscrollMaximum(std::int16_t v) override {
        note("Hscroll.maximum ", hscrollMaximum = v);
        move(hscroll, std::min(hscroll, v), "Hscroll");
    }
    void setHscrollEnabled(bool v) override { note("Hscroll.enabled ", hscrollEnabled = v); }
    void setHscrollSmallChange(std::int16_t v) override { note("Hscroll.smallChange ", v); }
    void setHscrollLargeChange(std::int16_t v) override { note("Hscroll.largeChange ", v); }
    void layoutControls() override {}

private:
    void note(const std::string &entry, int v) {
        if (keepLog) log.push_back(entry + std::to_string(v));
    }
    void move(std::int16_t &value, std::int16_t to, const char *bar) {
        if (to == value) return;
        value = to;
        if (keepLog) log.push_back(bar + std::string(" changed"));
        const auto &hook = &value == &hscroll ? onHscrollChange : onSampleScrollChange;
        if (hook) hook();
    }
};

}  // namespace kalvira::testing
