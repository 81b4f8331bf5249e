#pragma once

#include <QObject>

#include "acquisition/run_host.h"

namespace kalvira::ui {

class Form1;

// The window as the measurement run sees it: the settings it reads, the form-level values it
// shares with the handlers, the lock on its settings, the record store, the redraw and the
// message box.
class Form1RunHost final : public acquisition::RunHost {
public:
    explicit Form1RunHost(Form1 &form) : form_(form) {}

    int selectedCom1() const override;
    int selectedTrigger() const override;
    int selectedSampleRate() const override;
    int selectedTrigEdge() const override;
    std::int16_t trigLevelValue() const override;
    std::int16_t sampleScrollValue() const override;
    std::int16_t stopGombLenyomva() const override;
    void setStopGombLenyomva(std::int16_t value) override;
    std::int16_t tizedSec() const override;
    void setTizedSec(std::int16_t value) override;
    void setMeresVege(std::int16_t value) override;
    void enableTimer1() override;
    void setSettingsLocked(bool locked) override;
    void commitSampleData(std::span<const std::int16_t> record) override;
    void redraw() override;
    void showMessage(const std::string &text, std::function<void()> closed) override;
    void runStateChanged() override;

private:
    Form1 &form_;
    // Context of the message boxes' connections: gone with this host, so a box closing while the
    // window is torn down reaches no run.
    QObject messageContext_;
};

}  // namespace kalvira::ui
