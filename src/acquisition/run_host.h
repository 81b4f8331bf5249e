#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "settings/scope_settings.h"

namespace kalvira::acquisition {

// What one frame of a run is built from: the scope's settings and the port to use.
struct RunSettings {
    settings::ScopeSettings scope;
    int port = 0;  // 0 "COM1", 1 "COM2"
};

// What the measurement run needs from its front end (the window, or kalvira-capture): the
// settings of each frame, the clock, the lock on the settings, the record hand-over, the redraw,
// the message box and a word on its progress. Every call comes on the GUI thread and must not wait.
class RunHost {
public:
    virtual ~RunHost() = default;

    // The settings as they are now; read at the top of every frame, so a level or an edge changed
    // during a continuous run goes with the next frame.
    virtual RunSettings runSettings() const = 0;

    // Switches the tenth-second clock on, whose ticks reach the run's tick(); the run never
    // switches it off.
    virtual void startClock() = 0;
    // Locks the settings a run must not see change (START and the exit button with them) at
    // START, and unlocks them at the run's end, once any message is closed.
    virtual void setSettingsLocked(bool locked) = 0;

    // A complete record of N samples: it becomes the record on screen (SampleData positions
    // 1..N, higher positions keep theirs), to be drawn at the next redraw.
    virtual void takeRecord(std::span<const std::int16_t> record) = 0;
    // The record on screen is no longer valid: the plot stays empty until the next record.
    virtual void dropRecord() = 0;
    // Koord_rendszer_rajzolasa: draws the picture, with the record while one is on screen.
    virtual void redraw() = 0;

    // Shows text in a modal box titled "KALVIRA" with an OK button and returns at once; closed
    // is called once, on the GUI thread, when the box has been closed.
    virtual void showMessage(const std::string &text, std::function<void()> closed) = 0;

    // The run entered another state: a chance to show its progress. Must not wake the run.
    virtual void runStateChanged() {}
};

}  // namespace kalvira::acquisition
