#pragma once

#include <functional>
#include <string>

namespace kalvira::scope {

// What a front end of the scope (the window, kalvira-capture) does for the measurement run: the
// clock, the lock on the controls, the picture, the message box and the progress. Every call
// comes on the GUI thread and must not wait.
class ScopeFrontEnd {
public:
    virtual ~ScopeFrontEnd() = default;

    // Switches the tenth-second clock on; each of its ticks goes to Scope::tick().
    virtual void startClock() = 0;
    // Locks the settings a run must not see change at START; unlocks them at its end.
    virtual void setSettingsLocked(bool locked) = 0;
    // Draws the picture from the scope's settings and its record on screen.
    virtual void redraw() = 0;
    // A modal box titled "KALVIRA" with text and an OK button, open without waiting; closed is
    // called once, on the GUI thread, when it has been closed.
    virtual void showMessage(const std::string &text, std::function<void()> closed) = 0;
    // The run entered another state.
    virtual void runStateChanged() {}
};

}  // namespace kalvira::scope
