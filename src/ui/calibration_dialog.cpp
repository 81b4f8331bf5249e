#include "calibration_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <array>

namespace kalvira::ui {

namespace {

constexpr int kProbeFactors[] = {1, 10, 100};

template <typename Field>
Field *named(Field *field, const char *name) {
    field->setObjectName(QLatin1String(name));
    return field;
}

QSpinBox *countField(QWidget *parent, const char *name, int value) {
    auto *field = named(new QSpinBox(parent), name);
    field->setRange(0, 32767);
    field->setValue(value);
    return field;
}

// A number as the user's locale writes it, or as C does ("0.005" everywhere).
std::optional<double> number(const QLineEdit *field) {
    bool ok = false;
    const QString text = field->text().trimmed();
    double value = QLocale().toDouble(text, &ok);
    if (!ok) value = QLocale::c().toDouble(text, &ok);
    return ok ? std::optional(value) : std::nullopt;
}

QString shortest(double value) {
    return QLocale().toString(value, 'g', QLocale::FloatingPointShortest);
}

}  // namespace

CalibrationDialog::CalibrationDialog(const std::optional<analysis::Calibration> &current,
                                     QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("calibrationDialog"));
    setWindowTitle(tr("Calibration"));
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);

    twoPoints_ = named(new QRadioButton(tr("Two points"), this), "twoPoints");
    countA_ = countField(this, "countA", 0);
    voltsA_ = named(new QLineEdit(this), "voltsA");
    countB_ = countField(this, "countB", 1023);
    voltsB_ = named(new QLineEdit(this), "voltsB");
    slope_ = named(new QRadioButton(tr("Volts per count and zero count"), this), "slope");
    voltsPerCount_ = named(new QLineEdit(this), "voltsPerCount");
    zeroCount_ = named(new QLineEdit(this), "zeroCount");
    probe_ = named(new QComboBox(this), "probe");
    for (const int factor : kProbeFactors) probe_->addItem(tr("×%1").arg(factor));
    problem_ = named(new QLabel(this), "problem");
    problem_->setWordWrap(true);
    problem_->hide();

    auto *points = new QFormLayout;
    points->addRow(tr("Count A"), countA_);
    points->addRow(tr("Volts at count A"), voltsA_);
    points->addRow(tr("Count B"), countB_);
    points->addRow(tr("Volts at count B"), voltsB_);
    auto *direct = new QFormLayout;
    direct->addRow(tr("Volts per count"), voltsPerCount_);
    direct->addRow(tr("Zero count (0 V)"), zeroCount_);
    auto *probe = new QFormLayout;
    probe->addRow(tr("Probe"), probe_);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *clear = buttons->addButton(tr("Clear calibration"), QDialogButtonBox::ResetRole);
    clear->setObjectName(QStringLiteral("clearCalibration"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Volts at the unit's input, as with a probe of ×1."), this));
    layout->addWidget(twoPoints_);
    layout->addLayout(points);
    layout->addWidget(slope_);
    layout->addLayout(direct);
    layout->addLayout(probe);
    layout->addWidget(problem_);
    layout->addWidget(buttons);

    const auto showMode = [this] {
        const std::array<QWidget *, 4> pointFields{countA_, voltsA_, countB_, voltsB_};
        for (QWidget *field : pointFields) field->setEnabled(twoPoints_->isChecked());
        voltsPerCount_->setEnabled(slope_->isChecked());
        zeroCount_->setEnabled(slope_->isChecked());
    };
    connect(twoPoints_, &QRadioButton::toggled, this, showMode);
    connect(slope_, &QRadioButton::toggled, this, showMode);
    connect(buttons, &QDialogButtonBox::accepted, this, &CalibrationDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CalibrationDialog::reject);
    connect(clear, &QPushButton::clicked, this, [this] {
        emit chosen(std::nullopt);
        QDialog::accept();
    });

    if (current) {
        voltsPerCount_->setText(shortest(current->voltsPerCount));
        zeroCount_->setText(shortest(current->zeroCount));
        for (int i = 0; i < probe_->count(); ++i) {
            if (kProbeFactors[i] == current->probe) probe_->setCurrentIndex(i);
        }
    }
    (current ? slope_ : twoPoints_)->setChecked(true);
    showMode();
}

void CalibrationDialog::accept() {
    const int probe = kProbeFactors[std::max(0, probe_->currentIndex())];
    const bool points = twoPoints_->isChecked();
    const auto first = number(points ? voltsA_ : voltsPerCount_);
    const auto second = number(points ? voltsB_ : zeroCount_);
    QString why = points ? tr("The volts at both counts must be numbers.")
                         : tr("Volts per count and zero count must be numbers.");
    if (first && second) {
        const analysis::CalibrationResult made =
            points ? analysis::calibrationFromPoints(countA_->value(), *first, countB_->value(),
                                                     *second, probe)
                   : analysis::makeCalibration(*first, *second, probe);
        if (const auto *calibration = std::get_if<analysis::Calibration>(&made)) {
            emit chosen(*calibration);
            QDialog::accept();
            return;
        }
        switch (std::get<analysis::CalibrationProblem>(made)) {
            case analysis::CalibrationProblem::EqualCounts:
                why = tr("The two points must be at different counts.");
                break;
            case analysis::CalibrationProblem::NoSlope:
                why = points ? tr("The two points must read different volts.")
                             : tr("Volts per count must be finite and not 0.");
                break;
            case analysis::CalibrationProblem::ZeroOutOfRange:
                why = tr("0 V must lie at a count in 0..32767.");
                break;
            case analysis::CalibrationProblem::NoProbeFactor:
                break;
        }
    }
    problem_->setText(why);
    problem_->show();
}

}  // namespace kalvira::ui
