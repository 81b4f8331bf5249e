#pragma once

#include <cmath>
#include <cstdint>

#include "display/redraw_host.h"
#include "display/sample_record.h"

namespace kalvira::bench {

// The window as the redraw sees it, with nothing but its values: no change handlers run, so one
// benchmark iteration is exactly one redraw.
class BenchWindow : public display::RedrawHost {
public:
    std::int16_t meresVegeFlag = -1;
    display::SampleRecord record{};
    int timeOption = 0;
    int sampleRate = 0;
    int lineStyle = 0;
    bool trigVisibleTicked = true;
    std::int16_t sampleScroll = 160;
    std::int16_t hscroll = 0;

    // A full 16000-sample record of what the unit sends for a mains-frequency sine: 50 Hz at
    // 40000 samples per second (800 samples a period), 400 steps high around the middle of the
    // converter's range, with a few steps of noise.
    void loadSineRecord() {
        std::uint32_t noise = 12345;
        for (int k = 1; k <= display::kMaxRecordLength; ++k) {
            noise = noise * 1103515245u + 12345u;
            const int jitter = static_cast<int>((noise >> 16) % 9) - 4;
            const double phase = 2.0 * 3.14159265358979 * k / 800.0;
            record[static_cast<std::size_t>(k)] =
                static_cast<std::int16_t>(512 + std::lround(400.0 * std::sin(phase)) + jitter);
        }
    }

    void setKoordinataKorrekcio(std::int16_t) override {}
    void setTriglevel(std::int16_t) override {}
    std::int16_t meresVege() const override { return meresVegeFlag; }
    const display::SampleRecord &sampleData() const override { return record; }
    int selectedTimeOption() const override { return timeOption; }
    int selectedSampleRate() const override { return sampleRate; }
    int selectedLineStyle() const override { return lineStyle; }
    bool trigVisible() const override { return trigVisibleTicked; }
    bool voltsPerDiv2() const override { return false; }
    std::int16_t trigLevelValue() const override { return 100; }
    std::int16_t sampleScrollValue() const override { return sampleScroll; }
    void setSampleScrollValue(std::int16_t value) override { sampleScroll = value; }
    std::int16_t hscrollValue() const override { return hscroll; }
    void setHscrollEnabled(bool) override {}
    void setHscrollValue(std::int16_t value) override { hscroll = value; }
    void setHscrollMaximum(std::int16_t value) override {
        if (hscroll > value) hscroll = value;
    }
    void setHscrollSmallChange(std::int16_t) override {}
    void setHscrollLargeChange(std::int16_t) override {}
    void layoutControls() override {}
};

}  // namespace kalvira::bench
