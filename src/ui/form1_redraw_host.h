#pragma once

#include <cstdint>
#include <functional>

#include "display/redraw_host.h"

class QScrollBar;

namespace kalvira::scope {
class Scope;
}

namespace kalvira::ui {

// The window as the redraw sees it: the scope's settings and record, which the controls keep up
// to date as they change, the two bars the redraw sets, and the placing of the controls.
class Form1RedrawHost final : public display::RedrawHost {
public:
    Form1RedrawHost(const scope::Scope &scope, QScrollBar &sampleScroll, QScrollBar &hscroll,
                    std::function<void()> layoutControls)
        : scope_(scope),
          sampleScroll_(sampleScroll),
          hscroll_(hscroll),
          layoutControls_(std::move(layoutControls)) {}

    const settings::ScopeSettings &settings() const override;
    bool recordShown() const override;
    const SampleRecord &samples() const override;
    void setVerticalCorrection(std::int16_t correction) override {
        KoordinataKorrekcio = correction;
    }
    void setTriggerLevelSamples(std::int16_t level) override { triglevel = level; }
    void setRecordBlocks(std::int16_t hundreds) override;
    void setScrollEnabled(bool enabled) override;
    void setScrollPosition(std::int16_t divisions) override;
    void setScrollMaximum(std::int16_t divisions) override;
    void setScrollSmallChange(std::int16_t divisions) override;
    void setScrollLargeChange(std::int16_t divisions) override;
    void layoutControls() override { layoutControls_(); }

private:
    const scope::Scope &scope_;
    QScrollBar &sampleScroll_;
    QScrollBar &hscroll_;
    std::function<void()> layoutControls_;
    // The form-level values the redraw works out: a sample s is drawn at y = s +
    // KoordinataKorrekcio; triglevel is the trigger level in sample units.
    std::int16_t KoordinataKorrekcio = 0;
    std::int16_t triglevel = 0;
};

}  // namespace kalvira::ui
