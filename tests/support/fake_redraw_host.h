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
    settings::ScopeSettings scope;  // "5sec/Div.", "25usec/ 40kSPS", 5000 samples, "Line"
    std::int16_t koordinataKorrekcio = 0, triglevel = 0;
    bool shown = false, hscrollEnabled = false;
    SampleRecord record{};
    std::int16_t hscrollMaximum = 16000;
    std::function<void()> onSampleScrollChange, onHscrollChange;
    // Every bar setter call and change, e.g. "Hscroll.maximum 8", "Hscroll changed", if kept.
    std::vector<std::string> log;
    bool keepLog = true;

    const settings::ScopeSettings &settings() const override { return scope; }
    bool recordShown() const override { return shown; }
    const SampleRecord &samples() const override { return record; }
    void setVerticalCorrection(std::int16_t v) override { koordinataKorrekcio = v; }
    void setTriggerLevelSamples(std::int16_t v) override { triglevel = v; }
    void setRecordBlocks(std::int16_t v) override {
        note("SampleScroll.value ", v);
        move(scope.recordLength, std::clamp<int>(v, 1, 160) * 100, "SampleScroll");
    }
    void setScrollPosition(std::int16_t v) override {
        note("Hscroll.value ", v);
        move(scope.scrollDivisions, std::clamp<int>(v, 0, hscrollMaximum), "Hscroll");
    }
    void setScrollMaximum(std::int16_t v) override {
        note("Hscroll.maximum ", hscrollMaximum = v);
        move(scope.scrollDivisions, std::min<int>(scope.scrollDivisions, v), "Hscroll");
    }
    void setScrollEnabled(bool v) override { note("Hscroll.enabled ", hscrollEnabled = v); }
    void setScrollSmallChange(std::int16_t v) override { note("Hscroll.smallChange ", v); }
    void setScrollLargeChange(std::int16_t v) override { note("Hscroll.largeChange ", v); }
    void layoutControls() override {}

private:
    void note(const std::string &entry, int v) {
        if (keepLog) log.push_back(entry + std::to_string(v));
    }
    void move(int &value, int to, const char *bar) {
        if (to == value) return;
        value = to;
        if (keepLog) log.push_back(bar + std::string(" changed"));
        const auto &hook =
            &value == &scope.scrollDivisions ? onHscrollChange : onSampleScrollChange;
        if (hook) hook();
    }
};

}  // namespace kalvira::testing
