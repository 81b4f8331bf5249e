#pragma once

#include <QDialog>

#include "scope/record_judge.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;

namespace kalvira::ui {

// Sets what each new record is tested against: a range on any figure (a row of the table whose
// box is ticked, its low and high end in the figure's unit), the reference as a mask widened by
// ±level (counts, or volts with a calibration) and ±samples, and what a fail does: stop the run,
// keep only failing records in the history. Window modal, opened with open(), gone once closed.
class LimitsDialog : public QDialog {
    Q_OBJECT
public:
    // Starts from current. calibrated: the record on screen reads in volts, so a level in volts
    // can be given.
    LimitsDialog(const scope::JudgeCriteria &current, bool calibrated, QWidget *parent = nullptr);

    // OK with fields that make criteria: the dialog closes and chosen is emitted. Fields that do
    // not leave it open and say why.
    void accept() override;

signals:
    void chosen(const kalvira::scope::JudgeCriteria &criteria);

private:
    void fill(const scope::JudgeCriteria &current);
    std::optional<QString> readLimits(scope::JudgeCriteria &criteria) const;
    std::optional<QString> readMask(scope::JudgeCriteria &criteria) const;

    bool calibrated_;
    QTableWidget *table_ = nullptr;
    QCheckBox *maskOn_ = nullptr;
    QLineEdit *maskLevel_ = nullptr;
    QComboBox *maskUnit_ = nullptr;
    QSpinBox *maskTime_ = nullptr;
    QCheckBox *stopAtFirstFail_ = nullptr;
    QCheckBox *keepOnlyFailing_ = nullptr;
    QLabel *problem_ = nullptr;
};

}  // namespace kalvira::ui
