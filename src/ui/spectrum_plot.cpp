#include "spectrum_plot.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "display/spectrum_axis.h"
#include "look.h"

namespace kalvira::ui {

namespace {

const QColor kGridColour{0x40, 0x40, 0x40};
const QColor kTraceColour{0xFF, 0xD7, 0x00};

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
}

void SpectrumPlot::mouseMoveEvent(QMouseEvent *event) {
    const QRect area = plotArea();
    if (!spectrum_ || spectrum_->amplitude.empty() || !area.contains(event->position().toPoint())) {
        emit pointed(-1, 0);
        return;
    }
    const double hz =
        (event->position().x() - area.left()) / area.width() * spectrum_->sampleRateHz / 2;
    const auto bin = std::min(spectrum_->amplitude.size() - 1,
                              static_cast<std::size_t>(std::lround(hz / spectrum_->binHz)));
    emit pointed(bin * spectrum_->binHz, spectrum_->amplitude[bin]);
}

void SpectrumPlot::leaveEvent(QEvent *) {
    emit pointed(-1, 0);
}

}  // namespace kalvira::ui
