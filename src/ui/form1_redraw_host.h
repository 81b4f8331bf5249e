#pragma once

#include "display/redraw_host.h"

namespace kalvira::ui {

class Form1;

// The window as the redraw sees it: its display controls, form-level values and record.
class Form1RedrawHost final : public display::RedrawHost {
public:
    explicit Form1RedrawHost(Form1 &form) : form_(form) {}

    void setKoordinataKorrekcio(std::int16_t value) override;
    void setTriglevel(std::int16_t value) override;
    std::int16_t meresVege() const override;
    const display::SampleRecord &sampleData() const override;
    int selectedTimeOption() const override;
    int selectedSampleRate() const override;
    int selectedLineStyle() const override;
    bool trigVisible() const override;
    bool voltsPerDiv2() const override;
    std::int16_t trigLevelValue() const override;
    std::int16_t sampleScrollValue() const override;
    void setSampleScrollValue(std::int16_t value) override;
    std::int16_t hscrollValue() const override;
    void setHscrollEnabled(bool enabled) override;
    void setHscrollValue(std::int16_t value) override;
    void setHscrollMaximum(std::int16_t value) override;
    void setHscrollSmallChange(std::int16_t value) override;
    void setHscrollLargeChange(std::int16_t value) override;
    void layoutControls() override;

private:
    Form1 &form_;
};

}  // namespace kalvira::ui
