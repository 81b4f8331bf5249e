#include "spectrum_averaging_bar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>

#include "settings_store.h"

namespace kalvira::ui {

namespace {

constexpr auto kGroup = "spectrum/";

QString settingsKey(const char *name) {
    return QLatin1String(kGroup) + QLatin1String(name);
}

}  // namespace

SpectrumAveragingBar::SpectrumAveragingBar(QWidget *parent) : QWidget(parent) {
    mode_ = new QComboBox(this);
    mode_->setObjectName(QStringLiteral("spectrumAveraging"));
    mode_->addItem(tr("Off"), static_cast<int>(analysis::AveragingMode::Off));
    mode_->addItem(tr("Linear"), static_cast<int>(analysis::AveragingMode::Linear));
    mode_->addItem(tr("Exponential"), static_cast<int>(analysis::AveragingMode::Exponential));
    mode_->addItem(tr("Peak hold"), static_cast<int>(analysis::AveragingMode::PeakHold));
    mode_->addItem(tr("Minimum hold"), static_cast<int>(analysis::AveragingMode::MinimumHold));
    records_ = new QSpinBox(this);
    records_->setObjectName(QStringLiteral("spectrumAveragedRecords"));
    records_->setRange(analysis::kLeastAveraged, analysis::kMostAveraged);
    records_->setPrefix(tr("N "));
    source_ = new QComboBox(this);
    source_->setObjectName(QStringLiteral("spectrumAveragingSource"));
    source_->addItem(tr("over the run's records"));
    source_->addItem(tr("over the history"));
    reset_ = new QPushButton(tr("Reset"), this);
    reset_->setObjectName(QStringLiteral("spectrumAveragingReset"));
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("spectrumAveragedCount"));

    const QSettings stored = settingsStore();
    const auto named = analysis::averagingNamed(
        stored.value(settingsKey("averaging"), QStringLiteral("off")).toString().toStdString());
    const analysis::Averaging chosen = named.value_or(analysis::Averaging{});
    mode_->setCurrentIndex(static_cast<int>(chosen.mode));
    records_->setValue(stored.value(settingsKey("averagedRecords"), chosen.records).toInt());
    source_->setCurrentIndex(stored.value(settingsKey("averageHistory"), false).toBool() ? 1 : 0);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Averaging"), this));
    for (QWidget *w : std::initializer_list<QWidget *>{mode_, records_, source_, reset_, count_})
        layout->addWidget(w);
    layout->addStretch();

    const auto update = [this] {
        enableControls();
        emit changed();
    };
    connect(mode_, &QComboBox::currentIndexChanged, this, update);
    connect(records_, &QSpinBox::valueChanged, this, update);
    connect(source_, &QComboBox::currentIndexChanged, this, update);
    connect(reset_, &QPushButton::clicked, this, &SpectrumAveragingBar::resetClicked);
    enableControls();
}

// N only where it counts; the source and Reset only with an averaging.
void SpectrumAveragingBar::enableControls() {
    const auto mode = averaging().mode;
    records_->setEnabled(mode == analysis::AveragingMode::Linear ||
                         mode == analysis::AveragingMode::Exponential);
    source_->setEnabled(mode != analysis::AveragingMode::Off);
    reset_->setEnabled(mode != analysis::AveragingMode::Off);
}

analysis::Averaging SpectrumAveragingBar::averaging() const {
    return {static_cast<analysis::AveragingMode>(mode_->currentData().toInt()), records_->value()};
}

bool SpectrumAveragingBar::overHistory() const {
    return source_->currentIndex() == 1;
}

void SpectrumAveragingBar::showCount(int count) {
    const analysis::Averaging a = averaging();
    if (a.mode == analysis::AveragingMode::Off) return count_->clear();
    count_->setText(a.mode == analysis::AveragingMode::Linear
                        ? tr("%1 / %2 records").arg(count).arg(a.records)
                    : count == 1 ? tr("1 record")
                                 : tr("%1 records").arg(count));
}

void SpectrumAveragingBar::remember() const {
    QSettings stored = settingsStore();
    stored.setValue(settingsKey("averaging"),
                    QString::fromStdString(analysis::averagingName(averaging())));
    stored.setValue(settingsKey("averagedRecords"), records_->value());
    stored.setValue(settingsKey("averageHistory"), overHistory());
}

}  // namespace kalvira::ui
