#pragma once

#include <QWidget>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "analysis/spectrum.h"
#include "analysis/spectrum_levels.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

namespace kalvira::ui {

class SpectrumPlot;

// The second window: the magnitude spectrum of the record on screen, its fundamental, THD,
// SINAD and ENOB, and the frequency and level under the pointer. Ctrl+E saves it as PNG, Ctrl+S
// as CSV. Its size, place and options are remembered between starts.
class SpectrumWindow : public QWidget {
    Q_OBJECT
public:
    // A window of its own, kept with its parent (the KALVIRA window).
    explicit SpectrumWindow(QWidget *parent = nullptr);
    ~SpectrumWindow() override;

    using Settings = std::vector<std::pair<std::string, std::string>>;
    // The record on screen, taken at sampleRateHz, with the settings the CSV names; an empty
    // record shows nothing.
    // With a calibration levels read in dBV and volts.
    void showRecord(std::vector<std::int16_t> record, double sampleRateHz, Settings settings,
                    std::optional<analysis::Calibration> calibration = std::nullopt);

    // What the window shows now, as its readout reads.
    const SpectrumPlot &plot() const { return *plot_; }
    QString figuresText() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void recompute();
    void rememberOptions() const;
    void savePicture();
    void saveCsv();
    void showPointed(double frequencyHz, double amplitude);

    analysis::SpectrumAnalyser analyser_;
    std::vector<std::int16_t> record_;
    double sampleRateHz_ = 0;
    Settings settings_;
    analysis::SpectrumLevels levels_;

    QComboBox *window_ = nullptr;
    QCheckBox *removeDc_ = nullptr;
    QCheckBox *linear_ = nullptr;
    QSpinBox *range_ = nullptr;
    SpectrumPlot *plot_ = nullptr;
    QLabel *figures_ = nullptr;
    QLabel *pointer_ = nullptr;
};

}  // namespace kalvira::ui
