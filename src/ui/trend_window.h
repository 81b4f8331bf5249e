#pragma once

#include <QWidget>

#include "analysis/record_figures.h"

class QComboBox;
class QLabel;

namespace kalvira::scope {
class TrendSeries;
}

namespace kalvira::ui {

class TrendPlot;

// The second window of the statistics: one figure, chosen from a list, of each record taken since
// the statistics were last reset, against the time it was taken. It follows each new record.
// Ctrl+E saves the plot as PNG, Ctrl+S every figure of every record as CSV. Its size, place and
// figure are remembered between starts.
class TrendWindow : public QWidget {
    Q_OBJECT
public:
    // A window of its own, kept with its parent (the KALVIRA window); trend must outlive it.
    TrendWindow(const scope::TrendSeries &trend, QWidget *parent = nullptr);
    ~TrendWindow() override;

    // The trend has changed: a record was added, or it was reset.
    void refresh();

    analysis::Figure figure() const;
    // What the summary line under the plot reads.
    QString summaryText() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void remember() const;
    void savePicture();
    void saveCsv();

    const scope::TrendSeries &trend_;
    QComboBox *figure_ = nullptr;
    TrendPlot *plot_ = nullptr;
    QLabel *summary_ = nullptr;
};

}  // namespace kalvira::ui
