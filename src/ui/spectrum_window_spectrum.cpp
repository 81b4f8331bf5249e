// What the spectrum window shows: the record's spectrum, averaged over the run's records or over
// the history, its figures, harmonics, noise floor and markers, and the record's sine fit.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

#include "analysis/sine_fit.h"
#include "display/spectrum_axis.h"
#include "spectrum_averaging_bar.h"
#include "spectrum_harmonics.h"
#include "spectrum_marker_panel.h"
#include "spectrum_plot.h"
#include "spectrum_window.h"

namespace kalvira::ui {

namespace {

// A figure with its decimals and unit, or "–" where it is not defined.
QString figure(const std::optional<double> &value, int decimals, const QString &unit) {
    return value ? QString::number(*value, 'f', decimals) + unit : QStringLiteral("–");
}

}  // namespace

// A record taken by the unit joins the run's average when the ones before it were the unit's
// too; one opened or stepped to starts it afresh; the same record shown again changes nothing.
void SpectrumWindow::showRecord(ShownRecord record) {
    const bool again = record.number != 0 && record.number == record_.number;
    const Joining joining = again                                      ? Joining::Keep
                            : record.fromUnit && averageOfUnitRecords_ ? Joining::Join
                                                                       : Joining::Restart;
    averageOfUnitRecords_ = record.fromUnit;
    levels_ = analysis::SpectrumLevels(record.calibration);
    plot_->setLevels(levels_);
    record_ = std::move(record);
    takeSpectrum(joining);
}

void SpectrumWindow::takeSpectrum(Joining joining) {
    refreshScale();
    const auto &samples = record_.samples;
    if (samples.size() < 2) {
        averager_.reset();
        averaging_->showCount(0);
        showSpectrum({});
        figures_->setText(tr("No record on screen"));
        return;
    }
    const auto window = static_cast<analysis::SpectrumWindow>(window_->currentData().toInt());
    const analysis::Spectrum own =
        analyser_.transform(samples, record_.sampleRateHz, window, removeDc_->isChecked());
    const analysis::Averaging averaging = averaging_->averaging();
    if (averaging.mode != analysis::AveragingMode::Off && averaging_->overHistory()) {
        averageOverHistory(own);
    } else if (joining != Joining::Keep || !averager_.result() ||
               averager_.averaging() != averaging) {
        averager_.setAveraging(averaging);
        if (joining != Joining::Join) averager_.reset();
        averager_.add(own);
    }
    averaging_->showCount(averager_.count());
    showSpectrum(*averager_.result());
    showSineFit(own);
}

// The history's records of this rate and length; the record on screen alone when it has none.
void SpectrumWindow::averageOverHistory(const analysis::Spectrum &own) {
    const auto records =
        historyRecords_ ? historyRecords_() : std::vector<std::span<const std::int16_t>>{};
    if (records.empty()) {
        averager_ = analysis::SpectrumAverager(averaging_->averaging());
        averager_.add(own);
        return;
    }
    averager_ = analysis::averageRecords(records, record_.sampleRateHz, own.window, own.dcRemoved,
                                         averaging_->averaging(), analyser_);
}

// The spectrum shown (the record's, or the average), its figures read from what is shown.
void SpectrumWindow::showSpectrum(analysis::Spectrum spectrum) {
    const analysis::SpectrumFigures f = analysis::spectrumFigures(spectrum);
    const QString fundamental =
        f.fundamentalHz ? QString::fromStdString(display::frequencyLabel(*f.fundamentalHz))
                        : QStringLiteral("–");
    const QString unit = QLatin1Char(' ') + QLatin1String(levels_.dbUnit());
    figures_->setText(
        tr("Fundamental %1, %2 · THD %3 (%4) · SINAD %5 · ENOB %6")
            .arg(fundamental,
                 figure(f.fundamentalDbfs ? std::optional(levels_.dbFromDbfs(*f.fundamentalDbfs))
                                          : std::nullopt,
                        2, unit),
                 figure(f.thdPercent, 3, QStringLiteral(" %")), figure(f.thdDb, 1, tr(" dB")),
                 figure(f.sinadDb, 1, tr(" dB")), figure(f.enobBits, 2, tr(" bits"))));
    noiseFloor_->setText(
        tr("· Noise floor %1")
            .arg(figure(f.noiseFloor ? std::optional(levels_.db(*f.noiseFloor)) : std::nullopt, 1,
                        unit)));
    harmonics_->showFigures(f);
    plot_->setNoiseFloor(f.noiseFloor);
    if (spectrum.amplitude.empty()) {
        markers_->setSpectrum(std::nullopt, levels_);
        plot_->setSpectrum(std::nullopt);
        return;
    }
    markers_->setSpectrum(spectrum, levels_);
    plot_->setSpectrum(std::move(spectrum));
}

// Always of the record on screen, started from its own spectrum's fundamental.
void SpectrumWindow::showSineFit(const analysis::Spectrum &own) {
    const auto fit = own.fundamentalHz ? analysis::fitSine(record_.samples, record_.sampleRateHz,
                                                           *own.fundamentalHz)
                                       : std::nullopt;
    if (!fit) {
        sineFit_->setText(tr("– (fewer than 5 periods, or no sine)"));
        return;
    }
    sineFit_->setText(
        tr("%1 · amplitude %2 counts · NAD %3 counts · SINAD %4 · ENOB %5")
            .arg(QString::fromStdString(display::frequencyLabel(fit->frequencyHz)))
            .arg(fit->amplitude, 0, 'f', 2)
            .arg(fit->nad, 0, 'f', 3)
            .arg(figure(fit->sinadDb, 1, tr(" dB")), figure(fit->enobBits, 2, tr(" bits"))));
}

}  // namespace kalvira::ui
