#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace kalvira::acquisition {

// What the measurement run needs from the window: the settings it reads, the form-level
// integers it shares with the handlers, the lock on its settings, the record store, the redraw
// and the modal message box. Every call comes on the GUI thread and must not wait.
class RunHost {
public:
    virtual ~RunHost() = default;

    // Selected members of the option groups.
    virtual int selectedCom1() const = 0;        // 0 "COM1", 1 "COM2"
    virtual int selectedTrigger() const = 0;     // 0 "Ext./Single" .. 3 "Trig./Cont."
    virtual int selectedSampleRate() const = 0;  // 0 "25usec/ 40kSPS" .. 7 "5msec/ 200SPS"
    virtual int selectedTrigEdge() const = 0;    // 0 "Fall", 1 "Rise"

    virtual std::int16_t trigLevelValue() const = 0;     // 1..254
    virtual std::int16_t sampleScrollValue() const = 0;  // 1..160, hundreds of samples

    // Stop request: -1 once STOP was pressed, 0 otherwise.
    virtual std::int16_t stopGombLenyomva() const = 0;
    virtual void setStopGombLenyomva(std::int16_t value) = 0;
    // Countdown in tenths of a second, lowered by every Timer1 tick while above 0.
    virtual std::int16_t tizedSec() const = 0;
    virtual void setTizedSec(std::int16_t value) = 0;
    // -1 while SampleData holds a complete record to plot, 0 otherwise.
    virtual void setMeresVege(std::int16_t value) = 0;

    // Switches Timer1 on (100 ms ticks); the run never switches it off.
    virtual void enableTimer1() = 0;
    // Locks the settings a run must not see change (START and the exit button with them) at
    // START, and unlocks them at the run's end, once any message is closed.
    virtual void setSettingsLocked(bool locked) = 0;

    // Copies a record of N samples into SampleData positions 1..N; higher positions keep theirs.
    virtual void commitSampleData(std::span<const std::int16_t> record) = 0;
    // Koord_rendszer_rajzolasa: draws the picture, with the record while MeresVege is -1.
    virtual void redraw() = 0;

    // Shows text in a modal box titled "KALVIRA" with an OK button and returns at once; closed
    // is called once, on the GUI thread, when the box has been closed.
    virtual void showMessage(const std::string &text, std::function<void()> closed) = 0;

    // The run entered another state: a chance to show its progress. Must not wake the run.
    virtual void runStateChanged() {}
};

}  // namespace kalvira::acquisition
