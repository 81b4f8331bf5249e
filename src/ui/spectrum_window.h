#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "analysis/spectrum.h"
#include "analysis/spectrum_averager.h"
#include "analysis/spectrum_levels.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

namespace kalvira::ui {

class SpectrumAveragingBar;
class SpectrumHarmonics;
class SpectrumMarkerPanel;
class SpectrumPlot;

// The second window: the magnitude spectrum of the record on screen, or the average of several,
// its fundamental, THD, SINAD and ENOB, the noise floor, the harmonics table, the markers M1..M5,
// the record's IEEE 1241 sine fit, and the frequency and level under the pointer. Ctrl+E saves it
// as PNG, Ctrl+S as CSV. Its size, place and options are remembered between starts.
class SpectrumWindow : public QWidget {
    Q_OBJECT
public:
    // A window of its own, kept with its parent (the KALVIRA window).
    explicit SpectrumWindow(QWidget *parent = nullptr);
    ~SpectrumWindow() override;

    using Settings = std::vector<std::pair<std::string, std::string>>;
    // The record on screen, taken at sampleRateHz, with the settings the CSV names; empty samples
    // show nothing. With a calibration levels read in dBV and volts.
    struct ShownRecord {
        std::vector<std::int16_t> samples;
        double sampleRateHz = 0;
        Settings settings;
        std::optional<analysis::Calibration> calibration;
        std::uint64_t number = 0;  // the scope's record number: each record joins an average once
        bool fromUnit = false;     // taken in a run, not opened or stepped to
    };
    void showRecord(ShownRecord record);
    // The records averaging "over the history" takes: those of the record on screen's rate and
    // length, oldest first, valid until the history next changes.
    using HistoryRecords = std::function<std::vector<std::span<const std::int16_t>>()>;
    void setHistoryRecords(HistoryRecords records) { historyRecords_ = std::move(records); }

    // What the window shows now, as its readouts read.
    const SpectrumPlot &plot() const { return *plot_; }
    QString figuresText() const;
    QString noiseFloorText() const;
    QString sineFitText() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // How a spectrum taken now meets the average so far.
    enum class Joining { Restart, Join, Keep };

    void createControls();
    void layoutControls();
    void restoreOptions();
    void connectControls();
    void takeSpectrum(Joining joining);
    void averageOverHistory(const analysis::Spectrum &own);
    void showSpectrum(analysis::Spectrum spectrum);
    void showSineFit(const analysis::Spectrum &own);
    void refreshScale();
    void rememberOptions() const;
    void savePicture();
    void saveCsv();
    void showPointed(double frequencyHz, double amplitude);

    analysis::SpectrumAnalyser analyser_;
    analysis::SpectrumAverager averager_;
    ShownRecord record_;
    bool averageOfUnitRecords_ = false;  // the run's average holds records taken by the unit
    HistoryRecords historyRecords_;
    analysis::SpectrumLevels levels_;

    QComboBox *window_ = nullptr;
    QCheckBox *removeDc_ = nullptr;
    QCheckBox *linear_ = nullptr;
    QSpinBox *range_ = nullptr;
    SpectrumAveragingBar *averaging_ = nullptr;
    SpectrumPlot *plot_ = nullptr;
    SpectrumHarmonics *harmonics_ = nullptr;
    SpectrumMarkerPanel *markers_ = nullptr;
    QLabel *figures_ = nullptr;
    QLabel *noiseFloor_ = nullptr;
    QLabel *sineFit_ = nullptr;
    QLabel *pointer_ = nullptr;
};

}  // namespace kalvira::ui
