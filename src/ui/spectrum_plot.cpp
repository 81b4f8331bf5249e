#include "spectrum_plot.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "analysis/spectrum_markers.h"
#include "display/spectrum_axis.h"
#include "look.h"

namespace kalvira::ui {

namespace {

const QColor kGridColour{0x40, 0x40, 0x40};
const QColor kTraceColour{0xFF, 0xD7, 0x00};
const QColor kNoiseFloorColour{0x4F, 0xC3, 0xF7};
const QColor kMarkerColour{0xFF, 0xFF, 0xFF};
const QColor kSelectedMarkerColour{0xFF, 0x6E, 0x40};

}  // namespace

SpectrumPlot::SpectrumPlot(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("spectrumPlot"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 200);
}

void SpectrumPlot::setSpectrum(std::optional<analysis::Spectrum> spectrum) {
    spectrum_ = std::move(spectrum);
    update();
}

void SpectrumPlot::setMarkers(std::vector<Marker> markers) {
    markers_ = std::move(markers);
    update();
}

void SpectrumPlot::setNoiseFloor(std::optional<double> amplitude) {
    noiseFloor_ = amplitude;
    update();
}

void SpectrumPlot::setScale(bool linear, int rangeDb) {
    linear_ = linear;
    rangeDb_ = std::max(10, rangeDb);
    update();
}

QRect SpectrumPlot::plotArea() const {
    return QRect(QPoint(60, 10), QPoint(width() - 16, height() - 28));
}

void SpectrumPlot::setLevels(const analysis::SpectrumLevels &levels) {
    levels_ = levels;
    update();
}

double SpectrumPlot::levelOf(double amplitude) const {
    return linear_ ? levels_.linear(amplitude) : levels_.db(amplitude);
}

double SpectrumPlot::top() const {
    if (!linear_) return levels_.topDb();
    double highest = levels_.linear(1);
    if (spectrum_) {
        for (const double a : spectrum_->amplitude) highest = std::max(highest, levels_.linear(a));
    }
    const double step = display::gridStep(highest, 5);
    return std::ceil(highest / step) * step;
}

double SpectrumPlot::bottom() const {
    return linear_ ? 0 : levels_.topDb() - rangeDb_;
}

void SpectrumPlot::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackgroundColour);
    painter.setFont(interfaceFont());
    const QRect area = plotArea();
    if (!spectrum_ || spectrum_->amplitude.size() < 2 || area.width() < 2) {
        painter.setPen(kForegroundColour);
        painter.drawText(rect(), Qt::AlignCenter, tr("No record on screen"));
        return;
    }
    const double nyquist = spectrum_->sampleRateHz / 2;
    const double high = top(), low = bottom();
    const auto xOf = [&](double hz) { return area.left() + hz / nyquist * area.width(); };
    const auto yOf = [&](double level) {
        const double clamped = std::clamp(level, low, high);
        return area.bottom() - (clamped - low) / (high - low) * area.height();
    };

    // Grid and labels.
    const double hzStep = display::gridStep(nyquist, std::max(2, area.width() / 70));
    const double levelStep = linear_ ? display::gridStep(high - low, 5) : 10.0;
    const int levelLines = static_cast<int>(std::lround((high - low) / levelStep));
    painter.setPen(kGridColour);
    for (int i = 0; i * hzStep <= nyquist * (1 + 1e-9); ++i)
        painter.drawLine(QPointF(xOf(i * hzStep), area.top()),
                         QPointF(xOf(i * hzStep), area.bottom()));
    for (int i = 0; i <= levelLines; ++i) {
        const double y = yOf(high - i * levelStep);
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
    painter.setPen(kForegroundColour);
    for (int i = 0; i * hzStep <= nyquist * (1 + 1e-9); ++i) {
        const QString label = QString::fromStdString(display::frequencyLabel(i * hzStep));
        painter.drawText(QRectF(xOf(i * hzStep) - 40, area.bottom() + 4, 80, 16),
                         Qt::AlignHCenter | Qt::AlignTop, label);
    }
    // Every division's level on a linear scale; every other on a long dB range.
    const int labelEvery = !linear_ && levelLines > 10 ? 2 : 1;
    for (int i = 0; i <= levelLines; i += labelEvery) {
        const double level = high - i * levelStep;
        painter.drawText(QRectF(0, yOf(level) - 8, area.left() - 6, 16),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(level, 'g', 6));
    }
    // The unit in the corner, clear of the frequency axis' first label.
    painter.drawText(QRectF(4, area.bottom() + 4, area.left() - 30, 16),
                     Qt::AlignLeft | Qt::AlignTop,
                     linear_ ? (levels_.inVolts() ? QStringLiteral("V") : tr("counts"))
                             : QString::fromLatin1(levels_.dbUnit()));

    // The trace: the highest bin of each pixel column, joined.
    const auto &amplitude = spectrum_->amplitude;
    QPainterPath trace;
    const double binsPerPixel = static_cast<double>(amplitude.size() - 1) / area.width();
    std::size_t bin = 0;
    for (int column = 0; column <= area.width() && bin < amplitude.size(); ++column) {
        const auto last =
            std::min(amplitude.size() - 1,
                     static_cast<std::size_t>(std::floor((column + 0.5) * binsPerPixel)));
        double highest = amplitude[bin];
        for (; bin <= last; ++bin) highest = std::max(highest, amplitude[bin]);
        const QPointF point(area.left() + column, yOf(levelOf(highest)));
        if (column == 0) {
            trace.moveTo(point);
        } else {
            trace.lineTo(point);
        }
    }
    painter.setPen(kTraceColour);
    painter.drawPath(trace);
    drawOverTrace(painter, area);
}

// The noise floor across the plot, and each marker's triangle pointing down at its bin's level.
void SpectrumPlot::drawOverTrace(QPainter &painter, const QRect &area) const {
    const double high = top(), low = bottom();
    const auto yOf = [&](double amplitude) {
        const double clamped = std::clamp(levelOf(amplitude), low, high);
        return area.bottom() - (clamped - low) / (high - low) * area.height();
    };
    if (noiseFloor_) {
        painter.setPen(QPen(kNoiseFloorColour, 1, Qt::DashLine));
        painter.drawLine(QPointF(area.left(), yOf(*noiseFloor_)),
                         QPointF(area.right(), yOf(*noiseFloor_)));
    }
    const auto &amplitude = spectrum_->amplitude;
    for (const Marker &marker : markers_) {
        if (marker.bin >= amplitude.size()) continue;
        const double x = area.left() + static_cast<double>(marker.bin) * spectrum_->binHz /
                                           (spectrum_->sampleRateHz / 2) * area.width();
        const double y = yOf(amplitude[marker.bin]);
        const QColor colour = marker.selected ? kSelectedMarkerColour : kMarkerColour;
        QPolygonF triangle;
        triangle << QPointF(x, y - 2) << QPointF(x - 5, y - 11) << QPointF(x + 5, y - 11);
        painter.setPen(colour);
        painter.setBrush(colour);
        painter.drawPolygon(triangle);
        painter.drawText(QRectF(x - 20, y - 28, 40, 16), Qt::AlignHCenter | Qt::AlignBottom,
                         QStringLiteral("M%1").arg(marker.index + 1));
    }
    painter.setBrush(Qt::NoBrush);
}

std::optional<double> SpectrumPlot::frequencyAt(const QPointF &position) const {
    const QRect area = plotArea();
    if (!spectrum_ || spectrum_->amplitude.empty() || !area.contains(position.toPoint()))
        return std::nullopt;
    return (position.x() - area.left()) / area.width() * spectrum_->sampleRateHz / 2;
}

void SpectrumPlot::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    if (const auto hz = frequencyAt(event->position())) emit clicked(*hz);
}

void SpectrumPlot::mouseMoveEvent(QMouseEvent *event) {
    const auto hz = frequencyAt(event->position());
    if (!hz) {
        emit pointed(-1, 0);
        return;
    }
    const std::size_t bin = analysis::nearestBin(*spectrum_, *hz);
    emit pointed(static_cast<double>(bin) * spectrum_->binHz, spectrum_->amplitude[bin]);
}

void SpectrumPlot::leaveEvent(QEvent *) {
    emit pointed(-1, 0);
}

}  // namespace kalvira::ui
