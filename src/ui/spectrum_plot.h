#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "analysis/spectrum.h"
#include "analysis/spectrum_levels.h"

namespace kalvira::ui {

// The magnitude spectrum drawn from 0 Hz to half the sample rate: frequencies on a 1-2-5 grid in
// Hz and kHz, levels in 10 dB divisions from 0 dBFS down to the range set, or linear in counts.
// The trace keeps each pixel column's highest bin, so no peak falls between two columns. Over it
// the noise floor as a dashed line and the markers, each a triangle over its bin with its name.
class SpectrumPlot : public QWidget {
    Q_OBJECT
public:
    explicit SpectrumPlot(QWidget *parent = nullptr);

    // Nothing to show when empty.
    void setSpectrum(std::optional<analysis::Spectrum> spectrum);
    const std::optional<analysis::Spectrum> &spectrum() const { return spectrum_; }
    // linear: amplitudes in counts (volts with a calibration); otherwise dB from the top down
    // by rangeDb.
    void setScale(bool linear, int rangeDb);
    void setLevels(const analysis::SpectrumLevels &levels);

    // A marker drawn over the trace: M1..M5 as 0..4, on a bin of the spectrum shown.
    struct Marker {
        int index = 0;
        std::size_t bin = 0;
        bool selected = false;
    };
    void setMarkers(std::vector<Marker> markers);
    // The noise floor's amplitude in counts; none drawn when empty.
    void setNoiseFloor(std::optional<double> amplitude);

    QSize sizeHint() const override { return {640, 360}; }

signals:
    // The pointer stands over this frequency, whose bin has this amplitude in counts; left with
    // a frequency below 0.
    void pointed(double frequencyHz, double amplitude);
    // A left click in the plot at this frequency.
    void clicked(double frequencyHz);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QRect plotArea() const;
    double levelOf(double amplitude) const;  // in the axis' unit
    double top() const;                      // the level axis' top, in its unit
    double bottom() const;
    std::optional<double> frequencyAt(const QPointF &position) const;
    void drawOverTrace(QPainter &painter, const QRect &area) const;

    std::optional<analysis::Spectrum> spectrum_;
    analysis::SpectrumLevels levels_;
    bool linear_ = false;
    int rangeDb_ = 100;
    std::vector<Marker> markers_;
    std::optional<double> noiseFloor_;
};

}  // namespace kalvira::ui
