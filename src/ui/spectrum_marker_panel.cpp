#include "spectrum_marker_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "display/spectrum_axis.h"

namespace kalvira::ui {

namespace {

QString hzText(double hz) {
    return QString::fromStdString(display::frequencyLabel(hz));
}

}  // namespace

SpectrumMarkerPanel::SpectrumMarkerPanel(QWidget *parent) : QWidget(parent) {
    table_ = new QTableWidget(analysis::kMarkerCount, 4, this);
    table_->setObjectName(QStringLiteral("spectrumMarkers"));
    table_->setHorizontalHeaderLabels({tr("Marker"), tr("Frequency"), tr("Level"), tr("Δ to M1")});
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < analysis::kMarkerCount; ++row) {
        for (int column = 0; column < 4; ++column)
            table_->setItem(row, column, new QTableWidgetItem);
        table_->item(row, 0)->setText(QStringLiteral("M%1").arg(row + 1));
    }
    table_->setCurrentCell(0, 0);
    auto *peak = new QPushButton(tr("Peak"), this);
    peak->setObjectName(QStringLiteral("spectrumPeak"));
    auto *next = new QPushButton(tr("Next peak"), this);
    next->setObjectName(QStringLiteral("spectrumNextPeak"));
    auto *clear = new QPushButton(tr("Clear marker"), this);
    clear->setObjectName(QStringLiteral("spectrumClearMarker"));

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {peak, next, clear}) buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    layout->addLayout(buttons);

    connect(peak, &QPushButton::clicked, this, [this] {
        if (spectrum_) moveSelectedTo(analysis::highestPeak(*spectrum_));
    });
    connect(next, &QPushButton::clicked, this, [this] {
        if (!spectrum_) return;
        const auto from = startOfNextPeak();
        moveSelectedTo(from
                           ? analysis::nextPeak(*spectrum_, analysis::nearestBin(*spectrum_, *from))
                           : analysis::highestPeak(*spectrum_));
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        places_[static_cast<std::size_t>(selected())].reset();
        refresh();
    });
    connect(table_, &QTableWidget::currentCellChanged, this, [this] { emit markersChanged(); });
}

void SpectrumMarkerPanel::setSpectrum(std::optional<analysis::Spectrum> spectrum,
                                      const analysis::SpectrumLevels &levels) {
    spectrum_ = std::move(spectrum);
    if (spectrum_ && spectrum_->amplitude.empty()) spectrum_.reset();
    levels_ = levels;
    refresh();
}

int SpectrumMarkerPanel::selected() const {
    return std::clamp(table_->currentRow(), 0, analysis::kMarkerCount - 1);
}

// The selected marker's place; for one not yet placed, that of the nearest placed one before
// it, so that M2's "Next peak" steps on from M1.
std::optional<double> SpectrumMarkerPanel::startOfNextPeak() const {
    for (int m = selected(); m >= 0; --m) {
        if (const auto &at = places_[static_cast<std::size_t>(m)]) return at;
    }
    return std::nullopt;
}

void SpectrumMarkerPanel::placeSelected(double frequencyHz) {
    if (spectrum_) moveSelectedTo(analysis::nearestBin(*spectrum_, frequencyHz));
}

// Nowhere to go (no peak, none lower) leaves the marker where it is.
void SpectrumMarkerPanel::moveSelectedTo(std::optional<std::size_t> bin) {
    if (!bin) return;
    places_[static_cast<std::size_t>(selected())] = static_cast<double>(*bin) * spectrum_->binHz;
    refresh();
}

std::vector<SpectrumPlot::Marker> SpectrumMarkerPanel::plotMarkers() const {
    std::vector<SpectrumPlot::Marker> markers;
    if (!spectrum_) return markers;
    for (int m = 0; m < analysis::kMarkerCount; ++m) {
        const auto &at = places_[static_cast<std::size_t>(m)];
        if (at) markers.push_back({m, analysis::nearestBin(*spectrum_, *at), m == selected()});
    }
    return markers;
}

QString SpectrumMarkerPanel::cellText(int row, int column) const {
    return table_->item(row, column)->text();
}

// Each marker's reading on the spectrum shown, and its difference to M1 when both stand.
void SpectrumMarkerPanel::refresh() {
    const QString unit = QLatin1String(levels_.dbUnit());
    std::optional<std::pair<double, double>> first;  // M1's frequency and level
    for (int m = 0; m < analysis::kMarkerCount; ++m) {
        const auto &at = places_[static_cast<std::size_t>(m)];
        QStringList cells(3);
        if (spectrum_ && at) {
            const std::size_t bin = analysis::nearestBin(*spectrum_, *at);
            const double hz = static_cast<double>(bin) * spectrum_->binHz;
            const double db = levels_.db(spectrum_->amplitude[bin]);
            cells[0] = hzText(hz);
            cells[1] = QStringLiteral("%1 %2").arg(db, 0, 'f', 2).arg(unit);
            if (m == 0) first = std::pair(hz, db);
            if (m > 0 && first) {
                cells[2] = QStringLiteral("%1, %2 dB")
                               .arg(hzText(hz - first->first))
                               .arg(db - first->second, 0, 'f', 2);
            }
        }
        for (int column = 1; column < 4; ++column)
            table_->item(m, column)->setText(cells[column - 1]);
    }
    emit markersChanged();
}

}  // namespace kalvira::ui
