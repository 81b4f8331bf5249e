#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "analysis/spectrum.h"
#include "analysis/spectrum_levels.h"
#include "analysis/spectrum_markers.h"
#include "spectrum_plot.h"

class QPushButton;
class QTableWidget;

namespace kalvira::ui {

// The markers M1..M5 of the spectrum window: a table of each one's frequency and level and its
// difference to M1, whose selected row is the marker a click on the plot, "Peak" or "Next peak"
// (the next lower peak from where it stands, or from the marker before it) moves. The markers keep
// their frequencies across records, each read on the nearest bin of the spectrum shown.
class SpectrumMarkerPanel : public QWidget {
    Q_OBJECT
public:
    explicit SpectrumMarkerPanel(QWidget *parent = nullptr);

    // The spectrum the markers read, its levels in the unit given; none leaves the table empty.
    void setSpectrum(std::optional<analysis::Spectrum> spectrum,
                     const analysis::SpectrumLevels &levels);
    // Puts the selected marker on the bin nearest frequencyHz.
    void placeSelected(double frequencyHz);
    const analysis::MarkerPlaces &places() const { return places_; }
    // The markers placed, for the plot to draw.
    std::vector<SpectrumPlot::Marker> plotMarkers() const;
    // A cell of the table as it reads: row 0..4 for M1..M5, column 0..3.
    QString cellText(int row, int column) const;

signals:
    void markersChanged();

private:
    int selected() const;
    std::optional<double> startOfNextPeak() const;
    void moveSelectedTo(std::optional<std::size_t> bin);
    void refresh();

    QTableWidget *table_ = nullptr;
    analysis::MarkerPlaces places_;
    std::optional<analysis::Spectrum> spectrum_;
    analysis::SpectrumLevels levels_;
};

}  // namespace kalvira::ui
