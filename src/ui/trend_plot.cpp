#include "trend_plot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/cursor_readings.h"
#include "display/spectrum_axis.h"
#include "look.h"
#include "scope/trend_series.h"

namespace kalvira::ui {

namespace {

const QColor kGridColour{0x40, 0x40, 0x40};
const QColor kLineColour{0x40, 0xE0, 0x40};

struct Range {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    bool empty() const { return !(low <= high); }
};

// The values' range, widened to whole grid steps; a flat trend gets a span of its own.
Range valueRange(const scope::TrendSeries &trend, std::size_t index) {
    Range range;
    for (std::size_t i = 0; i < trend.size(); ++i) {
        const double value = trend.at(i).values[index];
        if (std::isnan(value)) continue;
        range.low = std::min(range.low, value);
        range.high = std::max(range.high, value);
    }
    if (range.empty()) return range;
    if (range.high - range.low < 1e-12 * std::max(1.0, std::fabs(range.high))) {
        const double pad = std::max(std::fabs(range.high) * 0.01, 1e-9);
        range.low -= pad;
        range.high += pad;
    }
    const double step = display::gridStep(range.high - range.low, 5);
    range.low = std::floor(range.low / step) * step;
    range.high = std::ceil(range.high / step) * step;
    return range;
}

}  // namespace

TrendPlot::TrendPlot(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("trendPlot"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 200);
}

void TrendPlot::showTrend(const scope::TrendSeries *trend, analysis::Figure figure) {
    trend_ = trend;
    figure_ = figure;
    update();
}

QRect TrendPlot::plotArea() const {
    return QRect(QPoint(76, 10), QPoint(width() - 16, height() - 28));
}

void TrendPlot::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackgroundColour);
    painter.setFont(interfaceFont());
    const QRect area = plotArea();
    const std::size_t index = analysis::indexOf(figure_);
    const Range values = trend_ ? valueRange(*trend_, index) : Range{};
    if (!trend_ || values.empty() || area.width() < 2) {
        painter.setPen(kForegroundColour);
        painter.drawText(rect(), Qt::AlignCenter, tr("No record with this figure yet"));
        return;
    }
    const double firstMs = double(trend_->at(0).takenMs);
    const double spanS =
        std::max(1e-3, (double(trend_->at(trend_->size() - 1).takenMs) - firstMs) / 1000);
    const auto xOf = [&](double seconds) { return area.left() + seconds / spanS * area.width(); };
    const auto yOf = [&](double value) {
        return area.bottom() - (value - values.low) / (values.high - values.low) * area.height();
    };

    const double timeStep = display::gridStep(spanS, std::max(2, area.width() / 80));
    const double valueStep = display::gridStep(values.high - values.low, 5);
    painter.setPen(kGridColour);
    for (int i = 0; i * timeStep <= spanS * (1 + 1e-9); ++i)
        painter.drawLine(QPointF(xOf(i * timeStep), area.top()),
                         QPointF(xOf(i * timeStep), area.bottom()));
    for (double v = values.low; v <= values.high + valueStep * 1e-6; v += valueStep)
        painter.drawLine(QPointF(area.left(), yOf(v)), QPointF(area.right(), yOf(v)));
    painter.setPen(kForegroundColour);
    for (int i = 0; i * timeStep <= spanS * (1 + 1e-9); ++i)
        painter.drawText(QRectF(xOf(i * timeStep) - 40, area.bottom() + 4, 80, 16),
                         Qt::AlignHCenter | Qt::AlignTop,
                         QString::fromStdString(analysis::secondsText(i * timeStep)));
    for (double v = values.low; v <= values.high + valueStep * 1e-6; v += valueStep)
        painter.drawText(QRectF(0, yOf(v) - 8, area.left() - 6, 16),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QString::fromStdString(analysis::figureText(
                             figure_, std::fabs(v) < valueStep * 1e-9 ? 0.0 : v)));

    // Each pixel column's lowest and highest value, joined; a gap where a record had none.
    painter.setPen(kLineColour);
    const bool dots = trend_->size() * 4 <= std::size_t(area.width());
    QPointF previous;
    bool joined = false;  // previous holds the column before, to join
    for (std::size_t i = 0; i < trend_->size();) {
        const int column = int(std::floor(xOf((double(trend_->at(i).takenMs) - firstMs) / 1000)));
        double low = std::numeric_limits<double>::infinity(), high = -low;
        bool gap = false;
        for (; i < trend_->size() &&
               int(std::floor(xOf((double(trend_->at(i).takenMs) - firstMs) / 1000))) == column;
             ++i) {
            const double value = trend_->at(i).values[index];
            gap = gap || std::isnan(value);
            if (!std::isnan(value)) low = std::min(low, value), high = std::max(high, value);
        }
        if (!(low <= high)) {
            joined = false;
            continue;
        }
        const QPointF middle(column, yOf((low + high) / 2));
        if (joined && !gap) painter.drawLine(previous, middle);
        painter.drawLine(QPointF(column, yOf(high)), QPointF(column, yOf(low)));
        if (dots) painter.drawRect(QRectF(column - 1.5, yOf(high) - 1.5, 3, 3));
        previous = middle;
        joined = true;
    }
}

}  // namespace kalvira::ui
