#pragma once

#include <QWidget>

#include "analysis/record_figures.h"

namespace kalvira::scope {
class TrendSeries;
}

namespace kalvira::ui {

// One figure of each record plotted against the time the record was taken, from the first record
// of the trend: the lowest and highest value of each pixel column joined, a dot a record while
// they are few. A record whose figure is not defined leaves a gap in the line.
class TrendPlot : public QWidget {
    Q_OBJECT
public:
    explicit TrendPlot(QWidget *parent = nullptr);

    // trend must outlive the plot; repaints.
    void showTrend(const scope::TrendSeries *trend, analysis::Figure figure);

    QSize sizeHint() const override { return {640, 320}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect plotArea() const;

    const scope::TrendSeries *trend_ = nullptr;
    analysis::Figure figure_ = analysis::Figure::Frequency;
};

}  // namespace kalvira::ui
