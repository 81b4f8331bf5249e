#pragma once

#include <QWidget>

#include "analysis/spectrum_averager.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace kalvira::ui {

// The spectrum window's averaging row: the mode (off, linear, exponential, peak hold, minimum
// hold), N, whether it runs over the records of the run or over the history, "Reset", and how
// many records the average holds so far. Its choices are remembered between starts.
class SpectrumAveragingBar : public QWidget {
    Q_OBJECT
public:
    explicit SpectrumAveragingBar(QWidget *parent = nullptr);

    analysis::Averaging averaging() const;
    bool overHistory() const;
    // The count of the average shown: "12 / 16 records" for linear, "12 records" otherwise.
    void showCount(int count);
    void remember() const;

signals:
    void changed();
    void resetClicked();

private:
    void enableControls();

    QComboBox *mode_ = nullptr;
    QSpinBox *records_ = nullptr;
    QComboBox *source_ = nullptr;
    QPushButton *reset_ = nullptr;
    QLabel *count_ = nullptr;
};

}  // namespace kalvira::ui
