#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "display/redraw_host.h"
#include "display/sample_record.h"

namespace kalvira::display::testing {

// A window stand-in for the redraw: plain members for every control and form-level value, set up
// as the window starts (see the member initialisers). Scroll bars behave as the window's do: a
// value is kept within the bar's range, setting the value it already holds raises nothing, a
// maximum below the value brings the value down, and every change of value runs the bar's change
// hook at once, before the setter returns. Every setter call is logged in order.
class FakeRedrawHost : public RedrawHost {
public:
    struct ScrollBar {
        bool enabled = true;
        std::int16_t minimum = 0;
        std::int16_t maximum = 0;
        std::int16_t value = 0;
        std::int16_t smallChange = 1;
        std::int16_t largeChange = 1;
    };

    std::int16_t koordinataKorrekcio = 0;
    std::int16_t triglevel = 0;
    std::int16_t meresVegeFlag = 0;
    SampleRecord record{};
    int timeOption = 0;  // "5sec/Div."
    int sampleRate = 0;  // "25usec/ 40kSPS"
    int lineStyle = 0;   // "Line"
    bool trigVisibleTicked = false;
    bool voltsPerDiv2Ticked = false;
    std::int16_t trigLevel = 100;
    ScrollBar sampleScroll{.enabled = true, .minimum = 1, .maximum = 160, .value = 50};
    ScrollBar hscroll{.enabled = false, .minimum = 0, .maximum = 16000, .value = 0};
    int layoutCount = 0;

    // Run when the bar's value changes, as its change handler would.
    std::function<void()> onSampleScrollChange;
    std::function<void()> onHscrollChange;
    // Run on every call of lineStyle's getter, e.g. to switch the style in the middle of a plot.
    std::function<void()> onLineStyleRead;

    // Every setter call in order, e.g. "Hscroll.maximum 8", and "SampleScroll changed" when a
    // change hook runs.
    std::vector<std::string> log;

    void setKoordinataKorrekcio(std::int16_t value) override { koordinataKorrekcio = value; }
    void setTriglevel(std::int16_t value) override { triglevel = value; }
    std::int16_t meresVege() const override { return meresVegeFlag; }
    const SampleRecord &sampleData() const override { return record; }
    int selectedTimeOption() const override { return timeOption; }
    int selectedSampleRate() const override { return sampleRate; }
    int selectedLineStyle() const override {
        if (onLineStyleRead) onLineStyleRead();
        return lineStyle;
    }
    bool trigVisible() const override { return trigVisibleTicked; }
    bool voltsPerDiv2() const override { return voltsPerDiv2Ticked; }
    std::int16_t trigLevelValue() const override { return trigLevel; }

    std::int16_t sampleScrollValue() const override { return sampleScroll.value; }
    void setSampleScrollValue(std::int16_t value) override {
        log.push_back("SampleScroll.value " + std::to_string(value));
        setValue(sampleScroll, value, "SampleScroll", onSampleScrollChange);
    }

    std::int16_t hscrollValue() const override { return hscroll.value; }
    void setHscrollEnabled(bool enabled) override {
        log.push_back(std::string("Hscroll.enabled ") + (enabled ? "1" : "0"));
        hscroll.enabled = enabled;
    }
    void setHscrollValue(std::int16_t value) override {
        log.push_back("Hscroll.value " + std::to_string(value));
        setValue(hscroll, value, "Hscroll", onHscrollChange);
    }
    void setHscrollMaximum(std::int16_t value) override {
        log.push_back("Hscroll.maximum " + std::to_string(value));
        hscroll.maximum = value;
        if (hscroll.minimum > value) hscroll.minimum = value;
        setValue(hscroll, hscroll.value, "Hscroll", onHscrollChange);
    }
    void setHscrollSmallChange(std::int16_t value) override {
        log.push_back("Hscroll.smallChange " + std::to_string(value));
        hscroll.smallChange = value;
    }
    void setHscrollLargeChange(std::int16_t value) override {
        log.push_back("Hscroll.largeChange " + std::to_string(value));
        hscroll.largeChange = value;
    }

    void layoutControls() override { ++layoutCount; }

private:
    void setValue(ScrollBar &bar, std::int16_t value, const char *name,
                  const std::function<void()> &onChange) {
        const std::int16_t bounded = std::clamp(value, bar.minimum, bar.maximum);
        if (bounded == bar.value) return;
        bar.value = bounded;
        log.push_back(std::string(name) + " changed");
        if (onChange) onChange();
    }
};

}  // namespace kalvira::display::testing
