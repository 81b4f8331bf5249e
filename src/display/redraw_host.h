#pragma once

#include <cstdint>

#include "common/sample_record.h"
#include "settings/scope_settings.h"

namespace kalvira::display {

// What the redraw reads from and writes to its front end: the scope's settings and its record on
// screen, the two figures it works out for the front end, the record length and horizontal scroll
// bars it sets up, and the placing of the controls. A setter of a bar's value may run the bar's
// change handler at once, and with it a nested redraw; settings() then reads the new value.
class RedrawHost {
public:
    virtual ~RedrawHost() = default;

    // The settings as they are at this moment, read afresh after every setter.
    virtual const settings::ScopeSettings &settings() const = 0;
    // Whether the record store holds a complete record to plot (MeresVege -1).
    virtual bool recordShown() const = 0;
    // The record store: sample k at index k, 1..settings().recordLength.
    virtual const SampleRecord &samples() const = 0;

    // KoordinataKorrekcio: a sample s is drawn at y = s + correction.
    virtual void setVerticalCorrection(std::int16_t correction) = 0;
    // triglevel: the trigger level in sample units.
    virtual void setTriggerLevelSamples(std::int16_t level) = 0;

    // Lowers the record length bar to hundreds of samples, 1..160.
    virtual void setRecordBlocks(std::int16_t hundreds) = 0;

    // The horizontal scroll bar of the plot: its value (settings().scrollDivisions) is the number
    // of whole divisions the view is scrolled from the start of the record.
    virtual void setScrollEnabled(bool enabled) = 0;
    virtual void setScrollPosition(std::int16_t divisions) = 0;
    virtual void setScrollMaximum(std::int16_t divisions) = 0;
    virtual void setScrollSmallChange(std::int16_t divisions) = 0;
    virtual void setScrollLargeChange(std::int16_t divisions) = 0;

    // Places the buttons and frames against the window's right and bottom edges.
    virtual void layoutControls() = 0;
};

}  // namespace kalvira::display
