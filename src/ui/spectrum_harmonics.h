#pragma once

#include <QWidget>

#include "analysis/spectrum.h"

class QLabel;
class QTableWidget;

namespace kalvira::ui {

// The harmonics table beside THD: harmonics 2..10 of the fundamental, each one's frequency and
// level in dBc, "–" for those at or above half the sample rate.
class SpectrumHarmonics : public QWidget {
    Q_OBJECT
public:
    explicit SpectrumHarmonics(QWidget *parent = nullptr);

    void showFigures(const analysis::SpectrumFigures &figures);
    // A cell as it reads: row 0..8 for harmonics 2..10, column 0..2.
    QString cellText(int row, int column) const;

private:
    QLabel *thd_ = nullptr;
    QTableWidget *table_ = nullptr;
};

}  // namespace kalvira::ui
