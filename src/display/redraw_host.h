#pragma once

#include <cstdint>

#include "sample_record.h"

namespace kalvira::display {

// What the redraw reads from and writes to the window: its controls, form-level values and the
// committed record. Setters of scroll-bar values may run the bar's change handler at once, and
// with it a nested redraw.
class RedrawHost {
public:
    virtual ~RedrawHost() = default;

    // Form-level values.
    virtual void setKoordinataKorrekcio(std::int16_t value) = 0;
    virtual void setTriglevel(std::int16_t value) = 0;
    // -1 while SampleData holds a complete record to plot, 0 otherwise.
    virtual std::int16_t meresVege() const = 0;
    virtual const SampleRecord &sampleData() const = 0;

    // Selected member of an option group, or -1 when none is selected.
    virtual int selectedTimeOption() const = 0;  // 0..13, "5sec/Div." first
    virtual int selectedSampleRate() const = 0;  // 0..7, "25usec/ 40kSPS" first
    virtual int selectedLineStyle() const = 0;   // 0 "Line", 1 "Dot"

    virtual bool trigVisible() const = 0;             // "Visible" ticked
    virtual bool voltsPerDiv2() const = 0;            // "V/Div 1:2" ticked
    virtual std::int16_t trigLevelValue() const = 0;  // 1..254

    // Record length in hundreds of samples, 1..160.
    virtual std::int16_t sampleScrollValue() const = 0;
    virtual void setSampleScrollValue(std::int16_t value) = 0;

    // The horizontal scroll bar of the plot: its value is the number of whole divisions the view
    // is scrolled from the start of the record.
    virtual std::int16_t hscrollValue() const = 0;
    virtual void setHscrollEnabled(bool enabled) = 0;
    virtual void setHscrollValue(std::int16_t value) = 0;
    virtual void setHscrollMaximum(std::int16_t value) = 0;
    virtual void setHscrollSmallChange(std::int16_t value) = 0;
    virtual void setHscrollLargeChange(std::int16_t value) = 0;

    // Places the buttons and frames against the window's right and bottom edges.
    virtual void layoutControls() = 0;
};

}  // namespace kalvira::display
